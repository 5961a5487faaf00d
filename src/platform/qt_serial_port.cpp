#include "platform/qt_serial_port.h"

#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <QSerialPortInfo>
#include <set>

#include "platform/dialogs.h"
#include "platform/ini_file.h"
#include "platform/translation.h"

namespace lxv {

namespace {

constexpr qint64 kQueueLimit = 4096;

std::vector<SystemPort> ListedPorts() {
    std::vector<SystemPort> out;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        SystemPort p;
        p.device = info.systemLocation().toStdString();
        p.portName = info.portName().toStdString();
        p.hasUsbIds = info.hasVendorIdentifier() && info.hasProductIdentifier();
        p.vendorId = info.vendorIdentifier();
        p.productId = info.productIdentifier();
        p.serialNumber = info.serialNumber().toStdString();
        out.push_back(std::move(p));
    }
    return out;
}

// Qt marks the terminal exclusive (TIOCEXCL), which does not bind root; an
// advisory lock keeps a second copy of the program, or a terminal program that
// locks, off the port as well.
bool LockedForUs(QSerialPort& port) {
    return ::flock(port.handle(), LOCK_EX | LOCK_NB) == 0;
}

void SetLine(QSerialPort& port, int baud) {
    port.setBaudRate(baud);
    port.setDataBits(QSerialPort::Data8);
    port.setParity(QSerialPort::NoParity);
    port.setStopBits(QSerialPort::OneStop);
    port.setFlowControl(QSerialPort::NoFlowControl);
}

}  // namespace

QtSerialPort::QtSerialPort(IniFile& sysSet, QObject* parent) : QObject(parent), sysSet_(sysSet) {
    connect(&serial_, &QSerialPort::readyRead, this, [this] { notifyData(); });
    connect(&serial_, &QSerialPort::errorOccurred, this, &QtSerialPort::serialError);
}

QtSerialPort::~QtSerialPort() {
    serial_.close();
}

std::vector<PortInfo> QtSerialPort::enumerate() {
    std::vector<PinnedPort> pins = runPins_;
    const std::vector<PinnedPort> stored = ReadPortMap(sysSet_);
    pins.insert(pins.end(), stored.begin(), stored.end());
    lastList_ = NumberPorts(ListedPorts(), pins);
    lastListAge_.start();
    return lastList_;
}

std::string QtSerialPort::devicePath(int number) {
    // Listing walks the whole tty tree (some 20 ms); a scan probes right after it.
    if (!lastListAge_.isValid() || lastListAge_.elapsed() > kListReuseMs) enumerate();
    for (const PortInfo& p : lastList_)
        if (p.number == number) return p.device;
    return {};
}

int QtSerialPort::UseDeviceForThisRun(const std::string& device) {
    const std::vector<PortInfo> ports = enumerate();
    if (const int listed = NumberOfDevice(ports, device)) return listed;
    std::set<int> used;
    for (const PortInfo& p : ports) used.insert(p.number);
    int n = kMaxPortNumber;
    while (n > 0 && used.count(n)) --n;
    if (n == 0) return 0;
    runPins_.insert(runPins_.begin(), PinnedPort{n, device, "", ""});
    lastListAge_.invalidate();
    return n;
}

void QtSerialPort::noteFailure(const std::string& device, const QSerialPort& port, bool lockFailed) {
    if (device.empty()) {
        failureCause_ = QT_TRANSLATE_NOOP("lxv", "there is no such port");
    } else if (lockFailed) {
        failureCause_ = QT_TRANSLATE_NOOP("lxv", "the port is in use by another program");
    } else if (port.error() == QSerialPort::DeviceNotFoundError) {
        failureCause_ = QT_TRANSLATE_NOOP("lxv", "the device does not exist");
    } else if (port.error() == QSerialPort::PermissionError) {
        // Qt reports a port held by another program as a permission error too.
        failureCause_ = ::access(device.c_str(), R_OK | W_OK) == 0
                            ? QT_TRANSLATE_NOOP("lxv", "the port is in use by another program")
                            : QT_TRANSLATE_NOOP(
                                  "lxv", "permission denied (the user may need to be in the dialout group)");
    } else {
        failureCause_ =
            UiText(QT_TRANSLATE_NOOP("lxv", "it cannot be opened: %1")).arg(port.errorString().toStdString());
    }
}

