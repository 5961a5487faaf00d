// Feeds arbitrary bytes, split into arbitrary reads, through the reply
// assembler and the dispatcher with every route taken, as a hostile or broken
// instrument would send them.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "cycle/receive_dispatcher.h"
#include "cycle/reply_assembler.h"
#include "measure/measure_block.h"
#include "measure/panel_texts.h"
#include "support/null_serial_port.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    lxv::test::NullSerialPort port;
    lxv::InstrumentLink link(port);
    lxv::LinkState state;
    state.LastRegister = data[0];
    state.LastCount = static_cast<std::uint16_t>(data[1] | (data[2] % 8) << 8);
    lxv::RequestTracker requests(link, state);
    lxv::ReceiveDispatcher dispatcher(link, requests);
    lxv::MeasureRecord record;
    lxv::ResetMeasurement(record);
    volatile std::size_t sink = 0;
    dispatcher.setMeasureHandler([&](const std::uint8_t* block) {
        lxv::AcceptMeasureBlock(record, block);
        for (const auto& t : lxv::PanelTexts(record)) sink = sink + t.size();
        sink = sink + static_cast<std::size_t>(lxv::FundamentalPhase(record, lxv::Channel::Voltage) != 0);
    });
    dispatcher.setChunkHandler([&](const std::uint8_t* chunk) { sink = sink + chunk[lxv::kChunkSize - 1]; });
    dispatcher.setTriggerHandler([&] { sink = sink + 1; });
    for (int reg = 0; reg < 256; ++reg) {
        dispatcher.setRegisterHandler(static_cast<std::uint8_t>(reg),
                                      [&](const std::uint8_t* d, std::size_t n) {
                                          if (n > 0) sink = sink + d[n - 1];
                                      });
        dispatcher.setAckHandler(static_cast<std::uint8_t>(reg), [&](std::uint8_t r) { sink = sink + r; });
    }
    // The request that the reply answers decides the awaited size.
    link.SendReadRequest(1, static_cast<std::uint16_t>(data[0] % 2 ? lxv::MEAS : lxv::STEST),
                         static_cast<std::uint16_t>(data[1] << 8));

    lxv::ReplyAssembler assembler;
    std::size_t pos = 3;
    while (pos < size) {
        const std::size_t piece = 1 + data[pos] % 97 * 31;  // reads of 1..2977 bytes
        ++pos;
        const std::size_t n = piece < size - pos ? piece : size - pos;
        assembler.begin(lxv::ExpectedReplySize(link.lastSent()));
        if (assembler.feed(data + pos, n) || pos + n == size || data[pos - 1] & 0x80) {
            const std::vector<std::uint8_t> reply = assembler.take();
            dispatcher.handleReply(reply.data(), reply.size());
        }
        pos += n;
    }
    return 0;
}
