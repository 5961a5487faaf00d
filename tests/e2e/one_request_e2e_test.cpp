// One request at a time, seen from outside: the real program against a
// simulator that answers as a USB adapter delivers (10 ms turnaround, replies
// split into pieces). Reads made at random moments of continuous measurement
// get their own replies while blocks keep coming; on the USB link a keep-alive's
// answer never becomes an alarm limit; a starting-test capture at 4800 baud is
// the one the simulator took; a recording through a 10 s mute stores nothing
// for the muted steps.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <string>

#include "process_harness.h"
#include "record/record_file.h"

namespace lxv::e2e {
namespace {

using std::chrono::milliseconds;

const std::vector<std::string> kUsbAdapter = {"--turnaround", "10", "--split", "0.5",
                                              "--seed",       "7",  "--trace", "--trace-clock"};

std::string Diagnostics(const SimulatedRun& run) {
    std::string text = "test log (tail):\n";
    const auto log = run.testLog();
    for (std::size_t i = log.size() > 60 ? log.size() - 60 : 0; i < log.size(); ++i)
        text += "  " + log[i] + "\n";
    const auto err = ReadLines(run.home() + "/sim.err");
    for (std::size_t i = err.size() > 20 ? err.size() - 20 : 0; i < err.size(); ++i)
        text += "  sim: " + err[i] + "\n";
    return text;
}

std::vector<std::string> LinesStartingWith(const std::vector<std::string>& log, const std::string& prefix) {
    std::vector<std::string> lines;
    for (const auto& line : log)
        if (line.rfind(prefix, 0) == 0) lines.push_back(line);
    return lines;
}

// The longest pause between two measurement requests the simulator received, in seconds.
double LongestPauseBetweenBlocks(const std::vector<BlockLogEntry>& blocks) {
    double longest = 0;
    for (std::size_t i = 1; i < blocks.size(); ++i)
        longest = std::max(longest, blocks[i].at - blocks[i - 1].at);
    return longest;
}

struct OneRequestVsSim : ::testing::Test {
    SimulatedRun run{LXV_PROGRAM_PATH, LXV_SIM_PATH};

