#include "core/measure_block.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <numbers>

namespace lxv {

bool IsNaNBits(float value) {
    const std::uint32_t bits = std::bit_cast<std::uint32_t>(value);
    return (bits & 0x7F800000u) == 0x7F800000u && (bits & 0x007FFFFFu) != 0;
}

void ResetMeasurement(MeasureRecord& r) {
    std::memset(r.data(), 0, kBlockSize);
    r.setAux1(1.0f);
    r.setAux2(1.0f);
    r.setSampleCount(512);
    for (int k = 0; k < kSampleCount; ++k) {
        r.setUSample(k, 2047);
        r.setISample(k, 2047);
    }
    r.setUZero(2047);
    r.setIZero(2047);
}

void AcceptMeasureBlock(MeasureRecord& r, const std::uint8_t* block) {
    std::memcpy(r.data(), block, kBlockSize);
    for (int i = 0; i < kScalarCount; ++i) {
        const auto s = static_cast<Scalar>(i);
        if (IsNaNBits(r.scalar(s))) r.setScalar(s, 0.0f);
    }
    if (IsNaNBits(r.Aux1())) r.setAux1(1.0f);
    if (IsNaNBits(r.Aux2())) r.setAux2(1.0f);
    if (r.SampleCount() == 0) r.setSampleCount(512);
}

float FundamentalPhase(const std::uint16_t* s) {
    constexpr int N = 128;
    double re = 0.0, im = 0.0;
    for (int n = 0; n < N; ++n) {
        const double a = 2.0 * std::numbers::pi * n / N;
        re += s[n] * std::cos(a);
        im -= s[n] * std::sin(a);
    }
    re /= N;
    im /= N;
    if (im == 0.0) return 0.0f;
    return static_cast<float>(std::atan2(im, re) * 57.29578 + 90.0);
}

float FundamentalPhase(const MeasureRecord& r, Channel c) {
    std::uint16_t s[128];
    for (int n = 0; n < 128; ++n) s[n] = r.Sample(c, n);
    return FundamentalPhase(s);
}

}  // namespace lxv
