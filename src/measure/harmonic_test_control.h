// The harmonic emissions test as the session runs it: Start takes the
// settings and starts the shared observation (observation_control.h), which
// feeds every block of the measurement feed, with the time it arrived, into
// the test until the observation time is over; Stop ends the observation
// early. It keeps running whether or not its window is shown, and a task
// without a window uses it the same way.
//
// Owns: the running test, its observation (timer
// "HarmonicTest.ObservationTimer"), the final result. Depends on:
// measure/harmonic_test.h, measure/observation_control.h, measure/verdict.h. No Qt.
#pragma once

#include <functional>
#include <optional>

#include "measure/harmonic_test.h"
#include "measure/observation_control.h"
#include "measure/verdict.h"

namespace lxv {

// The verdict of a result as window, page, CSV and command line show it.
Verdict HarmonicTestVerdict(const HarmonicTestResult& result);

class HarmonicTestControl : private ObservationRules {
  public:
    using Clock = ObservationControl::Clock;
    using Event = ObservationControl::Event;

    explicit HarmonicTestControl(SessionCore& core, Clock clock = SteadySeconds);

    void setContinuousStarter(std::function<bool()> starter) {
        observation_.setContinuousStarter(std::move(starter));
    }
    void setClock(Clock clock) { observation_.setClock(std::move(clock)); }
    int subscribe(std::function<void(Event)> listener) { return observation_.subscribe(std::move(listener)); }
    void unsubscribe(int id) { observation_.unsubscribe(id); }

    // Starts an observation (a running one is dropped): empty when it runs,
    // else the sentence that says why not (nothing changed then).
    UiText Start(const HarmonicTestSettings& settings);
    // Ends the running observation now; its result covers the blocks so far.
    void Stop() { observation_.Stop(); }
    // The observation time is over (the timer's handler).
    void ObservationOver() { observation_.ObservationOver(); }

    bool running() const { return observation_.running(); }
    bool started() const { return observation_.started(); }  // a test was started in this session
    double elapsedSeconds() const { return observation_.elapsedSeconds(); }
    const HarmonicTestSettings& settings() const { return test_.settings(); }
    // The result of the blocks so far, or the final result once the observation ended.
    const HarmonicTestResult& result() const;
    Verdict verdict() const { return HarmonicTestVerdict(result()); }
    Timer& observationTimer() { return observation_.observationTimer(); }
    ObservationControl& observation() { return observation_; }

  private:
    bool TakeBlock(const MeasureRecord& block, double seconds) override;
    void Ended(ObservationEnd end, double elapsedSeconds) override;

    ObservationControl observation_;
    HarmonicTest test_;
    mutable std::optional<HarmonicTestResult> result_;  // of the blocks so far; kept once final
};

}  // namespace lxv
