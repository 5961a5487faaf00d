// The starting-test transfer against an in-memory port: start request and its
// range code, refusals, six chunks, the receive area, and overdue chunks.
#include "measure/starting_control.h"

#include <gtest/gtest.h>

#include "link/frame_codec.h"
#include "link/registers.h"
#include "core/session_core.h"
#include "support/fake_serial_port.h"
#include "support/manual_timers.h"

namespace lxv {
namespace {

using test::WithCrc;

struct StartingControlTest : ::testing::Test {
    test::FakeSerialPort port;
    test::ManualTimers timers;
    SessionCore core{port, timers};
    StartingControl control{core};
    std::vector<StartingEffects> effects;
    int captures = 0;

    StartingControlTest() {
        port.present = {3};
        port.open(3, 14400);
        control.setEffectsHandler([this](const StartingEffects& e) { effects.push_back(e); });
        control.subscribeCapture([this](const StartingRecord&) { ++captures; });
    }

    void Reply(const std::vector<std::uint8_t>& bytes) {
        core.dispatcher.handleReply(bytes.data(), bytes.size());
    }
    void Trigger() { Reply(WithCrc({1, kFnStartAck, kStartAckCode, 0x20})); }
    static std::vector<std::uint8_t> Chunk(int k) {
        std::vector<std::uint8_t> body(kChunkSize);
        for (std::size_t i = 0; i < body.size(); ++i) body[i] = static_cast<std::uint8_t>(k * 37 + i);
        return WithCrc(body);
    }
    // The count field of the last request, or -1 when it is not a read of STEST.
    int LastStartingCount() const {
        const auto& f = port.lastWritten();
        if (f.size() != 8 || f[1] != kFnRead || f[3] != STEST || !CrcMatches(f.data(), f.size())) return -1;
        return f[4] << 8 | f[5];
    }
};

TEST_F(StartingControlTest, StartSendsTheRangeCode) {
    struct Case {
        int current, voltage, code;
    };
    for (const Case c : {Case{2, 0, 32}, Case{3, 3, 51}, Case{0, 0, 0}, Case{0, 2, 2}}) {
        const StartingEffects e = control.Start(c.current, c.voltage);
        EXPECT_EQ(LastStartingCount(), c.code);
        EXPECT_EQ(e.message, nullptr);
        EXPECT_TRUE(e.statusChanged);
        EXPECT_EQ(control.status(), kStartRequestedText);
        EXPECT_EQ(core.state.LastCount, c.code);
    }
    // The wait for the Starting switch does not time out.
    EXPECT_FALSE(timers.find("StartingChunkTimer")->isActive());
}

TEST_F(StartingControlTest, RefusalsWhileMeasuringAndWithoutAPort) {
    EXPECT_EQ(control.StartRefusal(), nullptr);
    for (MeasureMode mode : {MeasureMode::Single, MeasureMode::Continuous}) {
        core.state.MeasureMode = mode;
        EXPECT_STREQ(control.StartRefusal(), kStopMeasurementFirstText);
    }
    core.state.MeasureMode = MeasureMode::Idle;
    port.close();
    const StartingEffects e = control.Start(1, 0);
    EXPECT_STREQ(e.message, kStartNotConnectedText);
    EXPECT_EQ(control.status(), kStartRequestedText);  // the state is set all the same
    EXPECT_TRUE(port.written.empty());
}

TEST_F(StartingControlTest, SixChunksReplaceTheCaptureOnlyWhenAllAreIn) {
    control.Start(2, 0);
    const StartingRecord before = control.record();
    Trigger();
    EXPECT_EQ(control.status(), kTriggeredText);
    EXPECT_EQ(LastStartingCount(), 0x0100);
    std::vector<std::uint8_t> joined;
    for (int k = 1; k <= 6; ++k) {
        const auto chunk = Chunk(k);
        joined.insert(joined.end(), chunk.begin(), chunk.end() - 2);
        if (k == 6) {
            EXPECT_EQ(control.record().bytes(), before.bytes());  // after the fifth: unchanged
        }
        Reply(chunk);
        if (k < 6) {
            EXPECT_EQ(control.status(), "Receiving data" + std::to_string(k + 1));
            EXPECT_EQ(LastStartingCount(), (k + 1) * 256);
            EXPECT_EQ(control.chunkIndex(), k + 1);
        }
    }
    EXPECT_EQ(control.status(), kCompletedText);
    EXPECT_TRUE(std::equal(joined.begin(), joined.end(), control.record().data()));
    EXPECT_EQ(control.chunkIndex(), 0);
    ASSERT_FALSE(effects.empty());
    EXPECT_TRUE(effects.back().captureComplete);
    EXPECT_EQ(captures, 1);
    EXPECT_FALSE(timers.find("StartingChunkTimer")->isActive());
}

TEST_F(StartingControlTest, AnOverdueChunkIsAskedForFiveTimesThenTheTransferFails) {
    control.Start(0, 0);
    Trigger();
    Reply(Chunk(1));
    Reply(Chunk(2));
    const StartingRecord before = control.record();
    test::ManualTimer* timer = timers.find("StartingChunkTimer");
    ASSERT_TRUE(timer->isActive());
    // The wait fits the baud rate: a chunk still on the wire is not asked for twice.
    EXPECT_EQ(timer->interval(), ChunkReplyWaitMs(BaudRateForIndex(core.state.BaudIndex)));
    EXPECT_EQ(ChunkReplyWaitMs(115200), 2000);
    EXPECT_EQ(ChunkReplyWaitMs(9600), 2282);  // 1.79 s on the wire and the instrument's 250 ms
    EXPECT_GT(ChunkReplyWaitMs(4800), 3600 + 250);  // 3.58 s on the wire
    for (int retry = 1; retry <= kChunkRetries; ++retry) {
        port.written.clear();
        ASSERT_TRUE(timers.fire("StartingChunkTimer"));
        EXPECT_EQ(LastStartingCount(), 0x0300) << retry;
    }
    port.written.clear();
    ASSERT_TRUE(timers.fire("StartingChunkTimer"));
    EXPECT_TRUE(port.written.empty());
    EXPECT_EQ(control.status(), "Transfer failed at chunk 3");
    EXPECT_EQ(control.chunkIndex(), 0);
    EXPECT_FALSE(timer->isActive());
    Reply(Chunk(3));  // no transfer runs: dropped, nothing asked for
    EXPECT_TRUE(port.written.empty());
    EXPECT_EQ(control.record().bytes(), before.bytes());
    EXPECT_EQ(control.chunkIndex(), 0);
}

}  // namespace
}  // namespace lxv
