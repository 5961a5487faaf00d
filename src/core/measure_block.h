// Measurement data: the 2530-byte measurement block inside the 8052-byte
// measurement record, read in place, little-endian, by field name.
//
// Owns: the block layout (a wire and a file format), the start values, the
// receipt rules of a received block, the fundamental phase of a channel.
// Depends on: link/byte_order.h and the standard library. No Qt.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "link/byte_order.h"

namespace lxv {

inline constexpr std::size_t kBlockSize = 2530;
inline constexpr std::size_t kRecordSize = 8052;
inline constexpr int kHarmonicCount = 51;  // orders 0..50
inline constexpr int kSampleCount = 512;   // samples per channel

// Byte offsets of the block's fields.
namespace off {
inline constexpr std::size_t URMS = 0, UPP = 4, UF = 8, IRMS = 12, IPP = 16, IPA = 20, PF = 24, WRMS = 28,
                             PS = 32, PQ = 36, VTHD = 40, ITHD = 44, VKF = 48, IKF = 52, KWH = 56,
                             UHarmonic = 60, IHarmonic = 264, Aux1 = 468, Aux2 = 472, SampleCount = 476,
                             USamples = 478, ISamples = 1502, UZero = 2526, IZero = 2528;
}

// The fifteen scalars, in block order (offset = 4 x index).
enum class Scalar { URMS, UPP, UF, IRMS, IPP, IPA, PF, WRMS, PS, PQ, VTHD, ITHD, VKF, IKF, KWH };
inline constexpr int kScalarCount = 15;

enum class Channel { Voltage, Current };

class MeasureRecord {
  public:
    MeasureRecord() = default;

    std::uint8_t* data() { return bytes_.data(); }
    const std::uint8_t* data() const { return bytes_.data(); }
    std::array<std::uint8_t, kRecordSize>& bytes() { return bytes_; }
    const std::array<std::uint8_t, kRecordSize>& bytes() const { return bytes_; }

    float scalar(Scalar s) const { return f32(static_cast<std::size_t>(s) * 4); }
    void setScalar(Scalar s, float v) { setF32(static_cast<std::size_t>(s) * 4, v); }

    float URMS() const { return f32(off::URMS); }
    float UPP() const { return f32(off::UPP); }
    float UF() const { return f32(off::UF); }
    float IRMS() const { return f32(off::IRMS); }
    float IPP() const { return f32(off::IPP); }
    float IPA() const { return f32(off::IPA); }
    float PF() const { return f32(off::PF); }
    float WRMS() const { return f32(off::WRMS); }
    float PS() const { return f32(off::PS); }
    float PQ() const { return f32(off::PQ); }
    float VTHD() const { return f32(off::VTHD); }
    float ITHD() const { return f32(off::ITHD); }
    float VKF() const { return f32(off::VKF); }
    float IKF() const { return f32(off::IKF); }
    float KWH() const { return f32(off::KWH); }
    float UHarmonic(int order) const { return f32(off::UHarmonic + 4 * static_cast<std::size_t>(order)); }
    float IHarmonic(int order) const { return f32(off::IHarmonic + 4 * static_cast<std::size_t>(order)); }
    float Harmonic(Channel c, int order) const {
        return c == Channel::Voltage ? UHarmonic(order) : IHarmonic(order);
    }
    float Aux1() const { return f32(off::Aux1); }
    float Aux2() const { return f32(off::Aux2); }
    std::int16_t SampleCount() const { return ReadI16LE(bytes_.data() + off::SampleCount); }
    std::uint16_t USamples(int k) const { return u16(off::USamples + 2 * static_cast<std::size_t>(k)); }
    std::uint16_t ISamples(int k) const { return u16(off::ISamples + 2 * static_cast<std::size_t>(k)); }
    std::uint16_t Sample(Channel c, int k) const { return c == Channel::Voltage ? USamples(k) : ISamples(k); }
    std::uint16_t UZero() const { return u16(off::UZero); }
    std::uint16_t IZero() const { return u16(off::IZero); }
    std::uint16_t Zero(Channel c) const { return c == Channel::Voltage ? UZero() : IZero(); }

    void setUHarmonic(int order, float v) { setF32(off::UHarmonic + 4 * static_cast<std::size_t>(order), v); }
    void setIHarmonic(int order, float v) { setF32(off::IHarmonic + 4 * static_cast<std::size_t>(order), v); }
    void setAux1(float v) { setF32(off::Aux1, v); }
    void setAux2(float v) { setF32(off::Aux2, v); }
    void setSampleCount(std::int16_t v) {
        WriteU16LE(bytes_.data() + off::SampleCount, static_cast<std::uint16_t>(v));
    }
    void setUSample(int k, std::uint16_t v) { setU16(off::USamples + 2 * static_cast<std::size_t>(k), v); }
    void setISample(int k, std::uint16_t v) { setU16(off::ISamples + 2 * static_cast<std::size_t>(k), v); }
    void setUZero(std::uint16_t v) { setU16(off::UZero, v); }
    void setIZero(std::uint16_t v) { setU16(off::IZero, v); }

    float f32(std::size_t offset) const { return ReadF32LE(bytes_.data() + offset); }
    void setF32(std::size_t offset, float v) { WriteF32LE(bytes_.data() + offset, v); }
    std::uint16_t u16(std::size_t offset) const { return ReadU16LE(bytes_.data() + offset); }
    void setU16(std::size_t offset, std::uint16_t v) { WriteU16LE(bytes_.data() + offset, v); }

  private:
    std::array<std::uint8_t, kRecordSize> bytes_{};  // block, then the reserved tail
};

// Start values: scalars and harmonics 0, Aux 1.0, 512 samples of 2047, zeros 2047.
// The reserved tail is left as it is.
void ResetMeasurement(MeasureRecord& record);

// Copies the 2530 block bytes over the record's block and applies the receipt
// rules: NaN scalars become 0, NaN Aux1/Aux2 become 1.0, SampleCount 0 becomes 512.
void AcceptMeasureBlock(MeasureRecord& record, const std::uint8_t* block);

// True for a NaN: exponent all ones and a non-zero mantissa (infinities are not NaNs).
bool IsNaNBits(float value);

// Phase of the fundamental over the first 128 raw samples, in degrees (-90..270);
// 0 when the imaginary part is exactly 0.
float FundamentalPhase(const MeasureRecord& record, Channel channel);
float FundamentalPhase(const std::uint16_t* samples128);

}  // namespace lxv
