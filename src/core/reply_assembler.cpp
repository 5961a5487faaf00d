#include "core/reply_assembler.h"

#include <algorithm>

#include "link/registers.h"

namespace lxv {

std::size_t ExpectedReplySize(const SentFrame& s) {
    if (s.function != kFnRead) return 0;
    if (s.reg == MEAS) return kMeasureReplySize;
    if (s.reg == STEST && s.count >= ChunkCount(1)) return kChunkReplySize;
    return 0;
}

std::size_t SelfDescribedSize(const std::uint8_t* d, std::size_t n) {
    if (n < 5) return 0;
    std::size_t size = 0;
    if (d[1] == kFnRead)
        size = static_cast<std::size_t>(d[2]) + 5;
    else if (d[1] == kFnWriteAck)
        size = 5;
    else if (d[1] == kFnStartAck && d[2] == kStartAckCode)
        size = 6;
    if (size == 0 || n < size || !CrcMatches(d, size)) return 0;
    return size;
}

int SilenceIntervalMs(int baud, bool bulkUnderWay) {
    const int charTimes = baud > 0 ? (20 * 10 * 1000 + baud - 1) / baud : 0;
    return 20 + charTimes + (bulkUnderWay ? 200 : 0);
}

int ReRequestWaitMs(int baud, std::size_t replyBytes) {
    constexpr int kDesignWaitMs = 2000;
    if (baud <= 0) return kDesignWaitMs;
    const unsigned long long bits = replyBytes * 10ULL * 1000ULL;
    const unsigned long long wireMs = (bits + static_cast<unsigned>(baud) - 1) / static_cast<unsigned>(baud);
    return static_cast<int>(std::max<unsigned long long>(kDesignWaitMs, wireMs + 500));
}

void ReplyAssembler::bytesArrived(const std::uint8_t* data, std::size_t size, ReplyClient& client) {
    // Requests sent while this read is handled came after its bytes arrived.
    const std::uint32_t sent = client.requestsSent();
    if (sent != sentSeen_) {
        sentSeen_ = sent;
        earlyLeft_ = client.waitingAtLastRequest();
    }
    // Bytes that were waiting when the last request went out came before it.
    const std::size_t early = std::min(earlyLeft_, size);
    earlyLeft_ -= early;
    if (early > 0) gather(data, early, sent - 1, client);
    if (early < size) gather(data + early, size - early, sent, client);
}

void ReplyAssembler::gather(const std::uint8_t* data, std::size_t size, std::uint32_t sentBefore,
                            ReplyClient& client) {
    std::size_t used = 0;
    while (used < size && !resyncing_) {
        if (draining_) {
            if (sentBefore == sentAtBegin_ && !client.replyOwed(sentBefore)) {
                strayInBurst_ += size - used;
                return;
            }
            endDrain(client);  // a request went out: what follows may be its reply
        }
        if (bytes_.empty()) {
            begin(client.awaitedSize());
            sentAtBegin_ = sentBefore;
        }
        // Feed no more than the awaited size, so bytes after a whole reply are looked at apart.
        const std::size_t limit = expected_ != 0 ? std::min(expected_, kQueueLimit) : kQueueLimit;
        const std::size_t take = std::min(size - used, limit - std::min(bytes_.size(), limit));
        const std::size_t before = bytes_.size();
        bool whole = feed(data + used, take);
        used += take;
        // A short reply that says its size ends there; what follows is looked at apart.
        if (before < 262) {
            const std::size_t own = SelfDescribedSize(bytes_.data(), bytes_.size());
            if (own != 0 && own != bytes_.size() && (expected_ == 0 || own < expected_)) {
                used -= bytes_.size() - own;
                bytes_.resize(own);
                whole = true;
            } else if (own != 0 && own == bytes_.size()) {
                whole = true;
            }
        }
        client.gathered(bytes_.size(), expected_);
        if (whole) handOver(client, false);
    }
}

void ReplyAssembler::silenceElapsed(ReplyClient& client) {
    if (client.bytesWaiting() > 0) return;  // not silent: they are read on the next pass
    if (resyncing_) {
        resyncing_ = false;
        client.resend();
    } else if (draining_) {
        endDrain(client);
    } else if (!bytes_.empty()) {
        handOver(client, true);
    }
}

void ReplyAssembler::handOver(ReplyClient& client, bool lineQuiet) {
    const std::vector<std::uint8_t> reply = take();
    if (client.handle(reply)) {
        // Whole by length, the line may still carry bytes behind it.
        draining_ = !lineQuiet;
        return;
    }
    if (lineQuiet)
        client.resend();
    else
        resyncing_ = true;
}

void ReplyAssembler::endDrain(ReplyClient& client) {
    draining_ = false;
    if (strayInBurst_ == 0) return;
    strayTotal_ += strayInBurst_;
    const std::size_t burst = strayInBurst_;
    strayInBurst_ = 0;
    client.strayDropped(burst);
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
