// The queue of reply bytes on their way to the program, released at the pace
// of the emulated line: the turnaround delay, the gaps between pieces, and
// 10 bits per byte at the chosen baud rate. Time is passed in, never read.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "sim/fault_injector.h"

namespace lxv::sim {

class PacedOutput {
  public:
    // baud 0 releases every byte as soon as its piece is due.
    PacedOutput(int baud, double turnaroundMs) : baud_(baud), turnaroundMs_(turnaroundMs) {}

    // Queues a reply to a request that arrived at `nowMs`.
    void Add(std::vector<Piece> pieces, double nowMs);

    // How many bytes at the front of Front() may be written at `nowMs`.
    std::size_t Ready(double nowMs) const;
    const std::uint8_t* Front() const;
    // The caller wrote `n` of the ready bytes at `nowMs`. True when that was
    // the last byte of a reply (its last piece is gone).
    bool Consume(std::size_t n, double nowMs);

    // When the next byte to write was due: a write well after it means the
    // line paused where the program expected bytes.
    double FrontDueMs() const;
    // When more bytes become ready, if any are queued and none are ready now.
    std::optional<double> NextDue(double nowMs) const;
    bool empty() const { return queue_.empty(); }
    void Clear() { queue_.clear(); }

  private:
    struct Entry {
        std::vector<std::uint8_t> bytes;
        double gapMs = 0.0;        // pause after the previous piece
        bool startsReply = false;  // counts the turnaround from its request
        double requestMs = 0.0;
        std::size_t sent = 0;
        double dueMs = -1.0;  // set once the piece is at the front
    };
    double ByteMs() const { return baud_ > 0 ? 10000.0 / baud_ : 0.0; }
    void Schedule(Entry& e, double nowMs) const;

    int baud_;
    double turnaroundMs_;
    std::deque<Entry> queue_;
    double lineFreeMs_ = 0.0;  // when the last byte written has left the line
};

}  // namespace lxv::sim
