// The registry of the command line's tasks, in the order --help lists them:
// --measure, --log, --harmonic-test, --standby-test, --report, --export, --record-report.
// A new task adds its CommandTask (platform/command_task.h) here and nowhere
// else in app/.
#pragma once

#include <vector>

#include "platform/command_task.h"

namespace lxv {

const std::vector<CommandTask>& CommandTasks();

// What --help says of the tasks together, after the options.
inline constexpr const char* kCommandTasksHelp = QT_TRANSLATE_NOOP(
    "lxv",
    "The tasks open no window. The report and export tasks need no port. --measure, --log and\n"
    "--harmonic-test open the instrument's port as the window would (SysSet.ini: [CommPort],\n"
    "[CommBaudrate], [PortMap]). --log and --harmonic-test print a progress line every 10 s on standard\n"
    "error; on Ctrl+C or SIGTERM a log ends at once, its file whole, and a harmonic test ends without a\n"
    "verdict and without files. The harmonic test prints its verdict line on standard output.\n"
    "Exit codes: 0 done (a harmonic test: PASS), 3 FAIL, 4 NOT APPLICABLE, 1 a failure (one line on\n"
    "standard error), 2 a bad option (and the usage line).\n");

}  // namespace lxv
