// The instrument configuration against lxv7700-sim: the settings saved and
// read back, the alarm chain through dropped and damaged replies, and the
// calibration writes as the simulator received them.
#include <gtest/gtest.h>

#include <algorithm>

#include "process_harness.h"

namespace lxv::e2e {
namespace {

using std::chrono::milliseconds;

std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += "  " + line + "\n";
    return text;
}

struct InstrumentVsSim : ::testing::Test {
    SimulatedRun run{LXV_PROGRAM_PATH, LXV_SIM_PATH};

    std::vector<std::string> simErr() const { return ReadLines(run.home() + "/sim.err"); }
    std::string diagnostics() const {
        return "test log:\n" + Lines(run.testLog()) + "sim.err:\n" + Lines(simErr());
    }
    bool logged(const std::string& line) const {
        const auto log = run.testLog();
        return std::find(log.begin(), log.end(), line) != log.end();
    }
    // The simulator received (and traced) a request starting with these bytes.
    bool received(const std::string& hex) const {
        for (const auto& line : simErr())
            if (line.find("<- " + hex + " ") != std::string::npos) return true;
        return false;
    }
};

TEST_F(InstrumentVsSim, SettingsSavedAreReadBackEqual) {
    ASSERT_TRUE(run.start({{"--trace"}, "settings-write"})) << run.why();
    ASSERT_TRUE(run.waitForLines("settings-fields ", 1, milliseconds(15000))) << diagnostics();
    // Angle 9 (as 0.0005 s, read back with the 50 Hz period), ratios 0.1 and 2,
    // broadband, %R, filter 3 on, range 2 locked.
    EXPECT_TRUE(logged("settings-fields 9.00000042747706|0.100000001490116|2|1|1|2|1|1|1")) << diagnostics();
    EXPECT_TRUE(received("01 10 00 BC 00 09 13 6F 12 03 3A CD CC CC 3D 00 00 00 40 01 01 03 00 01 03 02"))
        << diagnostics();
    EXPECT_TRUE(logged("settings-status Successfully write data to the instrument"));
}

TEST_F(InstrumentVsSim, AlarmChainCompletesThroughDropsAndFlips) {
    ASSERT_TRUE(run.start({{"--drop", "0.2", "--flip", "0.1", "--seed", "5"}, "alarm-write"})) << run.why();
    ASSERT_TRUE(run.waitForLines("alarm-fields ", 1, milliseconds(60000))) << diagnostics();
    EXPECT_TRUE(logged("alarm-fields 250|10.5|15|0.5|5000|1|0.99|0.5|5a")) << diagnostics();
    EXPECT_EQ(run.countLines("alarm-label Transfer failed"), 0u);
    // With this seed acknowledgements are dropped and damaged, one step twice in a row.
    const auto err = simErr();
    EXPECT_GE(
        std::count_if(err.begin(), err.end(),
                      [](const std::string& l) { return l.find("(write acknowledgement of") != l.npos; }),
        5)
        << diagnostics();
}

TEST_F(InstrumentVsSim, CalibrationWritesReachTheSimulator) {
    ASSERT_TRUE(run.start({{"--trace"}, "calibrate"})) << run.why();
    ASSERT_TRUE(run.waitForLines("calibrate-phase ", 1, milliseconds(15000))) << diagnostics();
    EXPECT_TRUE(logged("calibrate-phase 1.00000001111766")) << diagnostics();
    for (const char* frame : {"01 10 00 9A 00 02 04 00 00 5C 43",   // CALU 220
                              "01 10 00 9E 00 02 04 0A D7 A3 3C",   // CALI 0.02
                              "01 10 00 A7 00 02 04 53 04 69 38",   // IPHN 1 degree as seconds
                              "01 10 00 A6 00 02 04 03 00 00 00",   // TCOMP 3
                              "01 10 00 B9 00 02 04 6B 00 00 00"})  // CALLOCK 0x6B
        EXPECT_TRUE(received(frame)) << frame << "\n" << diagnostics();
}

}  // namespace
}  // namespace lxv::e2e
