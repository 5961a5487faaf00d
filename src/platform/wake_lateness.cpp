#include "platform/wake_lateness.h"

#include <algorithm>

namespace lxv {

void WakeLateness::record(std::chrono::nanoseconds late) {
    kept_[count_ % kKept] = std::max(late, std::chrono::nanoseconds(0));
    ++count_;
}

std::chrono::nanoseconds WakeLateness::early() const {
    const std::size_t n = std::min(count_, kKept);
    if (n < kNeeded) return std::chrono::nanoseconds(0);
    std::array<std::chrono::nanoseconds, kKept> sorted = kept_;
    const auto quartile = sorted.begin() + static_cast<std::ptrdiff_t>((n - 1) / 4);
    std::nth_element(sorted.begin(), quartile, sorted.begin() + static_cast<std::ptrdiff_t>(n));
    return std::min(*quartile, kLongest);
}

}  // namespace lxv
