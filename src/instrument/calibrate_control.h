// The calibration window's logic (TCalibrateForm): the reference voltage and
// current writes, the two phase corrections (write, read, nudges, "+1.3"), the
// temperature commands, the unlock, the short-cuts into the instrument
// settings, and the measured phases after every accepted block.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "instrument/chain_step.h"

namespace lxv {

struct SessionCore;
class SettingsControl;

inline constexpr const char* kPhaseTooLargeText =
    QT_TRANSLATE_NOOP("lxv", "  角差不能大于30度，数据无效!    ");
inline constexpr const char* kPhaseTooSmallText =
    QT_TRANSLATE_NOOP("lxv", "  角差不能小于-30度，数据无效!    ");
inline constexpr const char* kCommandFailedText =
    QT_TRANSLATE_NOOP("lxv", "请求读失败，仪器和电脑还没有连接。");

enum class PhaseRow { Narrow = 0, Broad = 1 };  // Edit7 / IPHN, Edit8 / IPHW

struct CalibrateFields {
    std::string voltage = "0";                   // Edit1
    std::string current = "0";                   // Edit2
    std::array<std::string, 2> phase{"0", "0"};  // Edit7, Edit8 (degrees)
    bool angleToTime = true;                     // CheckBox1, checked and fixed
    std::string label8 = "0";                    // measured voltage phase
    std::string label9 = "0";                    // measured current phase
};

class CalibrateControl {
  public:
    // `openPort` opens the configured port (used when a calibration write finds it closed).
    CalibrateControl(SessionCore& core, SettingsControl& settings, std::function<void()> openPort);

    CalibrateFields fields;

    ConfigEffects CalibrateVoltage();  // Edit1 to CALU
    ConfigEffects CalibrateCurrent();  // Edit2 to CALI
    ConfigEffects WritePhase(PhaseRow row);
    ConfigEffects Nudge(PhaseRow row, double delta);  // then the row's write
    ConfigEffects PlusOnePointThree();                // Edit7 = Edit8 + 1.3, then its write
    ConfigEffects ReadPhase(PhaseRow row);
    ConfigEffects Temperature(std::uint8_t code);  // 0..3 to TCOMP
    ConfigEffects Unlock();                        // 0x6B to CALLOCK
    // Short-cuts into the settings window, each followed by its save.
    ConfigEffects Bandwidth(int item);  // 0 narrowband, 1 broadband
    ConfigEffects Range(int range);     // 1..4, locked
    ConfigEffects Factory();            // "Default", then save

    std::string status() const { return status_.original(); }  // StatusBar1: a phase read given up
    const UiText& statusText() const { return status_; }
    void addChangedHandler(std::function<void()> h) { changed_.add(std::move(h)); }

  private:
    ConfigEffects calibrate(std::uint16_t reg, const std::string& text, const char* name);
    ConfigEffects command(std::uint16_t reg, std::uint8_t code);
    void phaseRead(PhaseRow row, const std::uint8_t* data, std::size_t size);
    void changed();

    SessionCore& core_;
    SettingsControl& settings_;
    std::function<void()> openPort_;
    UiText status_;
    ChainStep step_;
    bool givenUp_ = false;
    ChangeListeners changed_;
};

}  // namespace lxv
