// A periodic signal as a sum of harmonics: the one model from which the
// simulator takes both its samples and its computed readings, so the two agree.
#pragma once

#include <array>
#include <vector>

#include "sim/sim_options.h"

namespace lxv::sim {

inline constexpr int kHighestOrder = 50;

class PeriodicSignal {
  public:
    // rms[k] and phase[k] (radians) of the term sqrt(2) rms[k] sin(k theta + phase[k]).
    std::array<double, kHighestOrder + 1> rms{};
    std::array<double, kHighestOrder + 1> phase{};

    // A fundamental whose total RMS, with the given harmonics, is `totalRms`.
    static PeriodicSignal WithHarmonics(double totalRms, double fundamentalPhase,
                                        const std::vector<HarmonicShare>& harmonics);

    // A fundamental of `fundamentalRms` with harmonics given in RMS amperes
    // (or volts): each keeps its place against the fundamental, as above.
    static PeriodicSignal WithHarmonicRms(double fundamentalRms, double fundamentalPhase,
                                          const std::vector<HarmonicAmperes>& harmonics);

    // Instantaneous value at angle theta (radians of the fundamental).
    double at(double theta) const;
    double Rms() const;
    double Peak() const;           // largest |value| over one period
    double RectifiedMean() const;  // mean |value| over one period
    double FormFactor() const;     // RMS / rectified mean
    // THD as a fraction: harmonic RMS over the fundamental (%F) or over the RMS (%R).
    double Thd(bool relativeToRms) const;
    void Scale(double factor);
};

// The current of `load` around a fundamental of `fundamentalRms` at
// `fundamentalPhase` (radians): its harmonics in amperes when given so, else
// in percent of that fundamental.
PeriodicSignal LoadCurrent(const LoadSettings& load, double fundamentalRms, double fundamentalPhase);
// The fundamental RMS that makes the total RMS of the load's current `load.current`
// (0 when harmonics given in amperes alone reach it).
double LoadFundamental(const LoadSettings& load);

// Mean of u x i over one period: the active power of the two signals.
double ActivePower(const PeriodicSignal& u, const PeriodicSignal& i);

}  // namespace lxv::sim
