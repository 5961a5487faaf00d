// The receive path of one measurement: a 2532-byte reply gathered, checked,
// dispatched, screened into the block, and the fifteen panel texts made.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "core/receive_dispatcher.h"
#include "core/reply_assembler.h"
#include "link/frame_codec.h"
#include "core/measure_block.h"
#include "measure/panel_texts.h"
#include "support/manual_timers.h"
#include "support/null_serial_port.h"

namespace {

std::vector<std::uint8_t> RealisticReply() {
    lxv::MeasureRecord r;
    lxv::ResetMeasurement(r);
    const float values[15] = {230.12f, 325.4f, 50.01f, 5.003f, 7.1f,  -30.2f, 0.866f, 996.7f,
                              1151.3f, 575.6f, 0.031f, 0.12f,  1.11f, 1.42f,  12.345f};
    for (int i = 0; i < 15; ++i) r.setScalar(static_cast<lxv::Scalar>(i), values[i]);
    for (int k = 0; k < 512; ++k) {
        r.setUSample(k, static_cast<std::uint16_t>(2047 + 1500 * std::sin(k * 0.049)));
        r.setISample(k, static_cast<std::uint16_t>(2047 + 900 * std::sin(k * 0.049 - 0.5)));
    }
    std::vector<std::uint8_t> reply(r.data(), r.data() + lxv::kBlockSize);
    const std::uint16_t crc = lxv::Crc16(reply.data(), reply.size());
    reply.push_back(static_cast<std::uint8_t>(crc));
    reply.push_back(static_cast<std::uint8_t>(crc >> 8));
    return reply;
}

void BM_AcceptMeasurementReply(benchmark::State& st) {
    lxv::test::NullSerialPort port;
    lxv::InstrumentLink link(port);
    lxv::LinkState state;
    lxv::test::ManualTimers timers;
    lxv::RequestQueue requests(link, state, timers);
    lxv::ReceiveDispatcher dispatcher(requests);
    lxv::MeasureRecord record;
    std::array<std::string, lxv::kPanelCount> texts;
    dispatcher.setMeasureHandler([&](const std::uint8_t* block) {
        lxv::AcceptMeasureBlock(record, block);
        texts = lxv::PanelTexts(record);
    });
    const std::vector<std::uint8_t> reply = RealisticReply();
    lxv::ReplyAssembler assembler;
    for (auto _ : st) {
        // As it arrives from a USB bridge: in 64-byte packets.
        requests.read(lxv::MEAS, lxv::kMeasCount, lxv::Expect::Block);
        assembler.begin(requests.awaitedSize());
        for (std::size_t pos = 0; pos < reply.size(); pos += 64) {
            const std::size_t n = std::min<std::size_t>(64, reply.size() - pos);
            if (assembler.feed(reply.data() + pos, n)) {
                const auto whole = assembler.take();
                dispatcher.handleReply(whole.data(), whole.size());
            }
        }
        benchmark::DoNotOptimize(texts);
    }
}
BENCHMARK(BM_AcceptMeasurementReply);

void BM_FundamentalPhaseBothChannels(benchmark::State& st) {
    const auto reply = RealisticReply();
    lxv::MeasureRecord record;
    lxv::AcceptMeasureBlock(record, reply.data());
    for (auto _ : st) {
        benchmark::DoNotOptimize(lxv::FundamentalPhase(record, lxv::Channel::Voltage));
        benchmark::DoNotOptimize(lxv::FundamentalPhase(record, lxv::Channel::Current));
    }
}
BENCHMARK(BM_FundamentalPhaseBothChannels);

}  // namespace
