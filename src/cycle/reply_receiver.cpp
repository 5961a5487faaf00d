#include "cycle/reply_receiver.h"

#include "platform/serial_port.h"

namespace lxv {

ReplyReceiver::ReplyReceiver(SerialPort& port, InstrumentLink& link, LinkState& state,
                             ReceiveDispatcher& dispatcher, QObject* parent)
    : QObject(parent), port_(port), link_(link), state_(state), dispatcher_(dispatcher) {
    silence_.setSingleShot(true);
    connect(&silence_, &QTimer::timeout, this, &ReplyReceiver::silenceElapsed);
    port_.setDataHandler([this] { bytesArrived(); });
}

void ReplyReceiver::bytesArrived() {
    const std::vector<std::uint8_t> bytes = port_.readAll();
    if (bytes.empty()) return;
    // Any bytes from the instrument keep the USB link alive.
    if (state_.LinkKind == LinkKind::Usb) {
        state_.IdleTicks = 0;
        state_.ReconnectTicks = 0;
    }
    std::size_t used = 0;
    while (used < bytes.size()) {
        assembler_.begin(ExpectedReplySize(link_.lastSent()));
        // Feed no more than the awaited size, so bytes after a whole bulk reply start the next one.
        std::size_t take = bytes.size() - used;
        if (assembler_.expected() > assembler_.size())
            take = std::min(take, assembler_.expected() - assembler_.size());
        const bool whole = assembler_.feed(bytes.data() + used, take);
        used += take;
        emit progress(static_cast<int>(assembler_.size()), static_cast<int>(assembler_.expected()));
        if (whole) deliver();
    }
    if (!assembler_.empty())
        silence_.start(SilenceIntervalMs(BaudRateForIndex(state_.BaudIndex), assembler_.bulkUnderWay()));
    else
        silence_.stop();
}

void ReplyReceiver::reset() {
    silence_.stop();
    assembler_.take();
}

void ReplyReceiver::silenceElapsed() {
    if (!assembler_.empty()) deliver();
}

void ReplyReceiver::deliver() {
    silence_.stop();
    const std::vector<std::uint8_t> bytes = assembler_.take();
    const ReplyKind kind = dispatcher_.handleReply(bytes.data(), bytes.size());
    emit replyHandled(
        kind, QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())));
}

}  // namespace lxv
