// The simulated instrument's input ranges and its 12-bit converter: how a
// volt or an ampere at the input becomes a code around the zero level.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace lxv::sim {

inline constexpr std::uint16_t kZeroCode = 2047;
// A signal at the peak of its range (range RMS x sqrt 2) is this many codes
// from the zero level, so in-range peaks stay between 247 and 3847.
inline constexpr double kFullScaleCodes = 1800.0;

// RMS full scale of the voltage ranges by their index in the starting test
// (0 = "300V" ... 3 = "25V").
inline constexpr double kVoltageRanges[4] = {300.0, 150.0, 75.0, 25.0};
// RMS full scale of current ranges 1 ("小電流") to 4 ("大電流").
inline constexpr double kCurrentRanges[4] = {0.5, 2.0, 10.0, 50.0};

inline double UnitsPerCode(double rangeRms) {
    return rangeRms * std::sqrt(2.0) / kFullScaleCodes;
}

// The smallest range that holds `peak`; above the largest range the converter
// is scaled to the peak, as an instrument with an external divider would be.
inline double AutoVoltsPerCode(double peak) {
    for (int i = 3; i >= 0; --i)
        if (peak <= kVoltageRanges[i] * std::sqrt(2.0)) return UnitsPerCode(kVoltageRanges[i]);
    return peak / kFullScaleCodes;
}
inline double AutoAmperesPerCode(double peak) {
    for (double range : kCurrentRanges)
        if (peak <= range * std::sqrt(2.0)) return UnitsPerCode(range);
    return peak / kFullScaleCodes;
}

// A converter code; values beyond the converter clip at 0 and 4095.
inline std::uint16_t ToCode(double value, double unitsPerCode, double noiseCodes) {
    const double code = std::nearbyint(kZeroCode + value / unitsPerCode + noiseCodes);
    return static_cast<std::uint16_t>(std::clamp(code, 0.0, 4095.0));
}

}  // namespace lxv::sim
