// The instrument's state across requests: the starting test's arming,
// trigger and chunks, stored settings that change its readings, refusals.
#include "sim/instrument.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "link/byte_order.h"
#include "link/frame_codec.h"
#include "support/fake_serial_port.h"

namespace lxv::sim {
namespace {

using lxv::test::WithCrc;

ReceivedFrame Frame(std::vector<std::uint8_t> body) {
    ReceivedFrame f{WithCrc(std::move(body)), true};
    return f;
}
ReceivedFrame Read(std::uint16_t reg, std::uint16_t count) {
    return Frame({1, 3, static_cast<std::uint8_t>(reg >> 8), static_cast<std::uint8_t>(reg),
                  static_cast<std::uint8_t>(count >> 8), static_cast<std::uint8_t>(count)});
}

TEST(Instrument, StartingTestArmsCapturesAndServesItsChunks) {
    Instrument sim(1, LoadSettings{}, 3);
    EXPECT_EQ(sim.Handle(Read(STEST, ChunkCount(1)), 0).kind, ReplyKind::None);  // nothing captured yet
    EXPECT_EQ(sim.PressStartingSwitch().kind, ReplyKind::None);                  // nobody asked
    EXPECT_EQ(sim.Handle(Read(STEST, 0x20), 0).kind, ReplyKind::None);
    EXPECT_TRUE(sim.awaitingSwitch());
    const Reply ack = sim.PressStartingSwitch();
    EXPECT_EQ(ack.bytes, WithCrc({1, 10, 146, 0x20}));
    EXPECT_FALSE(sim.awaitingSwitch());
    std::vector<std::uint8_t> joined;
    for (int k = 1; k <= 6; ++k) {
        const Reply chunk = sim.Handle(Read(STEST, ChunkCount(k)), 0);
        ASSERT_EQ(chunk.bytes.size(), kChunkReplySize);
        EXPECT_TRUE(CrcMatches(chunk.bytes.data(), chunk.bytes.size()));
        joined.insert(joined.end(), chunk.bytes.begin(), chunk.bytes.end() - 2);
    }
    EXPECT_TRUE(std::equal(joined.begin(), joined.end(), sim.capture().begin()));
    EXPECT_EQ(sim.Handle(Read(STEST, ChunkCount(7)), 0).kind, ReplyKind::None);
    EXPECT_EQ(sim.Handle(Read(STEST, 0x0101), 0).kind, ReplyKind::None);
}

TEST(Instrument, CaptureShowsAMotorStartInTheChosenRanges) {
    const SettingsBytes factory = FactorySettings();
    std::mt19937_64 rng(1);
    LoadSettings load;
    load.noise = 0.0;
    // Range code 0: the largest current range ("4") and 300 V.
    const StartingCapture c = MakeStartingCapture(load, 0x00, ReadingScaleOf(factory), rng);
    const float uScale = ReadF32LE(c.data()), iScale = ReadF32LE(c.data() + 4);
    auto peak = [&](std::size_t base, int from, int to) {
        int m = 0;
        for (int n = from; n < to; ++n) m = std::max(m, std::abs(ReadU16LE(c.data() + base + 2 * n) - 2047));
        return m;
    };
    const std::size_t u = 8, i = 8 + 5120;
    EXPECT_EQ(peak(i, 0, kCapturePreTrigger), 0);  // idle before the switch
    const int inrush = peak(i, kCapturePreTrigger, kCapturePreTrigger + 64);
    const int running = peak(i, 2560 - 256, 2560);
    EXPECT_GT(inrush, 4 * running);
    EXPECT_NEAR(running * iScale, 5.0 * std::sqrt(2.0), 0.2);
    EXPECT_LT(inrush, 1800);
    EXPECT_LT(peak(u, kCapturePreTrigger, kCapturePreTrigger + 64), peak(u, 0, kCapturePreTrigger));
    EXPECT_NEAR(peak(u, 0, kCapturePreTrigger) * uScale, 230.0 * std::sqrt(2.0), 10.0);
    // Current range "1" (index 3) is too small for this motor: the converter clips.
    const StartingCapture small = MakeStartingCapture(load, 0x30, ReadingScaleOf(factory), rng);
    EXPECT_EQ(ReadU16LE(small.data() + i + 2 * (kCapturePreTrigger + 8)), 4095);
}

TEST(Instrument, StoredSettingsChangeTheReadingsAndBadWritesAreRefused) {
    Instrument sim(1, LoadSettings{}, 3);
    InstrumentSettings settings = InstrumentSettings::Factory();
    settings.CtRatio = 10.0f;
    const SettingsBytes s = settings.Encode();
    std::vector<std::uint8_t> write{1, 16, 0, 188, 0, 9, 19};
    write.insert(write.end(), s.begin(), s.end());
    EXPECT_EQ(sim.Handle(Frame(write), 0).bytes, WithCrc({1, 9, 188}));
    const Reply block = sim.Handle(Read(MEAS, 2), 0);
    ASSERT_EQ(block.bytes.size(), kMeasureReplySize);
    EXPECT_EQ(block.blockCrc, Crc16(block.bytes.data(), kMeasureBlockSize));
    EXPECT_NEAR(ReadF32LE(block.bytes.data() + 12), 50.0, 1.0);  // IRMS through a 10:1 transformer
    // A settings block of the wrong size is not stored and not acknowledged.
    write[6] = 18;
    write.pop_back();
    EXPECT_EQ(sim.Handle(Frame(write), 0).kind, ReplyKind::None);
    EXPECT_EQ(sim.settings(), s);
    EXPECT_EQ(sim.Handle(Read(999, 2), 0).kind, ReplyKind::None);
    ReceivedFrame damaged = Read(MEAS, 2);
    damaged.crcOk = false;
    EXPECT_EQ(sim.Handle(damaged, 0).kind, ReplyKind::None);
}

}  // namespace
}  // namespace lxv::sim
