// The session's spine: the request queue's rules, the link control's watchdog
// without any window and never beside another request, a plain port that goes away, the reopen that forgets a
// torn reply, and several listeners of every block.
#include "session/session.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <memory>

#include "port/link_control.h"
#include "link/byte_order.h"
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

// The request queue's rules, one row each: one request on the line at a time,
// a reply matched to it and to no other, a late reply dropped, a request asked
// for again replacing its entry, a cancelled one's reply going nowhere.
TEST_F(SessionRig, RequestQueueRules) {
    RequestQueue& q = core->requests;
    EXPECT_FALSE(q.read(MEAS, 2, Expect::Block));  // the port is closed: nothing is queued
    port.open(3, 115200);
    std::vector<std::string> routed;
    core->dispatcher.setRegisterHandler(AL2H, [&](const std::uint8_t* d, std::size_t) {
        routed.push_back("AL2H " + std::to_string(static_cast<int>(DecodeFloat(d))));
    });
    core->dispatcher.setRegisterHandler(SETUP, [&](const std::uint8_t*, std::size_t) { routed.push_back("SETUP"); });
    core->measurements.subscribe([&](const MeasureRecord& r) {
        routed.push_back("block " + std::to_string(static_cast<int>(r.URMS())));
    });
    auto limit = [](float v) {
        std::uint8_t f[4];
        WriteF32LE(f, v);
        return WithCrc({1, 3, 4, f[0], f[1], f[2], f[3]});
    };
    std::vector<std::uint8_t> settings = Hex("01 03 13");
    settings.resize(3 + 19, 0);
    settings = WithCrc(settings);
    auto quiet = [&] { session->receiver.silenceElapsed(); };

    // One on the line: the settings read waits for the block, then goes out.
    session->measure.Continuous();
    q.read(SETUP, 18, Expect::Register, this);
    EXPECT_EQ(count(SETUP, 18), 0);
    port.receive(MeasureReplyOf(231));
    quiet();
    EXPECT_EQ(count(SETUP, 18), 1);
    // The next block waits for the settings reply; ContinuousReadTimer's 50 ms have passed.
    timers.fire("ContinuousReadTimer");
    EXPECT_EQ(count(MEAS, 2), 1);
    port.receive(settings);
    EXPECT_EQ(count(MEAS, 2), 2);
    // A keep-alive's reply that comes just before the block is no block and no limit.
    port.receive(WithCrc(Hex("01 03 02 00 00")));
    port.receive(MeasureReplyOf(232));
    EXPECT_EQ(routed, (std::vector<std::string>{"block 231", "SETUP", "block 232"}));
    session->measure.Stop();
    quiet();

    // The wait passed: the late answer is recognised and dropped, the next request gets its own.
    routed.clear();
    q.read(AL2H, 2, Expect::Register, this);
    q.read(SETUP, 18, Expect::Register, this);
    ASSERT_TRUE(timers.fire("ReplyWaitTimer"));
    EXPECT_EQ(count(SETUP, 18), 2);
    port.receive(limit(1002));  // AL2H's answer, late
    quiet();
    port.receive(settings);
    quiet();
    EXPECT_EQ(routed, (std::vector<std::string>{"SETUP"}));
    EXPECT_EQ(q.lateReplies(), 1u);

    // Asked for again by its owner: one entry, sent again once the line is quiet.
    routed.clear();
    port.written.clear();
    q.read(AL2H, 2, Expect::Register, this);
    port.receive({1, 3});  // bytes of something arriving
    q.read(AL2H, 2, Expect::Register, this);
    EXPECT_EQ(count(AL2H, 2), 1);
    quiet();  // a bad reply: the read on the line is asked for again, once
    EXPECT_EQ(count(AL2H, 2), 2);
    port.receive(limit(1002));
    quiet();
    EXPECT_EQ(routed, (std::vector<std::string>{"AL2H 1002"}));
    EXPECT_TRUE(q.idle());

    // Cancelled on the line: its reply goes nowhere, and the next waits for it.
    routed.clear();
    port.written.clear();
    q.read(AL2H, 2, Expect::Register, this);
    q.read(SETUP, 18, Expect::Register, &routed);
    q.cancel(this);
    EXPECT_EQ(count(SETUP, 18), 0);
    port.receive(limit(1002));
    quiet();
    EXPECT_EQ(count(SETUP, 18), 1);
    port.receive(settings);
    EXPECT_EQ(routed, (std::vector<std::string>{"SETUP"}));

    // A write is not sent again after a bad reply; a read is.
    port.written.clear();
    const std::uint8_t data[4] = {1, 0, 0, 0};
    q.submit(Request::WriteBytes(TCOMP, data));
    port.receive({1, 9});
    quiet();
    EXPECT_EQ(port.written.size(), 1u);
}

