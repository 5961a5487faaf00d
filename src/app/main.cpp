// Start-up and shut-down of the program: splash, application title, the
// session, the windows in their order, the event loop; closing the main
// window ends it.
#include <QApplication>
#include <memory>

#include "app/command_line.h"
#include "app/logo_form.h"
#include "app/main_form.h"
#include "app/windows.h"
#include "platform/app_paths.h"
#include "platform/ini_file.h"
#include "platform/qt_serial_port.h"
#include "platform/termination_signals.h"
#include "platform/translation.h"
#include "session/qt_timers.h"
#include "session/session.h"

int main(int argc, char* argv[]) {
    QStringList given;
    for (int i = 1; i < argc; ++i) given << QString::fromLocal8Bit(argv[i]);
    // Help, the version, a bad option and the tasks are answered before any window system is needed.
    lxv::CommandLine line = lxv::ParseProgramArguments(given, true);
    if (line.task != lxv::kWindowTask || !line.error.isEmpty()) return lxv::RunWithoutWindow(line, argv[0]);

    QApplication application(argc, argv);
    // Qt has taken its own options (-style ...) from the command line by now.
    // The rest is read again only then, for the start file among it.
    if (line.qtOptions) {
        QStringList arguments = QCoreApplication::arguments();
        arguments.removeFirst();
        line = lxv::ParseProgramArguments(arguments);
        if (!line.error.isEmpty()) return lxv::RunWithoutWindow(line, argv[0]);
    }

    QApplication::setApplicationName("LXV7700");
    QApplication::setApplicationDisplayName("LXV7700");
    lxv::SetProgramFolder(QCoreApplication::applicationDirPath().toStdString());
    lxv::IniFile sysSet(lxv::SysSetPath());
    // The language before the first text shows: --language, else the stored choice.
    lxv::SetUiLanguage(line.languageGiven ? line.language : lxv::StoredLanguage(sysSet));

    // 1. The splash, painted at once: the windows below take a moment.
    auto logo = std::make_unique<lxv::TLogoForm>();
    logo->show();
    logo->repaint();

    // 2. The session with the instrument.
    lxv::QtSerialPort port(sysSet);
    lxv::QtTimers timers;
    lxv::Session session(port, sysSet, timers);

    // 3. The windows, in order.
    lxv::Windows windows(line, session, sysSet);
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
