// The harmonic emissions test from the command line:
//   lxv7700 --harmonic-test CLASS [--seconds N] [--rated-power W] OUT.csv [OUT.pdf]
// on the headless session as every procedure runs (procedure_task.h): the
// session's HarmonicTestControl observes for N seconds (default 150), then
// OUT.csv (and the one-page PDF with the report information of EnterInfo.ini)
// are written, each whole, and the verdict line goes to standard output. Notes that do not change the verdict
// (a supply outside the test conditions, pauses) go to standard error.
//
// Exit codes: 0 PASS, 3 FAIL, 4 NOT APPLICABLE; 1 no verdict: fewer than 10
// blocks, Ctrl+C or SIGTERM before the observation is over (an incomplete
// observation is no test), a port or file failure. Without a verdict no
// output file is written.
#pragma once

#include <functional>
#include <string>

#include "cli/instrument_tasks.h"
#include "cli/procedure_task.h"
#include "measure/harmonic_test_control.h"
#include "report/report_geometry.h"

namespace lxv {

class HeadlessSession;

// The task's entry of the command line's registry (platform/command_task.h).
CommandTask HarmonicTestCommand();

// "FAIL class D: 372 blocks over 20 s, mean power 200.1 W; orders 3, 5, 7 fail",
// "PASS class A: ...", "NOT APPLICABLE class D: <why>", to translate. Only for a result with a verdict.
UiText HarmonicVerdictLine(const HarmonicTestResult& result);

class HarmonicTestTask : public ProcedureTask {
  public:
    HarmonicTestTask(HeadlessSession& run, HarmonicTestOptions options, PrintFunction print);

  protected:
    UiText StartObservation() override;
    double LongestSeconds() const override { return options_.settings.observationSeconds; }
    Verdict CurrentVerdict() const override { return control_.verdict(); }
    void ObservationEnded() override;

  private:
    HarmonicTestControl& control_;
    HarmonicTestOptions options_;
};

}  // namespace lxv
