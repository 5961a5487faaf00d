// The program's command line: the one generic parser (QCommandLineParser)
// over the window's options and the options of every task in the registry
// (command_tasks.h; each task brings its rows, its reader and its run), the
// --help text and the usage line made from the same rows, and the start file
// of the window. The arguments are parsed once, in main().
//
//   lxv7700 [--service] [FILE.lxm | FILE.lxr]      the window
//   lxv7700 --<task> [...]                          a task of the registry
//   lxv7700 --help | --version
// --language original|en goes with every form.
#pragma once

#include <QString>
#include <QStringList>
#include <any>
#include <string>
#include <vector>

#include "platform/command_task.h"
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

// What the command line asks for, besides a task: the window, help, the version.
inline constexpr const char* kWindowTask = "";
inline constexpr const char* kHelpTask = "help";
inline constexpr const char* kVersionTask = "version";

struct CommandLine {
    std::string task = kWindowTask;        // kWindowTask, kHelpTask, kVersionTask or a task's option name
    const CommandTask* command = nullptr;  // the task's entry in the registry
    QString error;                         // a bad option or value: the usage line and exit code 2
    UiText errorText;                      // the same, to be shown in the language in use
    bool qtOptions = false;      // the window with options of Qt's own (-style ...), left to QApplication
    QStringList files;           // the parameters that are not options
    StartFile start;             // the window's start file
    bool service = false;        // the window shows the calibration
    bool languageGiven = false;  // --language: this run's language instead of the stored one
    UiLanguage language = UiLanguage::Original;
    std::any options;  // what the task's reader read

    template <class Options>
    const Options& optionsOf() const {
        return std::any_cast<const Options&>(options);
    }
};

// Parses the arguments after the program's own path against the registry's
// tasks (or `tasks`). With `leaveSingleDashToQt` an unknown "-name" of a
// window's command line is taken as one of Qt's own options (QApplication
// removes those) instead of an error.
CommandLine ParseProgramArguments(const QStringList& arguments, bool leaveSingleDashToQt = false);
CommandLine ParseProgramArguments(const std::vector<CommandTask>& tasks, const QStringList& arguments,
                                  bool leaveSingleDashToQt = false);

// Every form of the command line and every option, for --help.
QString HelpText();
// The same for `tasks`, with `epilogue` (a marked text) after the options and before the tasks' notes.
QString HelpText(const std::vector<CommandTask>& tasks, const char* epilogue = nullptr);
// The forms in one line, shown with a bad option.
QString UsageLine();
QString UsageLine(const std::vector<CommandTask>& tasks);
// Runs what a command line asks for that needs no window (help, version, a
// bad option, a task) and returns the exit code.
int RunWithoutWindow(const CommandLine& line, char* programPath);

}  // namespace lxv
