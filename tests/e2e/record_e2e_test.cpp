// The recorder in the real program against lxv7700-sim: a 1 s sampling step
// and a 10 s save step, continuous measurement, a record file created and
// recording started by the test hooks; every sample taken must be in the file,
// whether the recording is stopped or the program is ended by SIGTERM. A save
// that fails at SIGTERM is told on standard error and ends with exit code 1.
// Killed with SIGKILL at random moments, every file left behind opens through
// `lxv7700 --export` with at least every sample of its last completed save.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
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

// The count of the last "<prefix><n>" line ("record sample ", "record saved ").
int LastCount(const SimulatedRun& run, const std::string& prefix = "record sample ") {
    int last = 0;
    for (const auto& line : run.testLog())
        if (line.rfind(prefix, 0) == 0) last = std::stoi(line.substr(prefix.size()));
    return last;
}

int LastSample(const SimulatedRun& run) {
    return LastCount(run);
}

// The samples are a second apart, give or take a quarter.
void ExpectStampsOneSecondApart(const RecordData& d) {
    for (int i = 1; i < d.count; ++i) {
        const double step = (d.stamps[i] - d.stamps[i - 1]) * 86400.0;
        ASSERT_NEAR(step, 1.0, 0.25) << "sample " << i;
    }
}

void ExpectRecordingOfTheLoad(const RecordData& d, int samples) {
    ASSERT_EQ(d.count, samples);
    for (int i = 0; i < samples; ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(d.channels[0][i], 230.0f, 5.0f);  // voltage
        EXPECT_NEAR(d.channels[1][i], 5.0f, 0.2f);    // current
        EXPECT_NEAR(d.channels[3][i], 50.0f, 0.5f);   // frequency
        EXPECT_EQ(d.channels[5][i], 0.0f);            // a temperature: not built
    }
    ExpectStampsOneSecondApart(d);
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
    ASSERT_TRUE(WaitUntil([&] { return !run.program().running(); }, milliseconds(10000))) << Diagnostics(run);
    const int taken = LastSample(run);
    ASSERT_GE(taken, 4);
    RecordData d;
    const RecordFileRead read = ReadRecordFile(file(), d);
    ASSERT_EQ(read.error, "") << Diagnostics(run);
    ExpectRecordingOfTheLoad(d, taken);
}

TEST_F(RecordVsSim, AFailedSaveAtSigtermIsToldAndEndsWithExitCode1) {
    ASSERT_TRUE(run.start(options(0))) << run.why();
    ASSERT_TRUE(run.waitForLines("record sample ", 2, milliseconds(15000))) << Diagnostics(run);
    std::filesystem::remove(file());  // the save at the end cannot open it
    ASSERT_EQ(::kill(run.program().pid(), SIGTERM), 0);
    ASSERT_TRUE(WaitUntil([&] { return !run.program().running(); }, milliseconds(10000))) << Diagnostics(run);
    const int status = run.program().status();
    ASSERT_TRUE(WIFEXITED(status)) << status;
    EXPECT_EQ(WEXITSTATUS(status), 1);
    const std::string missing = "Cannot open file \"" + file() + "\". No such file or directory";
    std::vector<std::string> lines;
    for (const auto& line : ReadLines(run.home() + "/program.err"))
        if (line.rfind("lxv7700: ", 0) == 0) lines.push_back(line);
    ASSERT_EQ(lines.size(), 2u) << Diagnostics(run);
    EXPECT_EQ(lines[0], "lxv7700: saving the recording failed: " + missing + "; trying once more");
    EXPECT_EQ(lines[1].rfind("lxv7700: the last ", 0), 0u) << lines[1];
    EXPECT_NE(lines[1].find(" samples of the recording are not in the file: " + missing), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(file()));
}

