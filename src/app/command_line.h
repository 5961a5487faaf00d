// The program's command line: one option table (QCommandLineParser) for the
// window's arguments and every task, the --help text and the usage line made
// from it, and the start file of the window.
//
//   lxv7700 [--service] [FILE.lxm | FILE.lxr]      the window
//   lxv7700 --measure | --log OUT.csv [...]        instrument tasks (cli/)
//   lxv7700 --harmonic-test CLASS [...] OUT.csv [OUT.pdf]
//   lxv7700 --report | --export | --record-report  report tasks (report/)
//   lxv7700 --help | --version
// --language original|en goes with every form.
#pragma once

#include <QString>
#include <QStringList>

#include "cli/instrument_tasks.h"
#include "platform/translation.h"

namespace lxv {

enum class StartFileKind { None, TestFile, RecordFile };

struct StartFile {
    bool startedWithFile = false;  // any parameter at all
    StartFileKind kind = StartFileKind::None;
    QString path;  // the first parameter, without enclosing quotes
};

// `arguments` are the file parameters after the program's own path. Only the
// exact endings "lxm", "LXM", "Lxm" (test file) and "lxr", "LXR", "Lxr"
// (record file) count; other mixed cases are ignored.
StartFile ParseCommandLine(const QStringList& arguments);

enum class Task { Window, Help, Version, Report, Export, RecordReport, Measure, Log, HarmonicTest };

struct CommandLine {
    Task task = Task::Window;
    QString error;               // a bad option or value: the usage line and exit code 2
    UiText errorText;            // the same, to be shown in the language in use
    bool qtOptions = false;      // the window with options of Qt's own (-style ...), left to QApplication
    QStringList files;           // the parameters that are not options
    StartFile start;             // the window's start file
    bool service = false;        // the window shows the calibration
    bool languageGiven = false;  // --language: this run's language instead of the stored one
    UiLanguage language = UiLanguage::Original;
    MeasureOptions measure;
    LogOptions log;
    HarmonicTestOptions harmonic;
};

// Parses the arguments after the program's own path. With `leaveSingleDashToQt`
// an unknown "-name" of a window's command line is taken as one of Qt's own
// options (QApplication removes those) instead of an error.
CommandLine ParseProgramArguments(const QStringList& arguments, bool leaveSingleDashToQt = false);

// Every form of the command line and every option, for --help.
QString HelpText();
// The forms in one line, shown with a bad option.
QString UsageLine();
// Runs what a command line asks for that needs no window (help, version, a
// bad option, a task) and returns the exit code.
int RunWithoutWindow(const CommandLine& line, char* programPath);

}  // namespace lxv
