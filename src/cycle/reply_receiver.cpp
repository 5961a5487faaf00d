#include "cycle/reply_receiver.h"

#include "core/session_core.h"
#include "platform/serial_port.h"

namespace lxv {

ReplyReceiver::ReplyReceiver(SerialPort& port, SessionCore& core, QObject* parent)
    : QObject(parent),
      port_(port),
      core_(core),
      link_(core.link),
      state_(core.state),
      dispatcher_(core.dispatcher) {
    silence_.setSingleShot(true);
    connect(&silence_, &QTimer::timeout, this, &ReplyReceiver::silenceElapsed);
    port_.setDataHandler([this] { bytesArrived(); });
}

void ReplyReceiver::bytesArrived() {
    const std::vector<std::uint8_t> bytes = port_.readAll();
    if (bytes.empty()) return;
    readAt_ = std::chrono::steady_clock::now();
    core_.replyReadAt = readAt_;
    // Any bytes from the instrument keep the USB link alive.
    if (state_.LinkKind == LinkKind::Usb) {
        state_.IdleTicks = 0;
        state_.ReconnectTicks = 0;
    }
    assembler_.bytesArrived(bytes.data(), bytes.size(), *this);
    armSilence();
}

void ReplyReceiver::silenceElapsed() {
    assembler_.silenceElapsed(*this);
    armSilence();
}

void ReplyReceiver::armSilence() {
    const bool underWay = !assembler_.empty() || assembler_.resyncing();
    const bool quietNow = state_.ReplyUnderWay && !underWay;
    state_.ReplyUnderWay = underWay;
    // The reply is in (or a bad one was skipped): the next request may go out.
    if (quietNow || !underWay) core_.requests.lineQuiet();
    if (assembler_.awaitsSilence())
        silence_.start(assembler_.silenceMs(BaudRateForIndex(state_.BaudIndex)));
    else
        silence_.stop();
}

void ReplyReceiver::reset() {
    silence_.stop();
    assembler_.reset();
    state_.ReplyUnderWay = false;
}

std::size_t ReplyReceiver::awaitedSize() {
    return core_.requests.awaitedSize();
}

bool ReplyReceiver::replyOwed(std::uint32_t framesOut) {
    return core_.requests.owedBefore(framesOut);
}

std::uint32_t ReplyReceiver::requestsSent() {
    return link_.framesSent();
}

std::size_t ReplyReceiver::waitingAtLastRequest() {
    return link_.waitingAtLastSend();
}

std::size_t ReplyReceiver::bytesWaiting() {
    return port_.bytesWaiting();
}

bool ReplyReceiver::handle(const std::vector<std::uint8_t>& bytes) {
    const ReplyKind kind = dispatcher_.handleReply(bytes.data(), bytes.size());
    emit replyHandled(
        kind, QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())));
    return !CallsForResend(kind);
}

void ReplyReceiver::resend() {
    dispatcher_.resendLastRequest();
}

void ReplyReceiver::gathered(std::size_t received, std::size_t expected) {
    emit progress(static_cast<int>(received), static_cast<int>(expected));
}

void ReplyReceiver::strayDropped(std::size_t count) {
    emit strayBytesDropped(static_cast<int>(count));
}

}  // namespace lxv
