// The serial port on Qt Serial Port: the program's real port, numbered as
// COMn by port_numbering.h from the system's list and SysSet.ini [PortMap].
// Arriving bytes are announced from readyRead, not from a poll.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QSerialPort>
#include <string>
#include <vector>

#include "platform/port_numbering.h"
#include "platform/serial_port.h"

namespace lxv {

class IniFile;

class QtSerialPort : public QObject, public SerialPort {
    Q_OBJECT
  public:
    // [PortMap] is read from `sysSet` each time ports are listed or opened.
    explicit QtSerialPort(IniFile& sysSet, QObject* parent = nullptr);
    ~QtSerialPort() override;

    std::vector<PortInfo> enumerate() override;
    bool probe(int number) override;
    void open(int number, int baud) override;
    void close() override;
    bool isOpen() const override;
    int portNumber() const override { return number_; }
    void setBaudRate(int baud) override;
    bool write(const std::uint8_t* data, std::size_t size) override;
    std::vector<std::uint8_t> readAll() override;
    std::size_t bytesWaiting() const override;
    UiText failureCause() const override { return failureCause_; }

    // The number of the port at `device` for this run: a listed port's own
    // number when `device` is that port (or a link to it), else the highest free
    // number, pinned to `device` until the program ends (SysSet.ini is not changed).
    int UseDeviceForThisRun(const std::string& device);

    // Device path of port n, empty when there is no such port. Uses the list of the
    // last enumerate() when it is younger than kListReuseMs (a scan probes right
    // after listing), else lists the ports again.
    std::string devicePath(int number);
    static constexpr qint64 kListReuseMs = 500;

  private:
    void serialError(QSerialPort::SerialPortError error);
    // Records why `port` would not open or lock.
    void noteFailure(const std::string& device, const QSerialPort& port, bool lockFailed);

    IniFile& sysSet_;
    QSerialPort serial_;
    int number_ = 0;
    std::vector<PortInfo> lastList_;
    std::vector<PinnedPort> runPins_;  // ahead of [PortMap]
    UiText failureCause_;
    QElapsedTimer lastListAge_;
};

}  // namespace lxv
