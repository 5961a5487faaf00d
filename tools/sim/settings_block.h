// The instrument's 19-byte settings block (register SETUP) as the simulated
// instrument stores it, and the fields of it that change its readings.
#pragma once

#include <array>
#include <cstdint>

#include "link/registers.h"

namespace lxv::sim {

using SettingsBytes = std::array<std::uint8_t, kSettingsBlockSize>;

// Byte offsets inside the block, multi-byte fields least significant byte first.
namespace setup_off {
inline constexpr std::size_t AngleTime = 0, CtRatio = 4, VtRatio = 8, Bandwidth = 12, ThdAlgorithm = 13,
                             FilterCoefficient = 14, FilterOff = 15, RangeLocked = 16, Reserved = 17,
                             CurrentRange = 18;
}

// What the stored settings mean for the readings.
struct ReadingScale {
    double vtRatio = 1.0;  // reported volts = input volts x ratio
    double ctRatio = 1.0;  // reported amperes = input amperes x ratio
    bool thdRelativeToRms = false;
    int lockedCurrentRange = 0;  // 1..4 when the range is locked, 0 for automatic
};

// The block an instrument leaves the factory with: no transformers, narrowband,
// THD relative to the fundamental, filter coefficient 10 and off, automatic
// range 4; the reserved byte holds 3.
SettingsBytes FactorySettings();

// A ratio that is not a positive finite number is ignored (taken as 1), as the
// instrument would rather show input values than zeros or infinities.
ReadingScale ReadingScaleOf(const SettingsBytes& settings);

}  // namespace lxv::sim
