// Command-line tasks on the instrument, run without a window:
//   lxv7700 --measure [--json]       one measurement on standard output
//   lxv7700 --log OUT.csv [...]      every accepted block as a CSV row
//   lxv7700 --harmonic-test CLASS [...] OUT.csv [OUT.pdf]
//                                    the harmonic emissions test (harmonic_test_task.h)
// each with --port COMn | --device PATH and --baud N for this run.
//
// Owns: the headless session (headless_session.h), the tasks' outputs
// (measurement_text.h), the log file. Exit codes: 0 done (also after Ctrl+C or
// SIGTERM during a log; a harmonic test's PASS), 3 and 4 a harmonic test's
// FAIL and NOT APPLICABLE, 1 a failure told in one line on standard error.
// Depends on: session/, cycle/, link/, measure/, platform/, report/ (the
// harmonic test's files). Nothing below app/ includes it; app/ parses the
// command line and calls the Run functions.
#pragma once

#include <QFile>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "measure/harmonic_test.h"
#include "platform/command_task.h"

namespace lxv {

class HeadlessSession;
class MeasureRecord;
class Timer;

// Which port and rate this run uses instead of the stored ones.
struct PortChoice {
    int port = 0;        // COMn; 0 = the stored one
    std::string device;  // a device path instead of a port number
    int baudIndex = -1;  // index into the baud list; -1 = the stored rate
};

struct MeasureOptions {
    PortChoice port;
    bool json = false;
};

struct LogOptions {
    PortChoice port;
    std::string path;        // OUT.csv
    double seconds = 0.0;    // > 0: end after this long
    long long count = 0;     // > 0: end after this many rows
    double every = 0.0;      // > 0: at most one row (the latest block) per this many seconds
    bool harmonics = false;  // add the 51 + 51 harmonic RMS values
    bool append = false;     // add to an existing file instead of refusing it
};

struct HarmonicTestOptions {
    PortChoice port;
    HarmonicTestSettings settings;  // class, --seconds, --rated-power; the nominal supply's defaults
    std::string csvPath;            // OUT.csv
    std::string pdfPath;            // OUT.pdf; empty for none
};

// The tasks' entries of the command line's registry (platform/command_task.h).
CommandTask MeasureCommand();
CommandTask LogCommand();
// --port COMn, --device PATH, --baud N: the rows every task on the instrument brings, and their reader.
std::vector<OptionRow> PortOptionRows();
UiText ReadPortChoice(const OptionValues& values, PortChoice& port);

// Each runs an event loop inside the program's (offscreen) application and returns the exit code.
int RunMeasureTask(const MeasureOptions& options);
int RunLogTask(const LogOptions& options);
int RunHarmonicTestTask(const HarmonicTestOptions& options);

// One measurement: printed on the first accepted block, then the run ends.
class MeasureTask {
  public:
    MeasureTask(HeadlessSession& run, bool json, std::function<void(const std::string&)> print);
    ~MeasureTask();
    void start();
    // Ctrl+C or SIGTERM before the block came: a failure.
    void stop();

  private:
    void onBlock(const MeasureRecord& record);

    HeadlessSession& run_;
    bool json_;
    std::function<void(const std::string&)> print_;
    int listener_ = 0;
};

// The log: one whole row per accepted block (or per --every period), each
// written in one write straight to the file, so a kill leaves every earlier row.
class LogTask {
  public:
    LogTask(HeadlessSession& run, LogOptions options);
    ~LogTask();
    // Before the port is opened: an existing file is refused unless appending
    // (and then only when its header is this run's), the file is opened or
    // created and a new one gets its header. False after a failure line.
    bool prepare();
    // The port is open: measuring continuously starts.
    void start();
    // Ctrl+C or SIGTERM: the latest block of an --every period is written, the run ends with 0.
    void stop();

  private:
    void onBlock(const MeasureRecord& record);
    bool write(const std::string& text);
    void writeRow(const std::string& row);
    void finished(int exitCode);

    HeadlessSession& run_;
    LogOptions options_;
    QFile file_;
    bool created_ = false;
    std::string pending_;  // the latest block of the current --every period
    std::unique_ptr<Timer> every_;
    int listener_ = 0;
};

}  // namespace lxv
