// The single/continuous measurement cycle as plain logic: what each action,
// timer tick and received block changes in the link state, which requests go
// out, which controls are enabled and which timers the window must start or
// stop. The main window owns the controls and timers and applies the result.
// It takes the measurement route: a whole block is stored in the session's
// record, announced on the measurement feed, and its effects handed to the window.
// Depends on: core/session_core.h. No Qt.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/ui_text.h"

namespace lxv {

struct SessionCore;
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

// What the window does after a step of the cycle.
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
    // Registers the measurement route on the session's dispatcher.
    explicit MeasureControl(SessionCore& core);
    ~MeasureControl();
    MeasureControl(const MeasureControl&) = delete;
    MeasureControl& operator=(const MeasureControl&) = delete;

    // Where the effects of a received block go (the main window applies them).
    void setEffectsHandler(std::function<void(const CycleEffects&)> h) { effects_ = std::move(h); }
    // Called before a measurement command sends: a plain port that an error
    // closed is opened again there.
    void setBeforeStart(std::function<void()> h) { beforeStart_ = std::move(h); }

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

    SessionCore& core_;
    MeasureActions actions_;
    std::function<void(const CycleEffects&)> effects_;
    bool reRequestHeld_ = false;     // ReReadTimer's request waits for ContinuousReadTimer
    std::uint32_t sentWhenHeld_ = 0;  // frames out when it was held
    std::function<void()> beforeStart_;
};

}  // namespace lxv
