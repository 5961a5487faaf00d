// Gathers the bytes of one reply as they arrive, so that a reply split across
// several reads is handled once and whole, drops the bytes that no request
// accounts for, and finds the next reply's start again after a bad one by the
// line's silence. Pure: fed bytes, told when the line went silent; no port, no
// timer.
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

// The size of a reply that says its own length by its first bytes, when they
// are in and its CRC holds: a register reply (function 3, byte 2 data bytes),
// a write acknowledgement (5 bytes), a start acknowledgement (6 bytes). 0
// otherwise. So a register reply ends without waiting for the line's silence,
// and a late one that comes just before the block asked for next does not run
// into it.
std::size_t SelfDescribedSize(const std::uint8_t* data, std::size_t size);

// How long the line must stay silent before the bytes gathered so far count
// as a whole reply. 20 ms covers the packet rhythm of USB serial bridges
// (their latency timers flush every few to 16 ms); twenty character times are
// added so slow baud rates tolerate a short pause of the sender. While a bulk
// reply is under way the silence must be longer (200 ms more), since a pause
// inside 2532 bytes must not cut the block in two.
int SilenceIntervalMs(int baud, bool bulkUnderWay);

// How long a reply of `replyBytes` is waited for before it is asked for
// again: 2 s, or its time on the wire at `baud` (10 bits a byte) and half a
// second more when that is longer, so a slow line never counts a reply that
// is still arriving as lost (3.14 s for a measurement block at 9600 baud).
int ReRequestWaitMs(int baud, std::size_t replyBytes);

// What the assembler needs from the receive path that owns it.
class ReplyClient {
  public:
    virtual ~ReplyClient() = default;
    // The size the reply that begins now is awaited with (0 = unknown). Asked
    // as each reply begins, since handling one reply may send the next request.
    virtual std::size_t awaitedSize() = 0;
    // A request that had gone out when `framesOut` requests were out is still
    // owed its reply: bytes read then, after a whole reply, may begin it (the
    // whole one answered no request, or an earlier one).
    virtual bool replyOwed(std::uint32_t framesOut) {
        (void)framesOut;
        return false;
    }
    // How many requests have gone out so far (any frame); only its changes count.
    virtual std::uint32_t requestsSent() = 0;
    // Bytes that had arrived but were not read yet when the last request went
    // out (the UI thread was busy): the reads that follow begin with them.
    virtual std::size_t waitingAtLastRequest() { return 0; }
    // Bytes that have arrived and are not read yet.
    virtual std::size_t bytesWaiting() { return 0; }
    // A whole reply; false when it was short, damaged or oversize.
    virtual bool handle(const std::vector<std::uint8_t>& reply) = 0;
    // The line went quiet after a bad reply: send the last read request again.
    virtual void resend() = 0;
    // Bytes of the reply under way, and the bytes awaited (0 = unknown).
    virtual void gathered(std::size_t received, std::size_t expected) = 0;
    // Stray bytes after a good reply, dropped: the count of one burst.
    virtual void strayDropped(std::size_t count) = 0;
};

class ReplyAssembler {
  public:
    static constexpr std::size_t kQueueLimit = 4096;

    // The bytes of one read. Each reply that is whole by length (the awaited
    // size, or 4096 bytes) is handed to the client. The awaited size comes
    // from the last request sent when the reply began, so a good reply whole
    // by length answers that request, and only a request sent after it began
    // can still be owed a reply. Bytes that follow it before the line falls
    // silent start the next reply when such a request went out before they
    // were read; otherwise they belong to no reply and are dropped (a stray
    // burst: line noise, a second device's echo). Bytes that were already
    // waiting to be read when the last request went out are taken as read
    // before it. After a bad reply everything
    // is dropped, the rest of this read too, and incoming bytes are ignored
    // until the line is silent (a resync): a stray byte must not shift every
    // later reply.
    void bytesArrived(const std::uint8_t* data, std::size_t size, ReplyClient& client);
    // The line has been silent for silenceMs(), unless bytes wait to be read
    // (then nothing happens: the UI thread was busy). Ends a resync by asking again,
    // or the stray window after a good reply; otherwise what was gathered is
    // one reply, and a bad one is asked for again at once, as the line is
    // already quiet.
    void silenceElapsed(ReplyClient& client);
    // The silence timer must run: bytes are gathered, a resync waits for
    // quiet, or a good reply's stray window is open.
    bool awaitsSilence() const { return resyncing_ || draining_ || !bytes_.empty(); }
    int silenceMs(int baud) const { return SilenceIntervalMs(baud, bulkUnderWay()); }
    bool resyncing() const { return resyncing_; }
    // Bytes that follow now are dropped unless a request has gone out since.
    bool draining() const { return draining_; }
    // Stray bytes dropped so far.
    std::size_t strayBytes() const { return strayTotal_; }
    // Forgets everything gathered and ends a resync (the port was reopened).
    void reset() {
        bytes_.clear();
        expected_ = 0;
        resyncing_ = false;
        draining_ = false;
        strayInBurst_ = 0;
        earlyLeft_ = 0;
    }

    // The steps of bytesArrived, for callers that frame replies themselves.
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
    // Bytes of one read that arrived after `sentBefore` requests had gone out.
    void gather(const std::uint8_t* data, std::size_t size, std::uint32_t sentBefore, ReplyClient& client);
    void handOver(ReplyClient& client, bool lineQuiet);
    void endDrain(ReplyClient& client);

    std::vector<std::uint8_t> bytes_;
    std::size_t expected_ = 0;
    bool resyncing_ = false;
    bool draining_ = false;
    std::uint32_t sentAtBegin_ = 0;  // requests out when the reply under way (or the last one) began
    std::size_t strayInBurst_ = 0;
    std::size_t strayTotal_ = 0;
    std::uint32_t sentSeen_ = 0;  // requests out at the last read
    std::size_t earlyLeft_ = 0;   // bytes still to read that came before the last request
};

}  // namespace lxv
