// The simulated measurement block obeys the physics it claims: power
// triangle, THD from its own spectrum, the configured phase in its samples.
#include "sim/measure_generator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "link/byte_order.h"
#include "sim/input_ranges.h"

namespace lxv::sim {
namespace {

MeasureRecord Block(LoadSettings load, const ReadingScale& scale = {}, std::uint64_t seed = 1) {
    MeasureGenerator g(std::move(load), seed);
    MeasureRecord r;
    g.Generate(r, scale, 0.0);
    return r;
}

double HarmonicThd(const MeasureRecord& r, Channel c, bool relativeToRms) {
    double squares = 0.0, all = 0.0;
    for (int k = 0; k <= 50; ++k) {
        const double a = r.Harmonic(c, k);
        all += a * a;
        if (k >= 2) squares += a * a;
    }
    return std::sqrt(squares) / (relativeToRms ? std::sqrt(all) : r.Harmonic(c, 1));
}

struct Load {
    double phase;
    const char* uHarmonics;
    const char* iHarmonics;
    double noise;
};

class Physics : public ::testing::TestWithParam<Load> {};

TEST_P(Physics, ReadingsSpectraAndSamplesAgree) {
    LoadSettings load;
    load.phase = GetParam().phase;
    load.noise = GetParam().noise;
    ASSERT_TRUE(ParseHarmonics(GetParam().uHarmonics, load.voltageHarmonics));
    ASSERT_TRUE(ParseHarmonics(GetParam().iHarmonics, load.currentHarmonics));
    const MeasureRecord r = Block(load);
    const double u = r.URMS(), i = r.IRMS(), p = r.WRMS(), s = r.PS(), q = r.PQ();
    EXPECT_NEAR(s, u * i, 1e-6 * s);
    EXPECT_NEAR(p, s * r.PF(), 1e-5 * s);
    EXPECT_NEAR(p * p + q * q, s * s, 1e-5 * s * s);
    EXPECT_GT(q * -load.phase, 0.0);  // a lagging current draws positive reactive power
    EXPECT_NEAR(r.VTHD(), HarmonicThd(r, Channel::Voltage, false), 1e-6);
    EXPECT_NEAR(r.ITHD(), HarmonicThd(r, Channel::Current, false), 1e-6);
    // RMS from the spectrum (peak amplitudes) and the panel value agree.
    double squares = 0.0;
    for (int k = 0; k <= 50; ++k) squares += r.UHarmonic(k) * r.UHarmonic(k) / 2.0;
    EXPECT_NEAR(std::sqrt(squares), u, 1e-4 * u);
    double amplitudes = 0.0;
    for (int k = 1; k <= 50; ++k) amplitudes += r.UHarmonic(k);
    EXPECT_GE(r.UPP(), r.UHarmonic(1) * 0.9);
    EXPECT_LE(r.UPP(), amplitudes * 1.0001);
    const double tol = load.noise == 0.0 ? 0.05 : 1.0;
    EXPECT_NEAR(r.URMS(), 230.0, 230.0 * 4 * load.noise + 1e-3);
    EXPECT_NEAR(r.IPA(), load.phase, 50.0 * 5 * load.noise + 1e-4);
    EXPECT_NEAR(FundamentalPhase(r, Channel::Current), r.IPA(), tol);
    EXPECT_NEAR(FundamentalPhase(r, Channel::Voltage), 0.0, tol);
    // Codes stay well inside the converter around the zero level.
    for (int k = 0; k < kSampleCount; ++k) {
        for (Channel c : {Channel::Voltage, Channel::Current}) {
            EXPECT_GE(r.Sample(c, k), 200);
            EXPECT_LE(r.Sample(c, k), 3900);
        }
    }
    EXPECT_EQ(r.UZero(), 2047);
    EXPECT_EQ(r.IZero(), 2047);
    EXPECT_EQ(r.SampleCount(), 512);
}

std::string LoadName(const ::testing::TestParamInfo<Load>& info) {
    static const char* const kNames[] = {"Lagging", "StronglyLagging", "Leading", "Noisy"};
    return kNames[info.index % 4];
}

// Printed in test listings instead of the raw bytes of the load.
void PrintTo(const Load& load, std::ostream* os) {
    *os << "phase " << load.phase;
}

INSTANTIATE_TEST_SUITE_P(Loads, Physics,
                         ::testing::Values(Load{-30.0, "3:2,5:1.5,7:0.8", "3:15,5:8,7:4,9:2,11:1", 0.0},
                                           Load{-60.0, "", "3:30,5:20", 0.0},
                                           Load{25.0, "3:5,5:3,7:1", "3:5,5:3,7:1", 0.0},
                                           Load{-30.0, "3:2", "3:15", 0.002}),
                         LoadName);

TEST(MeasureGenerator, HarmonicsArePercentOfTheFundamental) {
    LoadSettings load;
    load.noise = 0.0;
    ASSERT_TRUE(ParseHarmonics("3:5,5:3,7:1", load.voltageHarmonics));
    const MeasureRecord r = Block(load);
    EXPECT_NEAR(r.UHarmonic(3) / r.UHarmonic(1), 0.05, 1e-6);
    EXPECT_NEAR(r.UHarmonic(5) / r.UHarmonic(1), 0.03, 1e-6);
    EXPECT_EQ(r.UHarmonic(2), 0.0f);
    EXPECT_NEAR(r.VTHD(), std::sqrt(0.05 * 0.05 + 0.03 * 0.03 + 0.01 * 0.01), 1e-6);
    EXPECT_NEAR(r.UF(), 50.0, 1e-9);
    // A flat-topped voltage has a smaller form factor than a pure sine's pi / (2 sqrt 2).
    load.voltageHarmonics.clear();
    EXPECT_NEAR(Block(load).VKF(), 1.11072, 1e-4);
    EXPECT_LT(r.VKF(), 1.1107);
    EXPECT_NEAR(Block(load).UPP(), 230.0 * std::sqrt(2.0), 1e-3);
}

TEST(MeasureGenerator, TransformerRatiosScaleReadingsButNotSamples) {
    LoadSettings load;
    load.noise = 0.0;
    const MeasureRecord plain = Block(load);
    ReadingScale scale;
    scale.vtRatio = 100.0;
    scale.ctRatio = 5.0;
    scale.thdRelativeToRms = true;
    const MeasureRecord scaled = Block(load, scale);
    EXPECT_NEAR(scaled.URMS(), plain.URMS() * 100.0, 1e-3);
    EXPECT_NEAR(scaled.IRMS(), plain.IRMS() * 5.0, 1e-4);
    EXPECT_NEAR(scaled.WRMS(), plain.WRMS() * 500.0, 1.0);
    EXPECT_NEAR(scaled.IHarmonic(3), plain.IHarmonic(3) * 5.0, 1e-4);
    EXPECT_FLOAT_EQ(scaled.PF(), plain.PF());
    EXPECT_EQ(std::memcmp(scaled.data() + off::USamples, plain.data() + off::USamples, 2048), 0);
    EXPECT_NEAR(scaled.ITHD(), HarmonicThd(scaled, Channel::Current, true), 1e-6);
    EXPECT_LT(scaled.ITHD(), plain.ITHD());
}

TEST(MeasureGenerator, EnergyIntegratesPowerOverTime) {
    LoadSettings load;
    load.noise = 0.0;
    MeasureGenerator g(load, 1);
    MeasureRecord r;
    g.Generate(r, {}, 0.0);
    EXPECT_EQ(r.KWH(), 0.0f);
    g.Generate(r, {}, 1800.0);
    g.Generate(r, {}, 3600.0);
    EXPECT_NEAR(r.KWH(), r.WRMS() / 1000.0, 1e-6);  // one hour at P watts
}

TEST(MeasureGenerator, SeedRepeatsTheNoiseAndALockedRangeClips) {
    LoadSettings load;
    EXPECT_EQ(Block(load, {}, 5).bytes(), Block(load, {}, 5).bytes());
    EXPECT_NE(Block(load, {}, 5).bytes(), Block(load, {}, 6).bytes());
    ReadingScale locked;
    locked.lockedCurrentRange = 1;  // 0.5 A range with 5 A flowing
    const MeasureRecord r = Block(load, locked);
    int clipped = 0;
    for (int k = 0; k < kSampleCount; ++k) clipped += r.ISamples(k) == 0 || r.ISamples(k) == 4095;
    EXPECT_GT(clipped, 100);
    EXPECT_NEAR(r.IRMS(), 5.0, 0.1);  // the reading itself is not clipped
}

}  // namespace
}  // namespace lxv::sim
