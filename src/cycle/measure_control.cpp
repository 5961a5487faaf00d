#include "cycle/measure_control.h"

#include "link/registers.h"
#include "platform/serial_port.h"
#include "core/session_core.h"

namespace lxv {

MeasureControl::MeasureControl(SessionCore& core) : core_(core) {
    core_.dispatcher.setMeasureHandler([this](const std::uint8_t* block) { BlockReceived(block); });
}

MeasureControl::~MeasureControl() {
    core_.dispatcher.setMeasureHandler({});
}

void MeasureControl::BlockReceived(const std::uint8_t* block) {
    AcceptMeasureBlock(core_.record, block);
    // The timers first: the instrument's 50 ms count from the reply, not from
    // the end of the redraw and of whatever else the listeners do.
    const CycleEffects fx = MeasurementArrived();
    if (effects_) effects_(fx);
    core_.measurements.publish(core_.record);
}

CycleEffects MeasureControl::Start(MeasureMode mode) {
    if (beforeStart_) beforeStart_();
    reRequestHeld_ = false;
    CycleEffects fx;
    // Even without a link the mode is entered: ReReadTimer keeps asking every 2 s.
    fx.sendFailed = !core_.requests.sendRead(MEAS, kMeasCount, Remember::Yes);
    core_.state.MeasureMode = mode;
    actions_.button7 = false;
    actions_.button8 = false;
    actions_.button9 = true;
    core_.state.IdleTicks = 0;
    core_.state.ReconnectTicks = 0;
    fx.startReRead = true;
    fx.refreshDisplay = true;
    return fx;
}

CycleEffects MeasureControl::Single() {
    return Start(MeasureMode::Single);
}

CycleEffects MeasureControl::Continuous() {
    CycleEffects fx = Start(MeasureMode::Continuous);
    actions_.c1 = false;
    actions_.n12 = false;
    actions_.n13 = false;
    actions_.n14 = true;
    return fx;
}

bool MeasureControl::StartContinuous() {
    if (core_.state.MeasureMode == MeasureMode::Continuous) return true;
    // A single measurement under way disables the button, but continuous may follow it.
    if (!actions_.button8 && core_.state.MeasureMode != MeasureMode::Single) return false;
    const CycleEffects fx = Continuous();
    if (effects_) effects_(fx);
    return true;
}

CycleEffects MeasureControl::Stop() {
    reRequestHeld_ = false;
    core_.state.MeasureMode = MeasureMode::Idle;
    actions_.button7 = true;
    actions_.button8 = true;
    actions_.n14 = true;
    actions_.c1 = true;
    actions_.n12 = true;
    actions_.n13 = true;
    CycleEffects fx;
    fx.stopContinuous = true;
    fx.stopReRead = true;
    return fx;
}

CycleEffects MeasureControl::ContinuousTick() {
    CycleEffects fx;
    fx.stopContinuous = true;
    // Another window's register read waits for its reply; a measurement request
    // now would take its route. The next block is asked for once it is in.
    // Likewise right after the keep-alive, and while any reply is arriving:
    // that reply comes first.
    if (core_.requests.outstanding() || core_.requests.keepAliveUnderWay() || core_.state.ReplyUnderWay) {
        fx.startContinuous = true;
        return fx;
    }
    // A held re-request: the bad reply that held it was followed by the block's
    // request again, once the line was quiet. Its reply is awaited as usual.
    const bool askedMeanwhile = reRequestHeld_ && core_.link.framesSent() != sentWhenHeld_ &&
                                core_.link.lastSent().function == kFnRead && core_.link.lastSent().reg == MEAS;
    reRequestHeld_ = false;
    if (askedMeanwhile) {
        fx.startReRead = true;
        return fx;
    }
    fx.status = kRequestDataText;
    // The count is set with the register: a settings read in between may have
    // left another count, and the re-request must ask for the block again.
    core_.requests.sendRead(MEAS, kMeasCount, Remember::Yes);
    fx.startReRead = true;
    return fx;
}

CycleEffects MeasureControl::ReReadTick() {
    CycleEffects fx;
    fx.status = kReRequestText;
    // The watchdog's keep-alive has just gone out, or a reply is still
    // arriving: the block is asked for after it, by ContinuousReadTimer, not
    // right behind it.
    if (core_.requests.keepAliveUnderWay() || core_.state.ReplyUnderWay) {
        reRequestHeld_ = true;
        sentWhenHeld_ = core_.link.framesSent();
        fx.startContinuous = true;
        return fx;
    }
    core_.requests.reRequest();
    return fx;
}

CycleEffects MeasureControl::MeasurementArrived() {
    reRequestHeld_ = false;
    CycleEffects fx;
    fx.status = kSuccessText;
    fx.stopReRead = true;
    if (core_.state.MeasureMode == MeasureMode::Continuous) {
        fx.startContinuous = true;
        fx.continuousFromReply = true;
    } else if (core_.state.MeasureMode == MeasureMode::Single) {
        core_.state.MeasureMode = MeasureMode::Idle;
        actions_.button7 = true;
        actions_.button8 = true;
        actions_.n13 = true;
        actions_.n14 = true;
    }
    return fx;
}

void MeasureControl::SetPortReady(bool ready) {
    actions_.button7 = ready;
    actions_.button8 = ready;
    actions_.n12 = ready;
    actions_.n13 = ready;
}

bool MeasureControl::SendClosingNotice() {
    if (core_.state.LinkKind != LinkKind::Usb) return false;
    return core_.requests.sendRead(LINKEND, kLinkEndCount, Remember::No);
}

}  // namespace lxv
