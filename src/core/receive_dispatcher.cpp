#include "core/receive_dispatcher.h"

#include "link/registers.h"

namespace lxv {

const char* ReplyKindName(ReplyKind kind) {
    switch (kind) {
        case ReplyKind::TooShort: return "short";
        case ReplyKind::Damaged: return "damaged";
        case ReplyKind::Oversize: return "oversize";
        case ReplyKind::MeasureBlock: return "measurement";
        case ReplyKind::StartingChunk: return "chunk";
        case ReplyKind::RegisterReply: return "register";
        case ReplyKind::WriteAck: return "write-ack";
        case ReplyKind::StartAck: return "start-ack";
        case ReplyKind::Ignored: return "ignored";
    }
    return "?";
}

bool CallsForResend(ReplyKind kind) {
    return kind == ReplyKind::TooShort || kind == ReplyKind::Damaged || kind == ReplyKind::Oversize;
}

ReplyKind ReceiveDispatcher::handleReply(const std::uint8_t* d, std::size_t n) {
    if (n <= 4) return ReplyKind::TooShort;
    if (n > kLargestReply) return ReplyKind::Oversize;
    if (!CrcMatches(d, n)) return ReplyKind::Damaged;
    if (n == kMeasureReplySize) {
        if (measure_) measure_(d);
        return ReplyKind::MeasureBlock;
    }
    if (n == kChunkReplySize) {
        if (chunk_) chunk_(d);
        return ReplyKind::StartingChunk;
    }
    switch (d[1]) {
        case kFnRead: {
            const auto& route = registers_[link_.routingKey()];
            // The register read got its answer, taken or not: the routing is free again.
            requests_.settle();
            if (!route) return ReplyKind::Ignored;
            route(d + 3, n - 5);
            return ReplyKind::RegisterReply;
        }
        case kFnWriteAck: {
            const auto& route = acks_[d[2]];
            if (!route) return ReplyKind::Ignored;
            route(d[2]);
            return ReplyKind::WriteAck;
        }
        case kFnStartAck:
            if (d[2] != kStartAckCode) return ReplyKind::Ignored;
            if (trigger_) trigger_();
            return ReplyKind::StartAck;
        default: return ReplyKind::Ignored;
    }
}

}  // namespace lxv
