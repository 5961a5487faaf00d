#include "measure/harmonic_test_control.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "core/session_core.h"

namespace lxv {

double SteadySeconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

HarmonicTestControl::HarmonicTestControl(SessionCore& core, Clock clock)
    : core_(core),
      clock_(std::move(clock)),
      timer_(core.timers.create("HarmonicTest.ObservationTimer", true)) {
    timer_->setHandler([this] { ObservationOver(); });
    feedId_ = core_.measurements.subscribe([this](const MeasureRecord& record) { BlockArrived(record); });
}

HarmonicTestControl::~HarmonicTestControl() {
    core_.measurements.unsubscribe(feedId_);
}

int HarmonicTestControl::subscribe(std::function<void(Event)> listener) {
    listeners_.push_back({nextListener_, std::move(listener)});
    return nextListener_++;
}

void HarmonicTestControl::unsubscribe(int id) {
    std::erase_if(listeners_, [id](const Listener& l) { return l.id == id; });
}

UiText HarmonicTestControl::Start(const HarmonicTestSettings& settings) {
    if (!(settings.observationSeconds >= kShortestObservationSeconds &&
          settings.observationSeconds <= kLongestObservationSeconds))
        return kObservationRangeText;
    if (core_.state.MeasureMode != MeasureMode::Continuous && !(startContinuous_ && startContinuous_()))
        return kContinuousUnavailableText;
    test_ = HarmonicTest(settings);
    result_.reset();
    running_ = started_ = true;
    startSeconds_ = endSeconds_ = clock_();
    timer_->start(static_cast<int>(std::ceil(settings.observationSeconds * 1000.0)));
    Notify(Event::Started);
    return {};
}

void HarmonicTestControl::Stop() {
    if (running_) Finish(true);
}

void HarmonicTestControl::ObservationOver() {
    if (running_) Finish(false);
}

double HarmonicTestControl::elapsedSeconds() const {
    if (!started_) return 0.0;
    return (running_ ? clock_() : endSeconds_) - startSeconds_;
}

const HarmonicTestResult& HarmonicTestControl::result() const {
    if (!result_) result_ = test_.Result();
    return *result_;
}

void HarmonicTestControl::BlockArrived(const MeasureRecord& record) {
    if (!running_) return;
    const double now = clock_();
    // A block after the observation time (the timer not yet run) is not part of it.
    if (now - startSeconds_ >= test_.settings().observationSeconds) {
        Finish(false);
        return;
    }
    test_.AddBlock(record, now);
    result_.reset();
    Notify(Event::Block);
}

void HarmonicTestControl::Finish(bool early) {
    running_ = false;
    timer_->stop();
    // An observation that ran its course lasted its time, whenever the timer came.
    endSeconds_ = early ? clock_() : startSeconds_ + test_.settings().observationSeconds;
    result_ = test_.Result();
    if (early) result_->stoppedAfterSeconds = endSeconds_ - startSeconds_;
    Notify(Event::Finished);
}

void HarmonicTestControl::Notify(Event event) {
    // A copy, so a listener may subscribe or unsubscribe while it is told.
    const auto listeners = listeners_;
    for (const Listener& listener : listeners) listener.call(event);
}

}  // namespace lxv
