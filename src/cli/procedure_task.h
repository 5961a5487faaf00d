// A test procedure from the command line, the part every procedure shares:
//   lxv7700 --<procedure> [...] OUT.csv [OUT.pdf]
// on the headless session: before the port opens, each output's folder must
// take a new file and EnterInfo.ini must read (with OUT.pdf); once the port is
// open and the settings read is answered, continuous measurement starts and
// the procedure's observation (measure/observation_control.h) runs; a
// progress line every 10 s on standard error ("372 blocks observed, PASS so
// far"); when it ends the procedure writes its files, each whole, prints its
// verdict line and ends with the verdict's exit code. Ctrl+C or SIGTERM drops
// the observation: exit 1, no file written, existing files untouched.
//
// A procedure derives from ProcedureTask and gives its observation, how it
// starts, its verdict so far and what it does at the end; its command
// (platform/command_task.h) runs it with RunProcedureTask.
//
// Depends on: cli/headless_session.h, cli/instrument_tasks.h,
// measure/observation_control.h, measure/verdict.h, report/ (ReportInfo).
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "cli/instrument_tasks.h"
#include "measure/observation_control.h"
#include "measure/verdict.h"
#include "report/report_geometry.h"

namespace lxv {

class HeadlessSession;

using PrintFunction = std::function<void(const std::string&)>;

class ProcedureTask {
  public:
    // `csvPath` is required; `pdfPath` may be empty.
    ProcedureTask(HeadlessSession& run, ObservationControl& observation, std::string csvPath,
                  std::string pdfPath, PrintFunction print);
    virtual ~ProcedureTask();
    ProcedureTask(const ProcedureTask&) = delete;
    ProcedureTask& operator=(const ProcedureTask&) = delete;

    // Before the port is opened, so a long observation never ends in a file
    // that cannot be written: each output's folder takes a new file, no output
    // is a folder, and EnterInfo.ini reads (with OUT.pdf). False after a failure line.
    bool prepare();
    // The port is open: continuous measurement, then the observation.
    void start();
    // Ctrl+C or SIGTERM: the observation is dropped, the run ends with 1 and no file.
    void stop();

  protected:
    // Starts the procedure's controller (continuous measurement runs by now):
    // empty, or the sentence that says why not.
    virtual UiText StartObservation() = 0;
    // The longest the observation may last, in seconds (told when it is stopped).
    virtual double LongestSeconds() const = 0;
    // The verdict so far (the progress line).
    virtual Verdict CurrentVerdict() const = 0;
    // The observation has ended: write the files (WriteFiles), print the
    // verdict line, tell the notes, and end the run (run().finish or fail).
    virtual void ObservationEnded() = 0;

    // Writes OUT.csv with `csv` and, when asked for, OUT.pdf with `pdf`; a failure line and false on an
    // error.
    bool WriteFiles(
        const std::function<bool(const std::string& path, std::string& error)>& csv,
        const std::function<bool(const QString& path, const ReportInfo& info, QString& error)>& pdf);

    HeadlessSession& run() { return run_; }
    void print(const std::string& text) { print_(text); }

  private:
    std::string counted() const;

    HeadlessSession& run_;
    ObservationControl& observation_;
    std::string csvPath_, pdfPath_;
    PrintFunction print_;
    ReportInfo info_;
    int listener_ = 0;
    bool dropping_ = false;
};

// Runs a procedure on the instrument inside the program's (offscreen)
// application and returns the exit code: `make` makes its task on the run's session.
int RunProcedureTask(
    const PortChoice& port,
    const std::function<std::unique_ptr<ProcedureTask>(HeadlessSession&, PrintFunction)>& make);

}  // namespace lxv
