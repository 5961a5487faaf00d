// The read request that a retry sends again, kept in one place.
//
// Every read whose reply may have to be asked for again goes out through
// sendRead(reg, count, Remember::Yes): the tracker keeps it as LastRegister
// and LastCount, and both re-send rules live beside it: resendLast() after a
// short, damaged or oversize reply, and reRequest() when a reply is overdue.
// A register read (one whose reply is routed by the shared request buffer) is
// outstanding until a reply comes, its sender gives it up, or a second has
// passed (its reply is lost by then); while it is, no other read may overwrite
// the routing (the USB watchdog's LINKCHK and the continuous measurement's
// next request wait). Nor may the keep-alive and a measurement request go out
// together: the receiver awaits a reply by the size the last request asks
// for, and two replies back to back of which the first is not that one run
// into each other.
// Depends on: link/ (frame codec, registers, link state). No Qt.
#pragma once

#include <cstdint>

#include "link/frame_codec.h"
#include "link/link_state.h"

namespace lxv {

enum class Remember { No, Yes };

class RequestTracker {
  public:
    RequestTracker(InstrumentLink& link, LinkState& state) : link_(link), state_(state) {}

    // Sends a read request to the instrument's address; false when the port is
    // not open. With Remember::Yes the request becomes the one a retry re-sends
    // (remembered even when the send failed, so a later re-request asks for it).
    bool sendRead(std::uint16_t reg, std::uint16_t count, Remember remember);
    // A short, damaged or oversize reply: the remembered request again, once the
    // line has gone quiet after it (the reply receiver calls it then).
    // Nothing is sent before anything was asked.
    bool resendLast();
    // A reply is overdue: the remembered request again, when the port is open.
    bool reRequest();

    // A register read is waiting for its reply.
    bool outstanding() const { return outstanding_ && ageTicks_ < kOutstandingTicks; }
    std::uint16_t outstandingRegister() const { return outstanding() ? state_.LastRegister : 0; }
    // A good reply arrived, or the sender gave the read up.
    void settle() { outstanding_ = false; }
    // 100 ms passed (the link watchdog's tick).
    void tick() {
        if (outstanding_ && ageTicks_ < kOutstandingTicks) ++ageTicks_;
        const std::uint32_t sent = link_.framesSent();
        sentLastTick_ = sent != sentAtTick_;
        sentAtTick_ = sent;
    }
    // A frame went out during the tick that just ended: its reply, due at
    // once, keeps the link alive, and a keep-alive now would be answered right
    // behind it.
    bool sentLastTick() const { return sentLastTick_; }
    // The keep-alive is the last frame and went out since the last tick: its
    // reply may be under way, and a measurement request now would be answered
    // right behind it.
    bool keepAliveUnderWay() const;

    static constexpr int kOutstandingTicks = 10;

  private:
    InstrumentLink& link_;
    LinkState& state_;
    bool outstanding_ = false;
    int ageTicks_ = 0;
    std::uint32_t sentAtTick_ = 0;
    bool sentLastTick_ = false;
};

}  // namespace lxv
