// The single/continuous measurement cycle as plain logic: what each action,
// timer tick and received block changes in the link state, which requests go
// out, which controls are enabled and which timers the window must start or
// stop. The main window owns the controls and timers and applies the result.
#pragma once

namespace lxv {

class InstrumentLink;
struct LinkState;

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
    bool stopContinuous = false;
};

inline constexpr const char* kSendFailedText =
    "Read the request failed, instruments and computers have not connected.";
inline constexpr const char* kRequestDataText = "Request data!";
inline constexpr const char* kReRequestText = "Communication failure, re-request data!";
inline constexpr const char* kSuccessText = "Communication success!";

class MeasureControl {
  public:
    MeasureControl(InstrumentLink& link, LinkState& state) : link_(link), state_(state) {}

    CycleEffects Single();
    CycleEffects Continuous();
    CycleEffects Stop();
    // ContinuousReadTimer ran out: the next request of continuous measurement.
    CycleEffects ContinuousTick();
    // ReReadTimer ran out: the measurement reply is overdue.
    CycleEffects ReReadTick();
    // A whole measurement block was received and shown.
    CycleEffects MeasurementArrived();

    // The port settings opened a port (true) or found none (false).
    void SetPortReady(bool ready);
    // Sends LINKEND when the USB link is in use; true when it was sent.
    bool SendClosingNotice();

    const MeasureActions& actions() const { return actions_; }

  private:
    CycleEffects Start(int mode);

    InstrumentLink& link_;
    LinkState& state_;
    MeasureActions actions_;
};

}  // namespace lxv
