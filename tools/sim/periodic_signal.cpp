// Sums of harmonics and the readings an analyser takes from them.
#include "sim/periodic_signal.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace lxv::sim {

namespace {
constexpr int kGrid = 4096;  // points per period for peak and rectified mean
}

PeriodicSignal PeriodicSignal::WithHarmonics(double totalRms, double fundamentalPhase,
                                             const std::vector<HarmonicShare>& harmonics) {
    PeriodicSignal s;
    double shareSquares = 1.0;
    for (const HarmonicShare& h : harmonics) shareSquares += (h.percent / 100.0) * (h.percent / 100.0);
    const double fundamental = totalRms / std::sqrt(shareSquares);
    s.rms[1] = fundamental;
    s.phase[1] = fundamentalPhase;
    for (const HarmonicShare& h : harmonics) {
        s.rms[h.order] = fundamental * h.percent / 100.0;
        // Each harmonic keeps its place against its own fundamental.
        s.phase[h.order] = h.order * fundamentalPhase;
    }
    return s;
}

PeriodicSignal PeriodicSignal::WithHarmonicRms(double fundamentalRms, double fundamentalPhase,
                                               const std::vector<HarmonicAmperes>& harmonics) {
    PeriodicSignal s;
    s.rms[1] = fundamentalRms;
    s.phase[1] = fundamentalPhase;
    for (const HarmonicAmperes& h : harmonics) {
        s.rms[h.order] = h.amperes;
        s.phase[h.order] = h.order * fundamentalPhase;
    }
    return s;
}

double PeriodicSignal::at(double theta) const {
    double v = 0.0;
    for (int k = 1; k <= kHighestOrder; ++k)
        if (rms[k] != 0.0) v += std::numbers::sqrt2 * rms[k] * std::sin(k * theta + phase[k]);
    return v + rms[0];
}

double PeriodicSignal::Rms() const {
    double sum = 0.0;
    for (double r : rms) sum += r * r;
    return std::sqrt(sum);
}

double PeriodicSignal::Peak() const {
    double peak = 0.0;
    for (int n = 0; n < kGrid; ++n) peak = std::max(peak, std::abs(at(2.0 * std::numbers::pi * n / kGrid)));
    return peak;
}

double PeriodicSignal::RectifiedMean() const {
    double sum = 0.0;
    for (int n = 0; n < kGrid; ++n) sum += std::abs(at(2.0 * std::numbers::pi * n / kGrid));
    return sum / kGrid;
}

double PeriodicSignal::FormFactor() const {
    const double mean = RectifiedMean();
    return mean > 0.0 ? Rms() / mean : 0.0;
}

double PeriodicSignal::Thd(bool relativeToRms) const {
    double harmonicSquares = 0.0;
    for (int k = 2; k <= kHighestOrder; ++k) harmonicSquares += rms[k] * rms[k];
    const double reference = relativeToRms ? Rms() : rms[1];
    return reference > 0.0 ? std::sqrt(harmonicSquares) / reference : 0.0;
}

void PeriodicSignal::Scale(double factor) {
    for (double& r : rms) r *= factor;
}

PeriodicSignal LoadCurrent(const LoadSettings& load, double fundamentalRms, double fundamentalPhase) {
    if (!load.currentHarmonicAmperes.empty())
        return PeriodicSignal::WithHarmonicRms(fundamentalRms, fundamentalPhase, load.currentHarmonicAmperes);
    PeriodicSignal s = PeriodicSignal::WithHarmonics(1.0, fundamentalPhase, load.currentHarmonics);
    s.Scale(fundamentalRms / s.rms[1]);
    return s;
}

double LoadFundamental(const LoadSettings& load) {
    double total = load.current * load.current;
    if (!load.currentHarmonicAmperes.empty()) {
        for (const HarmonicAmperes& h : load.currentHarmonicAmperes) total -= h.amperes * h.amperes;
        return std::sqrt(std::max(0.0, total));
    }
    return PeriodicSignal::WithHarmonics(load.current, 0.0, load.currentHarmonics).rms[1];
}

double ActivePower(const PeriodicSignal& u, const PeriodicSignal& i) {
    double p = u.rms[0] * i.rms[0];
    for (int k = 1; k <= kHighestOrder; ++k) p += u.rms[k] * i.rms[k] * std::cos(u.phase[k] - i.phase[k]);
    return p;
}

}  // namespace lxv::sim
