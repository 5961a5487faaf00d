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
        case ReplyKind::Unasked: return "unasked";
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
        if (!requests_.answers(Expect::Block)) return ReplyKind::Unasked;
        if (measure_) measure_(d);
        return ReplyKind::MeasureBlock;
    }
    if (n == kChunkReplySize) {
        if (!requests_.answers(Expect::Chunk)) return ReplyKind::Unasked;
        if (chunk_) chunk_(d, requests_.answeredChunk());
        return ReplyKind::StartingChunk;
    }
    switch (d[1]) {
        case kFnRead: {
            if (!requests_.answers(Expect::Register, n - 5)) return ReplyKind::Unasked;
            const std::uint16_t reg = requests_.answeredRegister();
            const RegisterHandler none;
            const auto& route = reg < registers_.size() ? registers_[reg] : none;
            if (!route) return ReplyKind::Ignored;
            route(d + 3, n - 5);
            return ReplyKind::RegisterReply;
        }
        case kFnWriteAck: {
            if (!requests_.answers(Expect::WriteAck, d[2])) return ReplyKind::Unasked;
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
