// Cuts the byte stream from the program into request frames by their length:
// 8 bytes for a read (function 3), 9 + byte 6 for a write (function 16).
// A silence on the line drops a partial frame, so garbage cannot wedge it.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace lxv::sim {

struct ReceivedFrame {
    std::vector<std::uint8_t> bytes;
    bool crcOk = false;
};

class RequestFramer {
  public:
    // `silenceMs`: a pause this long between bytes ends whatever was gathered.
    explicit RequestFramer(double silenceMs) : silenceMs_(silenceMs) {}

    // Takes bytes that arrived at `nowMs`; returns the frames they complete.
    // Bytes of an unknown function are dropped up to the next silence.
    std::vector<ReceivedFrame> Feed(const std::uint8_t* data, std::size_t size, double nowMs);

    // Drops a partial frame once the line has been silent long enough; returns
    // the number of bytes dropped since the last whole frame, garbage included.
    std::size_t Expire(double nowMs);

    // When Expire() has something to do, if anything is pending.
    std::optional<double> Deadline() const;

    std::size_t pending() const { return buffer_.size(); }
    void Reset();

    // Length of the frame that starts with these bytes: 0 while it cannot be
    // told yet, -1 for a function this instrument does not know.
    static int FrameLength(const std::vector<std::uint8_t>& start);

  private:
    double silenceMs_;
    std::vector<std::uint8_t> buffer_;
    bool discarding_ = false;
    std::size_t discarded_ = 0;
    double lastByteMs_ = 0.0;
};

}  // namespace lxv::sim
