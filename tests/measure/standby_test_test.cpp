// The standby power rules from hand-worked loads: a steady load, a settling
// load hidden by the discarded third, drifts against the 10 mW/h and 1 %/h
// rules, the limit at equality, every supply condition just inside and just
// outside, the period, stop and too few readings, the running sums against a
// refit, the figures for the uncertainty, the settings as typed and the CSV.
#include "measure/standby_test.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <sstream>

namespace lxv {
namespace {

struct Supply {
    double voltage = 230, frequency = 50, harmonics = 0.005, crest = 1.414;
};

StandbyReading Reading(double t, double watts, const Supply& supply = {}) {
    StandbyReading r;
    r.seconds = t;
    r.power = watts;
    r.voltage = supply.voltage;
    r.frequency = supply.frequency;
    r.voltageHarmonics = supply.harmonics;
    r.voltageCrest = supply.crest;
    r.current = watts / 230 / 0.5;
    r.powerFactor = 0.5;
    r.currentCrest = 2.0;
    return r;
}

StandbySettings Settings(double period = 600, double limit = 0.5) {
    StandbySettings s;
    s.periodSeconds = period;
    s.maxSeconds = 3 * period;
    s.limitWatts = limit;
    return s;
}

// Readings every `step` seconds from t = 0 of power(t), until the test ends
// (or `until`); `supplyAt` may change the supply of one reading.
StandbyTest Feed(const StandbySettings& settings, const std::function<double(double)>& power,
                double step = 0.25, const std::function<Supply(double)>& supplyAt = nullptr,
                double until = 1e9) {
    StandbyTest test(settings);
    for (int k = 0; !test.finished() && k * step <= until; ++k) {
        const double t = k * step;
        test.Add(Reading(t, power(t), supplyAt ? supplyAt(t) : Supply{}));
    }
    return test;
}

TEST(StandbyRules, HandWorkedLoads) {
    struct Case {
        const char* name;
        StandbySettings settings;
        std::function<double(double)> power;
        std::optional<StandbyVerdict> verdict;
        int exitCode;
        double mean, slope, endsAt;  // W, W/h, s
    };
    const auto steady = [](double w) { return [w](double) { return w; }; };
    // Linear about t = 400 s, the middle of the used part 200..600 s at the period's end.
    const auto drift = [](double w, double perHour) {
        return [w, perHour](double t) { return w + perHour * (t - 400) / 3600; };
    };
    const Case cases[] = {
        {"stable 0.30 W", Settings(), steady(0.30), StandbyVerdict::Pass, 0, 0.30, 0, 600},
        // 2 W settling to 0.3 W over the first fifth (120 s): all of it falls in the discarded 200 s.
        {"settling in the first fifth", Settings(),
         [](double t) { return t < 120 ? 2.0 - 1.7 * t / 120 : 0.30; }, StandbyVerdict::Pass, 0, 0.30, 0, 600},
        {"1 W/h against 10 mW/h", Settings(), drift(0.30, 1.0), StandbyVerdict::NotStable, 6, 0.0, 1.0, 1800},
        {"9 mW/h at 0.3 W", Settings(), drift(0.30, 0.009), StandbyVerdict::Pass, 0, 0.30, 0.009, 600},
        {"1.5 W at 1 %/h is stable", Settings(600, 2.0), drift(1.5, 0.015), StandbyVerdict::Pass, 0, 1.5, 0.015,
         600},
        {"1.5 W at 1 %/h above a 0.5 W limit", Settings(), drift(1.5, 0.015), StandbyVerdict::Fail, 3, 1.5,
         0.015, 600},
        {"1.5 W at 1.1 %/h", Settings(600, 2.0), drift(1.5, 0.0165), StandbyVerdict::NotStable, 6, 0.0, 0.0165,
         1800},
        {"the limit at equality", Settings(), steady(0.5), StandbyVerdict::Pass, 0, 0.5, 0, 600},
        {"just above the limit", Settings(), steady(0.51), StandbyVerdict::Fail, 3, 0.51, 0, 600},
        {"a 300 s period is outside the conditions", Settings(300), steady(0.3), StandbyVerdict::Pass, 5, 0.3, 0,
         300},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const StandbyTest test = Feed(c.settings, c.power);
        const StandbyResult r = test.Result();
        ASSERT_TRUE(r.finished);
        EXPECT_EQ(r.verdict, c.verdict);
        EXPECT_EQ(StandbyExitCode(r), c.exitCode);
        EXPECT_NEAR(r.elapsedSeconds, c.endsAt, 0.3);
        EXPECT_NEAR(r.slope, c.slope, 1e-6);
        if (c.verdict != StandbyVerdict::NotStable) {
            EXPECT_NEAR(r.meanPower, c.mean, 1e-9);
        }
        // Used: the readings from a third of the time on.
        EXPECT_NEAR(r.cutSeconds, r.elapsedSeconds / 3, 1e-9);
        EXPECT_EQ(r.readingsUsed, static_cast<std::size_t>(std::floor((r.elapsedSeconds * 2 / 3) / 0.25 + 1e-9)) + 1);
        EXPECT_NEAR(r.readingsPerSecond, 4.0, 1e-9);
    }
}

TEST(StandbyRules, JudgesAgainWithEachReadingUntilStable) {
    // Falls 50 mW/h for 700 s, then holds: the fit over the used two thirds flattens to 10 mW/h near 1340 s.
    const auto power = [](double t) { return 0.30 - 0.05 * std::min(t, 700.0) / 3600; };
    const StandbyResult r = Feed(Settings(), power).Result();
    EXPECT_EQ(r.verdict, StandbyVerdict::Pass);
    EXPECT_GT(r.elapsedSeconds, 1300);
    EXPECT_LT(r.elapsedSeconds, 1350);
    EXPECT_LE(std::fabs(r.slope), 0.010);
    // Just before the end it was not yet stable.
    const StandbyResult before = Feed(Settings(), power, 0.25, nullptr, r.elapsedSeconds - 0.25).Result();
    EXPECT_FALSE(before.finished);
    EXPECT_FALSE(before.stable);
}

TEST(StandbyRules, EachConditionJustInsideAndJustOutside) {
    struct Case {
        const char* name;
        Supply supply;
        bool ok;
    };
    const auto with = [](auto set) {
        Supply s;
        set(s);
        return s;
    };
    const Case cases[] = {
        {"voltage +0.99 %", with([](Supply& s) { s.voltage = 232.27; }), true},
        {"voltage +1.01 %", with([](Supply& s) { s.voltage = 232.33; }), false},
        {"voltage -0.99 %", with([](Supply& s) { s.voltage = 227.73; }), true},
        {"voltage -1.01 %", with([](Supply& s) { s.voltage = 227.67; }), false},
        {"frequency +0.98 %", with([](Supply& s) { s.frequency = 50.49; }), true},
        {"frequency -1.02 %", with([](Supply& s) { s.frequency = 49.49; }), false},
        {"harmonics 1.99 %", with([](Supply& s) { s.harmonics = 0.0199; }), true},
        {"harmonics 2.01 %", with([](Supply& s) { s.harmonics = 0.0201; }), false},
        {"crest factor 1.341", with([](Supply& s) { s.crest = 1.341; }), true},
        {"crest factor 1.339", with([](Supply& s) { s.crest = 1.339; }), false},
        {"crest factor 1.489", with([](Supply& s) { s.crest = 1.489; }), true},
        {"crest factor 1.491", with([](Supply& s) { s.crest = 1.491; }), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // One reading in the discarded third carries the supply; every reading counts.
        const auto supplyAt = [&](double t) { return t == 50 ? c.supply : Supply{}; };
        const StandbyResult r = Feed(Settings(), [](double) { return 0.3; }, 0.25, supplyAt).Result();
        EXPECT_EQ(r.verdict, StandbyVerdict::Pass);
        EXPECT_EQ(r.supply.ok(), c.ok);
        EXPECT_EQ(StandbyExitCode(r), c.ok ? 0 : 5);
        const std::vector<UiText> notes = StandbyNotes(r);
        EXPECT_EQ(notes.size(), c.ok ? 1u : 2u);
    }
    // The worst figure of each is kept, whichever reading brought it.
    const auto mixed = [](double t) {
        Supply s;
        if (t == 10) s.voltage = 233;
        if (t == 20) s.voltage = 226.5;  // further from 230
        if (t == 30) s.frequency = 50.2;
        if (t == 40) s.harmonics = 0.031;
        if (t == 50) s.crest = 1.30;
        if (t == 60) s.crest = 1.50;  // 0.01 outside: less than 1.30's 0.04
        return s;
    };
    const StandbyResult r = Feed(Settings(), [](double) { return 0.3; }, 0.25, mixed).Result();
    EXPECT_DOUBLE_EQ(r.supply.worstVoltage, 226.5);
    EXPECT_DOUBLE_EQ(r.supply.worstFrequency, 50.2);
    EXPECT_DOUBLE_EQ(r.supply.worstHarmonics, 0.031);
    EXPECT_DOUBLE_EQ(r.supply.worstCrest, 1.30);
    EXPECT_FALSE(r.supply.voltageOk);
    EXPECT_TRUE(r.supply.frequencyOk);
    EXPECT_FALSE(r.supply.harmonicsOk);
    EXPECT_FALSE(r.supply.crestOk);
    EXPECT_EQ(SupplyFiguresText(r.supply), "voltage 226.50 V; frequency 50.200 Hz; harmonics 3.10 %; crest factor 1.300");
}

TEST(StandbyRules, NoVerdictWhenStoppedOrTooFewReadings) {
    StandbyTest stopped(Settings());
    for (int k = 0; k < 400; ++k) stopped.Add(Reading(k * 0.25, 0.3));
    stopped.Stop(100);
    const StandbyResult s = stopped.Result();
    EXPECT_TRUE(s.finished);
    EXPECT_FALSE(s.verdict);
    EXPECT_EQ(StandbyExitCode(s), 1);
    EXPECT_EQ(StandbyNotes(s).front().original(), "The test was stopped after 100 s.");
    stopped.Add(Reading(200, 0.3));  // after the end: ignored
    EXPECT_EQ(stopped.readings(), 400u);

    // A reading every 200 s: three used at the period's end, too few; the longest time ends it.
    StandbyTest sparse(Settings());
    for (int k = 0; !sparse.finished(); ++k) sparse.Add(Reading(k * 200.0, 0.3));
    const StandbyResult f = sparse.Result();
    EXPECT_TRUE(f.finished);
    EXPECT_FALSE(f.verdict);
    EXPECT_EQ(f.error.original(), "Only 7 readings were left to judge; the test needs at least 10.");
    EXPECT_EQ(StandbyExitCode(f), 1);
}

TEST(StandbyRules, TimerJudgesWithoutAReadingAtTheEnd) {
    StandbyTest test(Settings());
    for (int k = 0; k * 0.25 < 590; ++k) test.Add(Reading(k * 0.25, 0.3));
    EXPECT_FALSE(test.finished());
    test.TimeReached(600);  // the period's timer: the cut moves to 200 s
    EXPECT_TRUE(test.finished());
    const StandbyResult r = test.Result();
    EXPECT_EQ(r.verdict, StandbyVerdict::Pass);
    EXPECT_DOUBLE_EQ(r.cutSeconds, 200);
    EXPECT_EQ(r.readingsUsed, 1560u);  // 200.00 .. 589.75 s
}

TEST(StandbyRules, RunningSumsMatchARefitOverTheUsedPart) {
    // A noisy, drifting, unevenly sampled load over three hours: the O(1) fit equals a direct one.
    StandbySettings s = Settings(10800);
    StandbyTest test(s);
    double t = 0;
    unsigned seed = 12345;
    std::vector<std::pair<double, double>> all;
    while (t < 10800) {
        seed = seed * 1103515245u + 12345u;
        const double noise = ((seed >> 16) % 1000) / 1000.0 - 0.5;
        const double p = 0.4 + 0.02 * t / 3600 + 0.003 * noise;
        test.Add(Reading(t, p));
        all.push_back({t, p});
        t += 0.2 + 0.1 * ((seed >> 8) % 3);
    }
    const StandbyFit& fit = test.fit();
    double n = 0, st = 0, sp = 0;
    for (const auto& [ti, pi] : all)
        if (ti >= fit.cutSeconds) n += 1, st += ti, sp += pi;
    const double tm = st / n, pm = sp / n;
    double sxx = 0, sxy = 0;
    for (const auto& [ti, pi] : all)
        if (ti >= fit.cutSeconds) sxx += (ti - tm) * (ti - tm), sxy += (ti - tm) * (pi - pm);
    EXPECT_EQ(static_cast<double>(fit.used), n);
    EXPECT_NEAR(fit.mean, pm, 1e-12);
    EXPECT_NEAR(fit.slope, sxy / sxx * 3600, 1e-9);
    EXPECT_NEAR(fit.intercept + fit.slope / 3600 * tm, pm, 1e-9);
    EXPECT_NEAR(fit.slope, 0.02, 0.002);
}

TEST(StandbyRules, HalvesEnergyAndUncertaintyFigures) {
    StandbyTest test(Settings());
    for (int k = 0; k * 0.25 <= 600; ++k) {
        const double t = k * 0.25;
        StandbyReading r = Reading(t, t < 400 ? 0.30 : 0.302);  // halves 200..400 and 400..600 s
        r.energyKwh = 12.0 + 0.30 * t / 3.6e6;
        r.currentCrest = 3.0;
        r.powerFactor = -0.3;  // a sign from the instrument's convention counts as its size
        test.Add(r);
    }
    const StandbyResult r = test.Result();
    EXPECT_NEAR(r.firstHalfMean, 0.30, 1e-12);
    EXPECT_NEAR(r.secondHalfMean, 0.302, 1e-12);
    ASSERT_TRUE(r.energyPower);
    EXPECT_NEAR(*r.energyPower, 0.30, 0.01);  // the counter is a single: coarse, but it advances
    ASSERT_TRUE(r.mcr);
    EXPECT_NEAR(*r.mcr, 10.0, 1e-9);
    EXPECT_DOUBLE_EQ(r.permittedUncertainty, 0.01);  // below 0.5 W

    StandbyTest flat(Settings(600, 1));
    for (int k = 0; !flat.finished(); ++k) flat.Add(Reading(k * 0.25, 0.8));
    const StandbyResult f = flat.Result();
    EXPECT_FALSE(f.energyPower);  // the counter stood still
    EXPECT_NEAR(f.permittedUncertainty, 0.016, 1e-12);
}

TEST(StandbyRules, ShownResolutionAndRange) {
    EXPECT_EQ(StandbyPowerText(0.304), "0.30");
    EXPECT_EQ(StandbyPowerText(9.994), "9.99");
    EXPECT_EQ(StandbyPowerText(12.34), "12.3");
    EXPECT_EQ(StandbyPowerText(150.4), "150");
    StandbyTest locked(Settings(), CurrentRangeSetting{false, 2});
    EXPECT_EQ(StandbySummary(locked.Result()).back().original(), "Current range: 2 (locked)");
    StandbyTest automatic(Settings(), CurrentRangeSetting{true, 0});
    const std::vector<UiText> notes = StandbyNotes(automatic.Result());
    EXPECT_EQ(notes[notes.size() - 2].original(), kStandbyAutoRangeText);
}

TEST(StandbyRules, ReadingOfABlock) {
    MeasureRecord b;
    ResetMeasurement(b);
    b.setScalar(Scalar::URMS, 230);
    b.setScalar(Scalar::UPP, 325.27f);
    b.setScalar(Scalar::IRMS, 0.004f);
    b.setScalar(Scalar::IPP, 0.012f);
    b.setScalar(Scalar::WRMS, 0.3f);
    b.setScalar(Scalar::KWH, std::nanf(""));  // repaired on receipt; here it counts as 0 too
    b.setUHarmonic(1, 325.27f);
    b.setUHarmonic(3, 3.0f);
    b.setUHarmonic(5, 4.0f);
    b.setUHarmonic(15, 100.0f);  // beyond order 13: not counted
    const StandbyReading r = StandbyReadingOf(b, 7);
    EXPECT_DOUBLE_EQ(r.seconds, 7);
    EXPECT_NEAR(r.voltageHarmonics, 5.0 / 325.27, 1e-6);
    EXPECT_NEAR(r.voltageCrest, 1.41422, 1e-4);
    EXPECT_NEAR(r.currentCrest, 3.0, 1e-6);
    EXPECT_EQ(r.energyKwh, 0.0);
}

TEST(StandbyRules, SettingsAsTyped) {
    const StandbySettingsReading d = ReadStandbySettings("", "", "", "", "");
    ASSERT_TRUE(d.ok());
    EXPECT_EQ(d.settings.periodSeconds, 600);
    EXPECT_EQ(d.settings.maxSeconds, 1800);
    EXPECT_EQ(d.settings.limitWatts, 0.5);
    EXPECT_EQ(ReadStandbySettings("60", "", "1", "120", "60").settings.maxSeconds, 180);
    EXPECT_EQ(ReadStandbySettings("59", "", "", "", "").error.original(), kStandbyPeriodRangeText);
    EXPECT_EQ(ReadStandbySettings("600", "599", "", "", "").error.original(), kStandbyMaxRangeText);
    EXPECT_EQ(ReadStandbySettings("", "", "0", "", "").error.original(), kStandbyLimitRangeText);
    EXPECT_EQ(ReadStandbySettings("", "", "x", "", "").error.original(),
              "Limit: 'x' is not a valid floating point value");
}

TEST(StandbyRules, CsvRowsAndSummaryLines) {
    StandbyTest test(Settings(300));
    for (int k = 0; !test.finished(); ++k) test.Add(Reading(k * 1.0, 0.3));
    const StandbyResult r = test.Result();
    const std::string csv = StandbyCsv(test, r, "2026-12-09 23:00", "LXV7700, address 1");
    std::istringstream in(csv);
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, "time_s,power_W,voltage_V,current_A,pf,used");
    int rows = 0, used = 0;
    std::vector<std::string> keys;
    while (std::getline(in, line)) {
        if (line.rfind("# ", 0) == 0) {
            keys.push_back(line.substr(2, line.find(',') - 2));
            continue;
        }
        ++rows;
        used += line.back() == '1';
    }
    EXPECT_EQ(rows, 301);
    EXPECT_EQ(used, 201);  // 100 .. 300 s
    EXPECT_EQ(keys, (std::vector<std::string>{"verdict", "mean_power_W", "slope_W_per_h", "stable", "period_s",
                                              "readings", "readings_used", "limit_W", "supply", "mcr", "date",
                                              "instrument", "note"}));
    EXPECT_EQ(csv.substr(0, csv.find("\n1.000")), "time_s,power_W,voltage_V,current_A,pf,used\n0.000,0.3,230,0.0026086958,0.5,0");
    EXPECT_NE(csv.find("# verdict,PASS\n# mean_power_W,0.3"), std::string::npos);
    EXPECT_NE(csv.find("# supply,ok\n"), std::string::npos);
    EXPECT_NE(csv.find("# instrument,\"LXV7700, address 1\"\n"), std::string::npos);
    EXPECT_NE(csv.find("shorter than the 600 s"), std::string::npos);
    EXPECT_EQ(StandbySummary(r)[3].original(), "Mean power: 0.30 W");
}

}  // namespace
}  // namespace lxv
