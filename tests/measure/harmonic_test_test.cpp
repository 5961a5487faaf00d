// The harmonic emissions rules: limits of every class worked out by hand, the
// 1.5 s smoothing, the ignore rule, the 100 % / 150 % rules with the POHC
// exception, the cases where no limits apply, the supply flags, the settings
// as typed and the CSV text.
#include "measure/harmonic_test.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <numbers>

namespace lxv {
namespace {

constexpr double kSqrt2 = std::numbers::sqrt2;

struct Load {
    double current = 1.0;  // IRMS
    double fundamental = 1.0;
    std::map<int, double> harmonics;  // order -> RMS amperes
    double power = 230, powerFactor = 1, voltage = 230, frequency = 50;
};

MeasureRecord Block(const Load& load) {
    MeasureRecord r;
    ResetMeasurement(r);
    r.setScalar(Scalar::IRMS, static_cast<float>(load.current));
    r.setScalar(Scalar::WRMS, static_cast<float>(load.power));
    r.setScalar(Scalar::PF, static_cast<float>(load.powerFactor));
    r.setScalar(Scalar::URMS, static_cast<float>(load.voltage));
    r.setScalar(Scalar::UF, static_cast<float>(load.frequency));
    r.setScalar(Scalar::VTHD, 0.02f);
    r.setIHarmonic(1, static_cast<float>(load.fundamental * kSqrt2));
    for (const auto& [order, amperes] : load.harmonics)
        r.setIHarmonic(order, static_cast<float>(amperes * kSqrt2));
    return r;
}

// A steady load for `seconds`, one block every 50 ms from t = 0.
HarmonicTestResult Steady(const HarmonicTestSettings& settings, const Load& load, double seconds = 10) {
    HarmonicTest test(settings);
    const MeasureRecord block = Block(load);
    for (int k = 0; k * 0.05 < seconds; ++k) test.AddBlock(block, k * 0.05);
    return test.Result();
}

HarmonicTestSettings Class(EmissionClass c, std::optional<double> rated = std::nullopt) {
    HarmonicTestSettings s;
    s.emissionClass = c;
    s.ratedPower = rated;
    return s;
}

TEST(HarmonicLimits, EveryClassByHand) {
    const LimitBasis none{};
    const LimitBasis lamp{60, 0.5, 0.9};  // class C: 0.5 A fundamental, PF 0.9
    const LimitBasis d200{200, 0, 0}, d600{600, 0, 0};
    struct Row {
        EmissionClass c;
        int order;
        LimitBasis basis;
        std::optional<double> limit;
    };
    const Row rows[] = {
        {EmissionClass::A, 2, none, 1.08},
        {EmissionClass::A, 3, none, 2.30},
        {EmissionClass::A, 4, none, 0.43},
        {EmissionClass::A, 5, none, 1.14},
        {EmissionClass::A, 6, none, 0.30},
        {EmissionClass::A, 7, none, 0.77},
        {EmissionClass::A, 8, none, 0.23},
        {EmissionClass::A, 9, none, 0.40},
        {EmissionClass::A, 11, none, 0.33},
        {EmissionClass::A, 13, none, 0.21},
        {EmissionClass::A, 15, none, 0.15},
        {EmissionClass::A, 21, none, 0.15 * 15 / 21},  // 0.1071
        {EmissionClass::A, 39, none, 0.15 * 15 / 39},
        {EmissionClass::A, 40, none, 0.23 * 8 / 40},  // 0.046
        {EmissionClass::B, 3, none, 3.45},
        {EmissionClass::B, 21, none, 1.5 * 0.15 * 15 / 21},
        {EmissionClass::B, 40, none, 0.069},
        {EmissionClass::C, 2, lamp, 0.010},
        {EmissionClass::C, 3, lamp, 0.30 * 0.9 * 0.5},  // 0.135
        {EmissionClass::C, 5, lamp, 0.050},
        {EmissionClass::C, 7, lamp, 0.035},
        {EmissionClass::C, 9, lamp, 0.025},
        {EmissionClass::C, 11, lamp, 0.015},
        {EmissionClass::C, 39, lamp, 0.015},
        {EmissionClass::C, 4, lamp, std::nullopt},
        {EmissionClass::C, 40, lamp, std::nullopt},
        {EmissionClass::D, 3, d200, 0.68},  // 3.4 mA/W x 200 W
        {EmissionClass::D, 5, d200, 0.38},
        {EmissionClass::D, 7, d200, 0.20},
        {EmissionClass::D, 9, d200, 0.10},
        {EmissionClass::D, 11, d200, 0.07},
        {EmissionClass::D, 13, d200, 3.85 / 13 * 0.2},
        {EmissionClass::D, 39, d200, 3.85 / 39 * 0.2},
        {EmissionClass::D, 2, d200, std::nullopt},
        {EmissionClass::D, 40, d200, std::nullopt},
        // At 600 W the class A values cap: 5 meets it exactly, 13 stays below, 15..39 are cut to it.
        {EmissionClass::D, 3, d600, 2.04},
        {EmissionClass::D, 5, d600, 1.14},
        {EmissionClass::D, 13, d600, 3.85 / 13 * 0.6},
        {EmissionClass::D, 15, d600, 0.15},            // 0.154 uncapped
        {EmissionClass::D, 21, d600, 0.15 * 15 / 21},  // 0.110 uncapped
        {EmissionClass::D, 39, d600, 0.15 * 15 / 39},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(EmissionClassText(row.c)) + " order " + std::to_string(row.order) + " at " +
                     std::to_string(row.basis.power) + " W");
        const std::optional<double> limit = OrderLimit(row.c, row.order, row.basis);
        ASSERT_EQ(limit.has_value(), row.limit.has_value());
        if (limit) {
            EXPECT_NEAR(*limit, *row.limit, 1e-12);
        }
    }
    EXPECT_FALSE(OrderLimit(EmissionClass::A, 1, none));
    EXPECT_FALSE(OrderLimit(EmissionClass::A, 41, none));
}

TEST(HarmonicLimits, PowersWhereClassCAndDDoNotApply) {
    struct Row {
        EmissionClass c;
        double watts;
        bool applies;
    };
    for (const Row& row : {Row{EmissionClass::C, 25.0, false}, Row{EmissionClass::C, 25.01, true},
                           Row{EmissionClass::C, -100, false}, Row{EmissionClass::D, 74.9, false},
                           Row{EmissionClass::D, 75.0, true}, Row{EmissionClass::D, 600.0, true},
                           Row{EmissionClass::D, 600.1, false}, Row{EmissionClass::A, 0.0, true},
                           Row{EmissionClass::B, 5000.0, true}})
        EXPECT_EQ(LimitsApply(row.c, row.watts), row.applies) << EmissionClassText(row.c) << " " << row.watts;

    // Through the whole test: the measured power decides, unless class D has a rated power.
    Load lamp;
    lamp.power = 25;
    const HarmonicTestResult c = Steady(Class(EmissionClass::C), lamp);
    EXPECT_EQ(c.verdict, TestVerdict::NotApplicable);
    EXPECT_EQ(c.notApplicable,
              "Class C limits of this kind do not apply at an active power of 25 W or less (measured 25 W).");
    EXPECT_FALSE(c.order(3).limit);
    EXPECT_EQ(c.order(3).verdict, OrderVerdict::None);
    EXPECT_EQ(HarmonicTestExitCode(c), 4);

    Load small;
    small.power = 50;
    small.harmonics = {{3, 0.5}};
    const HarmonicTestResult measured = Steady(Class(EmissionClass::D), small);
    EXPECT_EQ(measured.verdict, TestVerdict::NotApplicable);
    EXPECT_EQ(measured.notApplicable, "Class D limits do not apply outside 75 W to 600 W (50 W).");
    const HarmonicTestResult rated = Steady(Class(EmissionClass::D, 200.0), small);
    EXPECT_EQ(rated.limitPower, 200.0);
    EXPECT_NEAR(*rated.order(3).limit, 0.68, 1e-12);
    EXPECT_EQ(rated.verdict, TestVerdict::Pass);
    EXPECT_EQ(Steady(Class(EmissionClass::D, 601.0), small).verdict, TestVerdict::NotApplicable);
}

TEST(HarmonicSmoothing, StepResponseReaches63PercentAfterOneTimeConstant) {
    // 0 A at t = 0, then 1 A: after 1.5 s the smoothed value is 1 - 1/e, however the blocks are spaced.
    Load off, on;
    on.harmonics = {{5, 1.0}};
    for (const std::vector<double>& times :
         {std::vector<double>{0.05, 0.1, 0.15, 0.2, 0.5, 0.75, 1.0, 1.25, 1.5}, std::vector<double>{1.5},
          std::vector<double>{0.7, 0.7, 1.5}}) {
        HarmonicTest test;
        test.AddBlock(Block(off), 0.0);
        for (double t : times) test.AddBlock(Block(on), t);
        EXPECT_NEAR(test.Result().order(5).maximum, 1.0 - std::exp(-1.0), 1e-6);
    }
    // The first block is taken as it is, not ramped up to.
    HarmonicTest first;
    first.AddBlock(Block(on), 7.0);
    EXPECT_NEAR(first.Result().order(5).maximum, 1.0, 1e-6);
    EXPECT_DOUBLE_EQ(SmoothingStep(0.0, 1.0, 3.0), 1.0 - std::exp(-2.0));
    EXPECT_DOUBLE_EQ(SmoothingStep(0.4, 1.0, 0.0), 0.4);
    EXPECT_DOUBLE_EQ(SmoothingStep(0.4, 1.0, -1.0), 0.4);
}

TEST(HarmonicRules, SmallOrdersAreIgnoredBelowTheirShareOfTheCurrentOr5mA) {
    struct Row {
        double irms, amperes;
        OrderVerdict verdict;
    };
    // 0.6 % of 5 A is 30 mA; with 0.5 A the 5 mA floor decides.
    for (const Row& row : {Row{5.0, 0.029, OrderVerdict::Ignored}, Row{5.0, 0.031, OrderVerdict::Pass},
                           Row{0.5, 0.0049, OrderVerdict::Ignored}, Row{0.5, 0.0051, OrderVerdict::Pass}}) {
        Load load;
        load.current = row.irms;
        load.harmonics = {{2, row.amperes}};
        const HarmonicTestResult r = Steady(Class(EmissionClass::A), load);
        EXPECT_EQ(r.order(2).verdict, row.verdict) << row.irms << " A, " << row.amperes << " A";
        EXPECT_EQ(r.verdict, TestVerdict::Pass);
    }
    // An ignored order far over its limit does not fail the product: 8 mA against class C's 2 % of 0.1 A.
    Load lamp;
    lamp.current = 2.0;
    lamp.fundamental = 0.1;
    lamp.power = 100;
    lamp.harmonics = {{2, 0.008}};
    const HarmonicTestResult r = Steady(Class(EmissionClass::C), lamp);
    EXPECT_NEAR(r.order(2).meanPercent, 400.0, 1e-3);
    EXPECT_EQ(r.order(2).verdict, OrderVerdict::Ignored);
    EXPECT_EQ(r.verdict, TestVerdict::Pass);
}

// 100 s at `low`, then 30 s (20 time constants) at `high` of order 5 (class A limit 1.14 A).
HarmonicTestResult LowThenHigh(double low, double high) {
    HarmonicTest test(Class(EmissionClass::A));
    Load a, b;
    a.harmonics = {{5, low}};
    b.harmonics = {{5, high}};
    const MeasureRecord lowBlock = Block(a), highBlock = Block(b);
    for (int k = 0; k < 2600; ++k) test.AddBlock(k < 2000 ? lowBlock : highBlock, k * 0.05);
    return test.Result();
}

TEST(HarmonicRules, MeanUpTo100AndMaximumUpTo150Percent) {
    struct Row {
        double low, high;
        OrderVerdict verdict;
    };
    for (const Row& row : {Row{0.5, 1.69, OrderVerdict::Pass},   // maximum 148 %
                           Row{0.5, 1.75, OrderVerdict::Fail},   // maximum 153.5 %, mean under 100 %
                           Row{1.15, 1.16, OrderVerdict::Fail},  // mean over 100 %, maximum under 150 %
                           Row{1.12, 1.12, OrderVerdict::Pass}}) {
        const HarmonicTestResult r = LowThenHigh(row.low, row.high);
        const OrderResult& o = r.order(5);
        EXPECT_EQ(o.verdict, row.verdict) << row.low << " then " << row.high;
        EXPECT_NEAR(o.maximum, row.high, 1e-6);
        EXPECT_NEAR(o.maximumPercent, 100 * row.high / 1.14, 1e-3);
        EXPECT_EQ(r.verdict, row.verdict == OrderVerdict::Pass ? TestVerdict::Pass : TestVerdict::Fail);
        EXPECT_EQ(HarmonicTestExitCode(r), row.verdict == OrderVerdict::Pass ? 0 : 3);
    }
    const HarmonicTestResult r = LowThenHigh(0.5, 1.75);
    EXPECT_LT(r.order(5).meanPercent, 100.0);
    EXPECT_GT(r.order(5).mean, 0.5);
}

TEST(HarmonicRules, OddOrders21To39MayReach150PercentWhenThePohcIsWithinItsLimit) {
    const auto limit = [](int n) { return ClassALimit(n); };
    // Order 21 at 130 %, the other odd orders 21..39 at half their limits: POHC within its limit.
    Load within;
    for (int n = 21; n <= 39; n += 2) within.harmonics[n] = 0.5 * limit(n);
    within.harmonics[21] = 1.3 * limit(21);
    within.harmonics[22] = 1.2 * limit(22);  // an even order gets no relief
    const HarmonicTestResult r = Steady(Class(EmissionClass::A), within);
    ASSERT_TRUE(r.pohcLimit);
    EXPECT_LT(r.pohc, *r.pohcLimit);
    EXPECT_EQ(r.order(21).verdict, OrderVerdict::Pass);
    EXPECT_TRUE(r.order(21).pohcRelief);
    EXPECT_FALSE(r.order(23).pohcRelief);
    EXPECT_EQ(r.order(22).verdict, OrderVerdict::Fail);
    within.harmonics.erase(22);
    EXPECT_EQ(Steady(Class(EmissionClass::A), within).verdict, TestVerdict::Pass);
    // Beyond 150 % even the exception does not help.
    within.harmonics[21] = 1.55 * limit(21);
    EXPECT_EQ(Steady(Class(EmissionClass::A), within).order(21).verdict, OrderVerdict::Fail);

    // Every odd order 21..39 at 110 %: the POHC is over its limit, so each fails.
    Load over;
    double squares = 0, limitSquares = 0;
    for (int n = 21; n <= 39; n += 2) {
        over.harmonics[n] = 1.1 * limit(n);
        squares += over.harmonics[n] * over.harmonics[n];
        limitSquares += limit(n) * limit(n);
    }
    const HarmonicTestResult o = Steady(Class(EmissionClass::A), over);
    EXPECT_NEAR(o.pohc, std::sqrt(squares), 1e-6);
    EXPECT_NEAR(*o.pohcLimit, std::sqrt(limitSquares), 1e-12);
    for (int n = 21; n <= 39; n += 2) EXPECT_EQ(o.order(n).verdict, OrderVerdict::Fail) << n;
    EXPECT_EQ(o.verdict, TestVerdict::Fail);
}

TEST(HarmonicRules, TooFewBlocksIsAnErrorAndMeansAreKept) {
    Load load;
    load.power = 200;
    load.voltage = 231;
    HarmonicTest test;
    for (int k = 0; k < 9; ++k) test.AddBlock(Block(load), k * 0.05);
    HarmonicTestResult r = test.Result();
    EXPECT_FALSE(r.hasVerdict());
    EXPECT_EQ(r.error,
              "Only 9 measurement blocks arrived during the observation; the test needs at least 10.");
    EXPECT_EQ(HarmonicTestExitCode(r), 1);
    test.AddBlock(Block(load), 0.45);
    r = test.Result();
    EXPECT_TRUE(r.hasVerdict());
    EXPECT_EQ(r.blocks, 10);
    EXPECT_NEAR(r.observedSeconds, 0.45, 1e-12);
    EXPECT_NEAR(r.meanPower, 200, 1e-4);
    EXPECT_NEAR(r.meanVoltage, 231, 1e-4);
    EXPECT_NEAR(r.meanVoltageThd, 0.02, 1e-6);
    EXPECT_NEAR(r.meanFundamental, 1.0, 1e-6);
    EXPECT_EQ(HarmonicTest().Result().blocks, 0);
}

TEST(HarmonicRules, SupplyOutsideTheTestConditionsIsFlaggedWithoutChangingTheVerdict) {
    struct Row {
        double volts, hertz, nominalVolts, nominalHertz;
        bool voltageOutside, frequencyOutside;
    };
    for (const Row& row : {Row{234.5, 50.24, 230, 50, false, false}, Row{234.8, 50.0, 230, 50, true, false},
                           Row{225.3, 49.7, 230, 50, true, true}, Row{120.0, 60.0, 120, 60, false, false},
                           Row{230.0, 60.0, 230, 50, false, true}}) {
        HarmonicTestSettings s;
        s.observationSeconds = 10;  // the blocks cover it: no note of a shortfall
        s.nominalVoltage = row.nominalVolts;
        s.nominalFrequency = row.nominalHertz;
        Load load;
        load.voltage = row.volts;
        load.frequency = row.hertz;
        load.harmonics = {{3, 3.0}};  // fails class A
        const HarmonicTestResult r = Steady(s, load);
        EXPECT_EQ(r.voltageOutside, row.voltageOutside) << row.volts;
        EXPECT_EQ(r.frequencyOutside, row.frequencyOutside) << row.hertz;
        EXPECT_EQ(r.verdict, TestVerdict::Fail);
        const std::vector<UiText> notes = HarmonicTestNotes(r);
        EXPECT_EQ(notes.back(), kPreComplianceNoteText);
        EXPECT_EQ(notes.size(), 1u + row.voltageOutside + row.frequencyOutside);
    }
    Load low;
    low.voltage = 225.3;
    HarmonicTestSettings tenSeconds;
    tenSeconds.observationSeconds = 10;
    EXPECT_EQ(HarmonicTestNotes(Steady(tenSeconds, low)).front(),
              "The mean supply voltage of 225.3 V is outside the test condition of 230 V ± 2 %; the verdict "
              "is not changed.");
}

TEST(HarmonicRules, PausesAndAShortfallOfBlocksAreNoted) {
    HarmonicTestSettings s;
    s.observationSeconds = 20;
    HarmonicTest test(s);
    const MeasureRecord block = Block(Load{});
    for (int k = 0; k < 40; ++k) test.AddBlock(block, k * 0.05);       // 0 .. 1.95 s
    for (int k = 0; k <= 80; ++k) test.AddBlock(block, 8 + k * 0.05);  // 8 .. 12 s, after a pause of 6.05 s
    HarmonicTestResult r = test.Result();
    EXPECT_NEAR(r.longestPauseSeconds, 6.05, 1e-9);
    const std::vector<UiText> notes = HarmonicTestNotes(r);
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_EQ(notes[0], "Measurement blocks came over only 12 s of the 20 s observation.");
    EXPECT_EQ(notes[1], "The measurement paused for up to 6 s during the observation.");
    EXPECT_EQ(r.verdict, TestVerdict::Pass);  // notes only
    // Stopped by hand, the shortfall is the stop's note instead.
    r.stoppedAfterSeconds = 12.3;
    EXPECT_EQ(HarmonicTestNotes(r)[0], "The observation was stopped after 12 s of 20 s.");
    EXPECT_EQ(HarmonicTestNotes(r).size(), 3u);
}

TEST(HarmonicSettings, TypedFieldsAreReadStrictly) {
    struct Row {
        const char *rated, *seconds, *volts, *hertz;
        std::string error;
    };
    const Row rows[] = {
        {"", "", "", "", ""},
        {" ", "20", "120", "60", ""},
        {"abc", "", "", "", "Rated power: 'abc' is not a valid floating point value"},
        {"0", "", "", "", kRatedPowerRangeText},
        {"", "9.9", "", "", kObservationRangeText},
        {"", "3601", "", "", kObservationRangeText},
        {"", "150,5", "", "", "Observation time: '150,5' is not a valid floating point value"},
        {"", "", "2300", "", kNominalVoltageRangeText},
        {"", "", "", "400", kNominalFrequencyRangeText},
        {"", "", "", "x", "Nominal frequency: 'x' is not a valid floating point value"},
    };
    for (const Row& row : rows) {
        const SettingsReading r =
            ReadHarmonicTestSettings(EmissionClass::D, row.rated, row.seconds, row.volts, row.hertz);
        EXPECT_EQ(r.error, row.error)
            << row.rated << "|" << row.seconds << "|" << row.volts << "|" << row.hertz;
    }
    const SettingsReading blank = ReadHarmonicTestSettings(EmissionClass::D, "", "", "", "");
    EXPECT_FALSE(blank.settings.ratedPower);
    EXPECT_EQ(blank.settings.observationSeconds, 150.0);
    EXPECT_EQ(blank.settings.nominalVoltage, 230.0);
    EXPECT_EQ(blank.settings.nominalFrequency, 50.0);
    const SettingsReading typed = ReadHarmonicTestSettings(EmissionClass::B, "1.5e2", "10", "120", "60");
    EXPECT_EQ(typed.settings.emissionClass, EmissionClass::B);
    EXPECT_EQ(*typed.settings.ratedPower, 150.0);
    EXPECT_EQ(typed.settings.observationSeconds, 10.0);
    EXPECT_EQ(typed.settings.nominalFrequency, 60.0);
    EXPECT_EQ(ParseEmissionClass("d"), EmissionClass::D);
    EXPECT_FALSE(ParseEmissionClass("E"));
    EXPECT_FALSE(ParseEmissionClass("AB"));
    EXPECT_EQ(FillText("%1 of %2, %1", {"a", "b"}), "a of b, a");
}

TEST(HarmonicCsv, RowsPerOrderThenTheSummaryLines) {
    Load load;
    load.current = 1.2;
    load.power = 200;
    load.harmonics = {{3, 0.7}, {5, 0.2}, {7, 0.001}};
    const HarmonicTestResult r = Steady(Class(EmissionClass::D), load);
    EXPECT_EQ(r.verdict, TestVerdict::Fail);  // order 3 at 0.7 A against 0.68 A
    const std::string csv = HarmonicTestCsv(r);
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < csv.size();) {
        const std::size_t end = csv.find('\n', at);
        lines.push_back(csv.substr(at, end - at));
        at = end + 1;
    }
    ASSERT_EQ(lines.size(), 1u + 39u + 6u);
    EXPECT_EQ(lines[0], "order,limit_A,mean_A,max_A,mean_pct,max_pct,verdict");
    EXPECT_EQ(lines[1], "2,,0.0000,0.0000,,,none");
    EXPECT_EQ(lines[2], "3,0.6800,0.7000,0.7000,102.9,102.9,fail");
    EXPECT_EQ(lines[4], "5,0.3800,0.2000,0.2000,52.6,52.6,pass");
    EXPECT_EQ(lines[6], "7,0.2000,0.0010,0.0010,0.5,0.5,ignored");
    EXPECT_EQ(lines[39], "40,,0.0000,0.0000,,,none");
    EXPECT_EQ(lines[40], "# verdict,FAIL");
    EXPECT_EQ(lines[41], "# class,D");
    EXPECT_EQ(lines[42], "# blocks,200");
    EXPECT_EQ(lines[43], "# mean_power_W,200.0");
    EXPECT_EQ(lines[44], "# POHC_A,0.0000");
    EXPECT_EQ(lines[45].rfind("# POHC_limit_A,0.", 0), 0u) << lines[45];
    EXPECT_EQ(csv.back(), '\n');
}

}  // namespace
}  // namespace lxv
