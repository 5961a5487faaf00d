// How long the port settings window's scan takes with three ports: it lists
// the system's ports, probes each one that exists (three pseudo-terminals
// pinned in [PortMap]), opens the configured one and sends the SETUP read.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <pty.h>
#include <unistd.h>

#include <QApplication>
#include <QTemporaryDir>
#include <memory>

#include "port/comm_form.h"
#include "link/frame_codec.h"
#include "port/link_control.h"
#include "link/link_state.h"
#include "platform/dialogs.h"
#include "platform/ini_file.h"
#include "platform/qt_serial_port.h"
#include "session/qt_timers.h"
#include "core/session_core.h"

namespace {

class CountingDialogs : public lxv::Dialogs {
  public:
    int shown = 0;
    void showMessage(QWidget*, const QString&) override { ++shown; }
    void showError(QWidget*, const QString&) override { ++shown; }
    bool askYesNo(QWidget*, const QString&, const QString&) override { return false; }
    QString openFileName(QWidget*, const QString&) override { return {}; }
    QString saveFileName(QWidget*, const QString&, const QString&) override { return {}; }
};

struct ThreePorts {
    QTemporaryDir dir;
    int masters[3] = {-1, -1, -1};
    std::unique_ptr<lxv::IniFile> ini;

    ThreePorts() {
        QByteArray text = "[CommPort]\nPort=4\n[PortMap]\n";
        for (int i = 0; i < 3; ++i) {
            int slave = -1;
            if (::openpty(&masters[i], &slave, nullptr, nullptr, nullptr) != 0) return;
            text += "COM" + QByteArray::number(3 + i) + "=" + QByteArray(::ttyname(slave)) + "\n";
            ::close(slave);
            ::fcntl(masters[i], F_SETFL, O_NONBLOCK);
        }
        QFile f(dir.filePath("SysSet.ini"));
        if (f.open(QIODevice::WriteOnly)) f.write(text);
        f.close();
        ini = std::make_unique<lxv::IniFile>(dir.filePath("SysSet.ini").toStdString());
    }
    ~ThreePorts() {
        for (int m : masters)
            if (m >= 0) ::close(m);
    }
    void drain() {
        char buf[256];
        for (int m : masters)
            while (::read(m, buf, sizeof buf) > 0) {
            }
    }
};

void BM_ScanThreePorts(benchmark::State& state) {
    ThreePorts ports;
    CountingDialogs dialogs;
    lxv::SetAppDialogs(&dialogs);
    lxv::QtSerialPort port(*ports.ini);
    lxv::QtTimers timers;
    lxv::SessionCore core(port, timers);
    lxv::LinkControl control(core, *ports.ini);
    lxv::TCommForm form(control);
    for (auto _ : state) {
        form.Button1Click();
        state.PauseTiming();
        ports.drain();
        state.ResumeTiming();
    }
    state.counters["items"] = form.portItems().size();
    state.counters["scan_done"] = form.scanDone();
    state.counters["messages"] = dialogs.shown;
    lxv::SetAppDialogs(nullptr);
}
BENCHMARK(BM_ScanThreePorts)->Unit(benchmark::kMillisecond);

void BM_ListPorts(benchmark::State& state) {
    ThreePorts ports;
    lxv::QtSerialPort port(*ports.ini);
    for (auto _ : state) benchmark::DoNotOptimize(port.enumerate());
}
BENCHMARK(BM_ListPorts)->Unit(benchmark::kMillisecond);

}  // namespace
