// Test-only actions on the instrument configuration (LXV_TEST_ACTION, see
// test_hooks.h), run against a real or simulated instrument:
//   settings-write  saves fixed settings, reads them back and logs
//                   "settings-fields <Edit1>|<Edit3>|<Edit4>|<bandwidth>|<THD>|<filter item>|<filter
//                   on>|<locked>|<range item>";
//   alarm-write     saves fixed limits and flags 0x5A, reads them back and logs
//                   "alarm-fields <Edit1>|...|<Edit8>|<flags hex>";
//   calibrate       sends 220 V, 0.02 A, narrowband phase 1, temperature command 3
//                   and the unlock 300 ms apart, then reads the phase and logs
//                   "calibrate-phase <Edit7>".
// Every status text of the three windows is logged as "settings-status ...",
// "alarm-label ..." or "calibrate-status ...".
#pragma once

#include <QObject>
#include <QString>
#include <functional>

namespace lxv {

class Session;

class InstrumentTestActions : public QObject {
    Q_OBJECT
  public:
    InstrumentTestActions(Session& session, std::function<void(const QString&)> log, QObject* parent);
    // Starts `action`; false when it is not one of these.
    bool start(const QString& action);

  private:
    void settingsChanged();
    void alarmChanged();
    void calibrateStep();

    Session& session_;
    std::function<void(const QString&)> log_;
    QString action_;
    int step_ = 0;
    std::string settingsStatus_, alarmLabel_, calibrateStatus_;
};

}  // namespace lxv
