// A motor start as the starting test sees it: idle, then an inrush current
// that decays to the running current while the supply voltage dips and recovers.
#include "sim/starting_capture.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "sim/input_ranges.h"
#include "sim/periodic_signal.h"

namespace lxv::sim {

namespace {
constexpr double kDegree = std::numbers::pi / 180.0;
constexpr double kLockedRotorPhase = -75.0;  // a stalled motor draws a strongly lagging current
}  // namespace

StartingCapture MakeStartingCapture(const LoadSettings& load, int rangeCode, const ReadingScale& scale,
                                    std::mt19937_64& rng) {
    const int voltageIndex = std::clamp(rangeCode & 0x0F, 0, 3);
    const int currentIndex = std::clamp(rangeCode >> 4, 0, 3);
    const double voltsPerCode = UnitsPerCode(kVoltageRanges[voltageIndex]);
    const double amperesPerCode = UnitsPerCode(kCurrentRanges[3 - currentIndex]);
    std::normal_distribution<double> gauss(0.0, 1.0);
    const double codeNoise = load.noise * 500.0;

    const PeriodicSignal supply = PeriodicSignal::WithHarmonics(load.voltage, 0.0, load.voltageHarmonics);
    const double iRun = load.current * std::numbers::sqrt2;
    const double period = 1.0 / load.frequency;

    StartingCapture c{};
    c.setUScale(static_cast<float>(voltsPerCode * scale.vtRatio));
    c.setIScale(static_cast<float>(amperesPerCode * scale.ctRatio));
    for (int n = 0; n < kCaptureSamples; ++n) {
        const double theta = 2.0 * std::numbers::pi * n / kCaptureSamplesPerPeriod;
        double current = 0.0;
        double supplyShare = 1.0;
        if (n >= kCapturePreTrigger) {
            const double t = (n - kCapturePreTrigger) * period / kCaptureSamplesPerPeriod;
            const double decay = std::exp(-t / kInrushSeconds);
            const double envelope = iRun * (1.0 + (kInrushFactor - 1.0) * decay);
            const double phase = load.phase + (kLockedRotorPhase - load.phase) * decay;
            current = envelope * std::sin(theta + phase * kDegree);
            supplyShare =
                1.0 - kVoltageDip * decay - 0.01;  // the running motor still loads the line a little
        }
        c.setUCapture(n, ToCode(supply.at(theta) * supplyShare, voltsPerCode, codeNoise * gauss(rng)));
        c.setICapture(n, ToCode(current, amperesPerCode, codeNoise * gauss(rng)));
    }
    return c;
}

}  // namespace lxv::sim
