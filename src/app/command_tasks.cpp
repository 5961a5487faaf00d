#include "app/command_tasks.h"

#include "cli/harmonic_test_task.h"
#include "cli/instrument_tasks.h"
#include "report/report_tasks.h"

namespace lxv {

const std::vector<CommandTask>& CommandTasks() {
    static const std::vector<CommandTask> tasks = {
        MeasureCommand(),
        LogCommand(),
        HarmonicTestCommand(),
        ReportCommand(ReportTask::PowerReport),
        ReportCommand(ReportTask::Export),
        ReportCommand(ReportTask::RecordReport),
    };
    return tasks;
}

}  // namespace lxv
