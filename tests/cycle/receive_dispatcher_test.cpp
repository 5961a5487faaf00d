#include "core/receive_dispatcher.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "core/reply_assembler.h"
#include "core/measure_block.h"
#include "support/fake_serial_port.h"
#include "support/manual_timers.h"

namespace lxv {
namespace {

using test::FakeSerialPort;
using test::ManualTimers;
using test::Hex;
using test::WithCrc;

std::vector<std::uint8_t> MeasureReply(float urms) {
    MeasureRecord r;
    ResetMeasurement(r);
    r.setScalar(Scalar::URMS, urms);
    return WithCrc({r.data(), r.data() + kBlockSize});
}

std::vector<std::uint8_t> ChunkReply(int k) {
    std::vector<std::uint8_t> chunk(kChunkSize, 0);
    chunk[0] = static_cast<std::uint8_t>(k);
    return WithCrc(chunk);
}

struct DispatchFixture : ::testing::Test {
    FakeSerialPort port;
    InstrumentLink link{port};
    LinkState state;
    ManualTimers timers;
    RequestQueue requests{link, state, timers};
    ReceiveDispatcher dispatcher{requests};
    std::vector<std::string> calls;

    void SetUp() override {
        port.open_ = true;
        state.InstrumentAddress = 1;
        dispatcher.setMeasureHandler([this](const std::uint8_t* d) {
            MeasureRecord r;
            AcceptMeasureBlock(r, d);
            calls.push_back("measure " + std::to_string(r.URMS()));
        });
        dispatcher.setChunkHandler([this](const std::uint8_t* d, int k) {
            calls.push_back("chunk " + std::to_string(d[0]) + " asked " + std::to_string(k));
        });
        dispatcher.setTriggerHandler([this] { calls.push_back("trigger"); });
        dispatcher.setRegisterHandler(SETUP, [this](const std::uint8_t* d, std::size_t n) {
            calls.push_back("setup " + std::to_string(n) + " " + std::to_string(d[0]));
        });
        dispatcher.setAckHandler(AL1H,
                                 [this](std::uint8_t r) { calls.push_back("ack " + std::to_string(r)); });
    }
    ReplyKind feed(const std::vector<std::uint8_t>& b) { return dispatcher.handleReply(b.data(), b.size()); }
    void askForMeasurement() {
        requests.read(MEAS, 2, Expect::Block, this);
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
    requests.read(STEST, ChunkCount(3), Expect::Chunk, this);
    port.written.clear();
    dispatcher.resendLastRequest();
    ASSERT_EQ(port.written.size(), 1u);
    EXPECT_EQ(std::vector<std::uint8_t>(port.written[0].begin(), port.written[0].begin() + 6),
              Hex("01 03 00 93 03 00"));
    EXPECT_EQ(feed(ChunkReply(3)), ReplyKind::StartingChunk);
    EXPECT_EQ(calls.back(), "chunk 3 asked 3");
    // The start request gets no reply until the Starting switch is pressed: it
    // leaves the line at once, and nothing is repeated.
    requests.read(STEST, 32, Expect::Nothing, this);
    EXPECT_TRUE(requests.idle());
    dispatcher.resendLastRequest();
    EXPECT_EQ(port.written.size(), 2u);
}

// A reply goes to the route of the request on the line, never to "the last
// register asked"; one that answers no request is dropped.
TEST_F(DispatchFixture, RegisterRepliesFollowTheRequestOnTheLineAndAcksFollowByteTwo) {
    std::vector<std::uint8_t> body = {1, 3, 19};
    for (int i = 0; i < 19; ++i) body.push_back(static_cast<std::uint8_t>(100 + i));
    EXPECT_EQ(feed(WithCrc(body)), ReplyKind::Unasked);  // nothing asked
    requests.read(SETUP, 2, Expect::Register);
    EXPECT_EQ(feed(WithCrc(body)), ReplyKind::RegisterReply);
    EXPECT_EQ(calls.back(), "setup 19 100");

    // A phase read is not answered by a settings block, nor by a keep-alive's reply.
    requests.read(IPHN, 2, Expect::Register);
    EXPECT_EQ(feed(WithCrc(body)), ReplyKind::Unasked);
    EXPECT_EQ(feed(WithCrc(Hex("01 03 02 00 00"))), ReplyKind::Unasked);
    EXPECT_EQ(feed(WithCrc(Hex("01 03 04 00 00 80 3F"))), ReplyKind::Ignored);  // its answer: no route here
    // A value write waits for the settings reply, then its acknowledgement is its own.
    requests.read(SETUP, 2, Expect::Register);
    requests.submit(Request::WriteValue(AL1H, 0));
    EXPECT_EQ(feed(WithCrc(Hex("01 09 76"))), ReplyKind::Unasked);
    EXPECT_EQ(feed(WithCrc(body)), ReplyKind::RegisterReply);
    EXPECT_EQ(feed(WithCrc(Hex("01 09 77"))), ReplyKind::Unasked);  // another register's
    EXPECT_EQ(feed(WithCrc(Hex("01 09 76"))), ReplyKind::WriteAck);
    EXPECT_EQ(calls.back(), "ack 118");
    // The start acknowledgement comes whenever the switch is pressed.
    EXPECT_EQ(feed(WithCrc(Hex("01 0A 92"))), ReplyKind::StartAck);
    EXPECT_EQ(calls.back(), "trigger");
    EXPECT_EQ(feed(WithCrc(Hex("01 0A 91"))), ReplyKind::Ignored);
    EXPECT_EQ(feed(WithCrc(Hex("01 05 00 00"))), ReplyKind::Ignored);
}

TEST_F(DispatchFixture, ChunkRepliesAreRecognisedByLength) {
    requests.read(STEST, ChunkCount(2), Expect::Chunk);
    EXPECT_EQ(feed(ChunkReply(42)), ReplyKind::StartingChunk);
    EXPECT_EQ(calls.back(), "chunk 42 asked 2");
    dispatcher.setChunkHandler({});
    requests.read(STEST, ChunkCount(3), Expect::Chunk);
    EXPECT_EQ(feed(ChunkReply(42)), ReplyKind::StartingChunk);  // no handler: dropped
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
// the line's silence told by the test. A chunk asks for the next one at once,
// as the starting test does.
struct ReceivePath : ReplyClient {
    FakeSerialPort port;
    InstrumentLink link{port};
    LinkState state;
    ManualTimers timers;
    RequestQueue requests{link, state, timers};
    ReceiveDispatcher dispatcher{requests};
    ReplyAssembler assembler;
    std::vector<float> shown;
    std::vector<int> chunks;
    int setups = 0;
    int triggers = 0;
    std::size_t stray = 0;

    ReceivePath() {
        port.open_ = true;
        dispatcher.setMeasureHandler([this](const std::uint8_t* d) {
            MeasureRecord r;
            AcceptMeasureBlock(r, d);
            shown.push_back(r.URMS());
        });
        dispatcher.setChunkHandler([this](const std::uint8_t* d, int) {
            chunks.push_back(d[0]);
            requests.read(STEST, ChunkCount(d[0] + 1), Expect::Chunk);
        });
        dispatcher.setTriggerHandler([this] { ++triggers; });
        dispatcher.setRegisterHandler(SETUP, [this](const std::uint8_t*, std::size_t) { ++setups; });
    }
    std::size_t awaitedSize() override { return requests.awaitedSize(); }
    bool replyOwed(std::uint32_t n) override { return requests.owedBefore(n); }
    std::uint32_t requestsSent() override { return link.framesSent(); }
    std::size_t waitingAtLastRequest() override { return link.waitingAtLastSend(); }
    std::size_t bytesWaiting() override { return port.bytesWaiting(); }
    bool handle(const std::vector<std::uint8_t>& r) override {
        return !CallsForResend(dispatcher.handleReply(r.data(), r.size()));
    }
    void resend() override { dispatcher.resendLastRequest(); }
    void gathered(std::size_t, std::size_t) override {}
    void strayDropped(std::size_t count) override { stray += count; }

    void ask(std::uint8_t reg) {
        requests.read(reg, 2, reg == MEAS ? Expect::Block : Expect::Register);
        port.written.clear();
    }
    void arrive(const std::vector<std::uint8_t>& bytes, std::size_t readSize = 4096) {
        for (std::size_t at = 0; at < bytes.size(); at += readSize)
            assembler.bytesArrived(bytes.data() + at, std::min(readSize, bytes.size() - at), *this);
    }
    void quiet() {
        if (assembler.awaitsSilence()) assembler.silenceElapsed(*this);
    }
    // Bytes arrive while the UI thread is busy: they wait in the port, unread.
    void hold(const std::vector<std::uint8_t>& bytes) {
        port.queued.insert(port.queued.end(), bytes.begin(), bytes.end());
    }
    void readHeld() { arrive(port.readAll()); }
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

std::vector<std::uint8_t> Part(const std::vector<std::uint8_t>& v, std::size_t from, std::size_t to) {
    return {v.begin() + static_cast<std::ptrdiff_t>(from), v.begin() + static_cast<std::ptrdiff_t>(to)};
}

std::vector<std::uint8_t> Flipped(std::vector<std::uint8_t> v, std::size_t at) {
    v[at] ^= 0x01;
    return v;
}


// Noise on the line while the instrument answers at once, so no silence falls
// between the noise and the next reply: the stray bytes must not shift every
// later reply. After the noise, reply 2 comes at once and is lost with it; the
// line goes quiet, the block is asked for again, and replies 3 and 4 then
// come one after the other (the second to a request that waited for the
// first), each shown.
TEST(ReceivePath, NoiseIsSkippedUntilTheLineIsQuietThenRepliesAreShownAgain) {
    const auto good = MeasureReply(1.0f);
    const struct {
        const char* name;
        std::vector<std::uint8_t> noise;
        std::size_t readSize;
    } cases[] = {
        {"3000 random bytes", Noise(3000, 3), 4096},
        {"5000 random bytes in reads of 1000", Noise(5000, 4), 1000},
        {"a block that lost 1000 bytes", Part(good, 0, 1532), 64},
        {"a block with a flipped bit, then 10 stray bytes", Joined(Flipped(good, 100), Noise(10, 6)), 4096},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ReceivePath path;
        path.ask(MEAS);
        path.arrive(c.noise, c.readSize);
        path.arrive(MeasureReply(2.0f));
        EXPECT_TRUE(path.shown.empty());
        EXPECT_TRUE(path.assembler.resyncing());
        EXPECT_TRUE(path.port.written.empty()) << "asked again before the line was quiet";
        path.quiet();
        ASSERT_EQ(path.port.written.size(), 1u);
        EXPECT_EQ(path.port.written[0], Hex("01 03 00 94 00 02 85 E7"));
        const auto third = MeasureReply(3.0f);
        path.arrive(Part(third, 0, 1000));
        // Asked for again while it arrives: the request waits for it, then goes out.
        path.requests.read(MEAS, 2, Expect::Block);
        EXPECT_EQ(path.port.written.size(), 1u);
        path.arrive(Part(third, 1000, third.size()));
        EXPECT_EQ(path.port.written.size(), 2u);
        path.arrive(MeasureReply(4.0f));
        EXPECT_EQ(path.shown, (std::vector<float>{3.0f, 4.0f}));
        EXPECT_EQ(path.stray, 0u);
        EXPECT_EQ(path.port.written.size(), 2u);
    }
}

// What comes on the line after a good reply, made whole by its awaited size,
// before the line has been silent. Bytes that no request accounts for are
// dropped and never join the next reply; a request that went out after the
// reply began may be answered right behind it; the line's silence ends the
// window, so a reply that starts after it is taken as ever.
Expect ExpectFor(std::uint16_t reg, std::uint16_t count) {
    if (reg == MEAS) return Expect::Block;
    if (reg == STEST) return count >= ChunkCount(1) ? Expect::Chunk : Expect::Nothing;
    return Expect::Register;
}

TEST(ReceivePath, BytesAfterAGoodReply) {
    const auto block1 = MeasureReply(1.0f);
    const auto block2 = MeasureReply(2.0f);
    enum Kind { Ask, Keepalive, Arrive, Quiet, Hold, ReadHeld };
    struct Step {
        Kind kind;
        std::uint16_t reg = 0, count = 0;
        std::vector<std::uint8_t> bytes = {};
        std::size_t readSize = 4096;
    };
    struct Row {
        std::string name;
        std::vector<Step> steps;
        std::vector<float> shown;
        std::vector<int> chunks;
        int triggers;
        std::size_t stray;
        int setups = 0;
    };
    std::vector<Row> rows;
    // The simulator's --extra: 1 to 16 random bytes right behind a whole block,
    // in the block's last read, in a read of their own, or in 64-byte reads.
    for (std::size_t n = 1; n <= 16; ++n) {
        const auto noise = Noise(n, static_cast<unsigned>(10 + n));
        std::vector<Step> arrive;
        if (n % 3 == 0)
            arrive = {{Arrive, 0, 0, Joined(block1, noise), 64}};
        else if (n % 3 == 1)
            arrive = {{Arrive, 0, 0, Joined(block1, noise)}};
        else
            arrive = {{Arrive, 0, 0, block1}, {Arrive, 0, 0, noise}};
        std::vector<Step> steps = {{Ask, MEAS, 2}};
        steps.insert(steps.end(), arrive.begin(), arrive.end());
        steps.push_back({Ask, MEAS, 2});  // ContinuousReadTimer, 50 ms later
        steps.push_back({Arrive, 0, 0, block2, n % 2 ? std::size_t{4096} : std::size_t{700}});
        rows.push_back({"a good block, " + std::to_string(n) + " stray bytes, the next request and its block",
                        steps,
                        {1.0f, 2.0f},
                        {},
                        0,
                        n});
    }
    rows.push_back({"stray bytes in pieces until the line is quiet, then the next request",
                    {{Ask, MEAS, 2},
                     {Arrive, 0, 0, block1},
                     {Arrive, 0, 0, Noise(5, 30)},
                     {Arrive, 0, 0, Noise(7, 31)},
                     {Quiet},
                     {Ask, MEAS, 2},
                     {Arrive, 0, 0, block2}},
                    {1.0f, 2.0f},
                    {},
                    0,
                    12});
    // One request on the line at a time: one asked for while a reply
    // arrives goes out when it is in, and its reply follows.
    rows.push_back({"a late block asked for again while under way: the request waits, both are shown",
                    {{Ask, MEAS, 2},
                     {Arrive, 0, 0, Part(block1, 0, 1200)},
                     {Ask, MEAS, 2},  // ReReadTimer
                     {Arrive, 0, 0, Part(block1, 1200, block1.size())},
                     {Arrive, 0, 0, block2}},
                    {1.0f, 2.0f},
                    {},
                    0,
                    0});
    rows.push_back({"a settings read asked for while a block is under way: it follows the block",
                    {{Ask, MEAS, 2},
                     {Arrive, 0, 0, Part(block1, 0, 100)},
                     {Ask, SETUP, 2},
                     {Arrive, 0, 0, Part(block1, 100, block1.size())},
                     {Arrive, 0, 0, WithCrc(Joined(Hex("01 03 13"), std::vector<std::uint8_t>(19, 0)))},
                     {Quiet}},
                    {1.0f},
                    {},
                    0,
                    0,
                    1});
    rows.push_back({"a chunk with stray bytes in its last read, then the next chunk at once",
                    {{Ask, STEST, ChunkCount(1)},
                     {Arrive, 0, 0, Joined(ChunkReply(1), Noise(9, 40))},
                     {Arrive, 0, 0, ChunkReply(2)}},
                    {},
                    {1, 2},
                    0,
                    9});
    // The UI thread was busy after the block (a long redraw), so the stray
    // bytes were still unread when ContinuousReadTimer sent the next request,
    // or when the silence timer ran out.
    rows.push_back({"stray bytes still unread when the next request goes out",
                    {{Ask, MEAS, 2},
                     {Arrive, 0, 0, block1},
                     {Hold, 0, 0, Noise(6, 50)},
                     {Ask, MEAS, 2},
                     {Hold, 0, 0, Part(block2, 0, 900)},
                     {ReadHeld},
                     {Arrive, 0, 0, Part(block2, 900, block2.size())}},
                    {1.0f, 2.0f},
                    {},
                    0,
                    6});
    rows.push_back({"stray bytes still unread when the silence timer runs out",
                    {{Ask, MEAS, 2},
                     {Arrive, 0, 0, block1},
                     {Hold, 0, 0, Noise(6, 51)},
                     {Quiet},
                     {ReadHeld},
                     {Quiet},
                     {Ask, MEAS, 2},
                     {Arrive, 0, 0, block2}},
                    {1.0f, 2.0f},
                    {},
                    0,
                    6});
    // A reply is taken only as the answer to the request on the line.
    rows.push_back({"a block, the line quiet, then a block nobody asked for",
                    {{Ask, MEAS, 2}, {Arrive, 0, 0, block1}, {Quiet}, {Arrive, 0, 0, block2}},
                    {1.0f},
                    {},
                    0,
                    0});
    rows.push_back({"the trigger acknowledgement after a LINKCHK reply on the USB link",
                    {{Ask, STEST, 0x20},
                     {Keepalive, LINKCHK, kLinkCheckCount},
                     {Arrive, 0, 0, WithCrc(Hex("01 03 02 00 01"))},
                     {Quiet},
                     {Keepalive, LINKCHK, kLinkCheckCount},
                     {Arrive, 0, 0, WithCrc(Hex("01 03 02 00 01"))},
                     {Quiet},
                     {Arrive, 0, 0, WithCrc(Hex("01 0A 92 20"))},
                     {Quiet}},
                    {},
                    {},
                    1,
                    0});
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ReceivePath path;
        path.state.LinkKind = LinkKind::Usb;
        for (const Step& step : row.steps) {
            switch (step.kind) {
                case Ask: path.requests.read(step.reg, step.count, ExpectFor(step.reg, step.count)); break;
                case Keepalive: path.requests.read(step.reg, step.count, Expect::Register); break;
                case Arrive: path.arrive(step.bytes, step.readSize); break;
                case Quiet: path.quiet(); break;
                case Hold: path.hold(step.bytes); break;
                case ReadHeld: path.readHeld(); break;
            }
        }
        EXPECT_EQ(path.shown, row.shown);
        EXPECT_EQ(path.chunks, row.chunks);
        EXPECT_EQ(path.triggers, row.triggers);
        EXPECT_EQ(path.setups, row.setups);
        EXPECT_EQ(path.stray, row.stray);
        EXPECT_EQ(path.assembler.strayBytes(), row.stray);
        EXPECT_FALSE(path.assembler.resyncing());
        // Nothing was asked for again: every reply was taken as it came.
        std::size_t asked = 0;
        for (const Step& step : row.steps) asked += step.kind == Ask || step.kind == Keepalive;
        asked += row.chunks.size();  // each chunk asks for the next
        EXPECT_EQ(path.port.written.size(), asked);
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

    path.arrive(MeasureReply(1.0f));
    path.quiet();
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
