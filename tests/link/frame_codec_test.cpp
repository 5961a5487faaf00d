#include "link/frame_codec.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "support/fake_serial_port.h"

namespace lxv {
namespace {

using test::FakeSerialPort;
using test::Hex;

TEST(Crc16, StandardCheckValueAndZeroResidue) {
    const char* text = "123456789";
    EXPECT_EQ(Crc16(reinterpret_cast<const std::uint8_t*>(text), 9), 0x4B37);
    // A frame followed by its own CRC, low byte first, leaves no remainder.
    auto frame = test::WithCrc(Hex("07 03 00 94 00 02"));
    EXPECT_EQ(Crc16(frame.data(), frame.size()), 0);
    EXPECT_TRUE(CrcMatches(frame.data(), frame.size()));
    frame[3] ^= 0x10;
    EXPECT_FALSE(CrcMatches(frame.data(), frame.size()));
    EXPECT_EQ(Crc16(nullptr, 0), 0xFFFF);
}

struct LinkFixture : ::testing::Test {
    FakeSerialPort port;
    InstrumentLink link{port};
    void SetUp() override { port.open_ = true; }
};

TEST_F(LinkFixture, ReadRequestsAreTheExactWireBytes) {
    ASSERT_TRUE(link.SendReadRequest(1, MEAS, 2));
    EXPECT_EQ(port.lastWritten(), Hex("01 03 00 94 00 02 85 E7"));
    ASSERT_TRUE(link.SendReadRequest(7, MEAS, 2));
    EXPECT_EQ(port.lastWritten(), Hex("07 03 00 94 00 02 85 81"));
    // Starting-test chunk 6: count high byte 6.
    ASSERT_TRUE(link.SendReadRequest(1, STEST, ChunkCount(6)));
    EXPECT_EQ(std::vector<std::uint8_t>(port.lastWritten().begin(), port.lastWritten().begin() + 6),
              Hex("01 03 00 93 06 00"));
    EXPECT_EQ(link.routingKey(), STEST);
}

TEST_F(LinkFixture, FloatsTravelLeastSignificantByteFirst) {
    link.SendReadRequest(1, SETUP, 2);
    ASSERT_TRUE(link.SendWriteValue(1, AL1H, FloatBits(1.0f)));
    const auto f = port.lastWritten();
    ASSERT_EQ(f.size(), 13u);
    EXPECT_EQ(std::vector<std::uint8_t>(f.begin(), f.begin() + 11), Hex("01 10 00 76 00 02 04 00 00 80 3F"));
    EXPECT_EQ(Crc16(f.data(), f.size()), 0);
    // A value write is built aside: the routing key still names the last read.
    EXPECT_EQ(link.routingKey(), SETUP);

    const std::uint8_t one[4] = {0x00, 0x00, 0x80, 0x3F};
    EXPECT_EQ(DecodeFloat(one), 1.0f);
    const std::uint8_t nan[4] = {0x00, 0x00, 0xC0, 0x7F};
    EXPECT_TRUE(std::isnan(DecodeFloat(nan)));
}

TEST_F(LinkFixture, ByteAndBlockWritesUseTheSharedBuffer) {
    const std::uint8_t code[4] = {0x6B, 0, 0, 0};
    ASSERT_TRUE(link.SendWriteBytes(2, CALLOCK, code));
    EXPECT_EQ(std::vector<std::uint8_t>(port.lastWritten().begin(), port.lastWritten().begin() + 11),
              Hex("02 10 00 B9 00 02 04 6B 00 00 00"));
    EXPECT_EQ(link.routingKey(), CALLOCK);

    std::uint8_t settings[19];
    for (int i = 0; i < 19; ++i) settings[i] = static_cast<std::uint8_t>(i + 1);
    ASSERT_TRUE(link.SendWriteBlock(1, SETUP, settings, 19));
    const auto f = port.lastWritten();
    ASSERT_EQ(f.size(), 28u);
    EXPECT_EQ(std::vector<std::uint8_t>(f.begin(), f.begin() + 7), Hex("01 10 00 BC 00 09 13"));
    EXPECT_EQ(0, std::memcmp(f.data() + 7, settings, 19));
    EXPECT_EQ(Crc16(f.data(), f.size()), 0);
    EXPECT_EQ(link.routingKey(), SETUP);
    // Larger than the shared buffer can frame: refused, nothing written.
    std::uint8_t big[128] = {};
    const auto before = port.written.size();
    EXPECT_FALSE(link.SendWriteBlock(1, SETUP, big, 120));
    EXPECT_EQ(port.written.size(), before);
}

TEST_F(LinkFixture, ClosedOrRefusingPortReportsFailure) {
    port.open_ = false;
    const std::uint8_t b[4] = {};
    EXPECT_FALSE(link.SendReadRequest(1, MEAS, 2));
    EXPECT_FALSE(link.SendWriteValue(1, AL1H, 0));
    EXPECT_FALSE(link.SendWriteBytes(1, ALSW, b));
    EXPECT_FALSE(link.SendWriteBlock(1, SETUP, b, 4));
    EXPECT_TRUE(port.written.empty());

    port.open_ = true;
    port.refuseWrites = true;
    EXPECT_FALSE(link.SendReadRequest(1, MEAS, 2));
}

}  // namespace
}  // namespace lxv
