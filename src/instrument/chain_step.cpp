#include "instrument/chain_step.h"

#include "link/registers.h"
#include "core/timer.h"

namespace lxv {

UiText TransferFailedText(std::uint16_t reg) {
    return UiText(QT_TRANSLATE_NOOP("lxv", "Transfer failed at %1")).arg(std::string(RegisterName(reg)));
}

ChainStep::ChainStep(TimerFactory& timers, const std::string& timerName,
                     std::function<void(std::uint16_t)> giveUp)
    : timer_(timers.create(timerName, true)), giveUp_(std::move(giveUp)) {
    timer_->setHandler([this] { timeout(); });
}

ChainStep::~ChainStep() = default;

void ChainStep::sent(std::uint16_t reg, std::function<void()> resend) {
    reg_ = reg;
    resend_ = std::move(resend);
    resends_ = 0;
    waiting_ = true;
    timer_->start(kWaitMs);
}

void ChainStep::answered() {
    waiting_ = false;
    timer_->stop();
}

void ChainStep::timeout() {
    if (!waiting_) return;
    if (resends_ < kResends) {
        ++resends_;
        timer_->start(kWaitMs);
        resend_();
        return;
    }
    waiting_ = false;
    giveUp_(reg_);
}

}  // namespace lxv
