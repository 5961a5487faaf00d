// The capture that the simulated instrument takes when its Starting switch is
// pressed: a motor start on the configured load, 10,248 bytes in six chunks.
#pragma once

#include <cstdint>
#include <random>

#include "measure/starting_record.h"
#include "sim/settings_block.h"
#include "sim/sim_options.h"

namespace lxv::sim {

using StartingCapture = StartingRecord;

inline constexpr int kCaptureSamplesPerPeriod = 32;
inline constexpr int kCapturePreTrigger = 256;  // samples before the motor is switched on
inline constexpr double kInrushFactor = 6.0;    // first current peak against the running current
inline constexpr double kInrushSeconds = 0.2;   // time constant of the inrush's decay
inline constexpr double kVoltageDip = 0.08;     // voltage drop at the inrush's height, as a fraction

// Range code = current-range index x 16 + voltage-range index, as the start
// request carries it; index 0 is the largest range of each channel.
StartingCapture MakeStartingCapture(const LoadSettings& load, int rangeCode, const ReadingScale& scale,
                                    std::mt19937_64& rng);

}  // namespace lxv::sim
