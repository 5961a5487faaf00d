// Measurement cycle: every reply from the instrument is taken in here.
//
// Owns: the classification of a whole reply (too short, damaged, oversize,
// measurement block, starting-test chunk, register reply, write acknowledgement,
// start acknowledgement), and the routing of payloads to the handlers that the
// controllers register. A reply goes to a route only when it answers the
// request on the line (core/request_queue.h): a register reply to the route of
// that request's register, never of the last register asked. After a bad reply
// the request on the line goes out again once the line has gone quiet (the
// receiver says when). The start acknowledgement comes whenever the Starting
// switch is pressed and is taken at any time. A route without a handler drops
// its reply.
// Depends on: link/ (frame codec, registers), core/request_queue.h. No Qt,
// no widgets; reply_receiver.h is the Qt glue that feeds it from the port.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>

#include "core/request_queue.h"
#include "link/frame_codec.h"

namespace lxv {

enum class ReplyKind {
    TooShort,       // 4 bytes or fewer: asked for again
    Damaged,        // CRC mismatch: asked for again
    Oversize,       // longer than any valid reply: dropped and asked for again
    MeasureBlock,   // 2532 bytes
    StartingChunk,  // 1710 bytes
    RegisterReply,  // function 3, routed by the register of the request it answers
    WriteAck,       // function 9, routed by byte 2
    StartAck,       // function 10, byte 2 = 146
    Ignored,        // passed the CRC but no route takes it
    Unasked,        // good, but it answers no request on the line (late or stray): dropped
};

const char* ReplyKindName(ReplyKind kind);
// A short, damaged or oversize reply: the last read request is to be sent again.
bool CallsForResend(ReplyKind kind);

class ReceiveDispatcher {
  public:
    using BlockHandler = std::function<void(const std::uint8_t* data)>;
    // data points at reply byte 3; size counts the bytes up to the CRC.
    using RegisterHandler = std::function<void(const std::uint8_t* data, std::size_t size)>;
    using AckHandler = std::function<void(std::uint8_t reg)>;

    explicit ReceiveDispatcher(RequestQueue& requests) : requests_(requests) {}

    // Routes. Setting an empty function removes the route.
    void setMeasureHandler(BlockHandler h) { measure_ = std::move(h); }  // 2530 bytes
    // 1708 bytes, and the chunk number that its request asked for.
    void setChunkHandler(std::function<void(const std::uint8_t* data, int chunk)> h) { chunk_ = std::move(h); }
    void setTriggerHandler(std::function<void()> h) { trigger_ = std::move(h); }
    void setRegisterHandler(std::uint8_t reg, RegisterHandler h) { registers_[reg] = std::move(h); }
    void setAckHandler(std::uint8_t reg, AckHandler h) { acks_[reg] = std::move(h); }

    // Classifies one whole reply, routes it, and says what it was. A bad reply
    // is only classified: the caller re-sends once the line is quiet.
    ReplyKind handleReply(const std::uint8_t* data, std::size_t size);

    // The line is quiet after a bad reply: the read on the line goes out again.
    // A failed send reports nothing.
    void resendLastRequest() { requests_.askAgain(); }

  private:
    RequestQueue& requests_;
    BlockHandler measure_;
    std::function<void(const std::uint8_t* data, int chunk)> chunk_;
    std::function<void()> trigger_;
    std::array<RegisterHandler, 256> registers_{};
    std::array<AckHandler, 256> acks_{};
};

}  // namespace lxv
