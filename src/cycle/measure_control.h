// The single/continuous measurement cycle as plain logic, for the main
// window and every command-line task alike: what each action, timer tick and
// received block changes in the link state, which requests go out, which
// controls are enabled. It owns the cycle's two timers (ContinuousReadTimer:
// the next request 50 ms after each block, counted from the read that
// completed it; ReReadTimer: a block overdue is asked for again) and sets
// status panel 0, so the cycle runs the same with or without a window.
// It takes the measurement route: a whole block is stored in the session's
// record, announced on the measurement feed, and its effects handed to the window.
// Its requests go through the session's request queue: a read or write that
// another controller asks for while measuring goes out between two blocks.
// Depends on: core/session_core.h. No Qt.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/ui_text.h"

namespace lxv {

struct SessionCore;
class Timer;
enum class MeasureMode : std::uint8_t;

// Enabled state of the controls that the cycle switches.
struct MeasureActions {
    bool button7 = false;  // single measurement tool button
    bool button8 = false;  // continuous
    bool button9 = false;  // stop
    bool n12 = true;       // single measurement menu item
    bool n13 = true;       // continuous
    bool n14 = false;      // stop
    bool c1 = true;        // port settings
    friend bool operator==(const MeasureActions&, const MeasureActions&) = default;
};

// A step of the cycle: the window shows what concerns it (the control
// states, the message, the redraw); the timers and status panel 0 are the
// controller's own and already set when the window hears of it.
struct CycleEffects {
    const char* status = nullptr;  // new text of status panel 0, or none
    bool sendFailed = false;       // show the "not connected" message
    bool refreshDisplay = false;   // ShowMeasurement
    bool startReRead = false;
    bool stopReRead = false;
    bool startContinuous = false;
    bool continuousFromReply = false;  // counted from the read that completed the reply, not from now
    bool stopContinuous = false;
};

// ContinuousReadTimer: the next request of continuous measurement follows each block after this.
inline constexpr int kContinuousReadMs = 50;

inline constexpr const char* kSendFailedText =
    QT_TRANSLATE_NOOP("lxv", "Read the request failed, instruments and computers have not connected.");
inline constexpr const char* kRequestDataText = QT_TRANSLATE_NOOP("lxv", "Request data!");
inline constexpr const char* kReRequestText =
    QT_TRANSLATE_NOOP("lxv", "Communication failure, re-request data!");
inline constexpr const char* kSuccessText = QT_TRANSLATE_NOOP("lxv", "Communication success!");

class MeasureControl {
  public:
    // Registers the measurement route on the session's dispatcher and makes the cycle's timers.
    explicit MeasureControl(SessionCore& core);
    ~MeasureControl();
    MeasureControl(const MeasureControl&) = delete;
    MeasureControl& operator=(const MeasureControl&) = delete;

    // Where the effects of the timers' steps and of a received block go (the main window shows them).
    void setEffectsHandler(std::function<void(const CycleEffects&)> h) { effects_ = std::move(h); }
    // Called before a measurement command sends: a plain port that an error
    // closed is opened again there.
    void setBeforeStart(std::function<void()> h) { beforeStart_ = std::move(h); }

    // The commands: the timers and status are set; the window shows the rest.
    CycleEffects Single();
    CycleEffects Continuous();
    CycleEffects Stop();
    // Continuous measurement started by another controller as the continuous
    // command starts it, its effects going to the effects handler. True when
    // it runs afterwards; false (nothing done) when the command is not
    // available, as its disabled tool button says (no port ready).
    bool StartContinuous();
    // ContinuousReadTimer ran out: the next request of continuous measurement.
    CycleEffects ContinuousTick();
    // ReReadTimer ran out: the measurement reply is overdue.
    CycleEffects ReReadTick();
    // A whole measurement block was received and stored.
    CycleEffects MeasurementArrived();
    // Blocks asked for again after ReReadTimer's wait.
    long reRequests() const { return reRequests_; }
    // The dispatcher's measurement route: stores the block, applies the effects (the
    // cycle's timers start at once), then announces the block to the listeners.
    void BlockReceived(const std::uint8_t* block);

    // The port settings opened a port (true) or found none (false).
    void SetPortReady(bool ready);
    // Sends LINKEND when the USB link is in use; true when it was sent.
    bool SendClosingNotice();

    const MeasureActions& actions() const { return actions_; }

  private:
    CycleEffects Start(MeasureMode mode);
    bool askForBlock(bool again = false);
    // Sets the timers and status panel 0 as the step says, and returns it.
    CycleEffects run(CycleEffects fx);
    void tell(const CycleEffects& fx);

    SessionCore& core_;
    MeasureActions actions_;
    std::function<void(const CycleEffects&)> effects_;
    std::function<void()> beforeStart_;
    std::unique_ptr<Timer> continuous_;  // ContinuousReadTimer
    std::unique_ptr<Timer> reRead_;      // ReReadTimer
    long reRequests_ = 0;
};

}  // namespace lxv
