// Whole conversations with the lxv7700-sim process through its real
// pseudo-terminal: exact reply bytes, silence where a real instrument is
// silent, the starting test, faults, unplugging and ending.
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "link/frame_codec.h"
#include "link/registers.h"
#include "core/measure_block.h"
#include "sim/sim_process.h"
#include "support/fake_serial_port.h"

namespace lxv::sim::test {
namespace {

using lxv::test::Hex;

struct Sim : ::testing::Test {
    std::string dir;
    std::unique_ptr<SimProcess> process;
    std::unique_ptr<PtyClient> line;
    std::string path;

    void SetUp() override {
        char pattern[] = "/tmp/lxv-sim-test-XXXXXX";
        dir = mkdtemp(pattern);
    }
    void TearDown() override {
        line.reset();
        process.reset();
        std::filesystem::remove_all(dir);
    }
    void Start(std::vector<std::string> args) {
        args.insert(args.begin(), {"--seed", "11"});
        process = std::make_unique<SimProcess>(SimPath(), args, dir + "/stderr");
        path = process->ReadLine(10000);
        ASSERT_FALSE(path.empty()) << StderrText();
        line = std::make_unique<PtyClient>(path);
        ASSERT_TRUE(line->isOpen());
    }
    std::string StderrText() const {
        std::ifstream in(dir + "/stderr");
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::vector<std::string> BlockLogLines() const {
        std::ifstream in(dir + "/blocks");
        std::vector<std::string> lines;
        for (std::string l; std::getline(in, l);) lines.push_back(l);
        return lines;
    }
    // Asks for a block and reads the log line of reply `seq` (1, 2, ...):
    // its outcome and CRC. The line is written when the reply's fate is decided.
    std::string AskForBlock(std::size_t seq, unsigned& crc, std::size_t* bytes = nullptr) const {
        line->Write(Hex("01 03 00 94 00 02 85 E7"));
        std::vector<std::string> lines = BlockLogLines();
        // A loaded machine can hold either process up for seconds: wait long, as the
        // line comes at once when all is well.
        for (const double end = NowMs() + 10000; lines.size() < seq && NowMs() < end;) {
            poll(nullptr, 0, 1);
            lines = BlockLogLines();
        }
        unsigned logged = 0;
        char outcome[16] = {};
        double at = 0, pauses = 0;
        std::size_t sent = 0;
        if (lines.size() != seq ||
            std::sscanf(lines.back().c_str(), "%u %4x %15s %lf %zu %lf", &logged, &crc, outcome, &at, &sent,
                        &pauses) != 6 ||
            logged != seq)
            return "no log line: " + std::to_string(lines.size()) + " lines for request " + std::to_string(seq) +
                   (lines.empty() ? std::string() : ", the last \"" + lines.back() + "\"");
        if (bytes) *bytes = sent;
        return outcome;
    }
};

TEST_F(Sim, AnswersEveryRegisterWithTheExactReply) {
    Start({});
    // Settings: the factory block, for either count, then a write that is stored.
    EXPECT_EQ(line->Ask(Hex("01 03 00 BC 00 02 05 EF"), 24),
              Hex("01 03 13 00 00 00 00 00 00 80 3F 00 00 80 3F 00 00 0A 01 00 03 04 2F 9D"));
    EXPECT_EQ(line->Ask(Hex("01 03 00 BC 00 12 04 23"), 24).size(), 24u);
    EXPECT_EQ(
        line->Ask(Hex("01 10 00 BC 00 09 13 6F 12 03 3A 00 00 C8 42 00 00 20 41 01 01 05 00 01 03 02 02 DC"),
                  5),
        Hex("01 09 BC 27 E1"));
    EXPECT_EQ(line->Ask(Hex("01 03 00 BC 00 02 05 EF"), 24),
              Hex("01 03 13 6F 12 03 3A 00 00 C8 42 00 00 20 41 01 01 05 00 01 03 02 87 1B"));
    // Alarm limits: start values, a stored write, the switch byte.
    EXPECT_EQ(line->Ask(Hex("01 03 00 76 00 02 25 D1"), 9), Hex("01 03 04 00 00 96 43 D4 62"));
    EXPECT_EQ(line->Ask(Hex("01 03 00 7A 00 02 E5 D2"), 9), Hex("01 03 04 00 80 BB 45 48 D8"));
    EXPECT_EQ(line->Ask(Hex("01 10 00 78 00 02 04 00 00 48 41 03 1D"), 5), Hex("01 09 78 26 72"));
    EXPECT_EQ(line->Ask(Hex("01 03 00 78 00 02 44 12"), 9), Hex("01 03 04 00 00 48 41 0C 03"));
    EXPECT_EQ(line->Ask(Hex("01 10 00 7E 00 02 04 05 00 00 00 75 CB"), 5), Hex("01 09 7E A6 70"));
    EXPECT_EQ(line->Ask(Hex("01 03 00 7E 00 02 A4 13"), 9), Hex("01 03 04 05 00 00 00 FA FF"));
    // Calibration: phase corrections stored and read back, the rest acknowledged.
    EXPECT_EQ(line->Ask(Hex("01 10 00 A7 00 02 04 00 00 00 3F F8 21"), 5), Hex("01 09 A7 67 EA"));
    EXPECT_EQ(line->Ask(Hex("01 03 00 A7 00 02 75 E8"), 9), Hex("01 03 04 00 00 00 3F BA 23"));
    EXPECT_EQ(line->Ask(Hex("01 03 00 A8 00 02 45 EB"), 9), Hex("01 03 04 00 00 00 00 FA 33"));
    EXPECT_EQ(line->Ask(Hex("01 10 00 9A 00 02 04 00 00 5C 43 02 4D"), 5), Hex("01 09 9A A6 3B"));
    EXPECT_EQ(line->Ask(Hex("01 10 00 B9 00 02 04 6B 00 00 00 24 95"), 5), Hex("01 09 B9 E7 E2"));
    // The link check reports the unlocked calibration; the link end gets no reply.
    EXPECT_EQ(line->Ask(Hex("01 03 00 BB 00 0F 75 EB"), 7), Hex("01 03 02 00 04 B9 87"));
    EXPECT_TRUE(line->Ask(Hex("01 03 00 BA 00 00 64 2F"), 1, 150).empty());
    // A measurement: the bare block and its CRC, no header.
    const auto block = line->Ask(Hex("01 03 00 94 00 02 85 E7"), 2532);
    ASSERT_EQ(block.size(), 2532u);
    EXPECT_TRUE(CrcMatches(block.data(), block.size()));
}

TEST_F(Sim, IsSilentForOtherStationsAndDamagedFramesAndRecovers) {
    Start({"--address", "7", "--noise", "0", "--phase", "-40"});
    EXPECT_TRUE(line->Ask(Hex("01 03 00 94 00 02 85 E7"), 1, 200).empty());  // station 1
    EXPECT_TRUE(line->Ask(Hex("07 03 00 94 00 02 85 80"), 1, 200).empty());  // bad CRC
    line->Write(Hex("55 AA 07 99"));                                         // line noise
    EXPECT_TRUE(line->Read(1, 100).empty());
    // A request in two pieces a moment apart is still one request.
    line->Write(Hex("07 03 00"));
    poll(nullptr, 0, 2);
    const auto reply = line->Ask(Hex("94 00 02 85 81"), 2532);
    ASSERT_EQ(reply.size(), 2532u);
    ASSERT_TRUE(CrcMatches(reply.data(), reply.size()));
    MeasureRecord r;
    AcceptMeasureBlock(r, reply.data());
    EXPECT_NEAR(FundamentalPhase(r, Channel::Current), -40.0, 0.1);
    EXPECT_NEAR(FundamentalPhase(r, Channel::Voltage), 0.0, 0.1);
    EXPECT_NEAR(r.URMS(), 230.0, 0.01);
}

// Six chunks of a capture requested by a start request and the Starting switch.
std::vector<std::uint8_t> FetchCapture(const PtyClient& line) {
    std::vector<std::uint8_t> capture;
    for (int k = 1; k <= 6; ++k) {
        auto request = lxv::test::WithCrc({1, 3, 0, 147, static_cast<std::uint8_t>(k), 0});
        const auto chunk = line.Ask(request, 1710);
        EXPECT_EQ(chunk.size(), 1710u) << "chunk " << k;
        EXPECT_TRUE(CrcMatches(chunk.data(), chunk.size())) << "chunk " << k;
        if (chunk.size() == 1710) capture.insert(capture.end(), chunk.begin(), chunk.end() - 2);
    }
    return capture;
}

TEST_F(Sim, StartingTestWaitsForTheSwitchThenServesSixChunks) {
    Start({});
    EXPECT_TRUE(line->Ask(Hex("01 03 00 93 00 20 B4 3F"), 1, 200).empty());  // armed, waiting
    process->Send("s");
    EXPECT_EQ(line->Read(6, 10000), Hex("01 0A 92 20 4D 62"));
    const auto first = FetchCapture(*line);
    ASSERT_EQ(first.size(), kStartingRecordSize);
    // Asking again gives the same capture: it is held until the next start.
    EXPECT_EQ(FetchCapture(*line), first);
    // SIGUSR1 is the switch too, and takes a new capture.
    EXPECT_TRUE(line->Ask(Hex("01 03 00 93 00 20 B4 3F"), 1, 100).empty());
    process->Signal(SIGUSR1);
    EXPECT_EQ(line->Read(6, 10000), Hex("01 0A 92 20 4D 62"));
    EXPECT_NE(FetchCapture(*line), first);
}

TEST_F(Sim, AutoTriggerPressesTheSwitchByItself) {
    Start({"--auto-trigger", "0.05"});
    line->Write(Hex("01 03 00 93 00 20 B4 3F"));
    EXPECT_EQ(line->Read(6, 10000), Hex("01 0A 92 20 4D 62"));
}

TEST_F(Sim, FaultsComeAtTheAskedRatesAndTheBlockLogTellsThem) {
    Start({"--drop", "0.2", "--flip", "0.1", "--short", "0.1", "--split", "0.3", "--block-log",
           dir + "/blocks"});
    const int n = 300;
    int count[4] = {};  // ok, flip, short, drop
    for (int i = 0; i < n; ++i) {
        unsigned crc = 0;
        std::size_t logged = 0;
        const std::string what = AskForBlock(i + 1, crc, &logged);
        if (what == "ok" || what == "flip") {
            const auto reply = line->Read(2532, 10000);
            ASSERT_EQ(reply.size(), 2532u);
            EXPECT_EQ(CrcMatches(reply.data(), reply.size()), what == "ok");
            if (what == "ok") {
                EXPECT_EQ(Crc16(reply.data(), 2530), crc);
            }
            ++count[what == "ok" ? 0 : 1];
        } else if (what == "short") {
            // Read as many as the log says went out, so that a late one cannot
            // spill into the next reply.
            EXPECT_GE(logged, 1u);
            EXPECT_LE(logged, 4u);
            EXPECT_EQ(line->Read(logged, 10000).size(), logged);
            EXPECT_TRUE(line->Read(1, 20).empty());
            ++count[2];
        } else {
            ASSERT_EQ(what, "drop");
            EXPECT_TRUE(line->Read(1, 30).empty());
            ++count[3];
        }
    }
    // Binomial spreads: 4 standard deviations either side.
    EXPECT_NEAR(count[3], 0.2 * n, 4 * std::sqrt(n * 0.2 * 0.8));
    EXPECT_NEAR(count[1], 0.1 * n, 4 * std::sqrt(n * 0.1 * 0.9));
    EXPECT_NEAR(count[2], 0.1 * n, 4 * std::sqrt(n * 0.1 * 0.9));
    EXPECT_NE(StderrText().find("pieces"), std::string::npos);  // splits are logged
}

TEST_F(Sim, StrayBytesAfterABlockAndRandomBytesInsteadAreLogged) {
    Start({"--extra", "0.5", "--garbage", "0.5", "--block-log", dir + "/blocks"});
    int extras = 0, garbage = 0;
    for (int i = 0; i < 30; ++i) {
        unsigned crc = 0;
        std::size_t logged = 0;
        const std::string what = AskForBlock(i + 1, crc, &logged);
        // The log tells what went on the wire, and nothing follows it.
        const auto sent = line->Read(logged, 10000);
        EXPECT_EQ(logged, sent.size());
        EXPECT_TRUE(line->Read(1, 30).empty());
        if (what == "extra") {
            // The block whole, then 1 to 16 bytes more.
            ASSERT_GE(sent.size(), 2533u);
            ASSERT_LE(sent.size(), 2548u);
            EXPECT_TRUE(CrcMatches(sent.data(), 2532));
            EXPECT_EQ(Crc16(sent.data(), 2530), crc);
            ++extras;
        } else {
            ASSERT_EQ(what, "garbage");
            ASSERT_GE(sent.size(), 1u);
            ASSERT_LE(sent.size(), 6000u);
            EXPECT_FALSE(sent.size() >= 2532 && CrcMatches(sent.data(), 2532));
            ++garbage;
        }
    }
    EXPECT_GT(extras, 0);
    EXPECT_GT(garbage, 0);
    const std::string err = StderrText();
    EXPECT_NE(err.find("random bytes after the reply"), std::string::npos);
    EXPECT_NE(err.find("random bytes instead of the reply"), std::string::npos);

    SimProcess wrong(SimPath(), {"--extra", "0.6", "--garbage", "0.6"}, dir + "/stderr2");
    EXPECT_EQ(wrong.WaitExit(10000), 2);
}

TEST_F(Sim, MutesAfterTheAskedRepliesUntilUnmuted) {
    Start({"--mute-after", "2", "--block-log", dir + "/blocks"});
    EXPECT_EQ(line->Ask(Hex("01 03 00 76 00 02 25 D1"), 9).size(), 9u);
    EXPECT_EQ(line->Ask(Hex("01 03 00 94 00 02 85 E7"), 2532).size(), 2532u);
    EXPECT_TRUE(line->Ask(Hex("01 03 00 94 00 02 85 E7"), 1, 200).empty());
    process->Send("unmute");
    poll(nullptr, 0, 50);
    EXPECT_EQ(line->Ask(Hex("01 03 00 76 00 02 25 D1"), 9).size(), 9u);
    const auto log = BlockLogLines();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_NE(log[0].find(" ok"), std::string::npos);
    EXPECT_NE(log[1].find(" muted"), std::string::npos);
}

TEST_F(Sim, PacesRepliesAtTheBaudRateAfterTheTurnaround) {
    Start({"--baud", "115200", "--turnaround", "100"});
    const double asked = NowMs();
    line->Write(Hex("01 03 00 94 00 02 85 E7"));
    const auto first = line->Read(1, 10000);
    const double firstAt = NowMs();
    const auto rest = line->Read(2531, 10000);
    const double lastAt = NowMs();
    ASSERT_EQ(first.size() + rest.size(), 2532u);
    EXPECT_GE(firstAt - asked, 95.0);
    // 2532 bytes of 10 bits at 115200 baud take 220 ms.
    EXPECT_GE(lastAt - firstAt, 190.0);
    EXPECT_LT(lastAt - firstAt, 1500.0);
}

TEST_F(Sim, UnplugClosesTheLineAndReplugsAtTheSameLink) {
    const std::string link = dir + "/lxv7700";
    Start({"--link", link, "--replug-ms", "200"});
    char target[PATH_MAX] = {};
    ASSERT_GT(readlink(link.c_str(), target, sizeof target - 1), 0);
    EXPECT_EQ(path, target);
    process->Send("unplug");
    EXPECT_TRUE(line->Read(1, 500).empty());  // the old line is dead
    const std::string second = process->ReadLine(10000);
    ASSERT_FALSE(second.empty());
    std::fill(std::begin(target), std::end(target), '\0');
    ASSERT_GT(readlink(link.c_str(), target, sizeof target - 1), 0);
    EXPECT_EQ(second, target);
    PtyClient again(link);
    ASSERT_TRUE(again.isOpen());
    EXPECT_EQ(again.Ask(Hex("01 03 00 76 00 02 25 D1"), 9), Hex("01 03 04 00 00 96 43 D4 62"));
}

TEST_F(Sim, ServesASerialDeviceAtABaudRateOfTheProgramsList) {
    // A pseudo-terminal stands in for the null-modem cable: the simulator gets
    // the slave as its device, the test plays the program on the master.
    int master = -1, slave = -1;
    char name[PATH_MAX] = {};
    ASSERT_EQ(openpty(&master, &slave, name, nullptr, nullptr), 0);
    termios tio{};
    tcgetattr(slave, &tio);
    cfmakeraw(&tio);
    tcsetattr(slave, TCSANOW, &tio);
    process = std::make_unique<SimProcess>(
        SimPath(), std::vector<std::string>{"--device", name, "--baud", "14400"}, dir + "/stderr");
    EXPECT_EQ(process->ReadLine(10000), name) << StderrText();
    const auto request = Hex("01 03 00 76 00 02 25 D1");
    ASSERT_EQ(write(master, request.data(), request.size()), 8);
    std::vector<std::uint8_t> reply;
    for (const double end = NowMs() + 10000; reply.size() < 9 && NowMs() < end;) {
        pollfd p{master, POLLIN, 0};
        if (poll(&p, 1, 50) <= 0) continue;
        std::uint8_t buffer[64];
        const ssize_t n = read(master, buffer, sizeof buffer);
        if (n > 0) reply.insert(reply.end(), buffer, buffer + n);
    }
    EXPECT_EQ(reply, Hex("01 03 04 00 00 96 43 D4 62"));
    process.reset();
    close(master);
    close(slave);
}

TEST_F(Sim, EndsCleanlyOnEndOfInputSignalOrQuit) {
    const std::string link = dir + "/lxv7700";
    Start({"--link", link, "--exit-on-eof"});
    process->CloseStdin();
    EXPECT_EQ(process->WaitExit(10000), 0);
    EXPECT_NE(access(link.c_str(), F_OK), 0);  // the link is removed
    line.reset();

    Start({"--link", link});
    process->Signal(SIGTERM);
    EXPECT_EQ(process->WaitExit(10000), 0);
    EXPECT_NE(access(link.c_str(), F_OK), 0);

    Start({});
    process->CloseStdin();  // without --exit-on-eof it keeps serving
    EXPECT_EQ(line->Ask(Hex("01 03 00 76 00 02 25 D1"), 9).size(), 9u);
    line.reset();
    Start({});
    process->Send("quit");
    EXPECT_EQ(process->WaitExit(10000), 0);

    SimProcess wrong(SimPath(), {"--flip", "2"}, dir + "/stderr2");
    EXPECT_EQ(wrong.WaitExit(10000), 2);
    // A file of the user's where the link should go is neither replaced nor removed.
    std::ofstream(dir + "/precious") << "keep";
    SimProcess refused(SimPath(), {"--link", dir + "/precious"}, dir + "/stderr3");
    EXPECT_EQ(refused.WaitExit(10000), 1);
    std::ifstream kept(dir + "/precious");
    std::string text;
    kept >> text;
    EXPECT_EQ(text, "keep");
}

}  // namespace
}  // namespace lxv::sim::test

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: sim_conversation_tests PATH-OF-lxv7700-sim\n");
        return 2;
    }
    lxv::sim::test::SetSimPath(argv[1]);
    return RUN_ALL_TESTS();
}
