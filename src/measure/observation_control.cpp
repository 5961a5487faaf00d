#include "measure/observation_control.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "core/session_core.h"

namespace lxv {

double SteadySeconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

ObservationControl::ObservationControl(SessionCore& core, const char* timerName, Clock clock)
    : core_(core), clock_(std::move(clock)), timer_(core.timers.create(timerName, true)) {
    timer_->setHandler([this] { ObservationOver(); });
    feedId_ = core_.measurements.subscribe([this](const MeasureRecord& record) { BlockArrived(record); });
}

ObservationControl::~ObservationControl() {
    core_.measurements.unsubscribe(feedId_);
}

int ObservationControl::subscribe(std::function<void(Event)> listener) {
    listeners_.push_back({nextListener_, std::move(listener)});
    return nextListener_++;
}

void ObservationControl::unsubscribe(int id) {
    std::erase_if(listeners_, [id](const Listener& l) { return l.id == id; });
}

UiText ObservationControl::Start(double longestSeconds, ObservationRules& rules) {
    if (core_.state.MeasureMode != MeasureMode::Continuous && !(startContinuous_ && startContinuous_()))
        return kContinuousUnavailableText;
    rules_ = &rules;
    running_ = started_ = true;
    blocks_ = 0;
    end_ = ObservationEnd::None;
    longestSeconds_ = longestSeconds;
    startSeconds_ = endSeconds_ = clock_();
    timer_->start(static_cast<int>(std::ceil(longestSeconds * 1000.0)));
    Notify(Event::Started);
    return {};
}

void ObservationControl::Stop() {
    if (running_) Finish(ObservationEnd::Stopped);
}

void ObservationControl::ObservationOver() {
    if (running_) Finish(ObservationEnd::TimeOut);
}

double ObservationControl::elapsedSeconds() const {
    if (!started_) return 0.0;
    return (running_ ? clock_() : endSeconds_) - startSeconds_;
}

void ObservationControl::BlockArrived(const MeasureRecord& record) {
    if (!running_) return;
    const double now = clock_();
    // A block after the longest time (the timer not yet run) is not part of it.
    if (now - startSeconds_ >= longestSeconds_) {
        Finish(ObservationEnd::TimeOut);
        return;
    }
    ++blocks_;
    const bool done = rules_->TakeBlock(record, now);
    Notify(Event::Block);
    if (done && running_) Finish(ObservationEnd::Rules);
}

void ObservationControl::Finish(ObservationEnd end) {
    running_ = false;
    end_ = end;
    timer_->stop();
    // An observation that ran its course lasted its time, whenever the timer came.
    endSeconds_ = end == ObservationEnd::TimeOut ? startSeconds_ + longestSeconds_ : clock_();
    rules_->Ended(end, endSeconds_ - startSeconds_);
    Notify(Event::Finished);
}

void ObservationControl::Notify(Event event) {
    // A copy, so a listener may subscribe or unsubscribe while it is told.
    const auto listeners = listeners_;
    for (const Listener& listener : listeners) listener.call(event);
}

}  // namespace lxv
