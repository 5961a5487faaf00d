// Request frames cut from the byte stream by length, with silence to
// resynchronise after garbage.
#include "sim/request_framer.h"

#include <gtest/gtest.h>

#include "support/fake_serial_port.h"

namespace lxv::sim {
namespace {

using lxv::test::Hex;

std::vector<ReceivedFrame> Feed(RequestFramer& f, const std::vector<std::uint8_t>& bytes, double at) {
    return f.Feed(bytes.data(), bytes.size(), at);
}

TEST(RequestFramer, CutsReadsAndWritesByTheirLength) {
    RequestFramer f(5.0);
    const auto read = Hex("01 03 00 94 00 02 85 E7");
    const auto write = Hex("01 10 00 7E 00 02 04 05 00 00 00 75 CB");
    auto both = read;
    both.insert(both.end(), write.begin(), write.end());
    const auto frames = Feed(f, both, 0.0);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].bytes, read);
    EXPECT_EQ(frames[1].bytes, write);
    EXPECT_TRUE(frames[0].crcOk && frames[1].crcOk);
    // In pieces, close together.
    EXPECT_TRUE(Feed(f, Hex("01 10 00 7E 00"), 10.0).empty());
    EXPECT_TRUE(Feed(f, Hex("02 04 05 00"), 12.0).empty());
    ASSERT_EQ(Feed(f, Hex("00 00 75 CB"), 14.0).size(), 1u);
    EXPECT_EQ(f.pending(), 0u);
}

TEST(RequestFramer, BadCrcIsFlaggedAndTheNextFrameStillParses) {
    RequestFramer f(5.0);
    auto frames = Feed(f, Hex("01 03 00 94 00 02 85 E6 01 03 00 94 00 02 85 E7"), 0.0);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_FALSE(frames[0].crcOk);
    EXPECT_TRUE(frames[1].crcOk);
}

TEST(RequestFramer, GarbageIsDroppedUntilTheLineFallsSilent) {
    RequestFramer f(5.0);
    EXPECT_TRUE(Feed(f, Hex("55 AA 07"), 0.0).empty());                 // unknown function
    EXPECT_TRUE(Feed(f, Hex("01 03 00 94 00 02 85 E7"), 2.0).empty());  // still inside the noise
    ASSERT_TRUE(f.Deadline().has_value());
    EXPECT_DOUBLE_EQ(*f.Deadline(), 7.0);
    EXPECT_EQ(f.Expire(20.0), 11u);  // all of it, the frame inside the noise too
    EXPECT_EQ(Feed(f, Hex("01 03 00 94 00 02 85 E7"), 20.0).size(), 1u);
    // A partial frame is dropped after silence instead of swallowing the next one.
    EXPECT_TRUE(Feed(f, Hex("01 03 00"), 30.0).empty());
    EXPECT_EQ(f.Expire(33.0), 0u);
    EXPECT_EQ(f.Expire(36.0), 3u);
    EXPECT_FALSE(f.Deadline().has_value());
    EXPECT_EQ(Feed(f, Hex("01 03 00 94 00 02 85 E7"), 37.0).size(), 1u);
    // A write whose byte count was damaged waits for bytes that never come, then resets.
    EXPECT_TRUE(Feed(f, Hex("01 10 00 BC 00 09 FF 00 00"), 50.0).empty());
    EXPECT_EQ(Feed(f, Hex("01 03 00 94 00 02 85 E7"), 60.0).size(), 1u);
}

}  // namespace
}  // namespace lxv::sim
