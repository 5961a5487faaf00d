#include "app/command_tasks.h"

#include "app/test_hooks.h"
#include "cli/harmonic_test_task.h"
#include "cli/standby_test_task.h"
#include "cli/instrument_tasks.h"
#include "report/report_tasks.h"

namespace lxv {

const std::vector<CommandTask>& CommandTasks() {
    static const std::vector<CommandTask> tasks = {
        MeasureCommand(),
        LogCommand(),
        HarmonicTestCommand(),
        StandbyTestCommand(&TestHooks::TimeScale),
        ReportCommand(ReportTask::PowerReport),
        ReportCommand(ReportTask::Export),
        ReportCommand(ReportTask::RecordReport),
    };
    return tasks;
}

}  // namespace lxv
