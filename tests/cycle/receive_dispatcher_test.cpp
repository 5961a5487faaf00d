#include "cycle/receive_dispatcher.h"

#include <gtest/gtest.h>

#include <vector>

#include "cycle/reply_assembler.h"
#include "measure/measure_block.h"
#include "support/fake_serial_port.h"

namespace lxv {
namespace {

using test::FakeSerialPort;
using test::Hex;
using test::WithCrc;

std::vector<std::uint8_t> MeasureReply(float urms) {
    MeasureRecord r;
    ResetMeasurement(r);
    r.setScalar(Scalar::URMS, urms);
    return WithCrc({r.data(), r.data() + kBlockSize});
}

struct DispatchFixture : ::testing::Test {
    FakeSerialPort port;
    InstrumentLink link{port};
    LinkState state;
    RequestTracker requests{link, state};
    ReceiveDispatcher dispatcher{link, requests};
    std::vector<std::string> calls;

    void SetUp() override {
        port.open_ = true;
        state.InstrumentAddress = 1;
        dispatcher.setMeasureHandler([this](const std::uint8_t* d) {
            MeasureRecord r;
            AcceptMeasureBlock(r, d);
            calls.push_back("measure " + std::to_string(r.URMS()));
        });
        dispatcher.setChunkHandler(
            [this](const std::uint8_t* d) { calls.push_back("chunk " + std::to_string(d[0])); });
        dispatcher.setTriggerHandler([this] { calls.push_back("trigger"); });
        dispatcher.setRegisterHandler(SETUP, [this](const std::uint8_t* d, std::size_t n) {
            calls.push_back("setup " + std::to_string(n) + " " + std::to_string(d[0]));
        });
        dispatcher.setAckHandler(AL1H,
                                 [this](std::uint8_t r) { calls.push_back("ack " + std::to_string(r)); });
    }
    ReplyKind feed(const std::vector<std::uint8_t>& b) { return dispatcher.handleReply(b.data(), b.size()); }
    void askForMeasurement() {
        state.LastRegister = MEAS;
        state.LastCount = 2;
        link.SendReadRequest(1, MEAS, 2);
        port.written.clear();
    }
};

TEST_F(DispatchFixture, MeasurementBlockIsHandedOverWhole) {
    askForMeasurement();
    EXPECT_EQ(feed(MeasureReply(230.0f)), ReplyKind::MeasureBlock);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0], "measure 230.000000");
    EXPECT_TRUE(port.written.empty());
}

TEST_F(DispatchFixture, ShortDamagedAndOversizeRepliesReSendAtOnce) {
    askForMeasurement();
    auto block = MeasureReply(230.0f);
    block[1234] ^= 0x04;  // one flipped bit
    EXPECT_EQ(feed(block), ReplyKind::Damaged);
    EXPECT_EQ(feed(Hex("01 03 02 00")), ReplyKind::TooShort);
    std::vector<std::uint8_t> huge(4096, 0xAA);
    EXPECT_EQ(feed(huge), ReplyKind::Oversize);
    EXPECT_TRUE(calls.empty());
    ASSERT_EQ(port.written.size(), 3u);
    for (const auto& f : port.written) EXPECT_EQ(f, Hex("01 03 00 94 00 02 85 E7"));
}

TEST_F(DispatchFixture, StartingTestReSendsAskForTheSameChunk) {
    requests.sendRead(STEST, ChunkCount(3), Remember::Yes);
    port.written.clear();
    EXPECT_EQ(feed(Hex("01 03 00 00")), ReplyKind::TooShort);
    ASSERT_EQ(port.written.size(), 1u);
    EXPECT_EQ(std::vector<std::uint8_t>(port.written[0].begin(), port.written[0].begin() + 6),
              Hex("01 03 00 93 03 00"));
    // Before the trigger the start request is repeated with its range code.
    requests.sendRead(STEST, 32, Remember::Yes);
    port.written.erase(port.written.begin() + 1);
    feed(Hex("00"));
    EXPECT_EQ(std::vector<std::uint8_t>(port.written[1].begin(), port.written[1].begin() + 6),
              Hex("01 03 00 93 00 20"));
    // Nothing asked yet: nothing to repeat.
    state.LastRegister = 0;
    feed(Hex("00"));
    EXPECT_EQ(port.written.size(), 2u);
}

