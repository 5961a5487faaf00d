#include "port/link_control.h"

#include <algorithm>
#include <charconv>

#include "link/registers.h"
#include "platform/ini_file.h"
#include "platform/serial_port.h"
#include "core/session_core.h"
#include "core/request_queue.h"
#include "core/timer.h"

namespace lxv {

namespace {

// Only the first eleven recognised bridges are compared with the ports found.
constexpr std::size_t kComparedInstrumentPorts = 11;
constexpr int kIdleTicksBeforeCheck = 10;        // LINKCHK after 1.1 s without a reply
constexpr int kReconnectTicksBeforeReopen = 15;  // close and reopen after 1.6 s
constexpr int kWatchdogMs = 100;

const char* const kNotFoundText = QT_TRANSLATE_NOOP(
    "lxv",
    " Did not find the default communication port! Please check:\r\r   Instrument power is turned on.\r"
    "   Connect the instrument of communication lines.\r"
    "   Change the USB port, in the communication settings reset!");
const char* const kSendFailedText =
    QT_TRANSLATE_NOOP("lxv", "Read the request failed, instruments and computers have not connected.");

const char* const kConnectedText = QT_TRANSLATE_NOOP("lxv", "Connected");
const char* const kReconnectFailedText = QT_TRANSLATE_NOOP("lxv", "Connection failed!");

// The port number that a recognised port's display name ends in, "(COMn)": its
// length tells how many digits n has. 0 when the name has another length or
// the digits are not a number.
int PortNumberFromName(const std::string& name) {
    const std::size_t length = name.size();
    const std::size_t digits = (length >= 23 && length <= 25)   ? length - 22
                               : (length >= 31 && length <= 33) ? length - 30
                                                                : 0;
    if (digits == 0) return 0;
    const std::string number = name.substr(length - 1 - digits, digits);
    int n = 0;
    for (const char c : number) {
        if (c < '0' || c > '9') return 0;
        n = n * 10 + (c - '0');
    }
    return n;
}

UiText ItemText(int n, bool usb) {
    return UiText(usb ? QT_TRANSLATE_NOOP("lxv", "COM%1         Through the USB connection LXV7700")
                      : QT_TRANSLATE_NOOP("lxv", "COM%1    "))
        .arg(n);
}

}  // namespace

LinkControl::LinkControl(SessionCore& core, IniFile& sysSet)
    : core_(core), sysSet_(sysSet), watchdog_(core.timers.create("TCommForm.Timer1", false)) {
    core_.port.setClosedHandler([this] { portClosedByError(); });
    watchdog_->setHandler([this] {
        Tick();
        if (ticked_) ticked_();
    });
    watchdog_->start(kWatchdogMs);
}

LinkControl::~LinkControl() = default;

void LinkControl::StopWatchdog() {
    watchdog_->stop();
}

bool LinkControl::watchdogRunning() const {
    return watchdog_->isActive();
}

int LinkControl::baudIndex() const {
    return core_.state.BaudIndex;
}

void LinkControl::setPortReady(bool ready) {
    if (portReady_) portReady_(ready);
}

LinkEffects LinkControl::Scan() {
    LinkEffects fx;
    scanDone_ = false;
    reopenPending_ = false;
    // A start with a file spares the user the not-found message of the first scan only.
    const bool quiet = core_.state.StartedWithFile;
    core_.state.StartedWithFile = false;
    core_.status.set(0, QT_TRANSLATE_NOOP("lxv", "Searching port"));
    if (!readSettings(fx)) return fx;
    if (core_.port.isOpen()) core_.port.close();
    const std::vector<PortInfo> ports = core_.port.enumerate();
    recogniseInstrumentPorts(ports);

    items_.clear();
    chosen_ = -1;
    core_.state.LinkKind = LinkKind::Plain;
    // The ports that exist, in ascending order, rather than 255 blind opens.
    std::vector<int> numbers;
    for (const PortInfo& p : ports)
        if (p.number >= 1 && p.number <= 255) numbers.push_back(p.number);
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    for (const int n : numbers) {
        if (!core_.port.probe(n)) continue;
        const bool usb = isInstrumentPort(n);
        if (n == configuredPort_) {
            chosen_ = static_cast<int>(items_.size());
            if (usb) core_.state.LinkKind = LinkKind::Usb;
        }
        const UiText label = ItemText(n, usb);
        items_.push_back({n, usb, label.original(), label});
    }

    if (chosen_ < 0) {
        if (!quiet) fx.messages.push_back(kNotFoundText);
        setPortReady(false);
        core_.status.set(0, QT_TRANSLATE_NOOP("lxv", "Connection failed"));
    } else {
        SetCommPort(configuredPort_);
        if (!core_.port.isOpen() && !openPort(fx)) return fx;
        core_.status.set(0, QT_TRANSLATE_NOOP("lxv", "Port is open"));
        setPortReady(true);
        if (!core_.requests.read(SETUP, kSetupStartCount, Expect::Register, this))
            fx.messages.push_back(kSendFailedText);
    }
    scanDone_ = true;
    return fx;
}

bool LinkControl::readSettings(LinkEffects& fx) {
    try {
        int baud = baudOverride_ >= 0 ? baudOverride_ : sysSet_.readInteger("CommBaudrate", "Baudrate", 2);
        if (baud < 0 || baud > 7) baud = 2;  // no such list entry: the default rate
        configuredPort_ = portOverride_ > 0 ? portOverride_ : sysSet_.readInteger("CommPort", "Port", 2);
        const int address = sysSet_.readInteger("CommAddress", "Address", 2);
        core_.state.BaudIndex = baud;
        core_.port.setBaudRate(BaudRateForIndex(baud));
        SetAddressText(std::to_string(address), false);
        fx.fieldsChanged = true;
        return true;
    } catch (const ConversionError& e) {
        fx.errors.push_back(e.text());
        return false;
    }
}

void LinkControl::recogniseInstrumentPorts(const std::vector<PortInfo>& ports) {
    instrumentPorts_.clear();  // this scan's findings only, not those of earlier scans
    for (const PortInfo& p : ports) {
        if (p.identifier.find("5736") == std::string::npos) continue;
        const int n = PortNumberFromName(p.displayName);
        if (n > 0) instrumentPorts_.push_back(n);
    }
}

bool LinkControl::isInstrumentPort(int n) const {
    const auto end = instrumentPorts_.begin() + std::min(instrumentPorts_.size(), kComparedInstrumentPorts);
    return std::find(instrumentPorts_.begin(), end, n) != end;
}

LinkEffects LinkControl::ChoosePort(int index) {
    LinkEffects fx;
    if (!scanDone_ || index < 0 || index >= static_cast<int>(items_.size())) return fx;
    chosen_ = index;
    const PortItem& item = items_[static_cast<std::size_t>(index)];
    sysSet_.writeString("CommPort", "Port", std::to_string(item.number));
    core_.port.close();
    SetCommPort(item.number);
    core_.state.LinkKind = item.usb ? LinkKind::Usb : LinkKind::Plain;
    if (!openPort(fx)) return fx;
    core_.status.set(0, kConnectedText);
    setPortReady(true);
    return fx;
}

LinkEffects LinkControl::ChangeBaud(int index) {
    LinkEffects fx;
    if (index < 0 || index > 7) return fx;
    sysSet_.writeInteger("CommBaudrate", "Baudrate", index);
    core_.state.BaudIndex = index;
    core_.port.setBaudRate(BaudRateForIndex(index));
    if (core_.port.isOpen()) {
        core_.port.close();
        openPort(fx);
    }
    return fx;
}

bool LinkControl::SetAddressText(const std::string& text, bool save) {
    addressText_ = text;
    unsigned long long value = 0;
    bool number = true;
    if (!text.empty()) {
        const char* end = text.data() + text.size();
        const auto [ptr, ec] = std::from_chars(text.data(), end, value);
        number = ec == std::errc() && ptr == end;
    }
    const bool tooLarge = !number || value > 255;  // the station address is one byte
    if (!tooLarge) core_.state.InstrumentAddress = static_cast<std::uint8_t>(value);
    addressValid_ = value != 0 && !tooLarge;
    if (addressValid_ && save) sysSet_.writeString("CommAddress", "Address", text);
    return addressValid_;
}

bool LinkControl::openPort(LinkEffects& fx) {
    try {
        core_.port.open(commPort_, BaudRateForIndex(core_.state.BaudIndex));
    } catch (const PortError& e) {
        fx.errors.push_back(e.text());
        return false;
    }
    // A freshly opened link starts its watchdog count from here.
    core_.state.IdleTicks = 0;
    core_.state.ReconnectTicks = 0;
    reopenPending_ = false;
    if (portOpened_) portOpened_();
    return true;
}

void LinkControl::Tick() {
    LinkState& s = core_.state;
    const bool sentLastTick = core_.requests.sentSinceLastTick();
    ++s.IdleTicks;
    ++s.ReconnectTicks;
    if (s.LinkKind != LinkKind::Usb) return;
    // A request that has just gone out is answered at once, which keeps the
    // link alive by itself; the keep-alive waits a tick for that answer.
    if (s.IdleTicks > kIdleTicksBeforeCheck && !sentLastTick) {
        s.IdleTicks = 0;
        // Requests waiting or on the line keep the link alive by their own
        // replies; the keep-alive goes only when the line is idle, and like
        // every request it never shares the line with another.
        if (core_.requests.idle()) core_.requests.read(LINKCHK, kLinkCheckCount, Expect::Register, this);
    }
    if (s.ReconnectTicks > kReconnectTicksBeforeReopen) {
        s.ReconnectTicks = 0;
        reconnect();
    }
}

void LinkControl::reconnect() {
    core_.port.close();
    if (!core_.port.probe(commPort_)) {
        core_.status.set(0, kReconnectFailedText);
        return;
    }
    try {
        core_.port.open(commPort_, BaudRateForIndex(core_.state.BaudIndex));
    } catch (const PortError&) {
        // Taken between probe and open: tried again on the next round, without a
        // message box every 1.6 s.
        core_.status.set(0, kReconnectFailedText);
        return;
    }
    if (portOpened_) portOpened_();
    core_.status.set(0, kConnectedText);
    core_.state.IdleTicks = 0;
    core_.requests.read(LINKCHK, kLinkCheckCount, Expect::Register, this);
}

void LinkControl::portClosedByError() {
    // The USB link's watchdog reopens the port by itself; a plain port is
    // reopened at the next measurement command.
    if (core_.state.LinkKind == LinkKind::Usb) return;
    reopenPending_ = true;
    core_.status.set(0, QT_TRANSLATE_NOOP("lxv", "Port closed"));
}

LinkEffects LinkControl::ReopenIfClosed() {
    LinkEffects fx;
    if (!reopenPending_ || core_.port.isOpen() || commPort_ == 0) return fx;
    if (openPort(fx)) core_.status.set(0, kConnectedText);
    return fx;
}

}  // namespace lxv
