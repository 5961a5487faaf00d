// The standby power test from the command line:
//   lxv7700 --standby-test OUT.csv [OUT.pdf] [--seconds N] [--max-seconds M]
//           [--limit W] [--nominal-voltage V] [--nominal-frequency HZ]
// on the headless session as every procedure runs (procedure_task.h): the
// session's StandbyTestControl measures until the power is stable from the
// period N on (default 600 s, at least 60) or the longest time M (default
// 3 x N) is over, then OUT.csv (and the one-page PDF with the report
// information of EnterInfo.ini) are written, each whole, and the verdict line
// goes to standard output; the notes go to standard error.
//
// Exit codes: 0 PASS within the conditions, 5 PASS outside them (the supply,
// or a period shorter than 600 s), 3 FAIL, 6 NOT STABLE, 1 no verdict (too
// few readings, Ctrl+C or SIGTERM, a port or file failure: no file written),
// 2 a bad option.
#pragma once

#include <string>

#include "cli/instrument_tasks.h"
#include "cli/procedure_task.h"
#include "measure/standby_test_control.h"

namespace lxv {

struct StandbyTestOptions {
    PortChoice port;
    StandbySettings settings;
    std::string csvPath, pdfPath;  // pdfPath empty for none
    double timeScale = 1.0;        // the test's seconds per real second (a test hook's; 1 otherwise)
};

// The task's entry of the command line's registry (platform/command_task.h);
// `timeScale` gives the test hook's time scale when the options are read.
CommandTask StandbyTestCommand(double (*timeScale)() = nullptr);

// "PASS: mean 0.30 W (limit 0.5 W), slope 0.0012 W/h, 7201 readings over 600.0 s", "NOT STABLE: ...".
UiText StandbyVerdictLine(const StandbyResult& result);

int RunStandbyTestTask(const StandbyTestOptions& options);

class StandbyTestTask : public ProcedureTask {
  public:
    StandbyTestTask(HeadlessSession& run, StandbyTestOptions options, PrintFunction print);

  protected:
    UiText StartObservation() override;
    double LongestSeconds() const override { return options_.settings.maxSeconds; }
    Verdict CurrentVerdict() const override { return control_.verdict(); }
    void ObservationEnded() override;

  private:
    StandbyTestControl& control_;
    StandbyTestOptions options_;
};

}  // namespace lxv
