// The session as the program runs it: the SessionCore, the reply receiver
// that feeds its dispatcher from the port, and every controller. Created once
// by main() (and by the tests around a fake port and manual timers); windows
// are views that take a Session& and call its controllers.
//
// Adding a window's logic means adding its controller here, one member,
// constructed from `core` (and settings files where it needs them).
// Depends on: core/session_core.h, the controllers, cycle/reply_receiver.h.
#pragma once

#include <QObject>

#include "appearance/skins.h"
#include "cycle/measure_control.h"
#include "cycle/reply_receiver.h"
#include "instrument/alarm_control.h"
#include "instrument/calibrate_control.h"
#include "instrument/settings_control.h"
#include "port/link_control.h"
#include "measure/harmonic_test_control.h"
#include "measure/standby_test_control.h"
#include "measure/starting_control.h"
#include "record/recorder.h"
#include "core/session_core.h"

namespace lxv {

class IniFile;
class SerialPort;

class Session : public QObject {
    Q_OBJECT
  public:
    Session(SerialPort& port, IniFile& sysSet, TimerFactory& timers, QObject* parent = nullptr);
    ~Session() override;

    SessionCore core;
    IniFile& sysSet;  // SysSet.ini
    ReplyReceiver receiver;

    // Controllers, one per window's logic.
    LinkControl linkControl;           // port scan, opening, USB watchdog (TCommForm)
    MeasureControl measure;            // single/continuous cycle (TMainForm)
    SettingsControl settings;          // instrument settings block (TExternal_CT_form)
    AlarmControl alarm;                // alarm limits (TAlarmForm)
    CalibrateControl calibrate;        // calibration (TCalibrateForm)
    StyleSheetSkinEngine skinEngine;   // the look of every window (set up by the windows)
    StyleControl style;                // skin and chart colours (Tskin)
    StartingControl starting;          // starting-test transfer (TStartingForm)
    Recorder recorder;                 // sampling into the live recording, the record file (TRecordForm)
    HarmonicTestControl harmonicTest;  // harmonic emissions test (THarmonicTestForm)
    StandbyTestControl standbyTest;    // standby power test (TStandbyTestForm)

  signals:
    // The port became ready or was lost: the measurement actions changed.
    void measureActionsChanged();
};

}  // namespace lxv
