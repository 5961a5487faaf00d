// A session on a fake port and manual timers, with fake dialogs while it lives,
// for the tests that make the program's windows (app/windows.h).
#pragma once

#include <QTemporaryDir>

#include "platform/ini_file.h"
#include "session/session.h"
#include "support/fake_dialogs.h"
#include "support/fake_serial_port.h"
#include "support/manual_timers.h"

namespace lxv::test {

struct SessionRig {
    QTemporaryDir home;
    FakeSerialPort port;
    FakeDialogs dialogs;
    ManualTimers timers;
    IniFile sysSet{(home.path() + "/SysSet.ini").toStdString()};
    Session session{port, sysSet, timers};
    SessionRig() { SetAppDialogs(&dialogs); }
    ~SessionRig() { SetAppDialogs(nullptr); }
};

}  // namespace lxv::test
