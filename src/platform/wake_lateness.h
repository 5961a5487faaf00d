// How late the event loop runs a timer's handler after the moment the timer
// ran out: the wake-up of an idle processor, the loop's poll returning and
// the dispatch, some 0.05 to 0.2 ms on a quiet machine. A timer armed that
// much before its due moment runs its handler at the due moment.
//
// The estimate is the lower quartile of the last 16 wake-ups, so a handler
// runs before its due moment in about a quarter of them, and then only by the
// spread below the quartile; a loop busy with other work at the moment makes
// one wake-up late without moving the estimate. Never more than 0.5 ms, and
// nothing before 4 wake-ups are known. No Qt.
#pragma once

#include <array>
#include <chrono>
#include <cstddef>

namespace lxv {

class WakeLateness {
  public:
    static constexpr std::size_t kKept = 16;
    static constexpr std::size_t kNeeded = 4;
    static constexpr std::chrono::nanoseconds kLongest = std::chrono::microseconds(500);

    // One wake-up: from the moment the timer ran out to its handler (a
    // negative time counts as none).
    void record(std::chrono::nanoseconds late);
    // How much earlier to arm a timer.
    std::chrono::nanoseconds early() const;

  private:
    std::array<std::chrono::nanoseconds, kKept> kept_{};
    std::size_t count_ = 0;  // all recorded; the newest kKept are kept
};

}  // namespace lxv
