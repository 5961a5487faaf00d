#include "session/session.h"

#include "platform/app_paths.h"
#include "platform/serial_port.h"

namespace lxv {

Session::Session(SerialPort& port, IniFile& settings, TimerFactory& timers, QObject* parent)
    : QObject(parent),
      core(port, timers),
      sysSet(settings),
      receiver(port, core),
      linkControl(core, settings),
      measure(core),
      settings(core),
      alarm(core),
      calibrate(core, this->settings, [this] { linkControl.ReopenIfClosed(); }),
      style(sysSet, skinEngine, CurrentChartColours(),
            [](const std::string& name) { return DataFilePath(name); }),
      starting(core),
      recorder(core),
      harmonicTest(core),
      standbyTest(core) {
    linkControl.setPortOpenedHandler([this] {
        receiver.reset();
        core.requests.lineReset();
    });
    linkControl.setPortReadyHandler([this](bool ready) {
        measure.SetPortReady(ready);
        emit measureActionsChanged();
    });
    measure.setBeforeStart([this] { linkControl.ReopenIfClosed(); });
    harmonicTest.setContinuousStarter([this] { return measure.StartContinuous(); });
    standbyTest.setContinuousStarter([this] { return measure.StartContinuous(); });
    standbyTest.setRangeReader([this]() -> std::optional<CurrentRangeSetting> {
        if (!this->settings.settingsRead()) return std::nullopt;
        const InstrumentSettings& s = this->settings.settingsCopy();
        return CurrentRangeSetting{s.RangeLocked == 0, s.CurrentRange};
    });
}

Session::~Session() {
    core.port.setDataHandler({});
    core.port.setClosedHandler({});
}

}  // namespace lxv
