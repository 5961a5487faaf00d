// The measurement block of the simulated instrument.
#include "sim/measure_generator.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "sim/input_ranges.h"

namespace lxv::sim {

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;
constexpr int kSamplesPerPeriod = 128;

// Angle in degrees folded into (-180, 180].
double FoldDegrees(double a) {
    a = std::fmod(a, 360.0);
    if (a <= -180.0) a += 360.0;
    if (a > 180.0) a -= 360.0;
    return a;
}

}  // namespace

MeasureGenerator::MeasureGenerator(LoadSettings load, std::uint64_t seed)
    : load_(std::move(load)), rng_(seed) {}

MeasureGenerator::Signals MeasureGenerator::Draw() {
    const double n = load_.noise;
    Signals s;
    const double phase = load_.phase + n * 50.0 * Gauss();
    s.voltage =
        PeriodicSignal::WithHarmonics(load_.voltage * (1.0 + n * Gauss()), 0.0, load_.voltageHarmonics);
    const double spread = 1.0 + n * Gauss();
    if (load_.currentHarmonicAmperes.empty()) {
        s.current =
            PeriodicSignal::WithHarmonics(load_.current * spread, phase * kDegree, load_.currentHarmonics);
    } else {
        s.current = LoadCurrent(load_, LoadFundamental(load_), phase * kDegree);
        s.current.Scale(spread);
    }
    s.frequency = load_.frequency + n * 10.0 * Gauss();
    return s;
}

void MeasureGenerator::Generate(MeasureRecord& out, const ReadingScale& scale, double seconds) {
    Signals s = Draw();
    const PeriodicSignal& u = s.voltage;
    PeriodicSignal& i = s.current;
    if (load_.power >= 0.0) {
        // An instrument measures active power more precisely than its parts: the model's power at
        // this time, spread by a quarter of the noise and never beyond three standard deviations.
        const double spread = std::clamp(Gauss(), -3.0, 3.0) * load_.noise / 4.0;
        const double target = ModelPower(load_, seconds) * (1.0 + spread);
        const double drawn = ActivePower(u, i);
        if (drawn > 0.0) i.Scale(target / drawn);
    }

    // Samples: the input signals through the converter, four periods of 128.
    const double voltsPerCode = AutoVoltsPerCode(u.Peak());
    const double amperesPerCode = scale.lockedCurrentRange > 0
                                      ? UnitsPerCode(kCurrentRanges[scale.lockedCurrentRange - 1])
                                      : AutoAmperesPerCode(i.Peak());
    const double codeNoise = load_.noise * 500.0;
    for (int k = 0; k < kSampleCount; ++k) {
        const double theta = 2.0 * std::numbers::pi * k / kSamplesPerPeriod;
        out.setUSample(k, ToCode(u.at(theta), voltsPerCode, codeNoise * Gauss()));
        out.setISample(k, ToCode(i.at(theta), amperesPerCode, codeNoise * Gauss()));
    }
    out.setUZero(kZeroCode);
    out.setIZero(kZeroCode);
    out.setSampleCount(kSampleCount);

    // Readings: primary-side values through the transformer ratios.
    const double vt = scale.vtRatio, ct = scale.ctRatio;
    const double urms = u.Rms() * vt, irms = i.Rms() * ct;
    const double p = ActivePower(u, i) * vt * ct;
    const double sApparent = urms * irms;
    // Everything that is not active power counts as reactive (S^2 = P^2 + Q^2),
    // signed by the fundamental: positive while the current lags.
    const double q = std::copysign(std::sqrt(std::max(0.0, sApparent * sApparent - p * p)),
                                   std::sin(u.phase[1] - i.phase[1]));
    energyKwh_ += p * std::max(0.0, seconds - lastSeconds_) / 3.6e6;
    lastSeconds_ = std::max(lastSeconds_, seconds);

    out.setScalar(Scalar::URMS, static_cast<float>(urms));
    out.setScalar(Scalar::UPP, static_cast<float>(u.Peak() * vt));
    out.setScalar(Scalar::UF, static_cast<float>(s.frequency));
    out.setScalar(Scalar::IRMS, static_cast<float>(irms));
    out.setScalar(Scalar::IPP, static_cast<float>(i.Peak() * ct));
    out.setScalar(Scalar::IPA, static_cast<float>(FoldDegrees((i.phase[1] - u.phase[1]) / kDegree)));
    out.setScalar(Scalar::PF, static_cast<float>(sApparent > 0.0 ? p / sApparent : 0.0));
    out.setScalar(Scalar::WRMS, static_cast<float>(p));
    out.setScalar(Scalar::PS, static_cast<float>(sApparent));
    out.setScalar(Scalar::PQ, static_cast<float>(q));
    out.setScalar(Scalar::VTHD, static_cast<float>(u.Thd(scale.thdRelativeToRms)));
    out.setScalar(Scalar::ITHD, static_cast<float>(i.Thd(scale.thdRelativeToRms)));
    out.setScalar(Scalar::VKF, static_cast<float>(u.FormFactor()));
    out.setScalar(Scalar::IKF, static_cast<float>(i.FormFactor()));
    out.setScalar(Scalar::KWH, static_cast<float>(energyKwh_));
    for (int k = 0; k <= kHighestOrder; ++k) {
        out.setUHarmonic(k, static_cast<float>(std::numbers::sqrt2 * u.rms[k] * vt));
        out.setIHarmonic(k, static_cast<float>(std::numbers::sqrt2 * i.rms[k] * ct));
    }
    out.setAux1(1.0f);
    out.setAux2(1.0f);
}

}  // namespace lxv::sim
