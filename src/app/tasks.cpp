// What the command line asks for without a window: help, the version, the
// usage line of a bad option, and the tasks, which run in an offscreen
// application (fonts and the PDF writer need no display).
#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdio>
#include <optional>

#include "app/command_line.h"
#include "platform/app_paths.h"
#include "platform/ini_file.h"
#include "platform/translation.h"

#ifndef LXV_VERSION
#define LXV_VERSION "0.0.0"
#endif

namespace lxv {

int RunWithoutWindow(const CommandLine& line, char* programPath) {
    if (line.error.isEmpty() && line.task == kVersionTask) {
        std::printf("lxv7700 %s\n", LXV_VERSION);
        return 0;
    }
    // Qt's own notes (a missing runtime folder, font fallbacks) are not errors of the task.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    int qtArgc = 1;
    char* qtArgv[] = {programPath, nullptr};
    std::optional<QGuiApplication> application;  // a window's bad option comes with its own
    if (!QCoreApplication::instance()) application.emplace(qtArgc, qtArgv);
    SetProgramFolder(QCoreApplication::applicationDirPath().toStdString());
    // Messages and reports in the window's language: --language, else the stored choice.
    SetUiLanguage(line.languageGiven ? line.language : StoredLanguage(IniFile(SysSetPath())));

    if (!line.error.isEmpty()) {
        std::fprintf(stderr, "lxv7700: %s\n%s\n", Translated(line.errorText).toLocal8Bit().constData(),
                     UsageLine().toLocal8Bit().constData());
        return 2;
    }
    if (line.task == kHelpTask) {
        std::fputs(HelpText().toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (!line.command) return 2;  // the window is not run here
    return line.command->run(line.options);
}

}  // namespace lxv
