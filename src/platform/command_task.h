// A task of the command line as the one generic parser (app/command_line.h)
// sees it: the option that asks for it, its forms for --help and the usage
// line, its own option rows, its option reader and its run. Every task brings
// its own; app/command_tasks.cpp lists them in one registry, from which the
// parser, --help and the checks of which option goes with which task are made.
//
// Depends on: platform/ui_text.h, Qt Core. No widgets.
#pragma once

#include <QString>
#include <QStringList>
#include <any>
#include <functional>
#include <vector>

#include "platform/ui_text.h"

namespace lxv {

// One option of the command line. Several tasks may bring a row of the same
// name (--seconds, --port): it is one option that goes with each of them, and
// --help joins their descriptions when they differ.
struct OptionRow {
    const char* name;         // without the dashes
    const char* alias;        // another name ("h"), or nullptr
    const char* valueName;    // nullptr for a switch
    const char* synopsis;     // as --help shows it ("--seconds N")
    const char* description;  // marked with QT_TRANSLATE_NOOP
};

// The options and parameters given, as a task's reader sees them.
class OptionValues {
  public:
    virtual ~OptionValues() = default;
    virtual bool isSet(const char* name) const = 0;
    virtual QString value(const char* name) const = 0;
    // The parameters that are not options, in order.
    virtual const QStringList& files() const = 0;
};

struct CommandTask {
    OptionRow option;   // the option that asks for the task ("harmonic-test")
    const char* form;   // its form in --help, after "lxv7700 " (lines after the first indented by 15 blanks)
    const char* brief;  // its form in the usage line
    std::vector<OptionRow> options;  // its other options
    const char* note = nullptr;      // a paragraph of its own at the end of --help (marked), or nullptr
    // Reads the options (the task's option is set) into `options` for run;
    // an error text when one is bad (the usage line and exit code 2).
    std::function<UiText(const OptionValues& values, std::any& options)> read;
    // Runs the task inside the program's offscreen application; the exit code.
    std::function<int(const std::any& options)> run;
};

// "invalid value for --name: "value" (allowed)", `allowed` a marked text.
UiText InvalidValueText(const char* name, const QString& value, const char* allowed);
// "unexpected argument "file"".
UiText UnexpectedArgumentText(const QString& file);

}  // namespace lxv
