// The main window's speed: ShowMeasurement (fifteen panels, three charts) in a
// 1920 x 1080 window, and, against lxv7700-sim at 115200 baud, the gap between
// a whole measurement reply and the next continuous request.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numeric>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "appearance/chart_colours.h"
#include "link/registers.h"
#include "platform/ini_file.h"
#include "session/qt_timers.h"
#include "session/session.h"
#include "support/fake_serial_port.h"

#ifdef LXV_BENCH_WITH_SIM
#include "platform/qt_serial_port.h"
#include "process_harness.h"
#endif

namespace {

lxv::MeasureRecord BusyMeasurement() {
    lxv::MeasureRecord r;
    lxv::ResetMeasurement(r);
    const float values[15] = {230.1f,  325.4f, 50.01f, 4.37f,  6.2f,  -12.5f, 0.976f,  981.3f,
                              1005.2f, 217.7f, 0.031f, 0.124f, 1.11f, 1.42f,  123.456f};
    for (int i = 0; i < 15; ++i) r.setScalar(static_cast<lxv::Scalar>(i), values[i]);
    for (int n = 0; n <= 50; ++n) {
        r.setUHarmonic(n, n == 1 ? 325.0f : 10.0f / (n + 1));
        r.setIHarmonic(n, n == 1 ? 6.0f : (n % 2 ? 1.5f / n : 0.0f));
    }
    for (int k = 0; k < lxv::kSampleCount; ++k) {
        const double a = 2 * M_PI * k / 128.0;
        r.setUSample(k, static_cast<std::uint16_t>(2047 + 1800 * std::sin(a)));
        r.setISample(k, static_cast<std::uint16_t>(2047 + 900 * std::sin(a - 0.2) + 200 * std::sin(3 * a)));
    }
    return r;
}

void BM_ShowMeasurement(benchmark::State& state) {
    QTemporaryDir home;
    lxv::test::FakeSerialPort port;
    lxv::IniFile sysSet((home.path() + "/SysSet.ini").toStdString());
    lxv::QtTimers timers;
    lxv::Session session(port, sysSet, timers);
    lxv::ApplyWaveBackground(lxv::CurrentChartColours(), 2);
    lxv::ApplyScaleColour(lxv::CurrentChartColours(), 2);
    lxv::TMainForm form(session);
    form.resize(1920, 1080);
    form.show();
    QCoreApplication::processEvents();
    session.core.record = BusyMeasurement();
    for (auto _ : state) form.ShowMeasurement();
    const QWidget* chart = form.findChild<QWidget*>("Pic1");
    state.SetLabel(QString("window %1 x %2, charts %3 x %4")
                       .arg(form.width())
                       .arg(form.height())
                       .arg(chart->width())
                       .arg(chart->height())
                       .toStdString());
}
BENCHMARK(BM_ShowMeasurement)->Unit(benchmark::kMillisecond);

#ifdef LXV_BENCH_WITH_SIM
// Continuous measurement at 115200 baud against the simulator, the main
// window shown at 1920 x 1080 so each block is drawn: the gap between a
// measurement reply and the next request, over 60 cycles. port: from reading
// the reply's last bytes to writing the next request, the program's whole
// share of the gap. sim: the same gap seen from the simulator's end of the
// pseudo-terminal, which adds the terminal's own delivery in both directions.
void BM_ContinuousRequestGap(benchmark::State& state) {
    QTemporaryDir home;
    lxv::e2e::ChildProcess sim;
    const std::string link = (home.path() + "/sim.pty").toStdString();
    const std::string trace = (home.path() + "/sim.err").toStdString();
    lxv::e2e::ChildProcess::Options options;
    options.pipeStdin = true;  // --exit-on-eof: the simulator ends with us
    options.stdoutFile = (home.path() + "/sim.out").toStdString();
    options.stderrFile = trace;
    if (!sim.start(
            {LXV_SIM_PATH, "--link", link, "--exit-on-eof", "--baud", "115200", "--trace", "--trace-clock"},
            options) ||
        !lxv::e2e::WaitUntil([&] { return QFileInfo::exists(QString::fromStdString(link)); },
                             std::chrono::milliseconds(5000))) {
        state.SkipWithError("lxv7700-sim gave no terminal");
        return;
    }
    lxv::IniFile sysSet((home.path() + "/SysSet.ini").toStdString());
    sysSet.writeString("PortMap", "COM3", link);
    lxv::QtSerialPort port(sysSet);
    port.open(3, 115200);
    lxv::QtTimers timers;
    lxv::Session session(port, sysSet, timers);
    session.core.state.BaudIndex = 7;
    lxv::TMainForm form(session);
    form.resize(1920, 1080);
    form.show();
    QCoreApplication::processEvents();

    QElapsedTimer clock;
    clock.start();
    qint64 replyAt = -1;
    std::vector<double> gapsMs;
    QEventLoop loop;
    // The last bytes of a measurement reply have been read when the reply reaches its full size.
    QObject::connect(&session.receiver, &lxv::ReplyReceiver::progress, [&](int received, int expected) {
        if (expected == static_cast<int>(lxv::kMeasureReplySize) && received == expected)
            replyAt = clock.nsecsElapsed();
    });
    // Set right after the request was written.
    QObject::connect(&form, &lxv::TMainForm::statusPanelChanged, [&](int panel, const QString& text) {
        if (panel != 0 || text != "Request data!" || replyAt < 0) return;
        gapsMs.push_back((clock.nsecsElapsed() - replyAt) / 1e6);
        replyAt = -1;
        if (gapsMs.size() >= 60) loop.quit();
    });
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    for (auto _ : state) {
        form.SeSkinSpeedButton8Click();
        loop.exec();
        form.SeSkinSpeedButton9Click();
    }
    QCoreApplication::processEvents();
    sim.stop();
    if (gapsMs.empty()) {
        state.SkipWithError("no measurement came back");
        return;
    }
    const std::vector<double> simGaps = lxv::e2e::RequestGapsMs(lxv::e2e::ReadLines(trace));
    state.counters["port_median_ms"] = lxv::e2e::Percentile(gapsMs, 0.5);
    state.counters["port_p95_ms"] = lxv::e2e::Percentile(gapsMs, 0.95);
    state.counters["port_max_ms"] = *std::max_element(gapsMs.begin(), gapsMs.end());
    state.counters["sim_median_ms"] = lxv::e2e::Percentile(simGaps, 0.5);
    state.counters["sim_p95_ms"] = lxv::e2e::Percentile(simGaps, 0.95);
    state.counters["cycles"] = static_cast<double>(gapsMs.size());
}
BENCHMARK(BM_ContinuousRequestGap)->Iterations(1)->Unit(benchmark::kMillisecond);
#endif

}  // namespace
