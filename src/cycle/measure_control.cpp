#include "cycle/measure_control.h"

#include "core/reply_assembler.h"
#include "core/session_core.h"
#include "link/registers.h"
#include "platform/serial_port.h"

namespace lxv {

MeasureControl::MeasureControl(SessionCore& core)
    : core_(core),
      continuous_(core.timers.create("ContinuousReadTimer", true)),
      reRead_(core.timers.create("ReReadTimer", false)) {
    core_.dispatcher.setMeasureHandler([this](const std::uint8_t* block) { BlockReceived(block); });
    continuous_->setHandler([this] { tell(ContinuousTick()); });
    reRead_->setHandler([this] { tell(ReReadTick()); });
}

MeasureControl::~MeasureControl() {
    core_.dispatcher.setMeasureHandler({});
}

void MeasureControl::BlockReceived(const std::uint8_t* block) {
    AcceptMeasureBlock(core_.record, block);
    // The timers first: the instrument's 50 ms count from the reply, not from
    // the end of the redraw and of whatever else the listeners do.
    tell(MeasurementArrived());
    core_.measurements.publish(core_.record);
}

void MeasureControl::tell(const CycleEffects& fx) {
    if (effects_) effects_(fx);
}

CycleEffects MeasureControl::run(CycleEffects fx) {
    if (fx.stopContinuous) continuous_->stop();
    if (fx.stopReRead) reRead_->stop();
    // The 50 ms count from the read that completed the reply, not from the end
    // of checking and decoding it (a block that did not come through the
    // port's last read counts from now).
    if (fx.startContinuous) {
        const auto readAt = core_.replyReadAt;
        if (fx.continuousFromReply &&
            std::chrono::steady_clock::now() - readAt < std::chrono::milliseconds(kContinuousReadMs))
            continuous_->startFrom(readAt, kContinuousReadMs);
        else
            continuous_->start(kContinuousReadMs);
    }
    // The wait fits the chosen rate: a block still on a slow line is not asked for twice.
    if (fx.startReRead) reRead_->start(ReRequestWaitMs(BaudRateForIndex(core_.state.BaudIndex), kMeasureReplySize));
    if (fx.status) core_.status.set(0, fx.status);
    return fx;
}

bool MeasureControl::askForBlock(bool again) {
    // A block asked for and still owed is not asked for twice, unless it is overdue.
    if (!again && core_.requests.pending(this)) return true;
    return core_.requests.read(MEAS, kMeasCount, Expect::Block, this);
}

CycleEffects MeasureControl::Start(MeasureMode mode) {
    if (beforeStart_) beforeStart_();
    CycleEffects fx;
    // Even without a link the mode is entered: ReReadTimer keeps asking every 2 s.
    fx.sendFailed = !askForBlock();
    core_.state.MeasureMode = mode;
    actions_.button7 = false;
    actions_.button8 = false;
    actions_.button9 = true;
    core_.state.IdleTicks = 0;
    core_.state.ReconnectTicks = 0;
    fx.startReRead = true;
    fx.refreshDisplay = true;
    return run(fx);
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
    tell(Continuous());
    return true;
}

CycleEffects MeasureControl::Stop() {
    // A block asked for and not yet in is still shown when it comes; nothing more is asked.
    core_.requests.cancel(this, false);
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
    return run(fx);
}

CycleEffects MeasureControl::ContinuousTick() {
    CycleEffects fx;
    if (core_.state.MeasureMode != MeasureMode::Continuous) return fx;
    // The queue sends it once the line is free: a read another window asked
    // for meanwhile goes first, and the block follows its reply.
    fx.status = kRequestDataText;
    askForBlock();
    fx.startReRead = true;
    return run(fx);
}

CycleEffects MeasureControl::ReReadTick() {
    CycleEffects fx;
    if (core_.state.MeasureMode == MeasureMode::Idle) {
        // Nothing is owed any more (a late tick after the mode ended).
        fx.stopReRead = true;
        return run(fx);
    }
    fx.status = kReRequestText;
    // Asked for again: the request goes out once the line is quiet, replacing
    // the one still waiting for its block.
    if (askForBlock(true)) ++reRequests_;
    return run(fx);
}

CycleEffects MeasureControl::MeasurementArrived() {
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
    return run(fx);
}

void MeasureControl::SetPortReady(bool ready) {
    actions_.button7 = ready;
    actions_.button8 = ready;
    actions_.n12 = ready;
    actions_.n13 = ready;
}

bool MeasureControl::SendClosingNotice() {
    if (core_.state.LinkKind != LinkKind::Usb) return false;
    // The program is closing: nothing waiting will be answered, and the notice goes now.
    return core_.requests.sendNow(Request::Read(LINKEND, kLinkEndCount, Expect::Nothing));
}

}  // namespace lxv
