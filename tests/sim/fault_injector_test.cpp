// Fault decisions: each fault at its asked rate, and each one shaped as
// it claims (one bit, four bytes or fewer, the reply and 1 to 16 bytes more,
// 1 to 6000 other bytes, pieces that join).
#include "sim/fault_injector.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>

namespace lxv::sim {
namespace {

std::vector<std::uint8_t> Reply(std::size_t n) {
    std::vector<std::uint8_t> r(n);
    for (std::size_t i = 0; i < n; ++i) r[i] = static_cast<std::uint8_t>(i * 7);
    return r;
}

std::vector<std::uint8_t> Joined(const FaultOutcome& o) {
    std::vector<std::uint8_t> all;
    for (const Piece& p : o.pieces) all.insert(all.end(), p.bytes.begin(), p.bytes.end());
    return all;
}

TEST(FaultInjector, EachFaultComesAtItsRateAndHasItsShape) {
    FaultRates rates;
    rates.drop = 0.2;
    rates.cut = 0.1;
    rates.flip = 0.15;
    rates.extra = 0.1;
    rates.garbage = 0.05;
    rates.split = 0.25;
    FaultInjector faults(rates, 42);
    const int n = 20000;
    int drops = 0, cuts = 0, flips = 0, extras = 0, garbage = 0, splits = 0;
    const auto original = Reply(2532);
    for (int i = 0; i < n; ++i) {
        const FaultOutcome o = faults.Apply(original);
        const auto sent = Joined(o);
        switch (o.fault) {
            case Fault::Drop:
                ++drops;
                EXPECT_TRUE(sent.empty());
                break;
            case Fault::Cut:
                ++cuts;
                ASSERT_GE(sent.size(), 1u);
                ASSERT_LE(sent.size(), 4u);
                EXPECT_TRUE(std::equal(sent.begin(), sent.end(), original.begin()));
                break;
            case Fault::Flip: {
                ++flips;
                ASSERT_EQ(sent.size(), original.size());
                int bits = 0;
                for (std::size_t k = 0; k < sent.size(); ++k)
                    bits += std::popcount(unsigned(sent[k] ^ original[k]));
                EXPECT_EQ(bits, 1);
                break;
            }
            case Fault::Extra:
                ++extras;
                ASSERT_GE(sent.size(), original.size() + 1);
                ASSERT_LE(sent.size(), original.size() + 16);
                EXPECT_TRUE(std::equal(original.begin(), original.end(), sent.begin()));
                break;
            case Fault::Garbage:
                ++garbage;
                ASSERT_GE(sent.size(), 1u);
                ASSERT_LE(sent.size(), 6000u);
                EXPECT_NE(sent, original);
                break;
            default: EXPECT_EQ(sent, original);
        }
        if (o.pieces.size() > 1) {
            ++splits;
            EXPECT_LE(o.pieces.size(), 5u);
            for (std::size_t k = 1; k < o.pieces.size(); ++k) {
                EXPECT_GE(o.pieces[k].gapBeforeMs, 1.0);
                EXPECT_LE(o.pieces[k].gapBeforeMs, 8.0);
            }
        }
    }
    auto within = [n](int count, double p) {
        return std::abs(count - n * p) < 4 * std::sqrt(n * p * (1 - p));
    };
    EXPECT_TRUE(within(drops, 0.2)) << drops;
    EXPECT_TRUE(within(cuts, 0.1)) << cuts;
    EXPECT_TRUE(within(flips, 0.15)) << flips;
    EXPECT_TRUE(within(extras, 0.1)) << extras;
    EXPECT_TRUE(within(garbage, 0.05)) << garbage;
    EXPECT_TRUE(within(splits, 0.25 * 0.7)) << splits;  // drops and cuts are never split
}

TEST(FaultInjector, MutesAfterTheAskedRepliesAndUnmutes) {
    FaultRates rates;
    rates.muteAfter = 3;
    FaultInjector faults(rates, 1);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(faults.Apply(Reply(9)).fault, Fault::None);
    EXPECT_EQ(faults.Apply(Reply(9)).fault, Fault::Muted);
    EXPECT_TRUE(faults.Apply(Reply(9)).pieces.empty());
    faults.Unmute();
    EXPECT_EQ(faults.Apply(Reply(9)).fault, Fault::None);
    faults.Mute();
    EXPECT_EQ(faults.Apply(Reply(9)).fault, Fault::Muted);
    EXPECT_STREQ(FaultWord(Fault::Cut), "short");
    EXPECT_STREQ(FaultWord(Fault::Extra), "extra");
    EXPECT_STREQ(FaultWord(Fault::Garbage), "garbage");
}

}  // namespace
}  // namespace lxv::sim
