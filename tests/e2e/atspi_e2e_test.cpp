// The program driven over the real accessibility bus (AT-SPI), as a screen
// reader or voice control drives it: the program runs against lxv7700-sim on
// an X server of its own (Xvfb; Qt's offscreen platform has no bridge to the
// bus), a bus client sets the alarm window's voltage upper limit through the
// field's editable-text interface and presses save, and the simulator must
// receive that value. Run under dbus-run-session, which gives the test a
// session bus of its own; the accessibility bus is started from it.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "process_harness.h"

namespace lxv::e2e {
namespace {

using std::chrono::milliseconds;

bool Executable(const std::string& path) {
    return ::access(path.c_str(), X_OK) == 0;
}
bool Exists(const std::string& path) {
    struct stat s {};
    return ::stat(path.c_str(), &s) == 0;
}

// Why the bus test cannot run here, naming the package that is missing; empty when it can.
std::string MissingPiece() {
    if (!std::getenv("DBUS_SESSION_BUS_ADDRESS"))
        return "no session bus: run it under dbus-run-session (Debian package dbus-daemon)";
    if (!Exists("/usr/share/dbus-1/services/org.a11y.Bus.service"))
        return "the accessibility bus is not installed (Debian package at-spi2-core)";
    if (!Executable(LXV_XVFB_PATH)) return "no Xvfb (Debian package xvfb)";
    if (!Executable(LXV_SYSTEM_PYTHON)) return "no " LXV_SYSTEM_PYTHON " (Debian package python3)";
    ChildProcess probe;
    if (!probe.start({LXV_SYSTEM_PYTHON, "-c", "import pyatspi"}, {})) return "cannot run " LXV_SYSTEM_PYTHON;
    WaitUntil([&] { return !probe.running(); }, milliseconds(15000));
    if (probe.stop() != 0) return "python3 cannot import pyatspi (Debian package python3-pyatspi)";
    return {};
}

TEST(AccessibilityBus, AlarmLimitSetThroughTheBusReachesTheInstrument) {
    if (const std::string missing = MissingPiece(); !missing.empty()) GTEST_SKIP() << missing;

    // An X server on a free display; it writes the display number to our pipe.
    ChildProcess xvfb;
    ChildProcess::Options xOptions;
    xOptions.pipeStdout = true;
    ASSERT_TRUE(xvfb.start(
        {LXV_XVFB_PATH, "-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"}, xOptions));
    std::string display;
    ASSERT_TRUE(xvfb.readLine(display, milliseconds(15000))) << "Xvfb gave no display";

    SimulatedRun run(LXV_PROGRAM_PATH, LXV_SIM_PATH);
    RunOptions options;
    options.simArguments = {"--trace"};
    options.action = "";
    options.env = {
        {"QT_QPA_PLATFORM", "xcb"}, {"DISPLAY", ":" + display}, {"QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1"}};
    ASSERT_TRUE(run.start(options)) << run.why();

    ChildProcess client;
    ChildProcess::Options clientOptions;
    clientOptions.stdoutFile = run.home() + "/client.out";
    clientOptions.stderrFile = run.home() + "/client.err";
    ASSERT_TRUE(client.start({LXV_SYSTEM_PYTHON, LXV_ATSPI_CLIENT, "250"}, clientOptions));
    const bool ended = WaitUntil([&] { return !client.running(); }, milliseconds(90000));
    const int status = client.stop();
    std::string said;
    for (const auto& file : {"/client.out", "/client.err", "/program.err"})
        for (const std::string& line : ReadLines(run.home() + file)) said += "  " + line + "\n";
    ASSERT_TRUE(ended && status == 0) << "the bus client failed:\n" << said;

    // AL1H (register 118) written with 250 as a single, least significant byte first.
    const std::string frame = "<- 01 10 00 76 00 02 04 00 00 7A 43 ";
    const bool received = WaitUntil(
        [&] {
            for (const std::string& line : ReadLines(run.home() + "/sim.err"))
                if (line.find(frame) != std::string::npos) return true;
            return false;
        },
        milliseconds(10000));
    EXPECT_TRUE(received) << "the simulator did not receive AL1H = 250\n" << said;
    run.stop();
    xvfb.stop();
}

}  // namespace
}  // namespace lxv::e2e
