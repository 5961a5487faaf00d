// The harmonic test in the session core: it starts continuous measurement
// through the measurement control when needed (refused without a port), takes
// the blocks of the feed with their arrival time, ends by its timer or at the
// first block past the observation, and can be stopped early.
#include "measure/harmonic_test_control.h"

#include <gtest/gtest.h>

#include <cmath>

#include "cycle/measure_control.h"
#include "link/registers.h"
#include "core/session_core.h"
#include "support/fake_serial_port.h"
#include "support/manual_timers.h"

namespace lxv {
namespace {

constexpr const char* kTimer = "HarmonicTest.ObservationTimer";

struct Rig {
    test::FakeSerialPort port;
    test::ManualTimers timers;
    SessionCore core{port, timers};
    MeasureControl measure{core};
    double now = 1000.0;
    HarmonicTestControl control{core, [this] { return now; }};
    std::vector<HarmonicTestControl::Event> events;
    int cycleEffects = 0;

    explicit Rig(bool portReady) {
        port.present = {3};
        port.open(3, 14400);
        measure.SetPortReady(portReady);
        measure.setEffectsHandler([this](const CycleEffects&) { ++cycleEffects; });
        control.setContinuousStarter([this] { return measure.StartContinuous(); });
        control.subscribe([this](HarmonicTestControl::Event e) { events.push_back(e); });
    }
    // A 230 W block with 3 A of third harmonic (class A limit 2.30 A) arrives `dt` seconds after the last.
    void block(double dt, float thirdAmperes = 3.0f) {
        now += dt;
        MeasureRecord r;
        ResetMeasurement(r);
        r.setScalar(Scalar::IRMS, 5.0f);
        r.setScalar(Scalar::WRMS, 230.0f);
        r.setIHarmonic(3, thirdAmperes * static_cast<float>(std::sqrt(2.0)));
        const std::vector<std::uint8_t> reply = test::WithCrc({r.data(), r.data() + kBlockSize});
        // A block is taken as the answer to a block request on the line.
        if (!core.requests.pending(this)) {
            core.requests.read(MEAS, kMeasCount, Expect::Block, this);
            port.written.pop_back();
        }
        core.dispatcher.handleReply(reply.data(), reply.size());
    }
    int measRequests() const {
        int n = 0;
        for (const auto& f : port.written) n += test::IsRead(f, MEAS, kMeasCount);
        return n;
    }
};

HarmonicTestSettings Seconds(double seconds) {
    HarmonicTestSettings s;
    s.observationSeconds = seconds;
    return s;
}

TEST(HarmonicTestControl, StartsContinuousMeasurementOnlyWhenItCanAndNeedsTo) {
    Rig idle(false);  // no port ready: the continuous command is disabled
    EXPECT_EQ(idle.control.Start(Seconds(20)), kContinuousUnavailableText);
    EXPECT_FALSE(idle.control.running());
    EXPECT_FALSE(idle.control.started());
    EXPECT_EQ(idle.measRequests(), 0);
    EXPECT_TRUE(idle.events.empty());

    // A single measurement under way disables the continuous button, but continuous may follow it.
    Rig single(true);
    single.measure.Single();
    ASSERT_FALSE(single.measure.actions().button8);
    EXPECT_EQ(single.control.Start(Seconds(20)), "");
    EXPECT_EQ(single.core.state.MeasureMode, MeasureMode::Continuous);

    Rig rig(true);
    EXPECT_EQ(rig.control.Start(Seconds(5)), kObservationRangeText);
    EXPECT_FALSE(rig.control.running());
    EXPECT_EQ(rig.control.Start(Seconds(20)), "");
    EXPECT_TRUE(rig.control.running());
    EXPECT_EQ(rig.core.state.MeasureMode, MeasureMode::Continuous);
    EXPECT_EQ(rig.measRequests(), 1);
    EXPECT_EQ(rig.cycleEffects, 1);  // the main window applies the command's effects
    EXPECT_FALSE(rig.measure.actions().button8);
    ASSERT_TRUE(rig.timers.find(kTimer)->isActive());
    EXPECT_EQ(rig.timers.find(kTimer)->interval(), 20000);
    EXPECT_EQ(rig.events, std::vector{HarmonicTestControl::Event::Started});
    // A second start while measuring continuously asks for nothing more and starts afresh.
    rig.block(0.05);
    EXPECT_EQ(rig.control.result().blocks, 1);
    EXPECT_EQ(rig.control.Start(Seconds(30)), "");
    EXPECT_EQ(rig.measRequests(), 1);
    EXPECT_EQ(rig.control.result().blocks, 0);
    EXPECT_EQ(rig.timers.find(kTimer)->interval(), 30000);
}

TEST(HarmonicTestControl, TakesBlocksUntilTheObservationIsOver) {
    struct Row {
        const char* how;
        int expectedBlocks;
    };
    for (const Row& row : {Row{"timer", 200}, Row{"late block", 200}, Row{"stop", 100}}) {
        SCOPED_TRACE(row.how);
        Rig rig(true);
        ASSERT_EQ(rig.control.Start(Seconds(10.01)), "");
        const std::string how = row.how;
        for (int k = 0; k < (how == "stop" ? 100 : 200); ++k) rig.block(0.05);
        EXPECT_TRUE(rig.control.running());
        EXPECT_NEAR(rig.control.elapsedSeconds(), how == "stop" ? 5.0 : 10.0, 1e-9);
        EXPECT_EQ(rig.control.result().verdict, TestVerdict::Fail);  // live, before the end
        if (how == "timer") rig.timers.fire(kTimer);
        if (how == "late block") rig.block(0.05);  // 10.05 s: past the observation, not taken
        if (how == "stop") rig.control.Stop();
        EXPECT_FALSE(rig.control.running());
        EXPECT_FALSE(rig.timers.find(kTimer)->isActive());
        EXPECT_EQ(rig.events.back(), HarmonicTestControl::Event::Finished);
        const HarmonicTestResult& r = rig.control.result();
        EXPECT_EQ(r.blocks, row.expectedBlocks);
        // Stopped, a mean over the limit (its maximum at 130 %) is no certain failure.
        EXPECT_EQ(r.verdict, how == "stop" ? TestVerdict::Incomplete : TestVerdict::Fail);
        EXPECT_NEAR(r.order(3).mean, 3.0, 1e-5);
        EXPECT_EQ(r.stoppedAfterSeconds.has_value(), how == "stop");
        if (how == "stop") {
            EXPECT_EQ(HarmonicTestNotes(r).front(), "The observation was stopped after 5 s of 10.01 s.");
        }
        // After the end the feed changes nothing, and the elapsed time stands still.
        const double elapsed = rig.control.elapsedSeconds();
        const std::size_t events = rig.events.size();
        rig.block(0.05, 0.1f);
        rig.block(5.0, 0.1f);
        EXPECT_EQ(rig.control.result().blocks, row.expectedBlocks);
        EXPECT_EQ(rig.control.elapsedSeconds(), elapsed);
        EXPECT_EQ(rig.events.size(), events);
        // The measurement keeps running: the test only reads it.
        EXPECT_EQ(rig.core.state.MeasureMode, MeasureMode::Continuous);
    }
}

TEST(HarmonicTestControl, AnObservationWithoutBlocksEndsWithoutAVerdict) {
    Rig rig(true);
    ASSERT_EQ(rig.control.Start(Seconds(10)), "");
    for (int k = 0; k < 3; ++k) rig.block(0.05);
    rig.now += 10;
    rig.timers.fire(kTimer);
    EXPECT_FALSE(rig.control.running());
    EXPECT_FALSE(rig.control.result().hasVerdict());
    EXPECT_EQ(HarmonicTestExitCode(rig.control.result()), 1);
    EXPECT_NEAR(rig.control.elapsedSeconds(), 10.0, 1e-9);  // the observation's length, not later
}

}  // namespace
}  // namespace lxv
