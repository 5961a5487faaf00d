// Reply bytes leave at the emulated line's pace: after the turnaround, a
// byte time apart, with the gaps of a split reply.
#include "sim/paced_output.h"

#include <gtest/gtest.h>

namespace lxv::sim {
namespace {

std::vector<Piece> One(std::size_t n) {
    return {Piece{std::vector<std::uint8_t>(n, 0xAB), 0.0}};
}

TEST(PacedOutput, UnpacedRepliesWaitOnlyForTheTurnaround) {
    PacedOutput out(0, 50.0);
    out.Add(One(2532), 100.0);
    EXPECT_EQ(out.Ready(149.0), 0u);
    ASSERT_TRUE(out.NextDue(149.0).has_value());
    EXPECT_DOUBLE_EQ(*out.NextDue(149.0), 150.0);
    EXPECT_EQ(out.Ready(150.0), 2532u);
    out.Consume(2532, 150.0);
    EXPECT_TRUE(out.empty());
}

TEST(PacedOutput, BaudRateSpacesTheBytes) {
    PacedOutput out(9600, 0.0);  // 1.0417 ms a byte
    out.Add(One(100), 0.0);
    EXPECT_EQ(out.Ready(0.0), 1u);
    EXPECT_EQ(out.Ready(10.0), 10u);
    out.Consume(10, 10.0);
    EXPECT_EQ(out.Ready(10.0), 0u);
    EXPECT_NEAR(*out.NextDue(10.0), 10 * 10000.0 / 9600, 1e-9);
    EXPECT_EQ(out.Ready(103.2), 90u);  // the last byte leaves 99 byte times after the first
    out.Consume(90, 103.2);
    EXPECT_TRUE(out.empty());
}

TEST(PacedOutput, PiecesKeepTheirGapsAndRepliesTheirOrder) {
    PacedOutput out(0, 0.0);
    out.Add({Piece{{1, 2}, 0.0}, Piece{{3}, 5.0}}, 0.0);
    out.Add({Piece{{4}, 0.0}}, 1.0);
    ASSERT_EQ(out.Ready(0.0), 2u);
    EXPECT_EQ(out.Front()[0], 1);
    out.Consume(2, 0.0);
    EXPECT_EQ(out.Ready(4.0), 0u);
    EXPECT_DOUBLE_EQ(*out.NextDue(4.0), 5.0);
    ASSERT_EQ(out.Ready(5.0), 1u);
    EXPECT_EQ(out.Front()[0], 3);
    out.Consume(1, 5.0);
    ASSERT_EQ(out.Ready(5.0), 1u);
    EXPECT_EQ(out.Front()[0], 4);
}

}  // namespace
}  // namespace lxv::sim
