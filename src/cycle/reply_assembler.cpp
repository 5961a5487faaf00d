#include "cycle/reply_assembler.h"

#include <algorithm>

namespace lxv {

std::size_t ExpectedReplySize(const SentFrame& s) {
    if (s.function != kFnRead) return 0;
    if (s.reg == MEAS) return kMeasureReplySize;
    if (s.reg == STEST && s.count >= ChunkCount(1)) return kChunkReplySize;
    return 0;
}

int SilenceIntervalMs(int baud, bool bulkUnderWay) {
    const int charTimes = baud > 0 ? (20 * 10 * 1000 + baud - 1) / baud : 0;
    return 20 + charTimes + (bulkUnderWay ? 200 : 0);
}

void ReplyAssembler::begin(std::size_t expected) {
    if (bytes_.empty()) expected_ = expected;
}

bool ReplyAssembler::feed(const std::uint8_t* data, std::size_t size) {
    const std::size_t room = kQueueLimit - std::min(bytes_.size(), kQueueLimit);
    bytes_.insert(bytes_.end(), data, data + std::min(size, room));
    if (bytes_.size() >= kQueueLimit) return true;
    return expected_ != 0 && bytes_.size() == expected_;
}

std::vector<std::uint8_t> ReplyAssembler::take() {
    std::vector<std::uint8_t> out;
    out.swap(bytes_);
    expected_ = 0;
    return out;
}

}  // namespace lxv
