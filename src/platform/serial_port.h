// The serial port as the program sees it: one abstract interface, so the link
// works the same over Qt Serial Port, a pseudo-terminal, or a test's fake.
//
// Owns: the port operations the program needs (enumerate, probe, open, close,
// set baud, write, read queued bytes, and a notification when bytes arrive).
// Depends on: the C++ standard library only. Implementations live beside it
// (qt_serial_port.h) and in tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/ui_text.h"

namespace lxv {

// A port failure that ends only the action at hand; what() is the text shown.
class PortError : public UiError {
  public:
    using UiError::UiError;
};

// Texts of the port layer's failures, as the user sees them.
inline constexpr const char* kPortOpenFailedText =
    QT_TRANSLATE_NOOP("lxv", "通讯出现异常！请检查连接是否正确或重新启动程序和仪器。");
inline constexpr const char* kPortBufferFailedText = QT_TRANSLATE_NOOP("lxv", "Cannot setup comm buffer");
inline constexpr const char* kPortAlreadyOpenText = QT_TRANSLATE_NOOP("lxv", "COM Port has been opened!");
inline constexpr const char* kPortNotOpenText = QT_TRANSLATE_NOOP("lxv", "COM Port is not opened yet!");

// One serial port known to the system. `number` is n of COMn (1..255).
struct PortInfo {
    int number = 0;
    std::string device;       // e.g. /dev/ttyUSB0 or a pseudo-terminal path
    std::string identifier;   // device identifier; the instrument's bridge contains "5736"
    std::string displayName;  // ends in "(COMn)"
};

class SerialPort {
  public:
    virtual ~SerialPort() = default;

    // Every port the system knows, with identifier and display name.
    virtual std::vector<PortInfo> enumerate() = 0;
    // Opens port n exclusively and closes it again: true when it exists and is free.
    virtual bool probe(int number) = 0;
    // Opens port n at `baud`, 8N1, no handshake, buffers purged. Throws PortError.
    virtual void open(int number, int baud) = 0;
    // Closing a closed port does nothing.
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // Number of the open port (or the one last opened), 0 when none.
    virtual int portNumber() const = 0;
    // Takes effect at once on an open port.
    virtual void setBaudRate(int baud) = 0;
    // Writes the whole frame; false when the port is closed or the write fails or falls short.
    virtual bool write(const std::uint8_t* data, std::size_t size) = 0;
    // Every byte queued now; more than 4096 queued bytes are discarded and nothing is returned.
    virtual std::vector<std::uint8_t> readAll() = 0;
    // Bytes that have arrived and are not read yet, whether queued here or
    // still held by the system for a later received-data event. While the UI
    // thread is busy, bytes wait there; they are on the line before anything
    // written now, and the line has not been silent while they wait.
    virtual std::size_t bytesWaiting() const { return 0; }
    // Why the last probe or open failed, in plain words ("the port is in use by
    // another program"); empty when the port does not say.
    virtual UiText failureCause() const { return {}; }

    // Called on the UI thread whenever at least one byte has arrived.
    void setDataHandler(std::function<void()> handler) { dataHandler_ = std::move(handler); }
    // Called when the port closed itself because its device went away.
    void setClosedHandler(std::function<void()> handler) { closedHandler_ = std::move(handler); }

  protected:
    void notifyData() {
        if (dataHandler_) dataHandler_();
    }
    void notifyClosed() {
        if (closedHandler_) closedHandler_();
    }

  private:
    std::function<void()> dataHandler_;
    std::function<void()> closedHandler_;
};

}  // namespace lxv
