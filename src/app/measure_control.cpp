#include "app/measure_control.h"

#include "link/frame_codec.h"
#include "link/link_state.h"
#include "link/registers.h"
#include "platform/serial_port.h"

namespace lxv {

CycleEffects MeasureControl::Start(int mode) {
    CycleEffects fx;
    fx.sendFailed = !link_.SendReadRequest(state_.InstrumentAddress, MEAS, kMeasCount);
    // Even without a link the mode is entered: ReReadTimer keeps asking every 2 s.
    state_.LastRegister = MEAS;
    state_.LastCount = kMeasCount;
    state_.MeasureMode = static_cast<std::uint8_t>(mode);
    actions_.button7 = false;
    actions_.button8 = false;
    actions_.button9 = true;
    state_.IdleTicks = 0;
    state_.ReconnectTicks = 0;
    fx.startReRead = true;
    fx.refreshDisplay = true;
    return fx;
}

CycleEffects MeasureControl::Single() {
    return Start(1);
}

CycleEffects MeasureControl::Continuous() {
    CycleEffects fx = Start(2);
    actions_.c1 = false;
    actions_.n12 = false;
    actions_.n13 = false;
    actions_.n14 = true;
    return fx;
}

CycleEffects MeasureControl::Stop() {
    state_.MeasureMode = 0;
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
    fx.status = kRequestDataText;
    fx.stopContinuous = true;
    link_.SendReadRequest(state_.InstrumentAddress, MEAS, kMeasCount);
    // The count is set with the register: a settings read in between may have
    // left another count, and the re-request must ask for the block again.
    state_.LastRegister = MEAS;
    state_.LastCount = kMeasCount;
    fx.startReRead = true;
    return fx;
}

CycleEffects MeasureControl::ReReadTick() {
    CycleEffects fx;
    fx.status = kReRequestText;
    if (link_.port().isOpen())
        link_.SendReadRequest(state_.InstrumentAddress, state_.LastRegister, state_.LastCount);
    return fx;
}

CycleEffects MeasureControl::MeasurementArrived() {
    CycleEffects fx;
    fx.status = kSuccessText;
    fx.stopReRead = true;
    if (state_.MeasureMode == 2) {
        fx.startContinuous = true;
    } else if (state_.MeasureMode == 1) {
        state_.MeasureMode = 0;
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
    if (state_.LinkKind != 1) return false;
    return link_.SendReadRequest(state_.InstrumentAddress, LINKEND, kLinkEndCount);
}

}  // namespace lxv
