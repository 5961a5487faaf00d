// The recorder in the real program against lxv7700-sim: a 1 s sampling step
// and a 10 s save step, continuous measurement, a record file created and
// recording started by the test hooks; every sample taken must be in the file,
// whether the recording is stopped or the program is ended by SIGTERM.
#include <gtest/gtest.h>
#include <signal.h>

#include <string>

#include "process_harness.h"
#include "record/record_file.h"

namespace lxv::e2e {
namespace {

using std::chrono::milliseconds;

constexpr const char* kRecordSettings =
    "\n[RecordSet]\nCh0=0\nCh1=1\nCh2=2\nCh3=6\nCh4=7\nCh5=10\nSampingSetp=0\nSaveSetp=0\n";

std::string Diagnostics(const SimulatedRun& run) {
    std::string text = "test log (tail):\n";
    const auto log = run.testLog();
    for (std::size_t i = log.size() > 30 ? log.size() - 30 : 0; i < log.size(); ++i)
        text += "  " + log[i] + "\n";
    for (const auto& line : ReadLines(run.home() + "/program.err")) text += "  err: " + line + "\n";
    return text;
}

// The count of the last "record sample <n>" line.
int LastSample(const SimulatedRun& run) {
    int last = 0;
    for (const auto& line : run.testLog())
        if (line.rfind("record sample ", 0) == 0) last = std::stoi(line.substr(14));
    return last;
}

void ExpectRecordingOfTheLoad(const RecordData& d, int samples) {
    ASSERT_EQ(d.count, samples);
    for (int i = 0; i < samples; ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(d.channels[0][i], 230.0f, 5.0f);  // voltage
        EXPECT_NEAR(d.channels[1][i], 5.0f, 0.2f);    // current
        EXPECT_NEAR(d.channels[3][i], 50.0f, 0.5f);   // frequency
        EXPECT_EQ(d.channels[5][i], 0.0f);            // a temperature: not built
        if (i > 0) {
            EXPECT_NEAR((d.stamps[i] - d.stamps[i - 1]) * 86400.0, 1.0, 0.25);
        }
    }
    EXPECT_EQ(d.codes, (std::array<std::uint8_t, 6>{0, 1, 2, 6, 7, 10}));
    EXPECT_EQ(d.stepIndex, 0);
}

struct RecordVsSim : ::testing::Test {
    SimulatedRun run{LXV_PROGRAM_PATH, LXV_SIM_PATH};
    std::string file() const { return run.home() + "/rec.lxr"; }
    RunOptions options(int samples) const {
        RunOptions o;
        o.settings = kRecordSettings;
        o.env["LXV_TEST_RECORD"] = file();
        if (samples > 0) o.env["LXV_TEST_RECORD_SAMPLES"] = std::to_string(samples);
        return o;
    }
};

TEST_F(RecordVsSim, StopLeavesEverySampleInTheFile) {
    ASSERT_TRUE(run.start(options(12))) << run.why();
    ASSERT_TRUE(run.waitForLines("record started", 1, milliseconds(10000))) << Diagnostics(run);
    ASSERT_TRUE(run.waitForLines("record stopped", 1, milliseconds(25000))) << Diagnostics(run);
    // Twelve samples, one save step of 10 s on the way: the rest came with the stop.
    RecordData d;
    const RecordFileRead read = ReadRecordFile(file(), d);
    ASSERT_EQ(read.error, "") << Diagnostics(run);
    ExpectRecordingOfTheLoad(d, 12);
    EXPECT_EQ(run.countLines("record stopped 12"), 1u) << Diagnostics(run);
    EXPECT_TRUE(run.program().running());
}

TEST_F(RecordVsSim, SigtermLeavesEverySampleInTheFile) {
    ASSERT_TRUE(run.start(options(0))) << run.why();
    ASSERT_TRUE(run.waitForLines("record sample ", 4, milliseconds(15000))) << Diagnostics(run);
    // Before the first 10 s save step: only the save at the end can put these in the file.
    ASSERT_EQ(::kill(run.program().pid(), SIGTERM), 0);
    ASSERT_TRUE(WaitUntil([&] { return !run.program().running(); }, milliseconds(5000))) << Diagnostics(run);
    const int taken = LastSample(run);
    ASSERT_GE(taken, 4);
    RecordData d;
    const RecordFileRead read = ReadRecordFile(file(), d);
    ASSERT_EQ(read.error, "") << Diagnostics(run);
    ExpectRecordingOfTheLoad(d, taken);
}

}  // namespace
}  // namespace lxv::e2e
