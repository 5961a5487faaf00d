// The alarm window's logic (TAlarmForm): the eight limits and their enable
// flags, the read chain 118..126 paced by AlarmReadStep and the write chain
// driven by the acknowledgements. Both chains run on whether or not the
// window is shown.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "instrument/chain_step.h"

namespace lxv {

struct SessionCore;

inline constexpr const char* kAlarmOpenFailedText = QT_TRANSLATE_NOOP(
    "lxv",
    "Communication failure with the instrument, the instrument has been turned off, or not properly "
    "connected.");
inline constexpr const char* kSyncFailedText =
    QT_TRANSLATE_NOOP("lxv", "与仪器数据同步失败，仪器已经关闭或和电脑还没有正常连接。");
// A read of the chain that pulls the next limit could not be sent.
inline constexpr const char* kReadRequestFailedText =
    QT_TRANSLATE_NOOP("lxv", "Read the request failed, instruments and computers have not connected.");

// AlarmLimits: what was last read or saved.
struct AlarmLimits {
    std::array<float, 8> limits{};  // AL1H, AL1L, ..., AL4L
    std::uint8_t flags = 0;         // bit n enables limit n
};

// The window's fields: Edit1..Edit8 and CheckBox1..CheckBox8.
struct AlarmFields {
    std::array<std::string, 8> limits{"300", "0", "20", "0", "6000", "0", "1", "0"};
    std::array<bool, 8> enabled{};
};

class AlarmControl {
  public:
    explicit AlarmControl(SessionCore& core);

    AlarmFields fields;

    // The main window's command: resets the read chain and starts it (the window then shows modally).
    ConfigEffects Open();
    // "读仪器数据": starts the read chain again.
    ConfigEffects Read();
    // "保存到仪器": every field checked first, then the write chain.
    ConfigEffects Save();

    std::string label7() const { return label7_.original(); }
    const UiText& label7Text() const { return label7_; }
    bool busy() const { return step_.waiting(); }  // a chain waits for an answer
    const AlarmLimits& limits() const { return limits_; }
    std::uint8_t AlarmReadStep() const { return readStep_; }

    void addChangedHandler(std::function<void()> h) { changed_.add(std::move(h)); }
    // Told a message box to show that no action of the window returns: a read
    // in the middle of the chain that could not be sent.
    void setMessageHandler(std::function<void(const UiText&)> h) { message_ = std::move(h); }

  private:
    ConfigEffects startReading(const char* label, const char* failure);
    bool sendRead(std::uint16_t reg);
    void sendWrite(std::uint16_t reg);
    void limitRead(int k, const std::uint8_t* data, std::size_t size);
    void flagsRead(const std::uint8_t* data, std::size_t size);
    void acknowledged(std::uint16_t reg);
    void gaveUp(std::uint16_t reg);
    void setLabel(UiText text);
    void changed();

    SessionCore& core_;
    AlarmLimits limits_;
    std::uint8_t readStep_ = 0;  // AlarmReadStep
    enum class Chain { None, Reading, Writing, GivenUp } chain_ = Chain::None;
    UiText label7_ = QT_TRANSLATE_NOOP("lxv", "状态：没有同步");
    ChainStep step_;
    ChangeListeners changed_;
    std::function<void(const UiText&)> message_;
};

}  // namespace lxv