bool QtSerialPort::probe(int number) {
    if (serial_.isOpen() && number == number_) return false;  // held exclusively by us
    const std::string device = devicePath(number);
    QSerialPort trial;
    if (device.empty()) {
        noteFailure(device, trial, false);
        return false;
    }
    trial.setPortName(QString::fromStdString(device));
    const bool opened = trial.open(QIODevice::ReadWrite);
    const bool locked = opened && LockedForUs(trial);
    if (!locked) noteFailure(device, trial, opened);
    trial.close();
    return locked;
}

void QtSerialPort::open(int number, int baud) {
    if (serial_.isOpen()) throw PortError(kPortAlreadyOpenText);
    const std::string device = devicePath(number);
    if (device.empty()) {
        noteFailure(device, serial_, false);
        throw PortError(kPortOpenFailedText);
    }
    number_ = number;
    serial_.setPortName(QString::fromStdString(device));
    SetLine(serial_, baud);
    if (!serial_.open(QIODevice::ReadWrite)) {
        noteFailure(device, serial_, false);
        throw PortError(kPortOpenFailedText);
    }
    if (!LockedForUs(serial_)) {
        noteFailure(device, serial_, true);
        serial_.close();
        throw PortError(kPortOpenFailedText);
    }
    // Pseudo-terminals and some adapters have no modem lines; the port is usable all the same.
    serial_.setDataTerminalReady(false);
    serial_.setRequestToSend(false);
    if (!serial_.clear(QSerialPort::AllDirections)) {
        serial_.close();
        throw PortError(kPortBufferFailedText);
    }
    serial_.clearError();
}

void QtSerialPort::close() {
    if (serial_.isOpen()) serial_.close();
}

bool QtSerialPort::isOpen() const {
    return serial_.isOpen();
}

void QtSerialPort::setBaudRate(int baud) {
    serial_.setBaudRate(baud);  // kept for the next open when closed
}

bool QtSerialPort::write(const std::uint8_t* data, std::size_t size) {
    if (!serial_.isOpen()) {
        AppDialogs().showError(nullptr, Translated(kPortNotOpenText));
        return false;
    }
    serial_.clearError();
    // Nothing queued before it: the frame goes to the driver at once, without
    // the pass through Qt's write buffer (some 30 us of the pause between a
    // reply and the next request). What the driver does not take, and any
    // error, goes the usual way.
    if (serial_.bytesToWrite() == 0) {
        const ssize_t put = ::write(serial_.handle(), data, size);
        if (put == static_cast<ssize_t>(size)) return true;
        if (put > 0) {
            data += put;
            size -= static_cast<std::size_t>(put);
        }
    }
    const qint64 n = serial_.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    if (n != static_cast<qint64>(size)) return false;
    serial_.flush();  // hand the frame to the driver now rather than on the next event loop pass
    const QSerialPort::SerialPortError e = serial_.error();
    return e != QSerialPort::WriteError && e != QSerialPort::ResourceError;
}

std::vector<std::uint8_t> QtSerialPort::readAll() {
    const QByteArray bytes = serial_.readAll();
    if (bytes.size() > kQueueLimit) return {};  // overrun: no valid reply is that long
    return {bytes.begin(), bytes.end()};
}

std::size_t QtSerialPort::bytesWaiting() const {
    if (!serial_.isOpen()) return 0;
    int inSystem = 0;
    if (::ioctl(serial_.handle(), FIONREAD, &inSystem) != 0 || inSystem < 0) inSystem = 0;
    return static_cast<std::size_t>(serial_.bytesAvailable()) + static_cast<std::size_t>(inSystem);
}

void QtSerialPort::serialError(QSerialPort::SerialPortError error) {
    // The device went away (adapter unplugged, simulator ended): close it, so sends
    // report failure and the USB watchdog can reopen it once it is back. Left open,
    // a dead pseudo-terminal reports a read error on every event loop pass.
    const bool gone = error == QSerialPort::ResourceError || error == QSerialPort::ReadError;
    if (gone && serial_.isOpen()) {
        serial_.close();
        notifyClosed();
    }
}

}  // namespace lxv
