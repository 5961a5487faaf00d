// The one way to the instrument: every request waits here for the line.
//
// Each entry is a frame and the reply it expects (a measurement block, a
// starting-test chunk, a register reply of its register, a write
// acknowledgement of its register, or nothing), who asked (a request asked for
// again by the same owner replaces its entry), and what happens when its wait
// passes unanswered. One entry is on the line at a time: the next goes out
// once the reply came (or the wait passed) and the line is quiet. A reply is
// matched to the entry on the line, never to "the last register asked"; a
// reply that matches none is dropped, and one that answers an entry whose wait
// has passed is counted as late and dropped too, never handed to the next one.
//
// The wait of an entry: the frame's and its reply's time on the wire at the
// chosen baud rate (10 bits a byte), the instrument's turnaround and the
// silence that ends a reply; at least a second, and for the bulk replies at
// least the 2 s of the block re-request.
// Depends on: link/ (frame codec, registers, link state), core/timer.h. No Qt.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "link/frame_codec.h"
#include "link/link_state.h"

namespace lxv {

class Timer;
class TimerFactory;

// The reply an entry waits for.
enum class Expect : std::uint8_t {
    Nothing,   // the instrument does not answer (LINKEND, the starting-test start)
    Block,     // 2532 bytes
    Chunk,     // 1710 bytes
    Register,  // function 3
    WriteAck,  // function 9 with the entry's register
};

struct Request {
    enum class Frame : std::uint8_t { Read, WriteValue, WriteBytes, WriteValueShared, WriteBlock };

    Frame frame = Frame::Read;
    std::uint16_t reg = 0;
    std::uint16_t count = 0;         // read count (a chunk request's is chunk x 256)
    std::uint32_t value = 0;         // WriteValue, WriteValueShared
    std::vector<std::uint8_t> data;  // WriteBytes (4 bytes), WriteBlock
    Expect expect = Expect::Register;
    const void* owner = nullptr;  // who asked: its next request of the same frame replaces this one
    std::function<void()> unanswered;  // its wait passed without its reply

    static Request Read(std::uint16_t reg, std::uint16_t count, Expect expect, const void* owner = nullptr);
    static Request WriteValue(std::uint16_t reg, std::uint32_t value, const void* owner = nullptr);
    static Request WriteBytes(std::uint16_t reg, const std::uint8_t data[4], const void* owner = nullptr);
    static Request WriteBlock(std::uint16_t reg, const std::uint8_t* data, std::size_t n,
                              const void* owner = nullptr);
    bool sameFrame(const Request& other) const {
        return frame == other.frame && reg == other.reg && count == other.count && value == other.value &&
               data == other.data;
    }
};

// Bytes on the wire of a request frame, and of the reply it expects (0 when its size is not known before).
std::size_t FrameBytes(const Request& request);
std::size_t ReplyBytes(const Request& request);
// The instrument's time from a request's last byte to its reply's first.
inline constexpr int kTurnaroundMs = 250;
// The data bytes of the register reply that a read of `reg` gets; 0 when any length is taken.
std::size_t RegisterReplyDataBytes(std::uint16_t reg);
// How long an entry on the line waits for its reply at `baud`.
int ReplyWaitMs(int baud, const Request& request);

class RequestQueue {
  public:
    RequestQueue(InstrumentLink& link, LinkState& state, TimerFactory& timers);
    ~RequestQueue();
    RequestQueue(const RequestQueue&) = delete;
    RequestQueue& operator=(const RequestQueue&) = delete;

    // Queues a request; it goes out at once when the line is free. False (and
    // nothing queued) when the port is not open. The same frame from the same
    // owner, still waiting or on the line, is replaced: a request asked for
    // again goes out once, when the line is quiet.
    bool submit(Request request);
    // Convenience for a read.
    bool read(std::uint16_t reg, std::uint16_t count, Expect expect, const void* owner = nullptr) {
        return submit(Request::Read(reg, count, expect, owner));
    }
    // The owner's entries are dropped; one on the line stays there until its
    // reply or its wait, so no reply runs into the next. Its reply is dropped,
    // or with `dropReply` false still taken by its route (a block asked for
    // before Stop is shown, and asks for nothing more).
    void cancel(const void* owner, bool dropReply = true);
    // The port was (re)opened: no reply is owed to the request on the line;
    // waiting requests go out.
    void lineReset();
    // Everything waiting is dropped and this request goes out at once (the
    // program is closing). False when the port is not open.
    bool sendNow(const Request& request);

    // The entry on the line went out no later than when `framesOut` frames were out.
    bool owedBefore(std::uint32_t framesOut) const { return onLine_ && lineSentAt_ <= framesOut; }
    // The entry on the line, or none.
    const Request* onLine() const { return onLine_ ? &line_ : nullptr; }
    // The owner has an entry waiting or on the line.
    bool pending(const void* owner) const;
    // Nothing on the line and nothing waiting.
    bool idle() const { return !onLine_ && waiting_.empty(); }
    std::size_t waiting() const { return waiting_.size(); }

    // The receive side. The size the reply that begins now is awaited with (0: unknown).
    std::size_t awaitedSize() const;
    // A whole, good reply of this shape: true when it answers the entry on the
    // line, which then leaves it; the caller hands it to the entry's route.
    // `detail` is the register byte of a write acknowledgement, the data bytes
    // of a register reply (those of the settings block, an alarm limit or a
    // phase correction have their length; a keep-alive's reply never passes
    // for a limit).
    bool answers(Expect shape, std::size_t detail = 0);
    // The register reply routes by: the register of the entry answered last.
    std::uint16_t answeredRegister() const { return answered_; }
    // The chunk number asked for by the entry answered last (a chunk request).
    int answeredChunk() const { return answeredCount_ >> 8; }
    // A short, damaged or oversize reply, once the line is quiet: the read on the line is sent again.
    bool askAgain();
    // The line went quiet: a waiting entry may go out.
    void lineQuiet() { flush(); }

    // A frame went out since the last call (the watchdog's tick): its reply keeps the link alive.
    bool sentSinceLastTick();
    std::uint32_t lateReplies() const { return late_; }
    std::uint32_t unansweredCount() const { return unanswered_; }

  private:
    bool send(const Request& request);
    void flush();
    void waitPassed();

    InstrumentLink& link_;
    LinkState& state_;
    std::unique_ptr<Timer> wait_;
    std::deque<Request> waiting_;
    Request line_;
    bool onLine_ = false;
    bool abandoned_ = false;  // the entry on the line was cancelled: its reply goes nowhere
    bool sendAgain_ = false;  // the entry on the line is to be sent again once the line is quiet
    Expect lateExpect_ = Expect::Nothing;  // the reply of the entry whose wait passed last
    std::uint16_t lateReg_ = 0;
    std::uint16_t answered_ = 0;
    std::uint16_t answeredCount_ = 0;
    std::uint32_t late_ = 0;
    std::uint32_t unanswered_ = 0;
    std::uint32_t sentAtTick_ = 0;
    std::uint32_t sendFailures_ = 0;
    std::uint32_t lineSentAt_ = 0;  // frames out once the entry on the line (last) went out
};

}  // namespace lxv
