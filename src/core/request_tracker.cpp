#include "core/request_tracker.h"

#include "link/registers.h"
#include "platform/serial_port.h"

namespace lxv {

namespace {

// Replies routed by the register in the shared request buffer (function 3).
// The bulk replies (measurement block, starting-test chunk) and the start
// acknowledgement are recognised by their length or function code instead.
bool RoutedByRegister(std::uint16_t reg) {
    return reg != MEAS && reg != STEST;
}

}  // namespace

bool RequestTracker::sendRead(std::uint16_t reg, std::uint16_t count, Remember remember) {
    if (remember == Remember::Yes) {
        state_.LastRegister = static_cast<std::uint8_t>(reg);
        state_.LastCount = count;
        outstanding_ = RoutedByRegister(reg);
        ageTicks_ = 0;
    }
    return link_.SendReadRequest(state_.InstrumentAddress, reg, count);
}

bool RequestTracker::keepAliveUnderWay() const {
    const SentFrame& last = link_.lastSent();
    return link_.framesSent() != sentAtTick_ && last.function == kFnRead && last.reg == LINKCHK;
}

bool RequestTracker::resendLast() {
    if (state_.LastRegister == 0) return false;
    return link_.SendReadRequest(state_.InstrumentAddress, state_.LastRegister, state_.LastCount);
}

bool RequestTracker::reRequest() {
    if (state_.LastRegister == 0 || !link_.port().isOpen()) return false;
    return link_.SendReadRequest(state_.InstrumentAddress, state_.LastRegister, state_.LastCount);
}

}  // namespace lxv
