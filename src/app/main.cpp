// Start-up and shut-down of the program: splash, application title, the
// windows in their order, the event loop; closing the main window ends it.
#include <QApplication>
#include <cstdio>
#include <cstring>
#include <memory>

#include "app/app_context.h"
#include "app/command_line.h"
#include "app/logo_form.h"
#include "app/main_form.h"
#include "app/test_hooks.h"
#include "app/version_form.h"
#include "appearance/chart_colours.h"
#include "appearance/skins.h"
#include "link/comm_form.h"
#include "platform/app_paths.h"
#include "platform/dialogs.h"
#include "platform/ini_file.h"
#include "platform/qt_serial_port.h"
#include "platform/termination_signals.h"

#ifndef LXV_VERSION
#define LXV_VERSION "0.0.0"
#endif

int main(int argc, char* argv[]) {
    // Answered before any window system is needed.
    if (argc == 2 && (std::strcmp(argv[1], "--version") == 0 || std::strcmp(argv[1], "--help") == 0)) {
        if (std::strcmp(argv[1], "--version") == 0)
            std::printf("lxv7700 %s\n", LXV_VERSION);
        else
            std::printf(
                "Usage: lxv7700 [FILE.lxm | FILE.lxr]\n"
                "The companion program of the LXV7700 power analyser.\n"
                "  FILE.lxm     open a test file at start\n"
                "  FILE.lxr     open a record file in the record window\n"
                "  --version    print the version and exit\n");
        return 0;
    }
    QApplication application(argc, argv);

    // 1. The splash, painted at once: the windows below take a moment.
    auto logo = std::make_unique<lxv::TLogoForm>();
    logo->show();
    logo->repaint();

    // 2. The application.
    QApplication::setApplicationName("LXV7700");
    QApplication::setApplicationDisplayName("LXV7700");
    lxv::SetProgramFolder(QCoreApplication::applicationDirPath().toStdString());

    lxv::IniFile sysSet(lxv::SysSetPath());
    lxv::QtSerialPort port(sysSet);
    lxv::AppContext app(port, sysSet);

    // 3. The windows, in order. The chart colours come first: the main window draws with them.
    try {
        lxv::LoadChartColours(sysSet, lxv::CurrentChartColours());
    } catch (const lxv::ConversionError& e) {
        lxv::AppDialogs().showError(nullptr, e.what());
    }
    lxv::TMainForm mainForm(app);
    QObject::connect(&mainForm, &lxv::TMainForm::closed, &application, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    mainForm.ApplyStartFile(lxv::ParseCommandLine(arguments));
    mainForm.ShowMeasurement();

    lxv::TVForm versionForm(&mainForm);
    mainForm.SetVersionForm(&versionForm);

    lxv::TCommForm commForm(port, app.link, app.state, sysSet, mainForm, &mainForm);
    mainForm.SetCommForm(&commForm);
    lxv::TestHooks* hooks = lxv::TestHooks::FromEnvironment(app, mainForm, &mainForm);
    commForm.FormCreate();
    (void)hooks;

    // A session ending or Ctrl+C closes the main window as the user would.
    lxv::WatchTerminationSignals([&mainForm] { mainForm.close(); });

    // 4. The splash goes, the main window shows, the event loop runs.
    mainForm.show();
    logo.reset();
    return QApplication::exec();
}
