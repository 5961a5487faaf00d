// Feeds arbitrary bytes, split into arbitrary reads with silences and new
// requests between, through the reply assembler and the dispatcher with every
// route taken, as a hostile or broken instrument would send them.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/receive_dispatcher.h"
#include "core/reply_assembler.h"
#include "core/measure_block.h"
#include "measure/panel_texts.h"
#include "support/manual_timers.h"
#include "support/null_serial_port.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    lxv::test::NullSerialPort port;
    lxv::InstrumentLink link(port);
    lxv::LinkState state;
    lxv::test::ManualTimers timers;
    lxv::RequestQueue requests(link, state, timers);
    lxv::ReceiveDispatcher dispatcher(requests);
    lxv::MeasureRecord record;
    lxv::ResetMeasurement(record);
    volatile std::size_t sink = 0;
    dispatcher.setMeasureHandler([&](const std::uint8_t* block) {
        lxv::AcceptMeasureBlock(record, block);
        for (const auto& t : lxv::PanelTexts(record)) sink = sink + t.size();
        sink = sink + static_cast<std::size_t>(lxv::FundamentalPhase(record, lxv::Channel::Voltage) != 0);
    });
    dispatcher.setChunkHandler(
        [&](const std::uint8_t* chunk, int k) { sink = sink + chunk[lxv::kChunkSize - 1] + static_cast<std::size_t>(k); });
    dispatcher.setTriggerHandler([&] { sink = sink + 1; });
    for (int reg = 0; reg < 256; ++reg) {
        dispatcher.setRegisterHandler(static_cast<std::uint8_t>(reg),
                                      [&](const std::uint8_t* d, std::size_t n) {
                                          if (n > 0) sink = sink + d[n - 1];
                                      });
        dispatcher.setAckHandler(static_cast<std::uint8_t>(reg), [&](std::uint8_t r) { sink = sink + r; });
    }
    // The request that the reply answers decides the awaited size.
    if (data[0] % 2)
        requests.read(lxv::MEAS, lxv::kMeasCount, lxv::Expect::Block);
    else
        requests.read(lxv::STEST, static_cast<std::uint16_t>(data[1] << 8), lxv::Expect::Chunk);

    // The receive path: whole replies to the dispatcher, a resync after a bad one.
    struct Client : lxv::ReplyClient {
        lxv::InstrumentLink& link;
        lxv::RequestQueue& requests;
        lxv::ReceiveDispatcher& dispatcher;
        Client(lxv::InstrumentLink& l, lxv::RequestQueue& q, lxv::ReceiveDispatcher& d)
            : link(l), requests(q), dispatcher(d) {}
        std::size_t awaitedSize() override { return requests.awaitedSize(); }
        bool replyOwed(std::uint32_t n) override { return requests.owedBefore(n); }
        std::uint32_t requestsSent() override { return link.framesSent(); }
        std::size_t waitingAtLastRequest() override { return early; }
        std::size_t bytesWaiting() override { return waiting; }
        std::size_t early = 0;    // bytes unread when the last request went out
        std::size_t waiting = 0;  // bytes unread as the silence timer runs out
        bool handle(const std::vector<std::uint8_t>& r) override {
            return !lxv::CallsForResend(dispatcher.handleReply(r.data(), r.size()));
        }
        void resend() override { dispatcher.resendLastRequest(); }
        void gathered(std::size_t, std::size_t) override {}
        void strayDropped(std::size_t) override {}
    } client(link, requests, dispatcher);
    lxv::ReplyAssembler assembler;
    std::size_t pos = 3;
    while (pos < size) {
        const std::size_t piece = 1 + data[pos] % 97 * 31;  // reads of 1..2977 bytes
        const bool silenceAfter = data[pos] & 0x80;
        // The next request goes out before this read (a measurement or a settings read).
        if (data[pos] & 0x40) {
            if (data[pos] & 0x20)
                requests.read(lxv::MEAS, lxv::kMeasCount, lxv::Expect::Block);
            else
                requests.read(lxv::SETUP, 2, lxv::Expect::Register);
        }
        // The request on the line was not answered in its wait.
        if ((data[pos] & 0x06) == 0x06) timers.fire("ReplyWaitTimer");
        // The UI thread was busy: bytes still unread as that request went out or the line fell silent.
        client.early = data[pos] & 0x10 ? piece / 2 : 0;
        client.waiting = data[pos] & 0x08;
        ++pos;
        const std::size_t n = piece < size - pos ? piece : size - pos;
        assembler.bytesArrived(data + pos, n, client);
        if (silenceAfter && assembler.awaitsSilence()) assembler.silenceElapsed(client);
        pos += n;
    }
    client.waiting = 0;
    if (assembler.awaitsSilence()) assembler.silenceElapsed(client);
    return 0;
}
