// The harmonic emissions test as the session runs it: Start takes the
// settings, starts continuous measurement when it is not running (through the
// measurement control's own command, as the user would), then feeds every
// block of the measurement feed, with the time it arrived, into the test
// until the observation time is over; Stop ends the observation early. It
// keeps running whether or not its window is shown, and a task without a
// window uses it the same way.
//
// Owns: the running observation, its timer "HarmonicTest.ObservationTimer",
// the final result. Depends on: measure/harmonic_test.h, session/ (the feed,
// the measurement state, timers). No Qt.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "measure/harmonic_test.h"

namespace lxv {

struct SessionCore;
class Timer;

inline constexpr const char* kContinuousUnavailableText = QT_TRANSLATE_NOOP(
    "lxv", "The test needs continuous measurement, which cannot start while no instrument port is open.");

// Seconds on the system's steady clock.
double SteadySeconds();
// The local date and time, "2026-12-09 23:10:04".
std::string LocalTimeText();

class HarmonicTestControl {
  public:
    using Clock = std::function<double()>;  // seconds, never going back
    enum class Event { Started, Block, Finished };

    explicit HarmonicTestControl(SessionCore& core, Clock clock = SteadySeconds);
    ~HarmonicTestControl();
    HarmonicTestControl(const HarmonicTestControl&) = delete;
    HarmonicTestControl& operator=(const HarmonicTestControl&) = delete;

    // How continuous measurement is started: true when it runs afterwards,
    // false when its command is not available (no port).
    void setContinuousStarter(std::function<bool()> starter) { startContinuous_ = std::move(starter); }
    // Another clock from now on (a test's own), before a start.
    void setClock(Clock clock) { clock_ = std::move(clock); }
    // Told after a start, after every block taken and when the observation
    // ends. Returns an id for unsubscribe().
    int subscribe(std::function<void(Event)> listener);
    void unsubscribe(int id);

    // Starts an observation (a running one is dropped): empty when it runs,
    // else the sentence that says why not (nothing changed then).
    UiText Start(const HarmonicTestSettings& settings);
    // Ends the running observation now; its result covers the blocks so far.
    void Stop();
    // The observation time is over (the timer's handler).
    void ObservationOver();

    bool running() const { return running_; }
    bool started() const { return started_; }  // a test was started in this session
    // Seconds since the start; frozen when the observation ended.
    double elapsedSeconds() const;
    const HarmonicTestSettings& settings() const { return test_.settings(); }
    // The result of the blocks so far, or the final result once the observation ended.
    const HarmonicTestResult& result() const;
    Timer& observationTimer() { return *timer_; }

  private:
    void BlockArrived(const MeasureRecord& record);
    void Finish(bool early);
    void Notify(Event event);

    SessionCore& core_;
    Clock clock_;
    std::unique_ptr<Timer> timer_;
    int feedId_ = 0;
    std::function<bool()> startContinuous_;
    struct Listener {
        int id;
        std::function<void(Event)> call;
    };
    std::vector<Listener> listeners_;
    int nextListener_ = 1;
    HarmonicTest test_;
    bool running_ = false, started_ = false;
    double startSeconds_ = 0, endSeconds_ = 0;
    mutable std::optional<HarmonicTestResult> result_;  // of the blocks so far; kept once final
};

}  // namespace lxv
