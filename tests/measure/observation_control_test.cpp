// The observation every test procedure runs on: how it ends (its longest time
// by the timer or by a late block, its rules, Stop), what its rules are told,
// and that a refused or repeated start leaves nothing half done; and the
// verdicts every procedure's views and exit codes take.
#include "measure/observation_control.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cycle/measure_control.h"
#include "link/registers.h"
#include "measure/verdict.h"
#include "core/session_core.h"
#include "support/fake_serial_port.h"
#include "support/manual_timers.h"

namespace lxv {
namespace {

constexpr const char* kTimer = "Procedure.ObservationTimer";

// Rules that end the observation at their `endAt`-th block and log what they are told.
struct CountingRules : ObservationRules {
    int endAt = 0;  // 0: never
    std::vector<double> times;
    std::vector<std::pair<ObservationEnd, double>> ended;
    bool TakeBlock(const MeasureRecord&, double seconds) override {
        times.push_back(seconds);
        return endAt > 0 && static_cast<int>(times.size()) == endAt;
    }
    void Ended(ObservationEnd end, double elapsed) override { ended.push_back({end, elapsed}); }
};

struct Rig {
    test::FakeSerialPort port;
    test::ManualTimers timers;
    SessionCore core{port, timers};
    MeasureControl measure{core};
    double now = 500.0;
    ObservationControl observation{core, kTimer, [this] { return now; }};
    std::vector<ObservationControl::Event> events;

    explicit Rig(bool portReady = true) {
        port.present = {3};
        port.open(3, 14400);
        measure.SetPortReady(portReady);
        observation.setContinuousStarter([this] { return measure.StartContinuous(); });
        observation.subscribe([this](ObservationControl::Event e) { events.push_back(e); });
    }
    void block(double dt) {
        now += dt;
        MeasureRecord r;
        ResetMeasurement(r);
        const std::vector<std::uint8_t> reply = test::WithCrc({r.data(), r.data() + kBlockSize});
        // A block is taken as the answer to a block request on the line.
        if (!core.requests.pending(this)) {
            core.requests.read(MEAS, kMeasCount, Expect::Block, this);
            port.written.pop_back();
        }
        core.dispatcher.handleReply(reply.data(), reply.size());
    }
};

TEST(ObservationControl, EndsAtItsTimeByItsRulesOrByStop) {
    struct Row {
        const char* how;
        int blocks;              // 1 s apart
        int endAt;               // the rules' block; 0 never
        ObservationEnd end;
        int taken;
        double elapsed;
    };
    const Row rows[] = {
        {"timer", 5, 0, ObservationEnd::TimeOut, 5, 10.0},       // the timer ran late: still 10 s
        {"late block", 10, 0, ObservationEnd::TimeOut, 9, 10.0},  // the 10th block is at 10 s: not taken
        {"rules", 8, 4, ObservationEnd::Rules, 4, 4.0},           // ends with the block that decided
        {"stop", 3, 0, ObservationEnd::Stopped, 3, 3.0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.how);
        Rig rig;
        CountingRules rules;
        rules.endAt = row.endAt;
        ASSERT_EQ(rig.observation.Start(10.0, rules), "");
        EXPECT_EQ(rig.timers.find(kTimer)->interval(), 10000);
        for (int k = 0; k < row.blocks; ++k) rig.block(1.0);
        const std::string how = row.how;
        if (how == "timer") {
            rig.now += 7.5;
            rig.timers.fire(kTimer);
        }
        if (how == "stop") rig.observation.Stop();
        EXPECT_FALSE(rig.observation.running());
        EXPECT_FALSE(rig.timers.find(kTimer)->isActive());
        EXPECT_EQ(rig.observation.end(), row.end);
        EXPECT_EQ(static_cast<int>(rules.times.size()), row.taken);
        EXPECT_EQ(rig.observation.blocks(), row.taken);
        ASSERT_EQ(rules.ended.size(), 1u);  // told once, before the listeners
        EXPECT_EQ(rules.ended[0].first, row.end);
        EXPECT_DOUBLE_EQ(rules.ended[0].second, row.elapsed);
        EXPECT_DOUBLE_EQ(rig.observation.elapsedSeconds(), row.elapsed);
        EXPECT_EQ(rig.events.back(), ObservationControl::Event::Finished);
        // After the end nothing more is taken or told, whatever comes.
        const std::size_t events = rig.events.size();
        rig.block(1.0);
        rig.observation.Stop();
        rig.timers.fire(kTimer);
        EXPECT_EQ(static_cast<int>(rules.times.size()), row.taken);
        EXPECT_EQ(rules.ended.size(), 1u);
        EXPECT_EQ(rig.events.size(), events);
    }
}

TEST(ObservationControl, ARefusedStartChangesNothingAndARestartDropsTheRunningOne) {
    Rig idle(false);
    CountingRules rules;
    EXPECT_EQ(idle.observation.Start(10.0, rules), kContinuousUnavailableText);
    EXPECT_FALSE(idle.observation.started());
    EXPECT_FALSE(idle.timers.find(kTimer)->isActive());
    EXPECT_TRUE(idle.events.empty());

    Rig rig;
    CountingRules first, second;
    ASSERT_EQ(rig.observation.Start(10.0, first), "");
    EXPECT_EQ(rig.core.state.MeasureMode, MeasureMode::Continuous);
    rig.block(1.0);
    ASSERT_EQ(rig.observation.Start(20.0, second), "");
    EXPECT_TRUE(first.ended.empty());  // dropped, not ended
    EXPECT_EQ(rig.observation.blocks(), 0);
    EXPECT_EQ(rig.timers.find(kTimer)->interval(), 20000);
    rig.block(1.0);
    EXPECT_EQ(first.times.size(), 1u);
    EXPECT_EQ(second.times, std::vector<double>{502.0});  // the block's time on the controller's clock
    EXPECT_DOUBLE_EQ(rig.observation.elapsedSeconds(), 1.0);
}

TEST(Verdict, EachKindHasItsTextFileWordColourAndExitCode) {
    struct Row {
        VerdictKind kind;
        const char* text;
        const char* fileWord;
        Rgb colour;
        int exitCode;
        bool hasVerdict;
    };
    const Row rows[] = {
        {VerdictKind::Pass, "PASS", "PASS", kVerdictGreen, 0, true},
        {VerdictKind::Fail, "FAIL", "FAIL", kVerdictRed, 3, true},
        {VerdictKind::NotApplicable, "NOT APPLICABLE", "NOT APPLICABLE", kVerdictAmber, 4, true},
        {VerdictKind::PassOutsideConditions, "PASS (supply outside the conditions)", "PASS", kVerdictAmber, 5,
         true},
        {VerdictKind::NotStable, "NOT STABLE", "NOT STABLE", kVerdictAmber, 6, true},
        {VerdictKind::Incomplete, "INCOMPLETE after 59 s of 600 s", "INCOMPLETE", kVerdictAmber, 1, false},
        {VerdictKind::None, "NO VERDICT", "NO VERDICT", kVerdictAmber, 1, false},
    };
    for (const Row& row : rows) {
        const Verdict v = MakeVerdict(row.kind, 59.9, 600);
        SCOPED_TRACE(row.text);
        EXPECT_EQ(v.kind, row.kind);
        EXPECT_EQ(v.text, row.text);
        EXPECT_STREQ(v.fileWord, row.fileWord);
        EXPECT_EQ(v.colour, row.colour);
        EXPECT_EQ(v.exitCode, row.exitCode);
        EXPECT_EQ(v.hasVerdict(), row.hasVerdict);
    }
}

}  // namespace
}  // namespace lxv
