// The simulator's load options: current harmonics in RMS amperes, --power,
// the percentages of --harmonics as before, and the combinations refused;
// the two demo products pass and fail class D through the program's rules.
#include "sim/sim_options.h"

#include <gtest/gtest.h>

#include <cmath>

#include "measure/harmonic_test.h"
#include "sim/measure_generator.h"

namespace lxv::sim {
namespace {

constexpr double kSqrt2 = 1.4142135623730951;

ParseResult Parse(std::vector<std::string> args) {
    args.push_back("--noise");
    args.push_back("0");
    return ParseOptions(args);
}

MeasureRecord Block(const LoadSettings& load) {
    MeasureGenerator generator(load, 1);
    MeasureRecord r;
    generator.Generate(r, {}, 0.0);
    return r;
}

double Rms(const MeasureRecord& r, int order) {
    return r.IHarmonic(order) / kSqrt2;
}

TEST(SimOptions, CurrentHarmonicsInAmperesAndPercentagesForBothChannels) {
    const ParseResult amperes = Parse({"--harmonic-amperes", "3:1.9,5:1.3"});
    ASSERT_EQ(amperes.error, "");
    const MeasureRecord a = Block(amperes.options.load);
    EXPECT_NEAR(Rms(a, 3), 1.9, 1e-5);
    EXPECT_NEAR(Rms(a, 5), 1.3, 1e-5);
    EXPECT_EQ(a.IHarmonic(7), 0.0f);   // the percentages of the current are replaced
    EXPECT_NEAR(a.IRMS(), 5.0, 1e-4);  // the fundamental makes up the rest of --current
    EXPECT_NEAR(Rms(a, 1), std::sqrt(25.0 - 1.9 * 1.9 - 1.3 * 1.3), 1e-5);
    EXPECT_NEAR(a.UHarmonic(3) / a.UHarmonic(1), 0.02, 1e-6);  // the voltage keeps its own

    // --harmonics still means percent of the fundamental, on both channels.
    const ParseResult percent = Parse({"--harmonics", "3:5"});
    ASSERT_EQ(percent.error, "");
    const MeasureRecord p = Block(percent.options.load);
    EXPECT_NEAR(p.IHarmonic(3) / p.IHarmonic(1), 0.05, 1e-6);
    EXPECT_NEAR(p.UHarmonic(3) / p.UHarmonic(1), 0.05, 1e-6);
    // Amperes replace the current's percentages whichever comes first.
    const ParseResult both = Parse({"--harmonic-amperes", "3:0.5", "--harmonics", "3:5"});
    const MeasureRecord b = Block(both.options.load);
    EXPECT_NEAR(Rms(b, 3), 0.5, 1e-5);
    EXPECT_NEAR(b.UHarmonic(3) / b.UHarmonic(1), 0.05, 1e-6);
}

TEST(SimOptions, PowerSetsTheCurrentsFundamental) {
    struct Row {
        std::vector<std::string> args;
        double watts;
    };
    const Row rows[] = {
        {{"--power", "200", "--phase", "0"}, 200},
        {{"--power", "200"}, 200},  // at the default -30 degrees
        {{"--power", "1500", "--voltage", "120", "--harmonic-amperes", "3:2,5:1"}, 1500},
        // Voltage harmonics draw power with the current's: still the asked total.
        {{"--power", "200", "--phase", "0", "--voltage-harmonics", "3:4", "--harmonic-amperes", "3:0.6"},
         200},
        {{"--power", "0"}, 0},
    };
    for (const Row& row : rows) {
        const ParseResult r = Parse(row.args);
        ASSERT_EQ(r.error, "") << row.args[1];
        const MeasureRecord block = Block(r.options.load);
        EXPECT_NEAR(block.WRMS(), row.watts, 1e-3 * row.watts + 1e-4) << row.args[1];
        EXPECT_NEAR(block.IRMS(), r.options.load.current, 1e-4);
    }
    EXPECT_NEAR(Block(Parse({"--power", "230", "--phase", "0", "--harmonics", ""}).options.load).IRMS(), 1.0,
                1e-5);
    // Harmonics in percent grow with the fundamental; in amperes they stay.
    const MeasureRecord p =
        Block(Parse({"--power", "460", "--phase", "0", "--current-harmonics", "3:10"}).options.load);
    EXPECT_NEAR(p.IHarmonic(3) / p.IHarmonic(1), 0.1, 1e-6);
    const MeasureRecord a =
        Block(Parse({"--power", "460", "--phase", "0", "--harmonic-amperes", "3:0.3"}).options.load);
    EXPECT_NEAR(Rms(a, 3), 0.3, 1e-5);
}

TEST(SimOptions, ImpossibleLoadsAndBadListsAreRefused) {
    struct Row {
        std::vector<std::string> args;
        std::string error;
    };
    const Row rows[] = {
        {{"--power", "200", "--current", "1"}, "--power and --current cannot be given together"},
        {{"--power", "200", "--phase", "90"},
         "--power cannot be reached: the current draws no active power at this --phase"},
        {{"--power", "1", "--phase", "0", "--harmonic-amperes", "3:1", "--voltage-harmonics", "3:50"},
         "--power is less than the power the harmonics draw alone"},
        {{"--harmonic-amperes", "3:6"}, "--harmonic-amperes exceed the RMS current of --current"},
        {{"--harmonic-amperes", "3:"}, "invalid value for --harmonic-amperes: 3:"},
        {{"--harmonic-amperes", "1:0.5"}, "invalid value for --harmonic-amperes: 1:0.5"},
        {{"--harmonic-amperes", "3:-1"}, "invalid value for --harmonic-amperes: 3:-1"},
        {{"--harmonic-amperes", "3:1,"}, "invalid value for --harmonic-amperes: 3:1,"},
        {{"--power", "-5"}, "invalid value for --power: -5"},
        {{"--harmonics", "3:101"}, "invalid value for --harmonics: 3:101"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Parse(row.args).error, row.error) << row.args[0] << " " << row.args[1];
    const std::string usage = UsageText();
    EXPECT_NE(usage.find("--harmonic-amperes"), std::string::npos);
    EXPECT_NE(usage.find("--power W"), std::string::npos);
}

// The products of the README: 200 W, in phase, the same harmonics once within class D and once beyond.
HarmonicTestResult ClassDTest(const char* amperes) {
    const ParseResult r =
        ParseOptions({"--power", "200", "--phase", "0", "--harmonic-amperes", amperes, "--seed", "7"});
    EXPECT_EQ(r.error, "");
    HarmonicTestSettings settings;
    settings.emissionClass = EmissionClass::D;
    HarmonicTest test(settings);
    MeasureGenerator generator(r.options.load, r.options.seed);
    MeasureRecord block;
    for (int k = 0; k < 100; ++k) {  // 5 s of blocks
        generator.Generate(block, {}, k * 0.05);
        test.AddBlock(block, k * 0.05);
    }
    return test.Result();
}

TEST(SimOptions, TheDemoProductsPassAndFailClassD) {
    const HarmonicTestResult pass = ClassDTest("3:0.30,5:0.15,7:0.08,9:0.05,11:0.03");
    EXPECT_EQ(pass.verdict, TestVerdict::Pass);
    EXPECT_NEAR(pass.meanPower, 200.0, 2.0);
    const HarmonicTestResult fail = ClassDTest("3:0.80,5:0.45,7:0.30,9:0.15,11:0.09");
    EXPECT_EQ(fail.verdict, TestVerdict::Fail);
    for (int n : {3, 5, 7, 9, 11}) EXPECT_EQ(fail.order(n).verdict, OrderVerdict::Fail) << n;
}

// A 20 W lamp whose current leads the voltage by 30 degrees has the waveform of lighting's option (b);
// in phase its peak comes at 90 degrees, too late. The simulator's phase and the rules agree on the sign.
TEST(SimOptions, ALeadingLampHasTheWaveformOfLightingsOptionB) {
    for (const auto& [phase, met] : {std::pair{"30", true}, std::pair{"0", false}, std::pair{"-30", false}}) {
        const ParseResult r = ParseOptions({"--power", "20", "--phase", phase, "--current-harmonics", "",
                                            "--voltage-harmonics", "", "--seed", "7"});
        ASSERT_EQ(r.error, "");
        MeasureGenerator generator(r.options.load, r.options.seed);
        MeasureRecord block;
        generator.Generate(block, {}, 0.0);
        EXPECT_EQ(LowPowerWaveformMet(block), met) << phase;
    }
}

}  // namespace
}  // namespace lxv::sim
