// The real program against lxv7700-sim on a pseudo-terminal: the settings read
// at start, continuous measurement showing the simulator's blocks, recovery
// from damaged and split replies, stray bytes that cost no block, and a
// starting test fetched whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>

#include "process_harness.h"

namespace lxv::e2e {
namespace {

using std::chrono::milliseconds;

constexpr milliseconds kStartTimeout(8000);
constexpr milliseconds kRunTimeout(15000);

std::string Diagnostics(const SimulatedRun& run) {
    std::string text = "test log:\n";
    for (const auto& line : run.testLog()) text += "  " + line + "\n";
    for (const char* file : {"/program.err", "/sim.err"}) {
        text += std::string(file + 1) + ":\n";
        for (const auto& line : ReadLines(run.home() + file)) text += "  " + line + "\n";
    }
    return text;
}

std::set<unsigned> CrcsWithOutcome(const std::vector<BlockLogEntry>& log, const std::string& outcome) {
    std::set<unsigned> crcs;
    for (const auto& e : log)
        if (e.outcome == outcome) crcs.insert(e.crc);
    return crcs;
}

// Every block the program accepted is one the simulator sent whole.
void ExpectOnlyWholeBlocksAccepted(const SimulatedRun& run) {
    const auto accepted = AcceptedBlocks(run.testLog());
    const auto whole = CrcsWithOutcome(run.blockLog(), "ok");
    ASSERT_FALSE(accepted.empty());
    for (unsigned crc : accepted)
        EXPECT_TRUE(whole.count(crc)) << std::hex << crc << "\n" << Diagnostics(run);
}

struct ProgramVsSim : ::testing::Test {
    SimulatedRun run{LXV_PROGRAM_PATH, LXV_SIM_PATH};
};

TEST_F(ProgramVsSim, ReadsTheSettingsAtStartAndMeasuresContinuously) {
    ASSERT_TRUE(run.start({})) << run.why();
    ASSERT_TRUE(run.waitForLines("setup", 1, kStartTimeout)) << Diagnostics(run);
    ASSERT_TRUE(run.waitForLines("block ", 8, kRunTimeout)) << Diagnostics(run);
    ExpectOnlyWholeBlocksAccepted(run);
    // The simulator's values change from block to block, and each is shown.
    const auto accepted = AcceptedBlocks(run.testLog());
    EXPECT_GT(std::set<unsigned>(accepted.begin(), accepted.end()).size(), 1u);
    const auto log = run.testLog();
    EXPECT_NE(std::find(log.begin(), log.end(), "status Communication success!"), log.end());
    EXPECT_NE(std::find(log.begin(), log.end(), "status Request data!"), log.end());
    EXPECT_TRUE(run.program().running());
}

TEST_F(ProgramVsSim, RecoversFromFlippedBits) {
    ASSERT_TRUE(run.start({{"--flip", "0.3"}})) << run.why();
    ASSERT_TRUE(run.waitForLines("block ", 10, kRunTimeout)) << Diagnostics(run);
    ExpectOnlyWholeBlocksAccepted(run);
    const auto flipped = CrcsWithOutcome(run.blockLog(), "flip");
    EXPECT_FALSE(flipped.empty()) << "the simulator flipped nothing";
    EXPECT_TRUE(run.program().running());
}

TEST_F(ProgramVsSim, ASlowLineIsNotAskedTwiceForABlockStillArriving) {
    // At 9600 baud a block needs 2.65 s on the wire, longer than the 2 s design wait.
    RunOptions options;
    options.simArguments = {"--baud", "9600"};
    options.baudIndex = 1;
    ASSERT_TRUE(run.start(options)) << run.why();
    ASSERT_TRUE(run.waitForLines("block ", 3, milliseconds(30000))) << Diagnostics(run);
    ExpectOnlyWholeBlocksAccepted(run);
    for (const auto& line : run.testLog()) EXPECT_NE(line, "status Communication failure, re-request data!");
    // One request per block: the simulator sent at most the one under way besides those shown.
    EXPECT_LE(run.blockLog().size(), AcceptedBlocks(run.testLog()).size() + 1);
}

TEST_F(ProgramVsSim, JoinsRepliesSplitAcrossWrites) {
    ASSERT_TRUE(run.start({{"--split", "0.5"}})) << run.why();
    ASSERT_TRUE(run.waitForLines("block ", 10, kRunTimeout)) << Diagnostics(run);
    ExpectOnlyWholeBlocksAccepted(run);
    // A split reply is still one reply: no damaged block asks for a repeat.
    for (const auto& line : run.testLog()) EXPECT_NE(line, "status Communication failure, re-request data!");
}

TEST_F(ProgramVsSim, StrayBytesAfterABlockCostNoBlock) {
    // A fifth of the replies come with 1 to 16 random bytes behind them, at the USB link's pace.
    RunOptions options;
    options.simArguments = {"--extra", "0.2", "--baud", "115200", "--seed", "24"};
    options.baudIndex = 7;
    ASSERT_TRUE(run.start(options)) << run.why();
    ASSERT_TRUE(run.waitForLines("block ", 70, milliseconds(40000))) << Diagnostics(run);
    const auto log = run.testLog();
    const auto shown = AcceptedBlocks(log);
    const auto sent = run.blockLog();
    // Every reply sent whole, up to the last one shown, is shown, in order.
    std::size_t next = 0, extras = 0, strayBehind = 0;
    for (unsigned crc : shown) {
        ASSERT_LT(next, sent.size());
        const BlockLogEntry& e = sent[next++];
        ASSERT_TRUE(e.outcome == "ok" || e.outcome == "extra") << e.seq << " " << e.outcome;
        EXPECT_EQ(e.crc, crc) << "reply " << e.seq << " was not shown\n" << Diagnostics(run);
        // A burst is counted when it ends, before the next block shows: the last one may still be open.
        if (e.outcome == "extra" && next < shown.size()) {
            ++extras;
            strayBehind += e.bytes - 2532;
        }
    }
    EXPECT_GT(extras, 5u);
    // The program dropped exactly the stray bytes, and never asked for a block again.
    std::size_t dropped = 0, blocks = 0;
    for (const auto& line : log) {
        blocks += line.rfind("block ", 0) == 0;
        if (line.rfind("stray ", 0) == 0 && blocks < shown.size())
            dropped += std::strtoul(line.c_str() + 6, nullptr, 10);
        EXPECT_NE(line, "status Communication failure, re-request data!");
    }
    EXPECT_EQ(dropped, strayBehind);
}

TEST_F(ProgramVsSim, FetchesAWholeStartingCaptureThroughADamagedChunk) {
    ASSERT_TRUE(run.start({{"--auto-trigger", "0.3", "--damage-chunk", "3"}, "starting"})) << run.why();
    ASSERT_TRUE(run.waitForLines("capture ", 1, kRunTimeout)) << Diagnostics(run);
    const auto simLog = ReadLines(run.home() + "/sim.err");
    const long simCrc = LastCaptureCrc(simLog);
    ASSERT_NE(simCrc, -1) << Diagnostics(run);
    EXPECT_EQ(LastCaptureCrc(run.testLog()), simCrc) << Diagnostics(run);
    EXPECT_NE(std::find(simLog.begin(), simLog.end(), "lxv7700-sim: fault: flipped a bit of chunk 3"),
              simLog.end())
        << Diagnostics(run);
    EXPECT_TRUE(run.program().running());
}

}  // namespace
}  // namespace lxv::e2e
