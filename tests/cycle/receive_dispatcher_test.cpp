#include "cycle/receive_dispatcher.h"

#include <gtest/gtest.h>

#include <random>
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

TEST_F(DispatchFixture, ShortDamagedAndOversizeRepliesCallForAResend) {
    askForMeasurement();
    auto block = MeasureReply(230.0f);
    block[1234] ^= 0x04;  // one flipped bit
    EXPECT_EQ(feed(block), ReplyKind::Damaged);
    EXPECT_EQ(feed(Hex("01 03 02 00")), ReplyKind::TooShort);
    std::vector<std::uint8_t> huge(4096, 0xAA);
    EXPECT_EQ(feed(huge), ReplyKind::Oversize);
    EXPECT_TRUE(calls.empty());
    // The receiver re-sends once the line is quiet; the dispatcher only says so.
    EXPECT_TRUE(port.written.empty());
    for (ReplyKind k : {ReplyKind::TooShort, ReplyKind::Damaged, ReplyKind::Oversize})
        EXPECT_TRUE(CallsForResend(k)) << ReplyKindName(k);
    for (ReplyKind k : {ReplyKind::MeasureBlock, ReplyKind::RegisterReply, ReplyKind::Ignored})
        EXPECT_FALSE(CallsForResend(k)) << ReplyKindName(k);
    dispatcher.resendLastRequest();
    ASSERT_EQ(port.written.size(), 1u);
    EXPECT_EQ(port.written[0], Hex("01 03 00 94 00 02 85 E7"));
}

TEST_F(DispatchFixture, StartingTestReSendsAskForTheSameChunk) {
    requests.sendRead(STEST, ChunkCount(3), Remember::Yes);
    port.written.clear();
    dispatcher.resendLastRequest();
    ASSERT_EQ(port.written.size(), 1u);
    EXPECT_EQ(std::vector<std::uint8_t>(port.written[0].begin(), port.written[0].begin() + 6),
              Hex("01 03 00 93 03 00"));
    // Before the trigger the start request is repeated with its range code.
    requests.sendRead(STEST, 32, Remember::Yes);
    port.written.erase(port.written.begin() + 1);
    dispatcher.resendLastRequest();
    EXPECT_EQ(std::vector<std::uint8_t>(port.written[1].begin(), port.written[1].begin() + 6),
              Hex("01 03 00 93 00 20"));
    // Nothing asked yet: nothing to repeat.
    state.LastRegister = 0;
    dispatcher.resendLastRequest();
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

TEST(ReplyAssembler, ReRequestWaitCoversTheReplysTimeOnTheWire) {
    // Per rate of the baud list: the wait for a measurement block and for a starting-test chunk.
    const int block[8] = {5775, 3138, 2259, 2000, 2000, 2000, 2000, 2000};
    const int chunk[8] = {4063, 2282, 2000, 2000, 2000, 2000, 2000, 2000};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(ReRequestWaitMs(kBaudRates[i], kMeasureReplySize), block[i]) << kBaudRates[i];
        EXPECT_EQ(ReRequestWaitMs(kBaudRates[i], kChunkReplySize), chunk[i]) << kBaudRates[i];
    }
    EXPECT_EQ(ReRequestWaitMs(0, kMeasureReplySize), 2000);
}

// The receive path without Qt: the assembler in front of the dispatcher, with
// the line's silence told by the test.
struct ReceivePath : ReplyClient {
    FakeSerialPort port;
    InstrumentLink link{port};
    LinkState state;
    RequestTracker requests{link, state};
    ReceiveDispatcher dispatcher{link, requests};
    ReplyAssembler assembler;
    std::vector<float> shown;
    int setups = 0;

    ReceivePath() {
        port.open_ = true;
        dispatcher.setMeasureHandler([this](const std::uint8_t* d) {
            MeasureRecord r;
            AcceptMeasureBlock(r, d);
            shown.push_back(r.URMS());
        });
        dispatcher.setRegisterHandler(SETUP, [this](const std::uint8_t*, std::size_t) { ++setups; });
    }
    std::size_t awaitedSize() override { return ExpectedReplySize(link.lastSent()); }
    bool handle(const std::vector<std::uint8_t>& r) override {
        return !CallsForResend(dispatcher.handleReply(r.data(), r.size()));
    }
    void resend() override { dispatcher.resendLastRequest(); }
    void gathered(std::size_t, std::size_t) override {}

