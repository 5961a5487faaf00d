// The recorder: samples six quantities of the latest accepted measurement on
// its sampling timer (only in continuous measurement) into the live recording
// and keeps the record file it created up to date on its save timer.
//
// A sample is taken only from a block that arrived (on the session's
// measurement feed) since the previous sample, or since the start for the
// first one: a step without a new block stores nothing, so a stalled
// measurement never shows as a steady value, and the stamps show the gap.
//
// Nothing recorded is lost: besides every save step it saves at stop, when the
// 450,000th sample ends the recording, when continuous measurement ends it and
// when it is closed (program end). A failed save keeps the samples, reports
// the system's message once and is retried at the next save step; a failed
// save at program end is told to the caller, which may try it again. A new
// file while the old one lacks samples it cannot take is made only after the
// caller's question was answered with "discard".
//
// Owns: the live recording (6 x 450,000 singles, 450,000 stamps), the record
// settings in use, the timers "TRecordForm.Timer1" (sampling), ".TimerSave" and ".GridTimer"
// (grid phase while recording), the state table of the record window's
// start, stop, settings and create controls.
// Depends on: record_file.h, record_settings.h, link/link_state.h,
// core/measure_block.h, core/ (the session core's state, record, feed
// and timers). No Qt.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "link/link_state.h"
#include "core/measure_block.h"
#include "record/record_file.h"
#include "record/record_settings.h"
#include "core/timer.h"

namespace lxv {

inline constexpr const char* kNotContinuousText = QT_TRANSLATE_NOOP(
    "lxv", "To start the recording must be in continuous sampling mode, records do not start!");
inline constexpr const char* kCreateFirstText = QT_TRANSLATE_NOOP("lxv", "Please Create a new record file !");
inline constexpr const char* kLimitReachedText = QT_TRANSLATE_NOOP(
    "lxv", "Recorded data has exceeded the maximum file limit, create a new file and start again.");
inline constexpr const char* kContinuousEndedText =
    QT_TRANSLATE_NOOP("lxv", "You have to stop the continuous sampling, record stop!");
// A sampling step found no block newer than the last sample: nothing was stored for it.
inline constexpr const char* kNoNewMeasurementText = QT_TRANSLATE_NOOP("lxv", "No new measurement");

// Program end with a save that failed: %1 the samples not in the file, %2 the system's message
// (one sample: %1 the message).
inline constexpr const char* kExitSaveFailedCaption = QT_TRANSLATE_NOOP("lxv", "Recording not saved");
inline constexpr const char* kExitSaveFailedText = QT_TRANSLATE_NOOP(
    "lxv",
    "The last %1 samples of the recording are not in the file: %2\r\rRetry the save, or quit anyway "
    "without them?");
inline constexpr const char* kExitSaveFailedOneText = QT_TRANSLATE_NOOP(
    "lxv",
    "The last sample of the recording is not in the file: %1\r\rRetry the save, or quit anyway without "
    "it?");
// A new record file while the old one cannot take its last samples: %1 the samples, %2 the system's
// message (one sample: %1 the message); the discard button's text.
inline constexpr const char* kNewFileUnsavedText = QT_TRANSLATE_NOOP(
    "lxv",
    "The last %1 samples of the recording are not in its file: %2\r\rRetry the save, discard them and create "
    "the new file, or cancel?");
inline constexpr const char* kNewFileUnsavedOneText = QT_TRANSLATE_NOOP(
    "lxv",
    "The last sample of the recording is not in its file: %1\r\rRetry the save, discard it and create the "
    "new file, or cancel?");
inline constexpr const char* kDiscardSamplesText = QT_TRANSLATE_NOOP("lxv", "Discard %1 samples");
inline constexpr const char* kDiscardOneSampleText = QT_TRANSLATE_NOOP("lxv", "Discard 1 sample");
// The same on standard error when no display shows a message box; the save is tried once more.
inline constexpr const char* kExitSaveRetryLine =
    QT_TRANSLATE_NOOP("lxv", "saving the recording failed: %1; trying once more");
inline constexpr const char* kExitSaveFailedLine =
    QT_TRANSLATE_NOOP("lxv", "the last %1 samples of the recording are not in the file: %2");
inline constexpr const char* kExitSaveFailedOneLine =
    QT_TRANSLATE_NOOP("lxv", "the last sample of the recording is not in the file: %1");

enum class RecorderState { NoFile, FileReady, Recording, Stopped, Ended };

// Enabled state of the controls the recorder switches.
struct RecordControls {
    bool start = false;  // start button
    bool startMenu = false;
    bool stop = false;  // stop button
    bool stopMenu = false;
    bool settings = true;  // settings button and menu entry (the viewer may disable them too)
    bool create = true;    // create button and menu entry: never while recording
    friend bool operator==(const RecordControls&, const RecordControls&) = default;
};

// What the window does after a step of the recorder.
struct RecorderEffects {
    UiText message;              // a modal message to show, or none
    bool redraw = false;         // the live chart changed
    bool fileCreated = false;    // FileActive, status panel 5 "Recording"
    bool liveViewReset = false;  // live view, zoom 1, offset 0, scroll bar 0, track bar 150
    bool controlsChanged = false;
    bool sampleStatusChanged = false;  // waitingForMeasurement() changed
};

// The answer to "the old file cannot take its last samples" before a new file is made.
enum class UnsavedAnswer { Retry, Discard, Cancel };
// Asked with the system's message and the number of samples the old file lacks.
using UnsavedQuestion = std::function<UnsavedAnswer(const UiText& error, int unsaved)>;

class MeasurementFeed;
struct SessionCore;

class Recorder {
  public:
    using Clock = std::function<double()>;  // local days since 1899-12-30

