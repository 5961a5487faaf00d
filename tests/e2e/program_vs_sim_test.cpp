// The real program against lxv7700-sim on a pseudo-terminal: the settings read
// at start, continuous measurement showing the simulator's blocks, and recovery
// from damaged and split replies.
#include <gtest/gtest.h>

#include <algorithm>
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

}  // namespace
}  // namespace lxv::e2e
