// Timers the test fires by hand (name lookup, no clock).
#pragma once

#include <map>
#include <memory>
#include <stdexcept>
#include <string>

#include "session/timer.h"

namespace lxv::test {

class HandTimer : public Timer {
  public:
    void start(int ms) override {
        interval_ = ms;
        active_ = true;
    }
    void stop() override { active_ = false; }
    bool isActive() const override { return active_; }
    int interval() const override { return interval_; }
    void tick() {
        if (singleShot_) active_ = false;
        fire();
    }
    bool singleShot_ = false;

  private:
    bool active_ = false;
    int interval_ = 0;
};

class HandTimers : public TimerFactory {
  public:
    std::unique_ptr<Timer> create(const std::string& name, bool singleShot) override {
        auto timer = std::make_unique<HandTimer>();
        timer->singleShot_ = singleShot;
        timers_[name] = timer.get();
        return timer;
    }
    HandTimer& operator[](const std::string& name) {
        auto it = timers_.find(name);
        if (it == timers_.end()) throw std::out_of_range(name);
        return *it->second;
    }
    // Fires an active timer; false when it was not running.
    bool fire(const std::string& name) {
        HandTimer& t = (*this)[name];
        if (!t.isActive()) return false;
        t.tick();
        return true;
    }

  private:
    std::map<std::string, HandTimer*> timers_;
};

}  // namespace lxv::test
