// Cost of ShowStartingTest on a 1600 x 900 chart: the peaks over the whole
// capture, the grid, both traces and the texts drawn into the 2400 x 1600
// image. The capture is the simulator's motor start, fetched in six chunks.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <random>

#include "link/registers.h"
#include "measure/starting_control.h"
#include "measure/starting_form.h"
#include "core/session_core.h"
#include "sim/settings_block.h"
#include "sim/starting_capture.h"
#include "support/fake_serial_port.h"
#include "support/manual_timers.h"

namespace lxv {
namespace {

struct Fetched {
    test::FakeSerialPort port;
    test::ManualTimers timers;
    SessionCore core{port, timers};
    StartingControl control{core};

    Fetched() {
        port.present = {3};
        port.open(3, 14400);
        ResetMeasurement(core.record);
        std::mt19937_64 rng(1);
        const StartingRecord capture = sim::MakeStartingCapture(
            sim::LoadSettings{}, 0, sim::ReadingScaleOf(sim::FactorySettings()), rng);
        control.Start(0, 0);
        Deliver(test::WithCrc({1, kFnStartAck, kStartAckCode, 0}));
        for (int k = 1; k <= kStartingChunks; ++k)
            Deliver(
                test::WithCrc(std::vector<std::uint8_t>(capture.chunk(k), capture.chunk(k) + kChunkSize)));
    }
    void Deliver(const std::vector<std::uint8_t>& bytes) {
        core.dispatcher.handleReply(bytes.data(), bytes.size());
    }
};

void BM_StartingChartGeometry(benchmark::State& state) {
    Fetched f;
    StartingView view;
    for (auto _ : state)
        benchmark::DoNotOptimize(StartingChart({1600, 900}, f.control.record(), f.core.record, view));
}
BENCHMARK(BM_StartingChartGeometry)->Unit(benchmark::kMicrosecond);

void BM_ShowStartingTest(benchmark::State& state) {
    Fetched f;
    TStartingForm form(f.control, f.core.record);
    form.show();
    QWidget* pic = form.findChild<QWidget*>("StartingPic");
    form.resize(form.size() + QSize(1600, 900) - pic->size());
    QApplication::processEvents();
    form.resize(form.size() + QSize(1600, 900) - pic->size());
    QApplication::processEvents();
    for (auto _ : state) {
        form.ShowStartingTest();
        benchmark::ClobberMemory();
    }
    state.counters["chart_w"] = pic->width();
    state.counters["chart_h"] = pic->height();
}
BENCHMARK(BM_ShowStartingTest)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lxv
