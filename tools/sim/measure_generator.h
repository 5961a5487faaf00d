// Builds the measurement block that the simulated instrument sends: samples,
// readings and spectra all taken from one model of the configured load.
#pragma once

#include <cstdint>
#include <random>

#include "core/measure_block.h"
#include "sim/periodic_signal.h"
#include "sim/settings_block.h"
#include "sim/sim_options.h"

namespace lxv::sim {

class MeasureGenerator {
  public:
    MeasureGenerator(LoadSettings load, std::uint64_t seed);

    // The block at `seconds` on the simulator's clock (0 = start). The energy
    // grows by the active power times the time since the previous block.
    void Generate(MeasureRecord& out, const ReadingScale& scale, double seconds);

    const LoadSettings& load() const { return load_; }
    double energyKwh() const { return energyKwh_; }

    // The voltage and current of one instant of the load, noise included,
    // at the instrument's input (no transformer ratio applied).
    struct Signals {
        PeriodicSignal voltage;
        PeriodicSignal current;
        double frequency = 50.0;
    };
    Signals Draw();

  private:
    double Gauss() { return normal_(rng_); }

    LoadSettings load_;
    std::mt19937_64 rng_;
    std::normal_distribution<double> normal_{0.0, 1.0};
    double energyKwh_ = 0.0;
    double lastSeconds_ = 0.0;
};

}  // namespace lxv::sim
