// Gathers the bytes of one reply as they arrive, so that a reply split across
// several reads is handled once and whole. Pure: fed bytes, told when the line
// went silent; no port, no timer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "link/frame_codec.h"

namespace lxv {

// The bulk reply size that the last request asks for: 2532 after a MEAS read,
// 1710 after a starting-test chunk read, 0 when the reply's size is not known
// beforehand (it then ends with the line's silence).
std::size_t ExpectedReplySize(const SentFrame& lastSent);

// How long the line must stay silent before the bytes gathered so far count
// as a whole reply. 20 ms covers the packet rhythm of USB serial bridges
// (their latency timers flush every few to 16 ms); twenty character times are
// added so slow baud rates tolerate a short pause of the sender. While a bulk
// reply is under way the silence must be longer (200 ms more), since a pause
// inside 2532 bytes must not cut the block in two.
int SilenceIntervalMs(int baud, bool bulkUnderWay);

class ReplyAssembler {
  public:
    static constexpr std::size_t kQueueLimit = 4096;

    // Starts gathering a reply of `expected` bytes (0 = unknown) if none is under way.
    void begin(std::size_t expected);
    // Appends bytes; true when the reply is whole by length: the awaited bulk
    // size was reached, or 4096 bytes are queued.
    bool feed(const std::uint8_t* data, std::size_t size);
    // Hands the gathered bytes over and starts afresh.
    std::vector<std::uint8_t> take();

    bool empty() const { return bytes_.empty(); }
    std::size_t size() const { return bytes_.size(); }
    std::size_t expected() const { return expected_; }
    bool bulkUnderWay() const { return expected_ != 0 && bytes_.size() > 4; }

  private:
    std::vector<std::uint8_t> bytes_;
    std::size_t expected_ = 0;
};

}  // namespace lxv
