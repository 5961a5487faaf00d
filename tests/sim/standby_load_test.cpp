// The simulator's standby load: at 0.1 W every reading lies within 0.2 % of
// the model with the default noise, the drift, the settling and the bursts
// follow their options, the energy counts the modelled power, and the
// options that cannot stand alone are refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "sim/measure_generator.h"
#include "sim/sim_options.h"

namespace lxv::sim {
namespace {

LoadSettings Load(const std::vector<std::string>& args) {
    const ParseResult r = ParseOptions(args);
    EXPECT_EQ(r.error, "");
    return r.options.load;
}

TEST(StandbyLoad, ReadingsWithinTwoPerMilleOfTheModelAtTenthOfAWatt) {
    MeasureGenerator generator(Load({"--power", "0.1", "--seed", "3"}), 3);
    MeasureRecord block;
    double worst = 0, sum = 0;
    const int blocks = 1500;
    for (int k = 0; k < blocks; ++k) {
        generator.Generate(block, {}, k * 0.05);
        worst = std::max(worst, std::fabs(block.WRMS() - 0.1) / 0.1);
        sum += block.WRMS();
    }
    EXPECT_LE(worst, 0.002);
    EXPECT_GT(worst, 0.0005);  // the noise is there, only bounded
    EXPECT_NEAR(sum / blocks, 0.1, 0.1 * 1e-4);
    // The other readings still carry the load's noise: current and power factor vary.
    EXPECT_GT(block.PF(), 0.8f);
    EXPECT_NEAR(block.URMS(), 230, 230 * 0.01);
}

TEST(StandbyLoad, DriftSettleAndBursts) {
    struct Case {
        std::vector<std::string> args;
        double seconds, watts;
    };
    const Case cases[] = {
        {{"--power", "0.3", "--drift", "1"}, 0, 0.3},
        {{"--power", "0.3", "--drift", "1"}, 1800, 0.8},
        {{"--power", "0.5", "--drift", "-0.2"}, 3600, 0.3},
        {{"--power", "0.3", "--settle", "2:120"}, 0, 2.0},
        {{"--power", "0.3", "--settle", "2:120"}, 60, 1.15},
        {{"--power", "0.3", "--settle", "2:120"}, 120, 0.3},
        {{"--power", "0.3", "--settle", "2:120"}, 500, 0.3},
        {{"--power", "0.3", "--burst", "5:2:30"}, 1, 5.0},
        {{"--power", "0.3", "--burst", "5:2:30"}, 3, 0.3},
        {{"--power", "0.3", "--burst", "5:2:30"}, 61, 5.0},
        {{"--power", "0.1", "--drift", "-1"}, 3600, 0.0},  // never below nothing
    };
    for (const Case& c : cases) {
        const LoadSettings load = Load([&] {
            std::vector<std::string> a = c.args;
            a.insert(a.end(), {"--noise", "0"});
            return a;
        }());
        EXPECT_NEAR(ModelPower(load, c.seconds), c.watts, 1e-12) << c.args[2] << " " << c.args[3] << " at " << c.seconds;
        if (c.watts > 0) {
            MeasureGenerator generator(load, 1);
            MeasureRecord block;
            generator.Generate(block, {}, c.seconds);
            EXPECT_NEAR(block.WRMS(), c.watts, 1e-6 * c.watts);
        }
    }
    // The energy counts the modelled power: 1 W for an hour of blocks is 1 Wh.
    MeasureGenerator generator(Load({"--power", "1", "--noise", "0"}), 1);
    MeasureRecord block;
    for (int k = 0; k <= 60; ++k) generator.Generate(block, {}, k * 60.0);
    EXPECT_NEAR(block.KWH(), 0.001, 1e-7);
}

TEST(StandbyLoad, OptionsRefused) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--drift", "1"}, "--drift, --settle and --burst need --power"},
        {{"--settle", "2:60"}, "--drift, --settle and --burst need --power"},
        {{"--power", "1", "--burst", "5:30:30"}, "--burst needs a time on shorter than its period"},
        {{"--power", "1", "--settle", "2"}, "invalid value for --settle: 2"},
        {{"--power", "1", "--settle", "2:-1"}, "invalid value for --settle: 2:-1"},
        {{"--power", "1", "--burst", "5:2"}, "invalid value for --burst: 5:2"},
    };
    for (const auto& [args, error] : cases) EXPECT_EQ(ParseOptions(args).error, error) << args.back();
    EXPECT_NE(UsageText().find("--settle W:SECONDS"), std::string::npos);
}

}  // namespace
}  // namespace lxv::sim