TEST_F(SessionRig, WatchdogWithoutAWindowAndNeverBesideAnotherRequest) {
    LinkControl& link = session->linkControl;
    // The session's own 100 ms timer, with no window made.
    auto tick = [&] { EXPECT_TRUE(timers.fire("TCommForm.Timer1")); };
    port.ports = {{3, "/dev/ttyUSB0", "USB\\VID_1A86&PID_5736\\0001", "USB-UART Adapter (COM3)"}};
    link.Scan();
    ASSERT_EQ(core->state.LinkKind, LinkKind::Usb);
    ASSERT_TRUE(port.isOpen());
    std::vector<std::uint8_t> settings = Hex("01 03 13");
    settings.resize(3 + 19, 0);
    port.receive(WithCrc(settings));  // the settings block of the opening
    session->receiver.silenceElapsed();
    port.written.clear();

    // A register read of a chain is on the line when the keep-alive is due:
    // the keep-alive waits, the chain's reply keeps its route.
    for (int t = 1; t <= 10; ++t) tick();
    core->requests.read(AL3H, 2, Expect::Register, this);
    tick();  // the 11th tick would send LINKCHK
    tick();
    EXPECT_EQ(count(LINKCHK, 15), 0);
    // So does the next block.
    session->measure.Continuous();
    EXPECT_EQ(count(MEAS, 2), 0);
    float got = 0;
    core->dispatcher.setRegisterHandler(AL3H, [&](const std::uint8_t* d, std::size_t) { got = DecodeFloat(d); });
    port.receive(WithCrc(Hex("01 03 04 00 00 80 3F")));
    session->receiver.silenceElapsed();
    EXPECT_EQ(got, 1.0f);
    EXPECT_EQ(count(MEAS, 2), 1);
    session->measure.Stop();
    port.receive(MeasureReplyOf(230));
    session->receiver.silenceElapsed();

    // Once the line is idle the watchdog is back to its rhythm.
    for (int t = 0; t < 11; ++t) tick();
    EXPECT_EQ(count(LINKCHK, 15), 1);
    // Silent for 1.6 s: closed and reopened, a LINKCHK asks at once.
    for (int t = 0; t < 5; ++t) tick();
    EXPECT_EQ(port.closeCount, 1);
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(count(LINKCHK, 15), 2);
    EXPECT_EQ(core->status.text(0), "Connected");
}

// The block was lost and ReReadTimer runs out while other bytes are still
// arriving (here 600 random bytes): a request now would be answered behind
// them and lost with them. It waits for the line; the bad reply's resend asks
// for the block once, and ContinuousReadTimer does not ask a second time.
TEST_F(SessionRig, AReRequestWaitsWhileAReplyIsArriving) {
    port.open(3, 115200);
    session->measure.Continuous();
    port.written.clear();
    std::vector<std::uint8_t> noise(600);
    for (std::size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<std::uint8_t>(i * 37 + 11);
    port.receive(noise);

    ASSERT_TRUE(timers.fire("ReReadTimer"));
    session->measure.ContinuousTick();
    EXPECT_EQ(count(MEAS, 2), 0);
    session->receiver.silenceElapsed();  // the line is quiet: the block is asked for again
    EXPECT_EQ(count(MEAS, 2), 1);
    int blocks = 0;
    core->measurements.subscribe([&](const MeasureRecord&) { ++blocks; });
    port.receive(MeasureReplyOf(230.0f));
    EXPECT_EQ(blocks, 1);
    // Once the line is quiet, a re-request goes out at once.
    session->receiver.silenceElapsed();
    session->measure.ReReadTick();
    EXPECT_EQ(count(MEAS, 2), 2);
}

// After Stop the block still on its way is shown, and Continuous asks only
// once it is in: no request goes into it, no block is lost or counted twice. A held
// re-request in Single mode ends with the mode.
TEST_F(SessionRig, StopThenContinuousAndSingleAfterItsBlock) {
    port.open(3, 115200);
    int blocks = 0;
    core->measurements.subscribe([&](const MeasureRecord&) { ++blocks; });
    session->measure.Continuous();
    session->measure.Stop();
    session->measure.Continuous();
    EXPECT_EQ(count(MEAS, 2), 1);  // the second waits for the first block
    const auto reply = MeasureReplyOf(230.0f);
    port.receive({reply.begin(), reply.begin() + 1200});
    port.receive({reply.begin() + 1200, reply.end()});
    EXPECT_EQ(blocks, 1);  // the block asked for before Stop
    session->receiver.silenceElapsed();
    EXPECT_EQ(count(MEAS, 2), 2);
    port.receive(MeasureReplyOf(231.0f));
    EXPECT_EQ(blocks, 2);
    session->measure.Stop();
    session->receiver.silenceElapsed();

    session->measure.Single();
    port.receive(MeasureReplyOf(232.0f));
    EXPECT_EQ(blocks, 3);
    EXPECT_FALSE(timers.find("ReReadTimer")->isActive());
    session->receiver.silenceElapsed();
    const int asked = count(MEAS, 2);
    session->measure.ReReadTick();  // a tick that was already due: idle asks nothing
    EXPECT_EQ(count(MEAS, 2), asked);
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
