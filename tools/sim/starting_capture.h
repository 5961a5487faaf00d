// The capture that the simulated instrument takes when its Starting switch is
// pressed: a motor start on the configured load, 10,248 bytes in six chunks.
#pragma once

#include <array>
#include <cstdint>
#include <random>

#include "link/registers.h"
#include "sim/settings_block.h"
#include "sim/sim_options.h"

namespace lxv::sim {

using StartingCapture = std::array<std::uint8_t, kStartingRecordSize>;

inline constexpr int kCaptureSamples = 2560;
inline constexpr int kCaptureSamplesPerPeriod = 32;
inline constexpr int kCapturePreTrigger = 256;  // samples before the motor is switched on
inline constexpr double kInrushFactor = 6.0;    // first current peak against the running current
inline constexpr double kInrushSeconds = 0.2;   // time constant of the inrush's decay
inline constexpr double kVoltageDip = 0.08;     // voltage drop at the inrush's height, as a fraction

// Range code = current-range index x 16 + voltage-range index, as the start
// request carries it; index 0 is the largest range of each channel.
StartingCapture MakeStartingCapture(const LoadSettings& load, int rangeCode, const ReadingScale& scale,
                                    std::mt19937_64& rng);

// The 1708 bytes of chunk k (1..6).
const std::uint8_t* ChunkOf(const StartingCapture& capture, int k);

}  // namespace lxv::sim
