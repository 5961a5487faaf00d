#include "record/recorder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "support/manual_timers.h"

namespace lxv {
namespace {

namespace fs = std::filesystem;

class RecorderTest : public ::testing::Test {
  protected:
    RecorderTest() : recorder_(state_, measurement_, timers_, [this] { return stamp_ += 1.0 / 86400; }) {
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
    void Record(int samples) {
        for (int i = 0; i < samples; ++i) ASSERT_TRUE(timers_.fire("TRecordForm.Timer1"));
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
    ASSERT_TRUE(timers_.fire("TRecordForm.Timer1"));
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

}  // namespace
}  // namespace lxv
