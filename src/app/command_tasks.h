// The registry of the command line's tasks, in the order --help lists them:
// --measure, --log, --harmonic-test, --standby-test, --report, --export, --record-report.
// A new task adds its CommandTask (platform/command_task.h) here and nowhere
// else in app/.
#pragma once

#include <vector>

#include "platform/command_task.h"

namespace lxv {

const std::vector<CommandTask>& CommandTasks();

}  // namespace lxv
