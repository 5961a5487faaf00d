// Request frames out of a byte stream.
#include "sim/request_framer.h"

#include "link/frame_codec.h"
#include "link/registers.h"

namespace lxv::sim {

int RequestFramer::FrameLength(const std::vector<std::uint8_t>& start) {
    if (start.size() < 2) return 0;
    if (start[1] == kFnRead) return 8;
    if (start[1] == kFnWrite) return start.size() < 7 ? 0 : 9 + start[6];
    return -1;
}

std::vector<ReceivedFrame> RequestFramer::Feed(const std::uint8_t* data, std::size_t size, double nowMs) {
    Expire(nowMs);
    std::vector<ReceivedFrame> frames;
    if (size == 0) return frames;
    lastByteMs_ = nowMs;
    if (discarding_) {
        discarded_ += size;
        return frames;
    }
    buffer_.insert(buffer_.end(), data, data + size);
    for (;;) {
        const int length = FrameLength(buffer_);
        if (length < 0) {
            discarded_ += buffer_.size();
            buffer_.clear();
            discarding_ = true;
            break;
        }
        if (length == 0 || buffer_.size() < static_cast<std::size_t>(length)) break;
        ReceivedFrame f;
        f.bytes.assign(buffer_.begin(), buffer_.begin() + length);
        f.crcOk = CrcMatches(f.bytes.data(), f.bytes.size());
        buffer_.erase(buffer_.begin(), buffer_.begin() + length);
        frames.push_back(std::move(f));
    }
    return frames;
}

std::size_t RequestFramer::Expire(double nowMs) {
    if (nowMs - lastByteMs_ < silenceMs_) return 0;
    const std::size_t dropped = buffer_.size() + discarded_;
    discarding_ = false;
    discarded_ = 0;
    buffer_.clear();
    return dropped;
}

std::optional<double> RequestFramer::Deadline() const {
    if (buffer_.empty() && !discarding_) return std::nullopt;
    return lastByteMs_ + silenceMs_;
}

void RequestFramer::Reset() {
    buffer_.clear();
    discarding_ = false;
    discarded_ = 0;
}

}  // namespace lxv::sim
