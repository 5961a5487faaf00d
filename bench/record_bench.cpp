// The record window with a full recording of 450,000 samples in a 1920 x 1080
// window: a redraw (geometry, chart and ruler painted into their images,
// status texts, pen icons) at zoom 1, 10, 50 and 151, and opening a file of
// 450 records. Targets: at most 5 ms per redraw, at most 300 ms per open.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QSlider>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <memory>

#include "platform/ini_file.h"
#include "record/record_form.h"
#include "session/qt_timers.h"
#include "session/session.h"
#include "support/null_serial_port.h"

namespace lxv {
namespace {

std::string FullFile() {
    static const std::string path = "/tmp/lxv-record-bench-" + std::to_string(::getpid()) + ".lxr";
    static bool written = false;
    if (written) return path;
    std::atexit([] { ::unlink(path.c_str()); });
    RecordData d;
    d.allocate(kMaxSamples);
    d.count = kMaxSamples;
    d.codes = {0, 1, 2, 3, 6, 7};
    for (int i = 0; i < kMaxSamples; ++i) {
        const double t = i / 3600.0;
        d.channels[0][i] = static_cast<float>(230 + 4 * std::sin(t));
        d.channels[1][i] = static_cast<float>(5 + 2 * std::sin(3 * t));
        d.channels[2][i] = static_cast<float>(1100 + 400 * std::sin(3 * t));
        d.channels[3][i] = static_cast<float>(1150 + 400 * std::sin(3 * t + 0.2));
        d.channels[4][i] = static_cast<float>(50 + 0.05 * std::sin(7 * t));
        d.channels[5][i] = static_cast<float>(0.95 + 0.03 * std::sin(t));
        d.stamps[i] = 46000.0 + i / 86400.0;
    }
    std::ofstream out(path, std::ios::binary);
    RecordBlock block;
    for (int k = 0; k < kMaxRecords; ++k) {
        FillRecordBlock(d, k, block);
        out.write(reinterpret_cast<const char*>(block.data()), kRecordBlockSize);
    }
    written = true;
    return path;
}

struct Window {
    test::NullSerialPort port;
    QtTimers timers;
    IniFile sysSet{"/tmp/lxv-record-bench-" + std::to_string(::getpid()) + ".ini"};
    Session session{port, sysSet, timers};
    TRecordForm form{session.recorder, sysSet};
    Window() {
        form.resize(1920, 1080);
        form.show();
        QApplication::processEvents();
        form.OpenRecordFile(QString::fromStdString(FullFile()));
    }
};

Window& TheWindow() {
    static Window window;
    return window;
}

void BM_RedrawFullRecording(benchmark::State& state) {
    Window& w = TheWindow();
    const int zoom = static_cast<int>(state.range(0));
    w.form.findChild<QSlider*>("TrackBar1")->setValue(151 - zoom);
    if (w.form.view().fileZoom != zoom) state.SkipWithError("zoom not taken");
    for (auto _ : state) w.form.DrawRecordChart();
    state.counters["chart_w"] = w.form.chartSize().width();
    state.counters["chart_h"] = w.form.chartSize().height();
}
BENCHMARK(BM_RedrawFullRecording)->Arg(1)->Arg(10)->Arg(50)->Arg(151)->Unit(benchmark::kMillisecond);

void BM_OpenFileOf450Records(benchmark::State& state) {
    const std::string path = FullFile();
    RecordData data;
    for (auto _ : state) {
        const RecordFileRead r = ReadRecordFile(path, data);
        if (!r.error.empty() || data.count != kMaxSamples) state.SkipWithError("not read");
    }
}
BENCHMARK(BM_OpenFileOf450Records)->Unit(benchmark::kMillisecond);

void BM_OpenFileInTheWindow(benchmark::State& state) {
    Window& w = TheWindow();
    const QString path = QString::fromStdString(FullFile());
    for (auto _ : state) w.form.OpenRecordFile(path);
}
BENCHMARK(BM_OpenFileInTheWindow)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lxv