TEST_F(DispatchFixture, RegisterRepliesFollowTheSharedBufferAndAcksFollowByteTwo) {
    link.SendReadRequest(1, SETUP, 2);
    std::vector<std::uint8_t> body = {1, 3, 19};
    for (int i = 0; i < 19; ++i) body.push_back(static_cast<std::uint8_t>(100 + i));
    EXPECT_EQ(feed(WithCrc(body)), ReplyKind::RegisterReply);
    EXPECT_EQ(calls.back(), "setup 19 100");

    // The same reply after a read of a register without a route is dropped.
    link.SendReadRequest(1, IPHN, 2);
    EXPECT_EQ(feed(WithCrc(body)), ReplyKind::Ignored);
    // A value write does not move the routing key.
    link.SendReadRequest(1, SETUP, 2);
    link.SendWriteValue(1, AL1H, 0);
    EXPECT_EQ(feed(WithCrc(body)), ReplyKind::RegisterReply);

    EXPECT_EQ(feed(WithCrc(Hex("01 09 76"))), ReplyKind::WriteAck);
    EXPECT_EQ(calls.back(), "ack 118");
    EXPECT_EQ(feed(WithCrc(Hex("01 09 77"))), ReplyKind::Ignored);  // no route for 119 here
    EXPECT_EQ(feed(WithCrc(Hex("01 0A 92"))), ReplyKind::StartAck);
    EXPECT_EQ(calls.back(), "trigger");
    EXPECT_EQ(feed(WithCrc(Hex("01 0A 91"))), ReplyKind::Ignored);
    EXPECT_EQ(feed(WithCrc(Hex("01 05 00 00"))), ReplyKind::Ignored);
}

TEST_F(DispatchFixture, ChunkRepliesAreRecognisedByLength) {
    std::vector<std::uint8_t> chunk(kChunkSize, 0);
    chunk[0] = 42;
    EXPECT_EQ(feed(WithCrc(chunk)), ReplyKind::StartingChunk);
    EXPECT_EQ(calls.back(), "chunk 42");
    dispatcher.setChunkHandler({});
    EXPECT_EQ(feed(WithCrc(chunk)), ReplyKind::StartingChunk);  // no handler: dropped
    EXPECT_EQ(calls.size(), 1u);
}

TEST(ReplyAssembler, JoinsPiecesUntilTheAwaitedSize) {
    SentFrame meas{kFnRead, MEAS, 2};
    SentFrame chunk{kFnRead, STEST, ChunkCount(3)};
    SentFrame start{kFnRead, STEST, 0x20};
    SentFrame setup{kFnRead, SETUP, 2};
    EXPECT_EQ(ExpectedReplySize(meas), 2532u);
    EXPECT_EQ(ExpectedReplySize(chunk), 1710u);
    EXPECT_EQ(ExpectedReplySize(start), 0u);
    EXPECT_EQ(ExpectedReplySize(setup), 0u);
    EXPECT_EQ(ExpectedReplySize(SentFrame{kFnWrite, MEAS, 0}), 0u);

    const auto reply = MeasureReply(1.0f);
    ReplyAssembler a;
    a.begin(2532);
    EXPECT_FALSE(a.feed(reply.data(), 1000));
    EXPECT_TRUE(a.bulkUnderWay());
    a.begin(1710);  // ignored while a reply is under way
    EXPECT_EQ(a.expected(), 2532u);
    EXPECT_FALSE(a.feed(reply.data() + 1000, 1000));
    EXPECT_TRUE(a.feed(reply.data() + 2000, 532));
    EXPECT_EQ(a.take(), reply);
    EXPECT_TRUE(a.empty());

    // Without an awaited size only the queue limit ends a reply by length.
    a.begin(0);
    std::vector<std::uint8_t> flood(5000, 1);
    EXPECT_TRUE(a.feed(flood.data(), flood.size()));
    EXPECT_EQ(a.take().size(), ReplyAssembler::kQueueLimit);
}

TEST(ReplyAssembler, SilenceGrowsWithSlowLinesAndBulkReplies) {
    EXPECT_EQ(SilenceIntervalMs(115200, false), 22);
    EXPECT_EQ(SilenceIntervalMs(4800, false), 62);
    EXPECT_EQ(SilenceIntervalMs(9600, true), 20 + 21 + 200);
    EXPECT_GE(SilenceIntervalMs(0, false), 20);
}

}  // namespace
}  // namespace lxv