    void ask(std::uint8_t reg) {
        requests.sendRead(reg, 2, Remember::Yes);
        port.written.clear();
    }
    void arrive(const std::vector<std::uint8_t>& bytes, std::size_t readSize = 4096) {
        for (std::size_t at = 0; at < bytes.size(); at += readSize)
            assembler.bytesArrived(bytes.data() + at, std::min(readSize, bytes.size() - at), *this);
    }
    void quiet() {
        if (assembler.awaitsSilence()) assembler.silenceElapsed(*this);
    }
};

std::vector<std::uint8_t> Noise(std::size_t n, unsigned seed) {
    std::mt19937 rng(seed);
    std::vector<std::uint8_t> out(n);
    for (auto& b : out) b = static_cast<std::uint8_t>(rng());
    return out;
}

std::vector<std::uint8_t> Joined(std::vector<std::uint8_t> a, const std::vector<std::uint8_t>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Noise on the line while the instrument answers at once, so no silence falls
// between the noise and the next reply: the stray bytes must not shift every
// later reply. After the noise, reply 2 comes at once and is lost with it; the
// line goes quiet, the block is asked for again, and replies 3 and 4 then
// come back to back, each shown.
TEST(ReceivePath, NoiseIsSkippedUntilTheLineIsQuietThenRepliesAreShownAgain) {
    const auto good = MeasureReply(1.0f);
    const struct {
        const char* name;
        std::vector<std::uint8_t> noise;
        std::size_t readSize;
        std::vector<float> shownFirst;  // blocks shown before the noise is over
    } cases[] = {
        {"a good block, then 10 stray bytes in the same read", Joined(good, Noise(10, 1)), 4096, {1.0f}},
        {"a good block, then 2 stray bytes", Joined(good, Noise(2, 2)), 4096, {1.0f}},
        {"3000 random bytes", Noise(3000, 3), 4096, {}},
        {"5000 random bytes in reads of 1000", Noise(5000, 4), 1000, {}},
        {"a block that lost 1000 bytes",
         std::vector<std::uint8_t>(good.begin(), good.begin() + 1532),
         64,
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ReceivePath path;
        path.ask(MEAS);
        path.arrive(c.noise, c.readSize);
        path.arrive(MeasureReply(2.0f));
        EXPECT_EQ(path.shown, c.shownFirst);
        EXPECT_TRUE(path.assembler.resyncing());
        EXPECT_TRUE(path.port.written.empty()) << "asked again before the line was quiet";
        path.quiet();
        ASSERT_EQ(path.port.written.size(), 1u);
        EXPECT_EQ(path.port.written[0], Hex("01 03 00 94 00 02 85 E7"));
        path.arrive(Joined(MeasureReply(3.0f), MeasureReply(4.0f)));
        auto expected = c.shownFirst;
        expected.insert(expected.end(), {3.0f, 4.0f});
        EXPECT_EQ(path.shown, expected);
        EXPECT_FALSE(path.assembler.awaitsSilence());
        EXPECT_EQ(path.port.written.size(), 1u);
    }
}

TEST(ReceivePath, ABadReplyEndedBySilenceIsAskedForAgainAtOnce) {
    ReceivePath path;
    path.ask(MEAS);
    path.arrive(Hex("01 03 00"));
    EXPECT_TRUE(path.port.written.empty());
    path.quiet();  // the line was quiet already: no second wait
    EXPECT_EQ(path.port.written.size(), 1u);
    EXPECT_FALSE(path.assembler.awaitsSilence());

    // A reply of unknown size ends at 4096 bytes: oversize, and the rest is skipped too.
    path.ask(SETUP);
    path.arrive(Noise(5000, 5));
    EXPECT_TRUE(path.assembler.resyncing());
    EXPECT_EQ(path.assembler.silenceMs(115200), SilenceIntervalMs(115200, false));
    path.quiet();
    ASSERT_EQ(path.port.written.size(), 1u);
    EXPECT_EQ(path.port.written[0][3], SETUP);
    std::vector<std::uint8_t> body = {1, 3, 19};
    body.resize(22, 0);
    path.arrive(WithCrc(body));
    path.quiet();
    EXPECT_EQ(path.setups, 1);
    EXPECT_EQ(path.port.written.size(), 1u);
}

}  // namespace
}  // namespace lxv
