// Start-up and shut-down of the program: splash, application title, the
// session, the windows in their order, the event loop; closing the main
// window ends it.
#include <QApplication>
#include <cstdio>
#include <cstring>
#include <memory>

#include "app/logo_form.h"
#include "app/main_form.h"
#include "app/windows.h"
#include "platform/app_paths.h"
#include "platform/ini_file.h"
#include "platform/qt_serial_port.h"
#include "platform/termination_signals.h"
#include "report/report_tasks.h"
#include "session/qt_timers.h"
#include "session/session.h"

#ifndef LXV_VERSION
#define LXV_VERSION "0.0.0"
#endif

int main(int argc, char* argv[]) {
    // Answered before any window system is needed.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("lxv7700 %s\n", LXV_VERSION);
        return 0;
    }
    // Reports and exports asked for on the command line run without a window.
    if (const auto exitCode = lxv::RunCommandLineTask(argc, argv)) return *exitCode;

    QApplication application(argc, argv);

    // 1. The splash, painted at once: the windows below take a moment.
    auto logo = std::make_unique<lxv::TLogoForm>();
    logo->show();
    logo->repaint();

    // 2. The application and its session with the instrument.
    QApplication::setApplicationName("LXV7700");
    QApplication::setApplicationDisplayName("LXV7700");
    lxv::SetProgramFolder(QCoreApplication::applicationDirPath().toStdString());

    lxv::IniFile sysSet(lxv::SysSetPath());
    lxv::QtSerialPort port(sysSet);
    lxv::QtTimers timers;
    lxv::Session session(port, sysSet, timers);

    // 3. The windows, in order.
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    lxv::Windows windows(session, sysSet, arguments);
    lxv::TMainForm& mainForm = windows.main();
    // The program ends here, not on the last window closed, with a non-zero code
    // when the recording's last save failed and the program quit anyway.
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(
        &mainForm, &lxv::TMainForm::closed, &application,
        [&windows] { QCoreApplication::exit(windows.exitCode()); }, Qt::QueuedConnection);

    // A session ending or Ctrl+C closes the main window as the user would.
    lxv::WatchTerminationSignals([&mainForm] { mainForm.close(); });

    // 4. The splash goes, the main window shows, the event loop runs.
    mainForm.show();
    logo.reset();
    return QApplication::exec();
}
