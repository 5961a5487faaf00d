// One step of an exchange with the instrument that waits for its answer (a
// read reply or a write acknowledgement): sent again when no answer came
// within 2 s, at most three times; then given up, so a chain never stalls
// silently. Shared by the three configuration controllers.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui_text.h"

namespace lxv {

class Timer;
class TimerFactory;

// What a window does after an action of its controller.
struct ConfigEffects {
    UiText message;  // a message box to show, or empty
};

// Who is told when a controller changed what its window shows (the window,
// the test hooks).
class ChangeListeners {
  public:
    void add(std::function<void()> listener) { listeners_.push_back(std::move(listener)); }
    void notify() const {
        for (const auto& listener : listeners_) listener();
    }

  private:
    std::vector<std::function<void()>> listeners_;
};

// "Transfer failed at AL2H": the window status after a step was given up.
UiText TransferFailedText(std::uint16_t reg);

class ChainStep {
  public:
    static constexpr int kWaitMs = 2000;
    static constexpr int kResends = 3;

    // `giveUp` is called with the step's register after the last resend went unanswered.
    ChainStep(TimerFactory& timers, const std::string& timerName, std::function<void(std::uint16_t)> giveUp);
    ~ChainStep();

    // A step went out: waits for its answer; `resend` sends it again.
    void sent(std::uint16_t reg, std::function<void()> resend);
    // The answer came (or the step ended otherwise): stop waiting.
    void answered();

    bool waiting() const { return waiting_; }
    std::uint16_t reg() const { return reg_; }

  private:
    void timeout();

    std::unique_ptr<Timer> timer_;
    std::function<void(std::uint16_t)> giveUp_;
    std::function<void()> resend_;
    std::uint16_t reg_ = 0;
    int resends_ = 0;
    bool waiting_ = false;
};

}  // namespace lxv
