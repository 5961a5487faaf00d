// Qt glue between the serial port and the dispatcher: bytes are gathered as
// they arrive (no sleeping on the UI thread) and a reply is handed over once,
// when it has reached the size its request asks for, when 4096 bytes are
// queued, or when the line has stayed silent for the silence interval. Stray
// bytes after a good reply that no request accounts for are dropped, also when
// they were still waiting to be read as the next request went out. After a
// bad reply the last request is sent again once the line has gone quiet.
#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>

#include "core/receive_dispatcher.h"
#include "core/reply_assembler.h"

namespace lxv {

class SerialPort;
struct SessionCore;

class ReplyReceiver : public QObject, private ReplyClient {
    Q_OBJECT
  public:
    ReplyReceiver(SerialPort& port, SessionCore& core, QObject* parent = nullptr);

    // The port's received-data event: reads every queued byte and gathers it.
    void bytesArrived();
    // The silence timer ran out: what was gathered is one reply, or a resync ends.
    void silenceElapsed();
    // The port was (re)opened: bytes of a reply torn by the close are forgotten.
    void reset();

    const ReplyAssembler& assembler() const { return assembler_; }
    // When the port's bytes were last read: for a reply just handled, when its last bytes came in.
    std::chrono::steady_clock::time_point lastReadAt() const { return readAt_; }
    QTimer& silenceTimer() { return silence_; }

  signals:
    // Bytes of the reply under way, and the bytes expected (0 = not known).
    void progress(int received, int expected);
    // A whole reply was classified and handled.
    void replyHandled(lxv::ReplyKind kind, const QByteArray& bytes);
    // A burst of stray bytes after a good reply was dropped.
    void strayBytesDropped(int count);

  private:
    std::size_t awaitedSize() override;
    bool replyOwed(std::uint32_t framesOut) override;
    std::uint32_t requestsSent() override;
    std::size_t waitingAtLastRequest() override;
    std::size_t bytesWaiting() override;
    bool handle(const std::vector<std::uint8_t>& reply) override;
    void resend() override;
    void gathered(std::size_t received, std::size_t expected) override;
    void strayDropped(std::size_t count) override;
    void armSilence();

    SerialPort& port_;
    SessionCore& core_;
    InstrumentLink& link_;
    LinkState& state_;
    ReceiveDispatcher& dispatcher_;
    ReplyAssembler assembler_;
    QTimer silence_;
    std::chrono::steady_clock::time_point readAt_{};
};

}  // namespace lxv