    // Every read logged its fields, each `expected`; measurement went on through all
    // of them and goes on after them.
    void ExpectEveryReadShownWhileMeasuring(const std::string& expected) {
        ASSERT_TRUE(run.waitForLines("reads done", 1, milliseconds(70000))) << Diagnostics(run);
        const auto log = run.testLog();
        const auto shown = LinesStartingWith(log, expected.substr(0, expected.find(' ') + 1));
        EXPECT_EQ(LinesStartingWith(log, "read-").size(), 0u) << Diagnostics(run);
        EXPECT_EQ(shown.size(), 30u) << Diagnostics(run);
        for (std::size_t i = 0; i < shown.size(); ++i) EXPECT_EQ(shown[i], expected) << "read " << i + 1;
        // Blocks keep coming: ten more after the last read, and never a pause the re-request wait had to end.
        const std::size_t blocks = run.countLines("block ");
        EXPECT_TRUE(run.waitForLines("block ", blocks + 10, milliseconds(5000)))
            << "measurement stopped after the reads\n"
            << Diagnostics(run);
        EXPECT_LT(LongestPauseBetweenBlocks(run.blockLog()), 1.9) << Diagnostics(run);
        EXPECT_TRUE(run.program().running());
    }
};

TEST_F(OneRequestVsSim, SettingsReadAtRandomMomentsWhileMeasuring) {
    RunOptions options;
    options.simArguments = kUsbAdapter;
    options.action = "settings-reads";
    options.env["LXV_TEST_SEED"] = "11";
    ASSERT_TRUE(run.start(options)) << run.why();
    // The simulator's factory settings: angle 0, ratios 1, narrowband, %F, filter 10 off, automatic, range
    // item 3 (range 4).
    ExpectEveryReadShownWhileMeasuring("settings-fields 0|1|1|0|0|9|0|0|3");
}

TEST_F(OneRequestVsSim, AlarmWindowOnTheUsbLinkShowsTheInstrumentsLimits) {
    RunOptions options;
    options.simArguments = kUsbAdapter;
    options.action = "alarm-reads";
    options.usbBridge = true;
    options.env["LXV_TEST_SEED"] = "12";
    ASSERT_TRUE(run.start(options)) << run.why();
    ExpectEveryReadShownWhileMeasuring("alarm-fields 250|10.5|15|0.5|5000|1|0.99|0.5|5a");
}

TEST_F(OneRequestVsSim, StartingCaptureAt4800BaudIsTheOneTaken) {
    // A chunk takes 3.56 s on the wire at 4800 baud.
    RunOptions options;
    options.simArguments = {"--baud", "4800", "--turnaround", "10", "--auto-trigger", "0.3"};
    options.baudIndex = 0;
    options.action = "starting";
    ASSERT_TRUE(run.start(options)) << run.why();
    ASSERT_TRUE(run.waitForLines("capture ", 1, milliseconds(38000))) << Diagnostics(run);
    const long simCrc = LastCaptureCrc(ReadLines(run.home() + "/sim.err"));
    ASSERT_NE(simCrc, -1) << Diagnostics(run);
    const auto captures = LinesStartingWith(run.testLog(), "capture ");
    ASSERT_EQ(captures.size(), 1u) << Diagnostics(run);
    EXPECT_EQ(LastCaptureCrc(captures), simCrc) << "the capture shown is not the one taken\n"
                                                << Diagnostics(run);
    EXPECT_TRUE(run.program().running());
}

TEST_F(OneRequestVsSim, ARecordingThroughAMuteHoldsNoSampleOfIt) {
    const std::string file = run.home() + "/rec.lxr";
    RunOptions options;
    options.simArguments = {"--turnaround", "10"};
    // A 1 s sampling step, a 10 s save step.
    options.settings =
        "\n[RecordSet]\nCh0=0\nCh1=1\nCh2=2\nCh3=6\nCh4=7\nCh5=10\nSampingSetp=0\nSaveSetp=0\n";
    options.env["LXV_TEST_RECORD"] = file;
    ASSERT_TRUE(run.start(options)) << run.why();
    ASSERT_TRUE(run.waitForLines("record sample ", 3, milliseconds(15000))) << Diagnostics(run);
    ASSERT_TRUE(run.sim().writeLine("mute"));
    const auto muted = std::chrono::steady_clock::now();
    // 10 s of silence, through which the program must keep running.
    EXPECT_FALSE(WaitUntil([&] { return !run.program().running(); }, milliseconds(10000)))
        << Diagnostics(run);
    const std::size_t samplesInMute = run.countLines("record sample ");
    ASSERT_TRUE(run.sim().writeLine("unmute"));
    const double muteSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - muted).count();
    // Measurement resumes after the re-request wait; then a few samples more.
    ASSERT_TRUE(run.waitForLines("record sample ", samplesInMute + 3, milliseconds(10000)))
        << Diagnostics(run);
    EXPECT_GE(run.countLines("record missed "), 7u) << Diagnostics(run);
    EXPECT_EQ(run.countLines("status No new measurement"),
              0u);  // the record window's status, not the main one's
    run.stop();     // SIGTERM: the recorder saves what the file lacks

    RecordData d;
    ASSERT_EQ(ReadRecordFile(file, d).error, "") << Diagnostics(run);
    ASSERT_GE(d.count, 6);
    // One gap as long as the mute, give or take the block under way and the re-request wait; a second apart
    // elsewhere.
    int gaps = 0;
    for (int i = 1; i < d.count; ++i) {
        const double step = (d.stamps[i] - d.stamps[i - 1]) * 86400.0;
        if (step > 1.5) {
            ++gaps;
            EXPECT_GT(step, muteSeconds - 2.0) << "sample " << i;
            EXPECT_LT(step, muteSeconds + 6.0) << "sample " << i;
        } else {
            EXPECT_NEAR(step, 1.0, 0.3) << "sample " << i;
        }
        // Each sample is a block of its own: the simulator's noise makes every voltage differ.
        EXPECT_NE(d.channels[0][i], d.channels[0][i - 1]) << "sample " << i << " repeats the one before";
    }
    EXPECT_EQ(gaps, 1) << Diagnostics(run);

    // The export reads the file with its gap as any other: one row per sample.
    const std::string csv = run.home() + "/rec.csv";
    const auto exported = run.runTask({"--export", file, csv}, milliseconds(15000));
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    const auto rows = ReadLines(csv);
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(d.count) + 1);
    EXPECT_EQ(rows[0].rfind("Recording time,", 0), 0u) << rows[0];
}

}  // namespace
}  // namespace lxv::e2e
