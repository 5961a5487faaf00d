// The standby power test as the session runs it: Start takes the settings
// and the current range the instrument reported, and starts the shared
// observation (observation_control.h) for at most the longest time; every
// block of the measurement feed becomes a reading, timed from the start, and
// the observation ends as soon as the rules find the power stable from the
// period on, at the longest time, or by Stop. It keeps running whether or not
// its window is shown, and a task without a window uses it the same way.
//
// Owns: the running test, its observation (timer
// "StandbyTest.ObservationTimer"), the final result. Depends on:
// measure/standby_test.h, measure/observation_control.h, measure/verdict.h. No Qt.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "measure/observation_control.h"
#include "measure/standby_test.h"
#include "measure/verdict.h"

namespace lxv {

// The verdict of a result as window, page, CSV and command line show it; a
// stopped test is incomplete after its seconds of the period.
Verdict StandbyTestVerdict(const StandbyResult& result);

class StandbyTestControl : private ObservationRules {
  public:
    using Clock = ObservationControl::Clock;
    using Event = ObservationControl::Event;
    using RangeReader = std::function<std::optional<CurrentRangeSetting>()>;

    explicit StandbyTestControl(SessionCore& core, Clock clock = SteadySeconds);

    void setContinuousStarter(std::function<bool()> starter) {
        observation_.setContinuousStarter(std::move(starter));
    }
    // Where the current range comes from (the instrument's settings as last read).
    void setRangeReader(RangeReader reader) { rangeReader_ = std::move(reader); }
    void setClock(Clock clock) { observation_.setClock(std::move(clock)); }
    int subscribe(std::function<void(Event)> listener) { return observation_.subscribe(std::move(listener)); }
    void unsubscribe(int id) { observation_.unsubscribe(id); }

    // Starts a test (a running one is dropped): empty when it runs, else the
    // sentence that says why not (nothing changed then).
    UiText Start(const StandbySettings& settings);
    // Ends the running test now, without a verdict.
    void Stop() { observation_.Stop(); }
    // The longest time is over (the timer's handler).
    void ObservationOver() { observation_.ObservationOver(); }

    bool running() const { return observation_.running(); }
    bool started() const { return observation_.started(); }
    double elapsedSeconds() const { return observation_.elapsedSeconds(); }
    const StandbySettings& settings() const { return test_.settings(); }
    const StandbyTest& test() const { return test_; }
    // The result of the readings so far, or the final result once the test ended.
    const StandbyResult& result() const;
    Verdict verdict() const { return StandbyTestVerdict(result()); }
    // The local date and time the test ended ("2026-12-09 23:17:02"), empty before.
    const std::string& finishedAt() const { return finishedAt_; }
    Timer& observationTimer() { return observation_.observationTimer(); }
    ObservationControl& observation() { return observation_; }

  private:
    bool TakeBlock(const MeasureRecord& block, double seconds) override;
    void Ended(ObservationEnd end, double elapsedSeconds) override;

    ObservationControl observation_;
    RangeReader rangeReader_;
    StandbyTest test_;
    double startSeconds_ = 0;
    std::string finishedAt_;
    mutable std::optional<StandbyResult> result_;  // of the readings so far; kept once final
};

}  // namespace lxv
