#include "core/request_queue.h"

#include <algorithm>

#include "core/reply_assembler.h"
#include "core/timer.h"
#include "link/registers.h"
#include "platform/serial_port.h"

namespace lxv {

Request Request::Read(std::uint16_t reg, std::uint16_t count, Expect expect, const void* owner) {
    Request r;
    r.frame = Frame::Read;
    r.reg = reg;
    r.count = count;
    r.expect = expect;
    r.owner = owner;
    return r;
}

Request Request::WriteValue(std::uint16_t reg, std::uint32_t value, const void* owner) {
    Request r;
    r.frame = Frame::WriteValue;
    r.reg = reg;
    r.value = value;
    r.expect = Expect::WriteAck;
    r.owner = owner;
    return r;
}

Request Request::WriteBytes(std::uint16_t reg, const std::uint8_t data[4], const void* owner) {
    Request r;
    r.frame = Frame::WriteBytes;
    r.reg = reg;
    r.data.assign(data, data + 4);
    r.expect = Expect::WriteAck;
    r.owner = owner;
    return r;
}

Request Request::WriteBlock(std::uint16_t reg, const std::uint8_t* data, std::size_t n, const void* owner) {
    Request r;
    r.frame = Frame::WriteBlock;
    r.reg = reg;
    r.data.assign(data, data + n);
    r.expect = Expect::WriteAck;
    r.owner = owner;
    return r;
}

std::size_t FrameBytes(const Request& r) {
    switch (r.frame) {
        case Request::Frame::Read: return 8;
        case Request::Frame::WriteBlock: return r.data.size() + 9;
        default: return 13;
    }
}

std::size_t ReplyBytes(const Request& r) {
    switch (r.expect) {
        case Expect::Block: return kMeasureReplySize;
        case Expect::Chunk: return kChunkReplySize;
        case Expect::WriteAck: return 5;
        // A register reply carries two bytes a register, and the LINKCHK reply fewer.
        case Expect::Register: return 5 + 2u * r.count;
        case Expect::Nothing: return 0;
    }
    return 0;
}

int ReplyWaitMs(int baud, const Request& r) {
    const bool bulk = r.expect == Expect::Block || r.expect == Expect::Chunk;
    const std::size_t bytes = FrameBytes(r) + ReplyBytes(r);
    const long long wireMs = baud > 0 ? (static_cast<long long>(bytes) * 10 * 1000 + baud - 1) / baud : 0;
    const long long ms = wireMs + kTurnaroundMs + SilenceIntervalMs(baud, bulk);
    if (bulk) return static_cast<int>(std::max<long long>(ms, ReRequestWaitMs(baud, ReplyBytes(r))));
    return static_cast<int>(std::max<long long>(ms, 1000));
}

RequestQueue::RequestQueue(InstrumentLink& link, LinkState& state, TimerFactory& timers)
    : link_(link), state_(state), wait_(timers.create("ReplyWaitTimer", true)) {
    wait_->setHandler([this] { waitPassed(); });
}

RequestQueue::~RequestQueue() = default;

bool RequestQueue::submit(Request request) {
    if (!link_.port().isOpen()) return false;
    const std::uint32_t failedBefore = sendFailures_;
    bool replaced = false;
    if (request.owner) {
        // Asked for again: the entry on the line is sent again once the line is quiet.
        if (onLine_ && !abandoned_ && line_.owner == request.owner && line_.sameFrame(request)) {
            line_.unanswered = std::move(request.unanswered);
            sendAgain_ = true;
            replaced = true;
        }
        for (Request& w : waiting_) {
            if (!replaced && w.owner == request.owner && w.sameFrame(request)) {
                w = std::move(request);
                replaced = true;
            }
        }
    }
    if (!replaced) waiting_.push_back(std::move(request));
    flush();
    // A request that went out at once and was refused by the port is a failed send.
    return sendFailures_ == failedBefore;
}

void RequestQueue::cancel(const void* owner, bool dropReply) {
    if (!owner) return;
    std::erase_if(waiting_, [owner](const Request& r) { return r.owner == owner; });
    if (onLine_ && line_.owner == owner) {
        abandoned_ = abandoned_ || dropReply;
        sendAgain_ = false;
        line_.owner = nullptr;  // no longer the owner's: its next request waits behind it
        line_.unanswered = nullptr;
    }
}

void RequestQueue::lineReset() {
    onLine_ = false;
    abandoned_ = false;
    sendAgain_ = false;
    lateExpect_ = Expect::Nothing;
    wait_->stop();
    flush();
}

bool RequestQueue::sendNow(const Request& request) {
    waiting_.clear();
    onLine_ = false;
    abandoned_ = false;
    sendAgain_ = false;
    wait_->stop();
    return send(request);
}

bool RequestQueue::pending(const void* owner) const {
    if (onLine_ && !abandoned_ && line_.owner == owner) return true;
    return std::any_of(waiting_.begin(), waiting_.end(), [owner](const Request& r) { return r.owner == owner; });
}

std::size_t RequestQueue::awaitedSize() const {
    if (!onLine_) return 0;
    if (line_.expect == Expect::Block) return kMeasureReplySize;
    if (line_.expect == Expect::Chunk) return kChunkReplySize;
    return 0;
}

namespace {

bool Fits(Expect shape, std::size_t detail, Expect expect, std::uint16_t reg) {
    if (shape != expect) return false;
    if (shape == Expect::WriteAck) return (reg & 0xFF) == detail;
    if (shape == Expect::Register) {
        const std::size_t bytes = RegisterReplyDataBytes(reg);
        // The settings block may come with more behind it; a limit or a phase is four bytes.
        return bytes == 0 || (reg == SETUP ? detail >= bytes : detail == bytes);
    }
    return true;
}

}  // namespace

std::size_t RegisterReplyDataBytes(std::uint16_t reg) {
    if (reg == SETUP) return kSettingsBlockSize;
    if ((reg >= AL1H && reg <= ALSW) || reg == IPHN || reg == IPHW) return 4;
    return 0;
}

bool RequestQueue::answers(Expect shape, std::size_t detail) {
    const bool matches = onLine_ && Fits(shape, detail, line_.expect, line_.reg);
    if (!matches) {
        // The answer to an entry whose wait passed: recognised, and dropped.
        if (Fits(shape, detail, lateExpect_, lateReg_)) {
            lateExpect_ = Expect::Nothing;
            ++late_;
        }
        return false;
    }
    wait_->stop();
    onLine_ = false;
    sendAgain_ = false;
    const bool deliver = !abandoned_;
    abandoned_ = false;
    if (!deliver) ++late_;
    answered_ = line_.reg;
    answeredCount_ = line_.count;
    // The next entry goes out once the line is quiet (the receiver says so).
    if (!state_.ReplyUnderWay) flush();
    return deliver;
}

bool RequestQueue::askAgain() {
    // Writes are never sent again by the line; their owners' retry rules do that.
    if (!onLine_ || line_.frame != Request::Frame::Read || line_.expect == Expect::Nothing) {
        flush();
        return false;
    }
    sendAgain_ = true;
    flush();
    return true;
}

void RequestQueue::flush() {
    // Bytes of a reply are arriving: a request now would be answered behind them and lost with them.
    if (state_.ReplyUnderWay) return;
    if (onLine_) {
        if (!sendAgain_) return;
        sendAgain_ = false;
        if (!send(line_)) {
            ++sendFailures_;
            onLine_ = false;
            abandoned_ = false;
            wait_->stop();
        } else {
            return;
        }
    }
    while (!waiting_.empty()) {
        Request next = std::move(waiting_.front());
        waiting_.pop_front();
        if (!send(next)) {
            // The port closed or refused it: the entry cannot be answered.
            ++sendFailures_;
            ++unanswered_;
            if (next.unanswered) next.unanswered();
            continue;
        }
        if (next.expect == Expect::Nothing) continue;  // nothing comes back: the line is free
        line_ = std::move(next);
        onLine_ = true;
        abandoned_ = false;
        return;
    }
}

bool RequestQueue::send(const Request& r) {
    const std::uint8_t address = state_.InstrumentAddress;
    bool sent = false;
    switch (r.frame) {
        case Request::Frame::Read:
            sent = link_.SendReadRequest(address, r.reg, r.count);
            state_.LastRegister = static_cast<std::uint8_t>(r.reg);
            state_.LastCount = r.count;
            break;
        case Request::Frame::WriteValue: sent = link_.SendWriteValue(address, r.reg, r.value); break;
        case Request::Frame::WriteValueShared: sent = link_.SendWriteValueShared(address, r.reg, r.value); break;
        case Request::Frame::WriteBytes: sent = link_.SendWriteBytes(address, r.reg, r.data.data()); break;
        case Request::Frame::WriteBlock:
            sent = link_.SendWriteBlock(address, r.reg, r.data.data(), static_cast<int>(r.data.size()));
            break;
    }
    if (sent && r.expect != Expect::Nothing) {
        lineSentAt_ = link_.framesSent();
        wait_->start(ReplyWaitMs(BaudRateForIndex(state_.BaudIndex), r));
    }
    return sent;
}

void RequestQueue::waitPassed() {
    if (!onLine_) return;
    onLine_ = false;
    sendAgain_ = false;
    lateExpect_ = line_.expect;
    lateReg_ = line_.reg;
    const bool tell = !abandoned_;
    abandoned_ = false;
    ++unanswered_;
    std::function<void()> unanswered = std::move(line_.unanswered);
    flush();
    if (tell && unanswered) unanswered();
}

bool RequestQueue::sentSinceLastTick() {
    const std::uint32_t sent = link_.framesSent();
    const bool any = sent != sentAtTick_;
    sentAtTick_ = sent;
    return any;
}

}  // namespace lxv
