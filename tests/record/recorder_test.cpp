#include "record/recorder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "record/record_export.h"
#include "core/measurement_feed.h"
#include "support/manual_timers.h"

namespace lxv {
namespace {

namespace fs = std::filesystem;

class RecorderTest : public ::testing::Test {
  protected:
    RecorderTest() : recorder_(state_, measurement_, feed_, timers_, [this] { return stamp_; }) {
        dir_ = fs::temp_directory_path() / ("lxv-recorder-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
        file_ = (dir_ / "rec.lxr").string();
        measurement_.setScalar(Scalar::URMS, 230.0f);
        measurement_.setScalar(Scalar::WRMS, 1000.0f);
        RecordSettings s;
        s.codes = {0, 2, 12, -1, 2, 0};
        s.sampleIndex = 0;
        s.sampleMs = 1000;
        s.saveMs = 10000;
        recorder_.ApplySettings(s);
        recorder_.setListener([this](const RecorderEffects& e) {
            if (!e.message.empty()) messages_.push_back(e.message);
        });
    }
    ~RecorderTest() override { fs::remove_all(dir_); }

    void SetMode(int mode) { state_.MeasureMode = static_cast<MeasureMode>(mode); }
    // A new block arrives (its power `watts`), as continuous measurement announces it.
    void Block(float watts = 1000.0f) {
        measurement_.setScalar(Scalar::WRMS, watts);
        feed_.publish(measurement_);
    }
    // One sampling step, a second after the last.
    bool Tick() {
        stamp_ += 1.0 / 86400;
        return timers_.fire("TRecordForm.Timer1");
    }
    // Samples each taken from a block that arrived before its step.
    void Record(int samples) {
        for (int i = 0; i < samples; ++i) {
            Block();
            ASSERT_TRUE(Tick());
        }
    }
    RecordData FileNow() {
        RecordData d;
        const RecordFileRead r = ReadRecordFile(file_, d);
        if (!r.error.empty()) d.count = 0;
        return d;
    }
    void CreateAndStart() {
        ASSERT_TRUE(recorder_.CreateRecordFile(file_).fileCreated);
        SetMode(2);
        ASSERT_TRUE(recorder_.StartRecording().liveViewReset);
    }

    LinkState state_;
    MeasureRecord measurement_;
    MeasurementFeed feed_;
    test::ManualTimers timers_;
    double stamp_ = 46000.0;
    Recorder recorder_;
    fs::path dir_;
    std::string file_;
    std::vector<std::string> messages_;
};

TEST_F(RecorderTest, ControlsFollowTheStateTable) {
    struct Row {
        RecorderState state;
        RecordControls controls;
    };
    std::vector<Row> seen;
    auto look = [&] { seen.push_back({recorder_.state(), recorder_.controls()}); };
    look();
    recorder_.CreateRecordFile(file_);
    look();
    SetMode(2);
    recorder_.StartRecording();
    look();
    EXPECT_TRUE(recorder_.CreateRecordFile(file_).message.empty());  // refused while recording
    EXPECT_EQ(recorder_.state(), RecorderState::Recording);
    SetMode(1);
    timers_.fire("TRecordForm.Timer1");
    look();
    recorder_.StopRecording();
    look();
    const Row expected[] = {
        {RecorderState::NoFile, {false, false, false, false, true, true}},
        {RecorderState::FileReady, {true, true, false, false, true, true}},
        {RecorderState::Recording, {false, false, true, true, false, false}},
        {RecorderState::Ended, {false, false, false, true, false, true}},
        {RecorderState::Stopped, {false, false, false, false, true, true}},
    };
    ASSERT_EQ(seen.size(), std::size(expected));
    for (std::size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i].state, expected[i].state) << i;
        EXPECT_EQ(seen[i].controls, expected[i].controls) << i;
    }
}

TEST_F(RecorderTest, StartNeedsContinuousMeasurementThenAFile) {
    SetMode(1);
    EXPECT_EQ(recorder_.StartRecording().message, kNotContinuousText);
    SetMode(2);
    EXPECT_EQ(recorder_.StartRecording().message, kCreateFirstText);
    EXPECT_FALSE((*timers_.find("TRecordForm.Timer1")).isActive());
}

TEST_F(RecorderTest, SamplesTheMeasurementByChannelCode) {
    CreateAndStart();
    EXPECT_EQ((*timers_.find("TRecordForm.Timer1")).interval(), 1000);
    EXPECT_EQ((*timers_.find("TRecordForm.TimerSave")).interval(), 10000);
    Record(3);
    const RecordData& live = recorder_.live();
    ASSERT_EQ(live.count, 3);
    const float expected[6] = {230.0f, 1000.0f, 0.0f, 0.0f, 1000.0f, 230.0f};
    for (int c = 0; c < 6; ++c) EXPECT_EQ(live.channels[c][2], expected[c]) << c;
    EXPECT_NEAR(live.stamps[1] - live.stamps[0], 1.0 / 86400, 1e-9);
    // The file keeps the codes of its creation; -1 is stored as 255.
    EXPECT_EQ(FileNow().count, 0);
    timers_.fire("TRecordForm.TimerSave");
    const RecordData file = FileNow();
    EXPECT_EQ(file.count, 3);
    EXPECT_EQ(file.codes, (std::array<std::uint8_t, 6>{0, 2, 12, 255, 2, 0}));
}

// Nothing recorded is lost: at stop, at the end of continuous measurement, at the limit, at close.
TEST_F(RecorderTest, EveryEndOfARecordingSaves) {
    CreateAndStart();
    Record(1234);
    recorder_.StopRecording();
    EXPECT_EQ(FileNow().count, 1234);
    EXPECT_FALSE((*timers_.find("TRecordForm.TimerSave")).isActive());

    CreateAndStart();
    Record(5);
    SetMode(0);
    timers_.fire("TRecordForm.Timer1");
    EXPECT_EQ(messages_.back(), kContinuousEndedText);
    EXPECT_EQ(FileNow().count, 5);

    recorder_.StopRecording();
    CreateAndStart();
    Record(7);
    recorder_.Close();
    EXPECT_EQ(FileNow().count, 7);
}

TEST_F(RecorderTest, The450000thSampleEndsAndSavesTheRecording) {
    CreateAndStart();
    Record(kMaxSamples - 1);
    timers_.fire("TRecordForm.TimerSave");
    Block();
    ASSERT_TRUE(Tick());
    EXPECT_FALSE((*timers_.find("TRecordForm.Timer1")).isActive());
    EXPECT_FALSE((*timers_.find("TRecordForm.TimerSave")).isActive());
    EXPECT_EQ(recorder_.state(), RecorderState::Ended);
    EXPECT_EQ(messages_.back(), kLimitReachedText);
    EXPECT_EQ(fs::file_size(file_), 450 * kRecordBlockSize);
    const RecordData file = FileNow();
    EXPECT_EQ(file.count, kMaxSamples);
    EXPECT_EQ(file.channels[0][kMaxSamples - 1], 230.0f);
}

TEST_F(RecorderTest, AFailedSaveShowsOnceAndIsRetriedUntilItSucceeds) {
    CreateAndStart();
    Record(15);
    fs::remove(file_);
    timers_.fire("TRecordForm.TimerSave");
    timers_.fire("TRecordForm.TimerSave");
    recorder_.StopRecording();  // fails again: the save timer keeps running
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_NE(messages_[0].find("No such file or directory"), std::string::npos);
    EXPECT_TRUE((*timers_.find("TRecordForm.TimerSave")).isActive());
    { std::ofstream(file_).flush(); }  // the file is back
    timers_.fire("TRecordForm.TimerSave");
    EXPECT_FALSE((*timers_.find("TRecordForm.TimerSave")).isActive());
    EXPECT_EQ(FileNow().count, 15);

    // A failure at the end of continuous measurement comes with the reason, once.
    CreateAndStart();
    Record(2);
    fs::remove(file_);
    SetMode(0);
    timers_.fire("TRecordForm.Timer1");
    ASSERT_EQ(messages_.size(), 2u);
    EXPECT_EQ(messages_[1].rfind(std::string(kContinuousEndedText) + "\n\nCannot open file", 0), 0u);
    { std::ofstream(file_).flush(); }
    timers_.fire("TRecordForm.TimerSave");
    EXPECT_EQ(FileNow().count, 2);
}

// At program end a failed save is told to the caller, who may retry it; nothing is shown by the recorder.
TEST_F(RecorderTest, AFailedSaveAtCloseIsToldAndCanBeRetried) {
    std::vector<int> saves;
    recorder_.setSaveObserver([&](int saved) { saves.push_back(saved); });
    CreateAndStart();
    Record(12);
    timers_.fire("TRecordForm.TimerSave");
    Record(3);
    fs::remove(file_);
    const std::string error = recorder_.Close();
    EXPECT_EQ(error, "Cannot open file \"" + file_ + "\". No such file or directory");
    EXPECT_EQ(recorder_.unsavedCount(), 3);
    EXPECT_FALSE((*timers_.find("TRecordForm.Timer1")).isActive());
    EXPECT_FALSE((*timers_.find("TRecordForm.TimerSave")).isActive());
    EXPECT_EQ(recorder_.Close(), error);  // tried again, failing again
    { std::ofstream(file_).flush(); }     // the file is back
    EXPECT_EQ(recorder_.Close(), "");
    EXPECT_EQ(recorder_.unsavedCount(), 0);
    EXPECT_EQ(FileNow().count, 15);
    EXPECT_EQ(recorder_.Close(), "");  // nothing left to save
    EXPECT_EQ(saves, (std::vector<int>{12, 15}));
    EXPECT_TRUE(messages_.empty());
}

TEST_F(RecorderTest, SettingsTakeHoldInTheRunningTimers) {
    CreateAndStart();
    RecordSettings s = recorder_.settings();
    s.sampleMs = 5000;
    s.saveMs = 60000;
    recorder_.ApplySettings(s);
    EXPECT_EQ((*timers_.find("TRecordForm.Timer1")).interval(), 5000);
    EXPECT_EQ((*timers_.find("TRecordForm.TimerSave")).interval(), 60000);
    for (int i = 0; i < 21; ++i) timers_.fire("TRecordForm.GridTimer");
    EXPECT_EQ(recorder_.gridPhase(), 1);
}

TEST_F(RecorderTest, ACancelledOrFailedCreateKeepsTheLiveRecording) {
    CreateAndStart();
    Record(4);
    recorder_.StopRecording();
    EXPECT_NE(recorder_.CreateRecordFile((dir_ / "no" / "x.lxr").string()).message, "");
    EXPECT_EQ(recorder_.liveCount(), 4);
    EXPECT_EQ(recorder_.state(), RecorderState::Stopped);
}

// A sample is taken only from a block that arrived since the previous sample (or since the start):
// 'b' a block arrives (its power the count of blocks so far), 's' the recording starts, 't' a step.
TEST(RecorderFreshness, OnlyANewBlockMakesASample) {
    struct Row {
        const char* name;
        const char* events;
        std::vector<float> samples;  // the power of each sample taken
        std::vector<int> gaps;       // seconds between successive samples' stamps
        int missed;
        bool waiting;  // "No new measurement" after the last step
    };
    const Row rows[] = {
        {"a block each step", "sbtbtbt", {1, 2, 3}, {1, 1}, 0, false},
        {"the block shown at the start is not new", "bstbt", {2}, {}, 1, false},
        {"several blocks in a step: the newest", "sbbbtbt", {3, 4}, {1}, 0, false},
        {"a stall leaves a gap", "sbttttbt", {1, 2}, {4}, 3, false},
        {"still stalled at the end", "sbtbtt", {1, 2}, {1}, 1, true},
        {"no block at all", "sttt", {}, {}, 3, true},
        {"stalls twice", "sbtbttbtttbt", {1, 2, 3, 4}, {1, 2, 3}, 3, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto dir = fs::temp_directory_path() / ("lxv-fresh-" + std::to_string(::getpid()));
        fs::create_directories(dir);
        LinkState state;
        state.MeasureMode = MeasureMode::Continuous;
        MeasureRecord measurement;
        MeasurementFeed feed;
        test::ManualTimers timers;
        double now = 46000.0;
        Recorder recorder(state, measurement, feed, timers, [&] { return now; });
        int statusChanges = 0;
        recorder.setListener([&](const RecorderEffects& e) { statusChanges += e.sampleStatusChanged; });
        ASSERT_TRUE(recorder.CreateRecordFile((dir / "f.lxr").string()).fileCreated);
        float blocks = 0;
        for (const char* c = row.events; *c; ++c) {
            if (*c == 'b') {
                measurement.setScalar(Scalar::WRMS, ++blocks);
                feed.publish(measurement);
            } else if (*c == 's') {
                ASSERT_TRUE(recorder.StartRecording().liveViewReset);
            } else {
                now += 1.0 / 86400;
                ASSERT_TRUE(timers.fire("TRecordForm.Timer1"));
            }
        }
        const RecordData& live = recorder.live();
        std::vector<float> samples;
        std::vector<int> gaps;
        for (int i = 0; i < live.count; ++i) {
            samples.push_back(live.channels[1][i]);  // CH2 records the power (code 2)
            if (i > 0)
                gaps.push_back(static_cast<int>(std::lround((live.stamps[i] - live.stamps[i - 1]) * 86400)));
        }
        EXPECT_EQ(samples, row.samples);
        EXPECT_EQ(gaps, row.gaps);
        EXPECT_EQ(recorder.missedSteps(), row.missed);
        EXPECT_EQ(recorder.waitingForMeasurement(), row.waiting);
        EXPECT_EQ(statusChanges > 0, row.missed > 0);  // the window is told when the status changes
        // The file takes the same samples and stamps, gap and all.
        recorder.StopRecording();
        EXPECT_FALSE(recorder.waitingForMeasurement());  // a stopped recording waits for nothing
        RecordData file;
        const RecordFileRead read = ReadRecordFile((dir / "f.lxr").string(), file);
        fs::remove_all(dir);
        if (live.count == 0) continue;  // a file without samples is refused by the reader
        ASSERT_EQ(read.error, "");
        ASSERT_EQ(file.count, live.count);
        for (int i = 0; i < file.count; ++i) {
            EXPECT_EQ(file.stamps[i], live.stamps[i]);
            EXPECT_EQ(file.channels[1][i], live.channels[1][i]);
        }
    }
}

TEST_F(RecorderTest, ARecordingWithAGapReadsAndExportsAsAnyOther) {
    CreateAndStart();
    Record(2);
    Tick();  // a step without a block
    Tick();
    Block(1500.0f);
    Tick();
    recorder_.StopRecording();
    RecordData file;
    ASSERT_EQ(ReadRecordFile(file_, file).error, "");
    ASSERT_EQ(file.count, 3);
    const fs::path out = dir_ / "gap.csv";
    UiText error;
    const StampFormatter seconds = [](double stamp) {
        return std::to_string(std::lround((stamp - 46000.0) * 86400));
    };
    ASSERT_TRUE(
        ExportRecord(RecordDataSource(file, QuantityLabels(file.codes)), seconds, out.string(), error))
        << error;
    std::ifstream in(out);
    std::string heading, line;
    std::getline(in, heading);
    std::vector<std::string> rows;
    while (std::getline(in, line)) rows.push_back(line);
    EXPECT_EQ(rows, (std::vector<std::string>{"1,230,1000,0,0,1000,230\r", "2,230,1000,0,0,1000,230\r",
                                              "5,230,1500,0,0,1500,230\r"}));
}

// A new file while the old one cannot take its last samples: retry, discard or cancel, never silently
// dropped.
TEST_F(RecorderTest, ANewFileAfterAFailedSaveAsksFirst) {
    struct Row {
        const char* name;
        std::vector<UnsavedAnswer> answers;
        bool fileBackOnRetry;  // the old file is back after the first question
        bool created;          // the new file was made
        int oldFileSamples;    // samples the old file holds afterwards (-1: it does not exist)
        int questions;
    };
    const Row rows[] = {
        {"cancel keeps everything", {UnsavedAnswer::Cancel}, false, false, -1, 1},
        {"discard drops them on the user's word", {UnsavedAnswer::Discard}, false, true, -1, 1},
        {"retry until it works", {UnsavedAnswer::Retry}, true, true, 5, 1},
        {"retry failing, then cancel", {UnsavedAnswer::Retry, UnsavedAnswer::Cancel}, false, false, -1, 2},
    };
    int n = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        file_ = (dir_ / ("old" + std::to_string(++n) + ".lxr")).string();
        CreateAndStart();
        Record(5);
        fs::remove(file_);
        timers_.fire("TRecordForm.TimerSave");  // fails
        recorder_.StopRecording();              // fails again
        ASSERT_EQ(recorder_.unsavedCount(), 5);
        messages_.clear();
        std::vector<std::pair<std::string, int>> asked;
        std::size_t next = 0;
        const std::string other = (dir_ / "other.lxr").string();
        fs::remove(other);
        const RecorderEffects e = recorder_.CreateRecordFile(other, [&](const UiText& error, int unsaved) {
            asked.emplace_back(error, unsaved);
            if (row.fileBackOnRetry && next == 0) std::ofstream(file_).flush();
            return next < row.answers.size() ? row.answers[next++] : UnsavedAnswer::Cancel;
        });
        ASSERT_EQ(static_cast<int>(asked.size()), row.questions);
        EXPECT_EQ(asked[0].first, "Cannot open file \"" + file_ + "\". No such file or directory");
        EXPECT_EQ(asked[0].second, 5);
        EXPECT_EQ(e.fileCreated, row.created);
        EXPECT_EQ(fs::exists(other), row.created);
        EXPECT_EQ(recorder_.liveCount(), row.created ? 0 : 5);
        EXPECT_EQ(recorder_.state(), row.created ? RecorderState::FileReady : RecorderState::Stopped);
        if (row.oldFileSamples >= 0)
            EXPECT_EQ(FileNow().count, row.oldFileSamples);
        else
            EXPECT_FALSE(fs::exists(file_));
        if (!row.created) {
            // Cancelled: the save timer goes on trying, and the samples reach the file once it is back.
            EXPECT_TRUE((*timers_.find("TRecordForm.TimerSave")).isActive());
            std::ofstream(file_).flush();
            timers_.fire("TRecordForm.TimerSave");
            EXPECT_EQ(FileNow().count, 5);
        }
    }
    // Without a question nothing is dropped: the create is refused with the system's message.
    CreateAndStart();
    Record(2);
    fs::remove(file_);
    recorder_.StopRecording();
    const RecorderEffects e = recorder_.CreateRecordFile((dir_ / "third.lxr").string());
    EXPECT_FALSE(e.fileCreated);
    EXPECT_NE(e.message.original().find("No such file or directory"), std::string::npos);
    EXPECT_EQ(recorder_.liveCount(), 2);
}

}  // namespace
}  // namespace lxv