    // Samples the session's measurement record while its MeasureMode is continuous.
    explicit Recorder(SessionCore& core);

    // `feed` announces every accepted block stored in `measurement`.
    Recorder(const LinkState& state, const MeasureRecord& measurement, MeasurementFeed& feed,
             TimerFactory& timers, Clock clock = LocalNowStamp);
    ~Recorder();  // saves what is not saved yet
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    // The settings take hold at once: the timers' intervals, and the codes for the next sample.
    void ApplySettings(const RecordSettings& settings);
    const RecordSettings& settings() const { return settings_; }

    // Creates (truncates) the record file and writes its first record; the
    // live recording restarts at 0 only when the file was made. Refused while recording.
    // The old file first gets what it lacks; when that save fails, `ask` decides:
    // retry it, discard those samples, or cancel (also without `ask`: nothing is
    // dropped, and the effects carry the system's message).
    RecorderEffects CreateRecordFile(const std::string& path, const UnsavedQuestion& ask = {});
    RecorderEffects StartRecording();
    RecorderEffects StopRecording();
    RecorderEffects TakeSample();     // sampling timer
    RecorderEffects SaveRecording();  // save timer
    // Program end: stops sampling and saves what is not saved yet. Returns the
    // system's message when that save failed (empty when all is in the file);
    // calling it again retries the save.
    UiText Close();
    // Samples taken that the file does not hold yet (0 without a file).
    int unsavedCount() const { return writer_.active() ? live_.count - savedCount_ : 0; }

    // Effects of the timers' ticks (sample taken, save failed, recording ended).
    void setListener(std::function<void(const RecorderEffects&)> listener) {
        listener_ = std::move(listener);
    }
    // Told the live count after every sample taken (test hooks, traces).
    void setSampleObserver(std::function<void(int liveCount)> observer) {
        sampleObserver_ = std::move(observer);
    }

    // Told the steps without a new block so far in this recording, after each one (test hooks, traces).
    void setMissObserver(std::function<void(int missedSteps)> observer) {
        missObserver_ = std::move(observer);
    }

    // Told the samples the file holds after every completed save (test hooks, traces).
    void setSaveObserver(std::function<void(int savedCount)> observer) {
        saveObserver_ = std::move(observer);
    }

    const RecordData& live() const { return live_; }
    int liveCount() const { return live_.count; }
    int savedCount() const { return savedCount_; }  // samples the file holds
    RecorderState state() const { return state_; }
    const RecordControls& controls() const { return controls_; }
    bool recording() const { return state_ == RecorderState::Recording; }
    // The last sampling step of the running recording found no new block ("No new measurement").
    bool waitingForMeasurement() const { return waiting_; }
    int missedSteps() const { return missedSteps_; }  // steps without a new block in this recording
    const std::string& filePath() const { return writer_.path(); }

    // Grid phase of the live view (0..19): moves on every GridTimer tick while recording.
    int gridPhase() const { return gridPhase_; }
    void SetGridInterval(int ms);

    Timer& sampleTimer() { return *sampleTimer_; }
    Timer& saveTimer() { return *saveTimer_; }
    Timer& gridTimer() { return *gridTimer_; }

  private:
    void enter(RecorderState state);
    // Saves when samples or a failed save wait; keeps the save timer running until a save succeeds.
    RecorderEffects saveNow();
    // One save of the file; the system's message on failure.
    UiText saveFile();
    // The recorder ended the recording (limit, continuous measurement over): save and say why.
    RecorderEffects end(const char* why);
    void notify(const RecorderEffects& effects);
    // Sets waitingForMeasurement(); true when it changed.
    bool setWaiting(bool waiting);

    const LinkState& link_;
    const MeasureRecord& measurement_;
    MeasurementFeed& feed_;
    int feedId_ = 0;
    unsigned long long blocks_ = 0;  // blocks announced on the feed
    unsigned long long sampledBlocks_ =
        0;  // blocks_ when the last sample was taken (or the recording started)
    bool waiting_ = false;
    int missedSteps_ = 0;
    Clock clock_;
    RecordSettings settings_;
    RecordData live_;
    RecordFileWriter writer_;
    int savedCount_ = 0;
    bool saveFailing_ = false;  // the failure message was shown; silence until a save succeeds
    RecorderState state_ = RecorderState::NoFile;
    RecordControls controls_;
    int gridPhase_ = 0;
    std::unique_ptr<Timer> sampleTimer_, saveTimer_, gridTimer_;
    std::function<void(const RecorderEffects&)> listener_;
    std::function<void(int)> sampleObserver_, saveObserver_, missObserver_;
};

}  // namespace lxv
