#include "record/recorder.h"

#include "core/measurement_feed.h"
#include "core/session_core.h"

namespace lxv {

Recorder::Recorder(const LinkState& state, const MeasureRecord& measurement, MeasurementFeed& feed,
                   TimerFactory& timers, Clock clock)
    : link_(state),
      measurement_(measurement),
      feed_(feed),
      clock_(std::move(clock)),
      sampleTimer_(timers.create("TRecordForm.Timer1", false)),
      saveTimer_(timers.create("TRecordForm.TimerSave", false)),
      gridTimer_(timers.create("TRecordForm.GridTimer", false)) {
    live_.allocate(kMaxSamples);
    feedId_ = feed_.subscribe([this](const MeasureRecord&) { ++blocks_; });
    sampleTimer_->setHandler([this] { notify(TakeSample()); });
    saveTimer_->setHandler([this] { notify(SaveRecording()); });
    gridTimer_->setHandler([this] {
        gridPhase_ = (gridPhase_ + 1) % 20;
        RecorderEffects e;
        e.redraw = true;
        notify(e);
    });
    enter(RecorderState::NoFile);
}

Recorder::Recorder(SessionCore& core) : Recorder(core.state, core.record, core.measurements, core.timers) {}

Recorder::~Recorder() {
    Close();
    feed_.unsubscribe(feedId_);
}

bool Recorder::setWaiting(bool waiting) {
    if (waiting_ == waiting) return false;
    waiting_ = waiting;
    return true;
}

void Recorder::notify(const RecorderEffects& effects) {
    if (listener_) listener_(effects);
}

void Recorder::enter(RecorderState state) {
    state_ = state;
    switch (state) {
        case RecorderState::NoFile: controls_ = {false, false, false, false, true, true}; break;
        case RecorderState::FileReady: controls_ = {true, true, false, false, true, true}; break;
        case RecorderState::Recording: controls_ = {false, false, true, true, false, false}; break;
        case RecorderState::Stopped: controls_ = {false, false, false, false, true, true}; break;
        case RecorderState::Ended: controls_ = {false, false, false, true, false, true}; break;
    }
}

void Recorder::ApplySettings(const RecordSettings& settings) {
    settings_ = settings;
    // A running timer restarts with the new interval; a stopped one takes it when started.
    if (sampleTimer_->isActive()) sampleTimer_->start(settings_.sampleMs);
    if (saveTimer_->isActive()) saveTimer_->start(settings_.saveMs);
}

void Recorder::SetGridInterval(int ms) {
    if (gridTimer_->isActive()) gridTimer_->start(ms);
}

RecorderEffects Recorder::CreateRecordFile(const std::string& path, const UnsavedQuestion& ask) {
    RecorderEffects e;
    if (state_ == RecorderState::Recording) return e;
    // The old file gets what it still lacks before the recorder leaves it; what it
    // cannot take is given up only on the user's word.
    while (writer_.active() && (savedCount_ < live_.count || saveFailing_)) {
        const UiText error = saveFile();
        if (error.empty()) break;
        saveFailing_ = true;  // the save timer (still running) goes on trying
        const UnsavedAnswer answer = ask ? ask(error, unsavedCount()) : UnsavedAnswer::Cancel;
        if (answer == UnsavedAnswer::Discard) break;
        if (answer == UnsavedAnswer::Cancel) {
            if (!ask) e.message = error;
            return e;
        }
    }
    RecordData fresh;
    for (int c = 0; c < kRecordChannels; ++c) fresh.codes[c] = static_cast<std::uint8_t>(settings_.codes[c]);
    fresh.stepIndex = static_cast<std::uint8_t>(settings_.sampleIndex);
    RecordFileWriter writer;
    if (UiText error = writer.create(path, fresh); !error.empty()) {
        e.message = error;
        return e;
    }
    saveTimer_->stop();
    gridTimer_->stop();
    writer_ = writer;
    live_.codes = fresh.codes;
    live_.stepIndex = fresh.stepIndex;
    live_.count = 0;
    savedCount_ = 0;
    saveFailing_ = false;
    missedSteps_ = 0;
    e.sampleStatusChanged = setWaiting(false);
    enter(RecorderState::FileReady);
    e.fileCreated = true;
    e.controlsChanged = true;
    e.redraw = true;
    return e;
}

RecorderEffects Recorder::StartRecording() {
    RecorderEffects e;
    if (link_.MeasureMode != MeasureMode::Continuous) {
        e.message = kNotContinuousText;
        return e;
    }
    if (state_ != RecorderState::FileReady) {
        // The start button is only enabled on a file ready; any other state needs a new file.
        e.message = kCreateFirstText;
        return e;
    }
    sampleTimer_->start(settings_.sampleMs);
    gridTimer_->start(1000);
    saveTimer_->start(settings_.saveMs);
    // The block shown now may be an old one: the first sample waits for a newer block.
    sampledBlocks_ = blocks_;
    enter(RecorderState::Recording);
    e.liveViewReset = true;
    e.controlsChanged = true;
    e.redraw = true;
    return e;
}

RecorderEffects Recorder::StopRecording() {
    if (state_ != RecorderState::Recording && state_ != RecorderState::Ended) return {};
    sampleTimer_->stop();
    gridTimer_->stop();
    saveTimer_->stop();
    enter(RecorderState::Stopped);
    RecorderEffects e = saveNow();
    e.controlsChanged = true;
    e.sampleStatusChanged = setWaiting(false);
    return e;
}

RecorderEffects Recorder::TakeSample() {
    RecorderEffects e;
    if (state_ != RecorderState::Recording) return e;
    if (link_.MeasureMode != MeasureMode::Continuous) return end(kContinuousEndedText);
    if (blocks_ == sampledBlocks_) {
        // No block since the last sample: store nothing for this step.
        ++missedSteps_;
        e.sampleStatusChanged = setWaiting(true);
        if (missObserver_) missObserver_(missedSteps_);
        return e;
    }
    sampledBlocks_ = blocks_;
    e.sampleStatusChanged = setWaiting(false);
    const int i = live_.count;
    for (int c = 0; c < kRecordChannels; ++c)
        live_.channels[c][i] = QuantityValue(measurement_, settings_.codes[c]);
    live_.stamps[i] = clock_();
    live_.count = i + 1;
    if (sampleObserver_) sampleObserver_(live_.count);
    if (live_.count >= kMaxSamples) return end(kLimitReachedText);
    e.redraw = true;
    return e;
}

RecorderEffects Recorder::end(const char* why) {
    sampleTimer_->stop();
    enter(RecorderState::Ended);
    RecorderEffects e = saveNow();
    e.sampleStatusChanged = setWaiting(false);
    // A failed save's message (shown once) follows the reason.
    e.message = e.message.empty() ? UiText(why) : UiText("%1\n\n%2").argText(why).arg(e.message);
    e.redraw = e.controlsChanged = true;
    return e;
}

RecorderEffects Recorder::SaveRecording() {
    return saveNow();
}

UiText Recorder::saveFile() {
    if (!writer_.active()) return {};
    UiText error = writer_.save(live_);
    if (error.empty()) {
        savedCount_ = live_.count;
        saveFailing_ = false;
        if (saveObserver_) saveObserver_(savedCount_);
    }
    return error;
}

RecorderEffects Recorder::saveNow() {
    RecorderEffects e;
    if (!writer_.active()) return e;
    const UiText error = saveFile();
    if (error.empty()) {
        if (state_ != RecorderState::Recording) saveTimer_->stop();
        return e;
    }
    if (!saveFailing_) e.message = error;
    saveFailing_ = true;
    // Retried at the next save step, also after the recording stopped.
    if (!saveTimer_->isActive()) saveTimer_->start(settings_.saveMs);
    return e;
}

UiText Recorder::Close() {
    sampleTimer_->stop();
    gridTimer_->stop();
    saveTimer_->stop();
    if (!writer_.active() || (savedCount_ >= live_.count && !saveFailing_)) return {};
    UiText error = saveFile();
    if (!error.empty()) saveFailing_ = true;
    return error;
}

}  // namespace lxv
