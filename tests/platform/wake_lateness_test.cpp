#include "platform/wake_lateness.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace lxv {
namespace {

using std::chrono::microseconds;

microseconds EarlyAfter(std::initializer_list<int> wakeUpsUs) {
    WakeLateness w;
    for (int us : wakeUpsUs) w.record(microseconds(us));
    return std::chrono::duration_cast<microseconds>(w.early());
}

TEST(WakeLateness, ArmsEarlyByTheLowerQuartileOfRecentWakeUps) {
    struct Row {
        const char* what;
        std::initializer_list<int> wakeUpsUs;
        int earlyUs;
    };
    const Row rows[] = {
        {"nothing known", {}, 0},
        {"too few to tell", {80, 90, 100}, 0},
        {"four: the lowest", {100, 80, 90, 120}, 80},
        {"one busy loop does not move it", {80, 90, 100, 85, 95, 9000, 88, 92}, 85},
        {"an early wake-up counts as none", {-50, 80, 90, 100}, 0},
        {"never more than 0.5 ms", {900, 1000, 1100, 1200}, 500},
        // Only the newest 16: slow wake-ups long ago are forgotten.
        {"the newest 16",
         {900, 900, 900, 900, 900, 900, 900, 900, 60, 60, 60, 60, 60, 60, 60, 60, 60, 60, 60, 60, 60, 60, 60, 60},
         60},
    };
    for (const Row& row : rows) EXPECT_EQ(EarlyAfter(row.wakeUpsUs).count(), row.earlyUs) << row.what;
}

}  // namespace
}  // namespace lxv
