// The session's spine: the retry target and the outstanding register read, the
// link control's watchdog without any window and never at once with a
// measurement request, a plain port that goes away, the reopen that forgets a
// torn reply, and several listeners of every block.
#include "session/session.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <memory>

#include "port/link_control.h"
#include "link/registers.h"
#include "platform/ini_file.h"
#include "support/fake_serial_port.h"
#include "support/manual_timers.h"

namespace lxv::test {
namespace {

struct SessionRig : ::testing::Test {
    QTemporaryDir home;
    FakeSerialPort port;
    ManualTimers timers;
    std::unique_ptr<IniFile> sysSet;
    std::unique_ptr<Session> session;
    SessionCore* core = nullptr;

    void SetUp() override {
        port.present = {3};
        sysSet = std::make_unique<IniFile>((home.path() + "/SysSet.ini").toStdString());
        sysSet->writeInteger("CommPort", "Port", 3);
        sysSet->writeInteger("CommAddress", "Address", 1);
        session = std::make_unique<Session>(port, *sysSet, timers);
        core = &session->core;
    }
    int count(std::uint16_t reg, std::uint16_t n) const {
        int k = 0;
        for (const auto& f : port.written) k += IsRead(f, reg, n);
        return k;
    }
};

TEST_F(SessionRig, RetryTargetAndOutstandingRead) {
    RequestTracker& requests = core->requests;
    // Nothing asked yet: nothing to repeat.
    EXPECT_FALSE(requests.resendLast());
    port.open(3, 115200);

    struct Step {
        std::uint16_t reg, count;
        Remember remember;
        bool outstanding;  // after the send
    };
    const Step steps[] = {
        {MEAS, 2, Remember::Yes, false},    // a bulk reply is recognised by its length
        {AL2H, 2, Remember::Yes, true},     // routed by the shared buffer: outstanding
        {LINKCHK, 15, Remember::No, true},  // not remembered: the target stays AL2H
        {STEST, ChunkCount(4), Remember::Yes, false},
        {SETUP, 18, Remember::Yes, true},
    };
    for (const Step& s : steps) {
        requests.sendRead(s.reg, s.count, s.remember);
        EXPECT_EQ(requests.outstanding(), s.outstanding) << RegisterName(s.reg);
        port.written.clear();
        requests.resendLast();
        const std::uint16_t expectedReg = s.remember == Remember::Yes ? s.reg : std::uint16_t{AL2H};
        const std::uint16_t expectedCount = s.remember == Remember::Yes ? s.count : 2;
        ASSERT_EQ(port.written.size(), 1u);
        EXPECT_TRUE(IsRead(port.written[0], expectedReg, expectedCount)) << RegisterName(s.reg);
    }
    // A reply settles the read; so does a second without one.
    std::vector<std::uint8_t> settings = Hex("01 03 13");
    settings.resize(3 + 19, 0);
    port.receive(WithCrc(settings));
    session->receiver.silenceElapsed();
    EXPECT_FALSE(requests.outstanding());
    requests.sendRead(AL1H, 2, Remember::Yes);
    for (int i = 0; i < RequestTracker::kOutstandingTicks; ++i) {
        EXPECT_TRUE(requests.outstanding());
        requests.tick();
    }
    EXPECT_FALSE(requests.outstanding());
    // The overdue re-request needs an open port.
    port.close();
    EXPECT_FALSE(requests.reRequest());
}

TEST_F(SessionRig, WatchdogWithoutAWindowAndNeverIntoAChain) {
    LinkControl& link = session->linkControl;
    port.ports = {{3, "/dev/ttyUSB0", "USB\\VID_1A86&PID_5736\\0001", "USB-UART Adapter (COM3)"}};
    link.Scan();
    ASSERT_EQ(core->state.LinkKind, LinkKind::Usb);
    ASSERT_TRUE(port.isOpen());
    core->requests.settle();  // the settings block was answered
    port.written.clear();

    // A register read of a chain goes out just before the keep-alive is due:
    // the keep-alive waits, the chain's reply keeps its route.
    for (int t = 1; t <= 10; ++t) link.Tick();
    core->requests.sendRead(AL3H, 2, Remember::Yes);
    link.Tick();  // the 11th tick would send LINKCHK
    EXPECT_EQ(count(LINKCHK, 15), 0);
    EXPECT_EQ(core->link.routingKey(), AL3H);
    // The continuous timer waits too.
    core->state.MeasureMode = MeasureMode::Continuous;
    const CycleEffects fx = session->measure.ContinuousTick();
    EXPECT_TRUE(fx.startContinuous);
    EXPECT_EQ(count(MEAS, 2), 0);

    // Once it is answered the watchdog is back to its rhythm.
    port.receive(WithCrc(Hex("01 03 04 00 00 80 3F")));
    session->receiver.silenceElapsed();
    EXPECT_FALSE(core->requests.outstanding());
    for (int t = 0; t < 11; ++t) link.Tick();
    EXPECT_EQ(count(LINKCHK, 15), 1);
    // Silent for 1.6 s: closed and reopened, a LINKCHK asks at once.
    for (int t = 0; t < 5; ++t) link.Tick();
    EXPECT_EQ(port.closeCount, 1);
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(core->status.text(0), "Connected");
}

// The receiver awaits a reply by the size the last request asks for: a
// keep-alive and a measurement request out together would have their replies
// run into each other, and the block would be lost.
TEST_F(SessionRig, KeepAliveAndMeasurementRequestNeverGoOutTogether) {
    LinkControl& link = session->linkControl;
    port.ports = {{3, "/dev/ttyUSB0", "USB\\VID_1A86&PID_5736\\0001", "USB-UART Adapter (COM3)"}};
    link.Scan();
    ASSERT_EQ(core->state.LinkKind, LinkKind::Usb);
    core->requests.settle();
    session->measure.Continuous();
    port.written.clear();

    // The block was lost. ReReadTimer asks again in the same pass as the
    // watchdog's tick that would send LINKCHK: the keep-alive waits a tick.
    for (int t = 0; t < 10; ++t) link.Tick();
    session->measure.ReReadTick();
    link.Tick();
    EXPECT_EQ(count(MEAS, 2), 1);
    EXPECT_EQ(count(LINKCHK, 15), 0);
    link.Tick();  // no answer came: now the link is checked
    EXPECT_EQ(count(LINKCHK, 15), 1);

    // The other way round: ReReadTimer right after the keep-alive went out.
    CycleEffects fx = session->measure.ReReadTick();
    EXPECT_EQ(count(MEAS, 2), 1);
    EXPECT_TRUE(fx.startContinuous);  // asked 50 ms later, behind the keep-alive's reply
    fx = session->measure.ContinuousTick();
    EXPECT_EQ(count(MEAS, 2), 1);  // still within the keep-alive's tick
    EXPECT_TRUE(fx.startContinuous);
    link.Tick();
    session->measure.ContinuousTick();
    EXPECT_EQ(count(MEAS, 2), 2);
    EXPECT_EQ(count(LINKCHK, 15), 1);
}

// The block was lost and ReReadTimer runs out while other bytes are still
// arriving (here 600 random bytes): a request now would be answered behind
// them and lost with them. It waits for the line; the bad reply's resend asks
// for the block, and ContinuousReadTimer does not ask a second time.
TEST_F(SessionRig, AReRequestWaitsWhileAReplyIsArriving) {
    port.open(3, 115200);
    session->measure.Continuous();
    port.written.clear();
    std::vector<std::uint8_t> noise(600);
    for (std::size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<std::uint8_t>(i * 37 + 11);
    port.receive(noise);

    CycleEffects fx = session->measure.ReReadTick();
    EXPECT_TRUE(fx.startContinuous);
    fx = session->measure.ContinuousTick();
    EXPECT_TRUE(fx.startContinuous);
    EXPECT_EQ(count(MEAS, 2), 0);
    session->receiver.silenceElapsed();  // the line is quiet: the bad reply is asked for again
    EXPECT_EQ(count(MEAS, 2), 1);
    fx = session->measure.ContinuousTick();
    EXPECT_EQ(count(MEAS, 2), 1);
    EXPECT_TRUE(fx.startReRead);
    int blocks = 0;
    core->measurements.subscribe([&](const MeasureRecord&) { ++blocks; });
    port.receive(MeasureReplyOf(230.0f));
    EXPECT_EQ(blocks, 1);
    // Once the line is quiet, a re-request goes out at once.
    session->receiver.silenceElapsed();
    session->measure.ReReadTick();
    EXPECT_EQ(count(MEAS, 2), 2);
}

TEST_F(SessionRig, PlainPortThatGoesAwayIsReopenedAtTheNextCommand) {
    session->linkControl.Scan();
    ASSERT_EQ(core->state.LinkKind, LinkKind::Plain);
    ASSERT_TRUE(port.isOpen());
    // Half a reply is under way when the device goes.
    const auto reply = MeasureReplyOf(230.0f);
    session->measure.Single();
    port.receive({reply.begin(), reply.begin() + 1000});
    port.loseDevice();
    EXPECT_EQ(core->status.text(0), "Port closed");
    // The next measurement command opens it again and asks; the torn bytes are forgotten.
    port.written.clear();
    session->measure.Continuous();
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(port.openCount, 2);
    EXPECT_EQ(count(MEAS, 2), 1);
    EXPECT_TRUE(session->receiver.assembler().empty());
    int blocks = 0;
    core->measurements.subscribe([&](const MeasureRecord& r) {
        EXPECT_FLOAT_EQ(r.URMS(), 230.0f);
        ++blocks;
    });
    port.receive(reply);
    EXPECT_EQ(blocks, 1);
}

TEST_F(SessionRig, EveryListenerGetsEveryBlockInOrder) {
    port.open(3, 115200);
    std::vector<std::string> seen;
    const int first = core->measurements.subscribe([&](const MeasureRecord&) { seen.push_back("panels"); });
    core->measurements.subscribe([&](const MeasureRecord&) { seen.push_back("phase labels"); });
    core->measurements.subscribe([&](const MeasureRecord& r) {
        seen.push_back("recorder " + std::to_string(static_cast<int>(r.URMS())));
    });
    session->measure.Continuous();
    port.receive(MeasureReplyOf(231.0f));
    core->measurements.unsubscribe(first);
    session->measure.ContinuousTick();  // ContinuousReadTimer ran out: the next request
    port.receive(MeasureReplyOf(232.0f));
    EXPECT_EQ(seen, (std::vector<std::string>{"panels", "phase labels", "recorder 231", "phase labels",
                                              "recorder 232"}));
    EXPECT_EQ(core->record.URMS(), 232.0f);
}

}  // namespace
}  // namespace lxv::test

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
