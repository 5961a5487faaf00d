// Instrument link: every byte sent to the instrument is framed here.
//
// Owns: the request frames (read, 4-byte write, N-byte write) with their
// CRC-16/MODBUS, the 128-byte shared request buffer whose byte 3 routes
// function-3 replies, and float decoding (least significant byte first).
// Depends on: platform/serial_port.h (the abstract port) and the standard
// library. No Qt, no widgets.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "link/registers.h"

namespace lxv {

class SerialPort;

// CRC-16/MODBUS over the first `count` bytes. Stored low byte first.
std::uint16_t Crc16(const std::uint8_t* data, std::size_t count);
// True when the last two bytes of `data` are the CRC of the bytes before them.
bool CrcMatches(const std::uint8_t* data, std::size_t size);
// The IEEE-754 single whose least significant byte is p[0].
float DecodeFloat(const std::uint8_t* p);
// The bit pattern of a single, as callers of SendWriteValue pass it.
std::uint32_t FloatBits(float value);

// What the last send operation put on the wire (any of the four), so the
// receiver can tell which reply it is waiting for.
struct SentFrame {
    std::uint8_t function = 0;  // 3 or 16; 0 before anything was sent
    std::uint16_t reg = 0;
    std::uint16_t count = 0;  // read count (function 3)
};

class InstrumentLink {
  public:
    static constexpr std::size_t kSharedBufferSize = 128;

    explicit InstrumentLink(SerialPort& port) : port_(&port) {}

    // Read request (function 3), 8 bytes, built in the shared buffer.
    bool SendReadRequest(std::uint8_t address, std::uint16_t reg, std::uint16_t count);
    // 13-byte write of one 4-byte value, least significant byte first; built in a
    // private buffer so the routing key stays as it was.
    bool SendWriteValue(std::uint8_t address, std::uint16_t reg, std::uint32_t value);
    // The same 13-byte frame built in the shared buffer, data in array order.
    bool SendWriteBytes(std::uint8_t address, std::uint16_t reg, const std::uint8_t data[4]);
    // A 4-byte value written through the shared buffer (the voltage calibration write).
    bool SendWriteValueShared(std::uint8_t address, std::uint16_t reg, std::uint32_t value);
    // N-byte write in the shared buffer: register count N div 2, byte count N.
    bool SendWriteBlock(std::uint8_t address, std::uint16_t reg, const std::uint8_t* data, int n);

    // Low byte of the register of the last frame built in the shared buffer.
    std::uint8_t routingKey() const { return shared_[3]; }
    const std::array<std::uint8_t, kSharedBufferSize>& sharedBuffer() const { return shared_; }
    const SentFrame& lastSent() const { return lastSent_; }
    // Frames that went out so far, of any kind: the receiver tells by it whether
    // a request left after a reply began, whose answer may follow right behind it.
    std::uint32_t framesSent() const { return framesSent_; }
    // Bytes that had arrived, not yet read, when the last frame went out: the
    // next reads begin with them, and they cannot be that frame's reply.
    std::size_t waitingAtLastSend() const { return waitingAtSend_; }

    SerialPort& port() { return *port_; }

  private:
    bool writeFrame(std::uint8_t* frame, std::size_t bodySize);

    SerialPort* port_;
    std::array<std::uint8_t, kSharedBufferSize> shared_{};
    SentFrame lastSent_;
    std::uint32_t framesSent_ = 0;
    std::size_t waitingAtSend_ = 0;
};

}  // namespace lxv
