// The standby test in the session core: refused settings change nothing; the
// blocks of the feed become readings timed from the start; the test ends as
// soon as the power is stable from the period on, at the longest time by its
// timer (not stable) or by Stop (incomplete); the current range is read at
// the start.
#include "measure/standby_test_control.h"

#include <gtest/gtest.h>

#include "cycle/measure_control.h"
#include "link/registers.h"
#include "core/session_core.h"
#include "support/fake_serial_port.h"
#include "support/manual_timers.h"

namespace lxv {
namespace {

constexpr const char* kTimer = "StandbyTest.ObservationTimer";

struct Rig {
    test::FakeSerialPort port;
    test::ManualTimers timers;
    SessionCore core{port, timers};
    MeasureControl measure{core};
    double now = 5000.0;
    StandbyTestControl control{core, [this] { return now; }};
    std::vector<StandbyTestControl::Event> events;

    Rig() {
        port.present = {3};
        port.open(3, 14400);
        measure.SetPortReady(true);
        control.setContinuousStarter([this] { return measure.StartContinuous(); });
        control.subscribe([this](StandbyTestControl::Event e) { events.push_back(e); });
    }
    // A block of `watts` at 230 V, 50 Hz, a clean sine, `dt` seconds after the last.
    void block(double dt, double watts) {
        now += dt;
        MeasureRecord r;
        ResetMeasurement(r);
        r.setScalar(Scalar::URMS, 230);
        r.setScalar(Scalar::UPP, 325.3f);
        r.setScalar(Scalar::UF, 50);
        r.setScalar(Scalar::WRMS, static_cast<float>(watts));
        r.setScalar(Scalar::IRMS, 0.003f);
        r.setScalar(Scalar::IPP, 0.009f);
        r.setScalar(Scalar::PF, 0.5f);
        r.setUHarmonic(1, 325.3f);
        const std::vector<std::uint8_t> reply = test::WithCrc({r.data(), r.data() + kBlockSize});
        // A block is taken as the answer to a block request on the line.
        if (!core.requests.pending(this)) {
            core.requests.read(MEAS, kMeasCount, Expect::Block, this);
            port.written.pop_back();
        }
        core.dispatcher.handleReply(reply.data(), reply.size());
    }
};

StandbySettings Settings(double period, double longest) {
    StandbySettings s;
    s.periodSeconds = period;
    s.maxSeconds = longest;
    return s;
}

TEST(StandbyTestControl, EndsWhenStableAtTheLongestTimeOrByStop) {
    struct Row {
        const char* how;
        double drift;  // W per hour
        VerdictKind kind;
        int exitCode;
        double elapsed;
    };
    const Row rows[] = {
        {"stable at the period", 0, VerdictKind::PassOutsideConditions, 5, 60},
        {"drifting until the timer", 1.0, VerdictKind::NotStable, 6, 180},
        {"stopped", 0, VerdictKind::Incomplete, 1, 30},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.how);
        Rig rig;
        ASSERT_EQ(rig.control.Start(Settings(60, 180)), "");
        EXPECT_EQ(rig.timers.find(kTimer)->interval(), 180000);
        const std::string how = row.how;
        double t = 0;
        const auto until = [&](double end) {
            while (t + 0.5 <= end + 1e-9 && rig.control.running()) {
                t += 0.5;
                rig.block(0.5, 0.3 + row.drift * t / 3600);
            }
        };
        if (how == "stopped") {
            until(30);
            rig.control.Stop();
        } else if (how == "drifting until the timer") {
            until(179.5);
            EXPECT_TRUE(rig.control.running());
            rig.now += 0.5;
            rig.timers.fire(kTimer);
        } else {
            until(100);
        }
        EXPECT_FALSE(rig.control.running());
        EXPECT_EQ(rig.events.back(), StandbyTestControl::Event::Finished);
        const Verdict v = rig.control.verdict();
        EXPECT_EQ(v.kind, row.kind);
        EXPECT_EQ(v.exitCode, row.exitCode);
        EXPECT_NEAR(rig.control.result().elapsedSeconds, row.elapsed, 1e-6);
        if (how == "stable at the period") {
            EXPECT_EQ(rig.control.result().readings, 120u);  // 0.5 .. 60 s: the rules ended it
            EXPECT_NEAR(rig.control.result().meanPower, 0.3, 1e-6);
            EXPECT_TRUE(rig.control.result().supply.ok());
        }
        if (how == "drifting until the timer") {
            EXPECT_NEAR(rig.control.result().slope, 1.0, 1e-3);
        }
        // After the end the feed changes nothing.
        const std::size_t readings = rig.control.result().readings;
        rig.block(0.5, 5);
        EXPECT_EQ(rig.control.result().readings, readings);
    }
}

TEST(StandbyTestControl, RefusedSettingsAndTheRangeAtTheStart) {
    Rig rig;
    EXPECT_EQ(rig.control.Start(Settings(30, 90)), kStandbyPeriodRangeText);
    EXPECT_EQ(rig.control.Start(Settings(600, 500)), kStandbyMaxRangeText);
    EXPECT_FALSE(rig.control.started());
    EXPECT_TRUE(rig.events.empty());
    EXPECT_EQ(rig.control.verdict().kind, VerdictKind::None);

    int asked = 0;
    rig.control.setRangeReader([&asked]() -> std::optional<CurrentRangeSetting> {
        ++asked;
        return CurrentRangeSetting{false, 3};
    });
    ASSERT_EQ(rig.control.Start(Settings(60, 180)), "");
    EXPECT_EQ(asked, 1);
    ASSERT_TRUE(rig.control.result().range);
    EXPECT_EQ(rig.control.result().range->range, 3);
    // Readings are timed from the start, whatever the clock says.
    rig.block(2.0, 0.3);
    EXPECT_EQ(rig.control.test().rows().front().seconds, 2.0);
}

}  // namespace
}  // namespace lxv
