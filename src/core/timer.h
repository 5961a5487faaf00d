// Timers as controllers see them: started, stopped and fired without Qt, so a
// controller keeps its own timers whether or not its window is shown, and a
// test fires them itself. The program makes them on QTimer (qt_timers.h);
// tests use ManualTimers (tests/support/manual_timers.h).
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>

namespace lxv {

class Timer {
  public:
    virtual ~Timer() = default;
    // (Re)starts the timer with this interval in milliseconds.
    virtual void start(int ms) = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
    virtual int interval() const = 0;
    // (Re)starts it to run out `ms` after `from`, a moment already past (at
    // once when that is past too). A timer that cannot count from the past
    // counts from now.
    virtual void startFrom(std::chrono::steady_clock::time_point from, int ms) {
        (void)from;
        start(ms);
    }
    // Called on the user-interface thread when the timer runs out.
    void setHandler(std::function<void()> handler) { handler_ = std::move(handler); }

  protected:
    void fire() {
        if (handler_) handler_();
    }

  private:
    std::function<void()> handler_;
};

class TimerFactory {
  public:
    virtual ~TimerFactory() = default;
    // A stopped timer; a single-shot one stops itself before its handler runs.
    // The name is the timer's object name (for tests and traces).
    virtual std::unique_ptr<Timer> create(const std::string& name, bool singleShot) = 0;
};

}  // namespace lxv
