// The tasks the program runs from a shell without a window or a port:
//   lxv7700 --report TEST.lxm OUT.pdf
//   lxv7700 --export RECORD.lxr OUT.xlsx|OUT.csv
//   lxv7700 --record-report RECORD.lxr OUT.pdf
// They run offscreen, print nothing but errors (one line on standard error
// naming the file and the reason) and leave no output file on failure.
#pragma once

#include <QStringList>
#include <string>

#include "platform/command_task.h"

namespace lxv {

enum class ReportTask { PowerReport, Export, RecordReport };

// Runs `task` on `files` (the input and the output file) inside the program's
// offscreen application and returns the exit code: 0 done, 1 a failure.
// `option` ("--report") names the task when the files are not two.
int RunReportTask(ReportTask task, const QStringList& files, const std::string& option);

// The task's entry of the command line's registry (platform/command_task.h):
// its option, form and run; it checks its two files when it runs.
CommandTask ReportCommand(ReportTask task);

}  // namespace lxv
