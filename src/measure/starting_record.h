// The starting-test capture: 10,248 bytes, exactly the six 1708-byte chunks
// joined in order, read in place, least significant byte first, by field name.
// The one definition of this wire layout, shared by the program and the
// simulator.
//
// Owns: the capture layout, its start values, the samples the chart uses.
// Depends on: link/byte_order.h, link/registers.h and the standard library. No Qt.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "link/byte_order.h"
#include "link/registers.h"
#include "core/measure_block.h"

namespace lxv {

inline constexpr int kCaptureSamples = 2560;  // per channel
inline constexpr int kFirstUsedSample = 8;    // samples 0..7 are never shown
inline constexpr int kLastUsedSample = 2558;  // sample 2559 is never shown
inline constexpr std::uint16_t kCaptureStartCode = 2047;

// Byte offsets of the capture's fields.
namespace start_off {
inline constexpr std::size_t UScale = 0, IScale = 4, UCapture = 8, ICapture = 5128;
}

class StartingRecord {
  public:
    StartingRecord() = default;

    std::uint8_t* data() { return bytes_.data(); }
    const std::uint8_t* data() const { return bytes_.data(); }
    static constexpr std::size_t size() { return kStartingRecordSize; }
    std::array<std::uint8_t, kStartingRecordSize>& bytes() { return bytes_; }
    const std::array<std::uint8_t, kStartingRecordSize>& bytes() const { return bytes_; }
    // The 1708 bytes of chunk k (1..6).
    const std::uint8_t* chunk(int k) const {
        return bytes_.data() + static_cast<std::size_t>(k - 1) * kChunkSize;
    }

    float UScale() const { return ReadF32LE(bytes_.data() + start_off::UScale); }  // volts per code
    float IScale() const { return ReadF32LE(bytes_.data() + start_off::IScale); }  // amperes per code
    float Scale(Channel c) const { return c == Channel::Voltage ? UScale() : IScale(); }
    std::uint16_t UCapture(int k) const {
        return ReadU16LE(bytes_.data() + SampleOffset(start_off::UCapture, k));
    }
    std::uint16_t ICapture(int k) const {
        return ReadU16LE(bytes_.data() + SampleOffset(start_off::ICapture, k));
    }
    std::uint16_t Capture(Channel c, int k) const {
        return c == Channel::Voltage ? UCapture(k) : ICapture(k);
    }

    void setUScale(float v) { WriteF32LE(bytes_.data() + start_off::UScale, v); }
    void setIScale(float v) { WriteF32LE(bytes_.data() + start_off::IScale, v); }
    void setUCapture(int k, std::uint16_t v) {
        WriteU16LE(bytes_.data() + SampleOffset(start_off::UCapture, k), v);
    }
    void setICapture(int k, std::uint16_t v) {
        WriteU16LE(bytes_.data() + SampleOffset(start_off::ICapture, k), v);
    }
    void setCapture(Channel c, int k, std::uint16_t v) {
        c == Channel::Voltage ? setUCapture(k, v) : setICapture(k, v);
    }

  private:
    static std::size_t SampleOffset(std::size_t base, int k) {
        return base + 2 * static_cast<std::size_t>(k);
    }

    std::array<std::uint8_t, kStartingRecordSize> bytes_{};
};

// Start values: both scales 1.0 and every sample 2047.
void ResetStartingRecord(StartingRecord& record);

}  // namespace lxv
