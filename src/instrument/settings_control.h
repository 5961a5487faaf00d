// The instrument settings window's logic (TExternal_CT_form): its fields, the
// save (the 28-byte write of the settings block to SETUP) and the read, and
// the SETUP reply, which also arrives after the read at start-up and after a
// rescan and then sets the main status panels. The calibration window drives
// the same fields and save.
#pragma once

#include <functional>
#include <string>

#include "instrument/chain_step.h"
#include "instrument/instrument_settings.h"

namespace lxv {

struct SessionCore;

inline constexpr const char* kAngleTooLargeText =
    QT_TRANSLATE_NOOP("lxv", "Angle difference is not greater than 30 degrees, the data is invalid!");
inline constexpr const char* kAngleTooSmallText =
    QT_TRANSLATE_NOOP("lxv", "Angle difference can not be less than -30 degrees, the data is invalid!");
inline constexpr const char* kReadFailedText =
    QT_TRANSLATE_NOOP("lxv", "Read the request failed, instruments and computers have not connected.");
inline constexpr const char* kSynchronizedText = QT_TRANSLATE_NOOP("lxv", "Successful synchronization");

// The window's controls as plain values (item indices, -1 for no chosen item).
struct SettingsFields {
    enum class Range { None, Auto, Lock };  // RadioButton1 "Auto  ", RadioButton2 "Lock"

    std::string angle = "0";    // Edit1, degrees
    std::string ctRatio = "1";  // Edit3
    std::string vtRatio = "1";  // Edit4
    int frequencyItem = -1;     // ComboBox3: 0 " 50 Hz ", 1 " 60 Hz "
    int bandwidth = 0;          // RadioGroup1
    int thdAlgorithm = 0;       // RadioGroup2
    int filterItem = 9;         // ComboBox1, coefficient - 1
    bool filterOn = false;      // CheckBox1 "Trun On filter"
    Range range = Range::None;
    int rangeItem = 0;  // ComboBox2, range - 1
};

class SettingsControl {
  public:
    explicit SettingsControl(SessionCore& core);

    SettingsFields fields;  // edited by the window and the calibration window

    // "Default": the fields to the factory values; nothing is sent.
    void Default();
    // "Saved to instrument": every field checked first, then SETUP written.
    ConfigEffects Save();
    // "Read from instrument".
    ConfigEffects Read();

    std::string status() const { return status_.original(); }  // StatusBar1
    const UiText& statusText() const { return status_; }
    bool busy() const { return step_.waiting(); }
    const InstrumentSettings& settingsCopy() const { return copy_; }
    bool settingsRead() const { return copyRead_; }  // a SETUP reply has filled the copy

    // Called whenever the controller changed the fields or the status.
    void addChangedHandler(std::function<void()> h) { changed_.add(std::move(h)); }

  private:
    void replyReceived(const std::uint8_t* data, std::size_t size);
    void acknowledged();
    void gaveUp(std::uint16_t reg);
    void setStatus(UiText text);
    void changed();

    SessionCore& core_;
    InstrumentSettings copy_;  // SettingsCopy: all zero until the first read
    bool copyRead_ = false;
    UiText status_ = QT_TRANSLATE_NOOP("lxv", "还没有与仪器同步数据！");
    enum class Pending { None, Read, Save } pending_ = Pending::None;
    ChainStep step_;
    ChangeListeners changed_;
};

}  // namespace lxv
