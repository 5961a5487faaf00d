#include "link/frame_codec.h"

#include <bit>
#include <cstring>

#include "link/byte_order.h"
#include "platform/serial_port.h"

namespace lxv {

namespace {

// CRC-16/MODBUS (reflected polynomial 0xA001, start 0xFFFF), a byte at a time.
constexpr std::array<std::uint16_t, 256> MakeCrcTable() {
    std::array<std::uint16_t, 256> table{};
    for (unsigned b = 0; b < 256; ++b) {
        std::uint16_t crc = static_cast<std::uint16_t>(b);
        for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? (crc >> 1) ^ 0xA001 : crc >> 1;
        table[b] = crc;
    }
    return table;
}
constexpr std::array<std::uint16_t, 256> kCrcTable = MakeCrcTable();

}  // namespace

std::uint16_t Crc16(const std::uint8_t* data, std::size_t count) {
    std::uint16_t crc = 0xFFFF;
    for (std::size_t i = 0; i < count; ++i) crc = (crc >> 8) ^ kCrcTable[(crc ^ data[i]) & 0xFF];
    return crc;
}

bool CrcMatches(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return false;
    const std::uint16_t crc = Crc16(data, size - 2);
    return data[size - 2] == (crc & 0xFF) && data[size - 1] == (crc >> 8);
}

float DecodeFloat(const std::uint8_t* p) {
    return ReadF32LE(p);
}

std::uint32_t FloatBits(float value) {
    return std::bit_cast<std::uint32_t>(value);
}

namespace {

void PutHeader(std::uint8_t* f, std::uint8_t address, std::uint8_t function, std::uint16_t reg) {
    f[0] = address;
    f[1] = function;
    f[2] = static_cast<std::uint8_t>(reg >> 8);
    f[3] = static_cast<std::uint8_t>(reg & 0xFF);
}

}  // namespace

bool InstrumentLink::writeFrame(std::uint8_t* frame, std::size_t bodySize) {
    const std::uint16_t crc = Crc16(frame, bodySize);
    frame[bodySize] = static_cast<std::uint8_t>(crc & 0xFF);
    frame[bodySize + 1] = static_cast<std::uint8_t>(crc >> 8);
    // Counted before the write: whatever waits now was on the line before this frame.
    const std::size_t waiting = port_->bytesWaiting();
    // A write the port refuses or cuts short is a failed send, not a sent frame.
    if (!port_->write(frame, bodySize + 2)) return false;
    ++framesSent_;
    waitingAtSend_ = waiting;
    return true;
}

bool InstrumentLink::SendReadRequest(std::uint8_t address, std::uint16_t reg, std::uint16_t count) {
    if (!port_->isOpen()) return false;
    std::uint8_t* f = shared_.data();
    PutHeader(f, address, kFnRead, reg);
    f[4] = static_cast<std::uint8_t>(count >> 8);
    f[5] = static_cast<std::uint8_t>(count & 0xFF);
    lastSent_ = {kFnRead, reg, count};
    return writeFrame(f, 6);
}

static void FillValueFrame(std::uint8_t* f, std::uint8_t address, std::uint16_t reg,
                           const std::uint8_t data[4]) {
    PutHeader(f, address, kFnWrite, reg);
    f[4] = 0;
    f[5] = 2;
    f[6] = 4;
    std::memcpy(f + 7, data, 4);
}

bool InstrumentLink::SendWriteValue(std::uint8_t address, std::uint16_t reg, std::uint32_t value) {
    if (!port_->isOpen()) return false;
    std::uint8_t data[4];
    WriteU32LE(data, value);
    std::uint8_t frame[13];
    FillValueFrame(frame, address, reg, data);
    lastSent_ = {kFnWrite, reg, 0};
    return writeFrame(frame, 11);
}

bool InstrumentLink::SendWriteBytes(std::uint8_t address, std::uint16_t reg, const std::uint8_t data[4]) {
    if (!port_->isOpen()) return false;
    FillValueFrame(shared_.data(), address, reg, data);
    lastSent_ = {kFnWrite, reg, 0};
    return writeFrame(shared_.data(), 11);
}

bool InstrumentLink::SendWriteValueShared(std::uint8_t address, std::uint16_t reg, std::uint32_t value) {
    std::uint8_t data[4];
    WriteU32LE(data, value);
    return SendWriteBytes(address, reg, data);
}

bool InstrumentLink::SendWriteBlock(std::uint8_t address, std::uint16_t reg, const std::uint8_t* data,
                                    int n) {
    // The frame must fit the shared buffer with its 9 bytes of framing.
    if (n < 0 || static_cast<std::size_t>(n) + 9 > kSharedBufferSize) return false;
    if (!port_->isOpen()) return false;
    std::uint8_t* f = shared_.data();
    PutHeader(f, address, kFnWrite, reg);
    f[4] = 0;
    f[5] = static_cast<std::uint8_t>(n / 2);
    f[6] = static_cast<std::uint8_t>(n);
    if (n > 0) std::memcpy(f + 7, data, static_cast<std::size_t>(n));
    lastSent_ = {kFnWrite, reg, 0};
    return writeFrame(f, static_cast<std::size_t>(n) + 7);
}

}  // namespace lxv