// Ten recordings, each killed with SIGKILL at a seeded random moment after its first
// completed save (up to two save steps later). They run side by side to keep the test short.
TEST(RecordKill, EveryFileLeftByAKillOpensWithItsSavedSamples) {
    constexpr int kKills = 10;
    const char* seedText = std::getenv("LXV_KILL_SEED");
    const unsigned seed = seedText ? static_cast<unsigned>(std::strtoul(seedText, nullptr, 10)) : 20u;
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> delayMs(0, 20000);
    struct Kill {
        std::unique_ptr<SimulatedRun> run;
        int delay = 0;
        std::chrono::steady_clock::time_point at{};  // set once the first save is seen
        bool killed = false;
        int saved = 0, taken = 0;
        std::string file() const { return run->home() + "/rec.lxr"; }
    };
    std::vector<Kill> kills(kKills);
    for (Kill& k : kills) {
        k.run = std::make_unique<SimulatedRun>(LXV_PROGRAM_PATH, LXV_SIM_PATH);
        k.delay = delayMs(random);
        RunOptions o;
        o.settings = kRecordSettings;
        o.env["LXV_TEST_RECORD"] = k.file();
        ASSERT_TRUE(k.run->start(o)) << k.run->why();
    }
    // Each is killed once its moment has come; first saves come 10 s after the start.
    const bool allKilled = WaitUntil(
        [&] {
            bool all = true;
            for (Kill& k : kills) {
                if (k.killed) continue;
                all = false;
                const auto now = std::chrono::steady_clock::now();
                if (k.at == std::chrono::steady_clock::time_point{}) {
                    if (k.run->countLines("record saved ") > 0) k.at = now + milliseconds(k.delay);
                } else if (now >= k.at) {
                    ::kill(k.run->program().pid(), SIGKILL);
                    k.killed = true;
                }
            }
            return all;
        },
        milliseconds(60000));
    ASSERT_TRUE(allKilled);
    int opened = 0;
    long long recovered = 0, saved = 0;
    for (std::size_t i = 0; i < kills.size(); ++i) {
        Kill& k = kills[i];
        SCOPED_TRACE("kill " + std::to_string(i) + " after " + std::to_string(k.delay) + " ms");
        ASSERT_TRUE(WaitUntil([&] { return !k.run->program().running(); }, milliseconds(10000)));
        EXPECT_TRUE(WIFSIGNALED(k.run->program().status()));
        k.run->stop();
        k.saved = LastCount(*k.run, "record saved ");
        k.taken = LastSample(*k.run);
        // The file opens through the export, the way a user would take it out.
        const std::string sheet = k.run->home() + "/out.csv";
        ChildProcess exporter;
        ChildProcess::Options options;
        options.stderrFile = k.run->home() + "/export.err";
        ASSERT_TRUE(exporter.start({LXV_PROGRAM_PATH, "--export", k.file(), sheet}, options));
        ASSERT_TRUE(WaitUntil([&] { return !exporter.running(); }, milliseconds(20000)));
        ASSERT_TRUE(WIFEXITED(exporter.status()) && WEXITSTATUS(exporter.status()) == 0)
            << Diagnostics(*k.run) << "export: " << ReadLines(options.stderrFile).size()
            << " lines on stderr";
        const int rows = static_cast<int>(ReadLines(sheet).size()) - 1;  // below the heading
        RecordData d;
        ASSERT_EQ(ReadRecordFile(k.file(), d).error, "");
        EXPECT_EQ(rows, d.count);
        EXPECT_GE(d.count, k.saved) << Diagnostics(*k.run);
        EXPECT_LE(d.count, k.taken);
        ExpectStampsOneSecondApart(d);
        opened += rows == d.count && d.count >= k.saved;
        recovered += d.count;
        saved += k.saved;
    }
    std::printf("kill test (seed %u): %d kills, %d files opened, %lld samples recovered, %lld saved\n", seed,
                kKills, opened, recovered, saved);
    RecordProperty("kills", kKills);
    RecordProperty("opened", opened);
    RecordProperty("recovered", static_cast<int>(recovered));
    RecordProperty("saved", static_cast<int>(saved));
}

}  // namespace
}  // namespace lxv::e2e
