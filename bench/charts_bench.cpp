// Cost of redrawing the waveform and both harmonic charts of a 1920 x 1080
// main window, as ShowMeasurement does after every block.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <cmath>
#include <numbers>

#include "app/main_layout.h"
#include "measure/chart_geometry.h"
#include "measure/chart_painter.h"

namespace lxv {
namespace {

// A distorted 230 V / 5 A measurement: four periods in 512 samples of a
// 12-bit converter, odd harmonics falling off with their order.
MeasureRecord RealisticRecord() {
    MeasureRecord r;
    ResetMeasurement(r);
    r.setScalar(Scalar::URMS, 230.1f);
    r.setScalar(Scalar::UPP, 325.4f);
    r.setScalar(Scalar::UF, 50.01f);
    r.setScalar(Scalar::IRMS, 5.02f);
    r.setScalar(Scalar::IPP, 9.6f);
    r.setUZero(2047);
    r.setIZero(2040);
    for (int k = 0; k < kSampleCount; ++k) {
        const double a = 2 * std::numbers::pi * 4 * k / kSampleCount;
        const double u = std::sin(a) + 0.03 * std::sin(3 * a) + 0.02 * std::sin(5 * a);
        const double i =
            std::sin(a - 0.5) + 0.3 * std::sin(3 * a) + 0.15 * std::sin(5 * a) + 0.08 * std::sin(7 * a);
        r.setUSample(k, static_cast<std::uint16_t>(2047 + std::lround(1800 * u)));
        r.setISample(k, static_cast<std::uint16_t>(2040 + std::lround(1200 * i)));
    }
    for (int n = 0; n < kHarmonicCount; ++n) {
        const float fall = n == 0 ? 0.01f : 1.0f / static_cast<float>(n * n);
        r.setUHarmonic(n, 325.0f * fall * (n % 2 ? 1.0f : 0.1f));
        r.setIHarmonic(n, 7.1f * fall * (n % 2 ? 1.0f : 0.05f) * (n > 1 ? 8.0f : 1.0f));
    }
    return r;
}

const ChartColours kColours{{238, 238, 238}, {170, 170, 170}};

// Chart area of a maximised 1920 x 1080 window: pane of about 1920 x 1000.
ChartFrame FullHdFrame() {
    const LayoutRect chart = LayoutMainWindow(1920, 1000).chartPanel;
    return {chart.width, chart.height};
}

void BM_ChartGeometry(benchmark::State& state) {
    const MeasureRecord r = RealisticRecord();
    const ChartFrame f = FullHdFrame();
    for (auto _ : state) {
        benchmark::DoNotOptimize(WaveformChart(f, r));
        benchmark::DoNotOptimize(HarmonicChart(f, r, Channel::Voltage));
        benchmark::DoNotOptimize(HarmonicChart(f, r, Channel::Current));
    }
}
BENCHMARK(BM_ChartGeometry)->Unit(benchmark::kMicrosecond);

void BM_DrawAllCharts(benchmark::State& state) {
    const MeasureRecord r = RealisticRecord();
    const ChartFrame f = FullHdFrame();
    const QSize area(f.pw, f.ph);
    // Off-screen images of half the screen, as the main window creates them.
    QImage wave(960, 540, QImage::Format_RGB32), volt(960, 540, QImage::Format_RGB32),
        curr(960, 540, QImage::Format_RGB32);
    for (auto _ : state) {
        DrawWaveformChart(wave, area, r, kColours);
        DrawHarmonicChart(volt, area, r, Channel::Voltage, kColours);
        DrawHarmonicChart(curr, area, r, Channel::Current, kColours);
        benchmark::ClobberMemory();
    }
    state.counters["chart_w"] = f.pw;
    state.counters["chart_h"] = f.ph;
}
BENCHMARK(BM_DrawAllCharts)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace lxv
