// The harmonic emissions test from the command line:
//   lxv7700 --harmonic-test CLASS [--seconds N] [--rated-power W] OUT.csv [OUT.pdf]
// on the headless session: continuous measurement starts once the port is
// open and the settings read is answered, the session's HarmonicTestControl
// observes for N seconds (default 150), then OUT.csv (and the one-page PDF
// with the report information of EnterInfo.ini) are written, each under a
// temporary name beside it and renamed when whole, and the verdict line goes
// to standard output. Notes that do not change the verdict (a supply outside
// the test conditions, pauses) go to standard error.
//
// Exit codes: 0 PASS, 3 FAIL, 4 NOT APPLICABLE; 1 no verdict: fewer than 10
// blocks, Ctrl+C or SIGTERM before the observation is over (an incomplete
// observation is no test), a port or file failure. Without a verdict no
// output file is written.
#pragma once

#include <functional>
#include <string>

#include "cli/instrument_tasks.h"
#include "measure/harmonic_test_control.h"
#include "report/report_geometry.h"

namespace lxv {

class HeadlessSession;

// The task's entry of the command line's registry (platform/command_task.h).
CommandTask HarmonicTestCommand();

// "FAIL class D: 372 blocks over 20 s, mean power 200.1 W; orders 3, 5, 7 fail",
// "PASS class A: ...", "NOT APPLICABLE class D: <why>", to translate. Only for a result with a verdict.
UiText HarmonicVerdictLine(const HarmonicTestResult& result);

class HarmonicTestTask {
  public:
    HarmonicTestTask(HeadlessSession& run, HarmonicTestOptions options,
                     std::function<void(const std::string&)> print);
    ~HarmonicTestTask();
    HarmonicTestTask(const HarmonicTestTask&) = delete;
    HarmonicTestTask& operator=(const HarmonicTestTask&) = delete;

    // Before the port is opened, so a long observation never ends in a file
    // that cannot be written: each output's folder takes a new file, no output
    // is a folder, and EnterInfo.ini reads (with OUT.pdf). False after a failure line.
    bool prepare();
    // The port is open: continuous measurement, then the observation.
    void start();
    // Ctrl+C or SIGTERM: the observation is dropped, the run ends with 1 and no file.
    void stop();

  private:
    void observe();
    void observationEnded();
    bool writeFiles(const HarmonicTestResult& result);
    std::string counted() const;

    HeadlessSession& run_;
    HarmonicTestControl& control_;
    HarmonicTestOptions options_;
    std::function<void(const std::string&)> print_;
    ReportInfo info_;
    int listener_ = 0;
    bool dropping_ = false;
};

}  // namespace lxv
