// The link's lifecycle as plain logic: the port scan and the recognition of
// the instrument's USB bridge, opening the chosen port with the baud rate and
// station address of SysSet.ini, the 100 ms watchdog of the USB link (LINKCHK
// after 1.1 s without a reply, close and reopen after 1.6 s), and reopening a
// plain port that an error closed at the next measurement command. The
// watchdog's timer "TCommForm.Timer1" is this control's and runs for the
// session's lifetime, whether or not the port settings window is shown, and
// the same for the window and the command line. The window only shows and
// edits what this holds.
// Depends on: core/session_core.h, core/timer.h, platform/ini_file.h, platform/serial_port.h.
// No Qt.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui_text.h"

namespace lxv {

class IniFile;
class Timer;
struct PortInfo;
struct SessionCore;

// One entry of the port list: "COM5    " or "COM12         Through the USB connection LXV7700".
struct PortItem {
    int number = 0;
    bool usb = false;  // the instrument's own link
    std::string text;  // as the original shows it
    UiText label;      // the same, to translate
};

// What the window shows after a step: message boxes in order.
struct LinkEffects {
    std::vector<UiText> messages;  // information boxes
    std::vector<UiText> errors;    // error boxes
    bool fieldsChanged = false;    // baud and address were read from the settings
};

inline constexpr const char* kBaudItems[8] = {
    QT_TRANSLATE_NOOP("lxv", "4.8Kbps"),  QT_TRANSLATE_NOOP("lxv", "9.6Kbps"),
    QT_TRANSLATE_NOOP("lxv", "14.4Kbps"), QT_TRANSLATE_NOOP("lxv", "19.2Kbps"),
    QT_TRANSLATE_NOOP("lxv", "38.4Kbps"), QT_TRANSLATE_NOOP("lxv", "57,6Kbps"),
    QT_TRANSLATE_NOOP("lxv", "76.8Kbps"), QT_TRANSLATE_NOOP("lxv", "115.2Kbps")};

class LinkControl {
  public:
    // The watchdog starts at once.
    LinkControl(SessionCore& core, IniFile& sysSet);
    ~LinkControl();
    LinkControl(const LinkControl&) = delete;
    LinkControl& operator=(const LinkControl&) = delete;

    // Reads the settings, scans, opens the configured port and asks for the settings block.
    LinkEffects Scan();
    // The user chose list entry `index`: saved, opened; the kind of link follows the entry.
    LinkEffects ChoosePort(int index);
    // Baud list index chosen: saved, applied, an open port reopened.
    LinkEffects ChangeBaud(int index);
    // The address field's text; true when it is a valid address (1..255). With
    // `save` a valid address is written to the settings.
    bool SetAddressText(const std::string& text, bool save);
    // The 100 ms watchdog tick ("TCommForm.Timer1" calls it).
    void Tick();
    // The end of the session: no more keep-alives or reopening.
    void StopWatchdog();
    bool watchdogRunning() const;
    // Called after every watchdog tick (the command line ends a run whose port went away).
    void setTickedHandler(std::function<void()> h) { ticked_ = std::move(h); }
    // A plain port that an error closed is opened again (before a measurement command).
    LinkEffects ReopenIfClosed();
    // For this run only (a command-line task): COMn and the baud list index to
    // use instead of the stored ones, from the next scan on; nothing is written
    // to the settings. 0 and -1 keep the stored ones.
    void SetRunOverrides(int port, int baudIndex) {
        portOverride_ = port;
        baudOverride_ = baudIndex;
    }
    // Selects COMn as the port to open; 0 leaves the selection as it is.
    void SetCommPort(int n) {
        if (n != 0) commPort_ = n;
    }

    // Called when the port is ready for measurements (true) or no port could be opened.
    void setPortReadyHandler(std::function<void(bool)> h) { portReady_ = std::move(h); }
    // Called after every successful open: the receiver forgets what a torn reply left.
    void setPortOpenedHandler(std::function<void()> h) { portOpened_ = std::move(h); }

    const std::vector<PortItem>& portItems() const { return items_; }
    int chosenItem() const { return chosen_; }
    bool scanDone() const { return scanDone_; }
    const std::vector<int>& instrumentPortList() const { return instrumentPorts_; }
    int configuredPort() const { return configuredPort_; }
    int commPort() const { return commPort_; }
    int baudIndex() const;
    const std::string& addressText() const { return addressText_; }
    bool addressValid() const { return addressValid_; }

  private:
    bool readSettings(LinkEffects& fx);
    void recogniseInstrumentPorts(const std::vector<PortInfo>& ports);
    bool isInstrumentPort(int n) const;
    bool openPort(LinkEffects& fx);
    void reconnect();
    void portClosedByError();
    void setPortReady(bool ready);

    SessionCore& core_;
    IniFile& sysSet_;
    std::function<void(bool)> portReady_;
    std::function<void()> portOpened_;
    std::function<void()> ticked_;
    std::unique_ptr<Timer> watchdog_;
    std::vector<PortItem> items_;
    int chosen_ = -1;
    bool scanDone_ = false;
    bool reopenPending_ = false;
    int configuredPort_ = 0;
    int commPort_ = 0;
    int portOverride_ = 0;
    int baudOverride_ = -1;
    std::vector<int> instrumentPorts_;
    std::string addressText_ = "1";
    bool addressValid_ = true;
};

}  // namespace lxv
