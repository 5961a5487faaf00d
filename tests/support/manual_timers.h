// Controllers' timers for tests: nothing runs by itself; a test finds a timer
// by its name and fires it.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "core/timer.h"

namespace lxv::test {

class ManualTimer : public Timer {
  public:
    explicit ManualTimer(bool singleShot) : singleShot_(singleShot) {}
    void start(int ms) override {
        interval_ = ms;
        active_ = true;
        ++starts_;
    }
    // How often it was (re)started: a simulated clock counts its interval from each start.
    int starts() const { return starts_; }
    void stop() override { active_ = false; }
    bool isActive() const override { return active_; }
    int interval() const override { return interval_; }
    // Runs the timer out, as the event loop would; a stopped timer does nothing.
    void fireNow() {
        if (!active_) return;
        if (singleShot_) active_ = false;
        fire();
    }

  private:
    bool singleShot_;
    int starts_ = 0;
    bool active_ = false;
    int interval_ = 0;
};

class ManualTimers : public TimerFactory {
  public:
    std::unique_ptr<Timer> create(const std::string& name, bool singleShot) override {
        auto timer = std::make_unique<ManualTimer>(singleShot);
        timers_[name] = timer.get();
        return timer;
    }
    // The timer made last under this name, or nullptr.
    ManualTimer* find(const std::string& name) const {
        const auto it = timers_.find(name);
        return it == timers_.end() ? nullptr : it->second;
    }
    // Fires the named timer when it runs; false when there is none or it is stopped.
    bool fire(const std::string& name) {
        ManualTimer* t = find(name);
        if (!t || !t->isActive()) return false;
        t->fireNow();
        return true;
    }

    // Every timer by name (the one made last under each name).
    const std::map<std::string, ManualTimer*>& all() const { return timers_; }

  private:
    std::map<std::string, ManualTimer*> timers_;
};

}  // namespace lxv::test
