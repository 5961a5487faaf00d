// The observation of a test procedure as the session runs it, the part every
// procedure shares: Start starts continuous measurement when it is not
// running (through the measurement control's own command, as the user
// would), then hands every block of the session's measurement feed, with the
// time it arrived, to the procedure's rules until the observation ends: at
// its longest time (the timer), when the rules say so, or by Stop. It keeps
// running whether or not its window is shown, and a task without a window
// uses it the same way. Listeners hear of the start, every block taken and
// the end.
//
// A procedure's controller (harmonic_test_control.h) owns one, implements
// ObservationRules over its own rules and keeps its own result.
//
// Owns: the observation's timer (named by the procedure), its start and end
// times, the listeners. Depends on: measure/measure_block.h, session/ (the
// feed, the measurement state, timers). No Qt.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/measure_block.h"
#include "platform/ui_text.h"

namespace lxv {

struct SessionCore;
class Timer;

inline constexpr const char* kContinuousUnavailableText = QT_TRANSLATE_NOOP(
    "lxv", "The test needs continuous measurement, which cannot start while no instrument port is open.");

// Seconds on the system's steady clock.
double SteadySeconds();

// How an observation ended.
enum class ObservationEnd {
    None,     // still running, or never started
    TimeOut,  // its longest time was over
    Rules,    // the procedure's rules ended it (a verdict reached early)
    Stopped,  // Stop: the user or a task ended it early
};

// What a procedure's rules do with the observation.
class ObservationRules {
  public:
    virtual ~ObservationRules() = default;
    // A block of the observation and its time on the controller's clock (seconds).
    // True when the rules end the observation with this block.
    virtual bool TakeBlock(const MeasureRecord& block, double seconds) = 0;
    // The observation has ended (before the listeners hear of it): `elapsed` its
    // seconds, which are the longest time when it timed out.
    virtual void Ended(ObservationEnd end, double elapsedSeconds) = 0;
};

class ObservationControl {
  public:
    using Clock = std::function<double()>;  // seconds, never going back
    enum class Event { Started, Block, Finished };

    // `timerName` names the observation's timer ("HarmonicTest.ObservationTimer").
    ObservationControl(SessionCore& core, const char* timerName, Clock clock = SteadySeconds);
    ~ObservationControl();
    ObservationControl(const ObservationControl&) = delete;
    ObservationControl& operator=(const ObservationControl&) = delete;

    // How continuous measurement is started: true when it runs afterwards,
    // false when its command is not available (no port).
    void setContinuousStarter(std::function<bool()> starter) { startContinuous_ = std::move(starter); }
    // Another clock from now on (a test's own), before a start.
    void setClock(Clock clock) { clock_ = std::move(clock); }
    // Told after a start, after every block taken and when the observation
    // ends. Returns an id for unsubscribe().
    int subscribe(std::function<void(Event)> listener);
    void unsubscribe(int id);

    // Starts an observation of at most `longestSeconds` fed to `rules` (a running
    // one is dropped without being told): empty when it runs, else the sentence
    // that says why not (nothing changed then). `rules` must outlive the observation.
    UiText Start(double longestSeconds, ObservationRules& rules);
    // Ends the running observation now.
    void Stop();
    // The longest time is over (the timer's handler).
    void ObservationOver();

    bool running() const { return running_; }
    bool started() const { return started_; }  // an observation was started in this session
    ObservationEnd end() const { return end_; }
    int blocks() const { return blocks_; }  // taken by the rules since the start
    // Seconds since the start; frozen when the observation ended.
    double elapsedSeconds() const;
    double longestSeconds() const { return longestSeconds_; }
    double now() const { return clock_(); }
    Timer& observationTimer() { return *timer_; }

  private:
    void BlockArrived(const MeasureRecord& record);
    void Finish(ObservationEnd end);
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
    ObservationRules* rules_ = nullptr;
    bool running_ = false, started_ = false;
    int blocks_ = 0;
    ObservationEnd end_ = ObservationEnd::None;
    double longestSeconds_ = 0, startSeconds_ = 0, endSeconds_ = 0;
};

}  // namespace lxv
