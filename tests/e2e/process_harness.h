// End-to-end harness: starts lxv7700-sim on a pseudo-terminal and the real
// program pointed at it (temporary LXV_HOME with SysSet.ini, offscreen), reads
// the program's test log and the simulator's block log with bounded polling,
// and ends only the processes it started, by pid. Reusable by longer runs.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace lxv::e2e {

// One child process, started with fork/exec; stopped (SIGTERM, then SIGKILL) by its pid.
class ChildProcess {
  public:
    ChildProcess() = default;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess() { stop(); }

    struct Options {
        std::map<std::string, std::string> env;  // added to (or replacing) the current environment
        bool pipeStdin = false;                  // stdin is a pipe from us (writeLine)
        bool pipeStdout = false;                 // stdout is a pipe to us (readLine); keep reading it
        std::string stdoutFile, stderrFile;      // otherwise appended to these files, when given
    };
    bool start(const std::vector<std::string>& argv, const Options& options);
    // Reads one line from the child's stdout, waiting at most `timeout`.
    bool readLine(std::string& line, std::chrono::milliseconds timeout);
    // Writes a line to the child's stdin (e.g. "mute").
    bool writeLine(const std::string& line);
    bool running();
    // Ends the process: SIGTERM, up to 3 s, then SIGKILL. Returns its exit status, or -1.
    int stop();
    pid_t pid() const { return pid_; }
    // The wait status once the process has ended (running() or stop() saw it), else -1.
    int status() const { return status_; }

  private:
    pid_t pid_ = -1;
    int stdinFd_ = -1;
    int stdoutFd_ = -1;
    std::string pending_;
    int status_ = -1;
};

// The whole of a file as it is now (empty when it is missing).
std::string ReadFile(const std::string& path);

// The lines of a text file as they are now (a missing file has none).
// A last line without its newline yet is left out.
std::vector<std::string> ReadLines(const std::string& path);

// Polls `done` every 20 ms until it is true or `timeout` has passed.
bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);

struct BlockLogEntry {
    long seq = 0;
    unsigned crc = 0;
    std::string outcome;    // ok, flip, short, drop, extra, garbage, muted
    double at = 0;          // seconds since the simulator started, when the request came
    std::size_t bytes = 0;  // what went on the wire for it
    double pausesMs = 0;    // the pauses between the pieces of a split reply
};
std::vector<BlockLogEntry> ReadBlockLog(const std::string& path);

// The CRC of the last "capture <crc>" line of a log (the simulator's standard
// error or the program's test log), or -1 when there is none.
long LastCaptureCrc(const std::vector<std::string>& lines);

// One line of the simulator's clocked trace: "lxv7700-sim: [12.345678] <text>",
// `at` in seconds since it started.
struct TraceEvent {
    double at = 0;
    std::string text;
};
std::vector<TraceEvent> ReadTrace(const std::vector<std::string>& lines);

// From the simulator's clocked trace (--trace --trace-clock): the time from
// the last byte of each measurement reply written to the next MEAS request
// read, in ms: the program's reaction as seen at the wire.
std::vector<double> RequestGapsMs(const std::vector<std::string>& trace);
// The value below which `share` (0..1) of the values lie (the median at 0.5); 0 for none.
double Percentile(std::vector<double> values, double share);

// The CRCs of the "block <hex>" lines of a program's test log.
std::vector<unsigned> AcceptedBlocks(const std::vector<std::string>& testLog);

struct RunOptions {
    std::vector<std::string> simArguments;        // fault options such as {"--flip", "0.2"}
    std::string action = "continuous";            // LXV_TEST_ACTION; empty for none
    bool usbBridge = false;                       // pin the port as the instrument's USB link (watchdog on)
    int baudIndex = -1;                           // [CommBaudrate] Baudrate, when 0..7
    std::string settings = {};                    // more SysSet.ini text, appended
    std::map<std::string, std::string> env = {};  // more environment of the program
};

// A simulator and the program, in a fresh temporary LXV_HOME.
class SimulatedRun {
  public:
    SimulatedRun(std::string programPath, std::string simPath);
    ~SimulatedRun();

    // Starts both; false (with why()) when the simulator gave no terminal.
    bool start(const RunOptions& options);
    // The simulator and the settings only, for programs started by runTask() or startTask().
    bool startSimulator(const RunOptions& options);
    void stop();

    // A command-line task of the program in this run's settings folder, without
    // a display; it ends by itself (SIGTERM after `timeout`).
    struct TaskResult {
        int exitCode = -1;  // -1 when it did not exit by itself
        std::string out, err;
    };
    TaskResult runTask(const std::vector<std::string>& arguments, std::chrono::milliseconds timeout);
    // Starts a task as program() and returns at once; `env` adds to its environment.
    bool startTask(const std::vector<std::string>& arguments, const std::map<std::string, std::string>& env = {});
    // Waits for the task startTask() began to end by itself (SIGTERM after `timeout`).
    TaskResult finishTask(std::chrono::milliseconds timeout);

    const std::string& home() const { return home_; }
    std::string testLogPath() const { return home_ + "/test.log"; }
    std::string blockLogPath() const { return home_ + "/blocks.log"; }
    std::vector<std::string> testLog() const { return ReadLines(testLogPath()); }
    std::vector<BlockLogEntry> blockLog() const { return ReadBlockLog(blockLogPath()); }
    // Waits until the test log holds `count` lines starting with `prefix`.
    bool waitForLines(const std::string& prefix, std::size_t count, std::chrono::milliseconds timeout) const;
    std::size_t countLines(const std::string& prefix) const;
    ChildProcess& sim() { return sim_; }
    ChildProcess& program() { return program_; }
    const std::string& why() const { return why_; }

  private:
    ChildProcess::Options taskOptions();
    static TaskResult Ended(ChildProcess& task, const ChildProcess::Options& options,
                            std::chrono::milliseconds timeout);

    std::string programPath_, simPath_, home_, why_;
    int tasks_ = 0;
    ChildProcess::Options startedTask_;
    ChildProcess sim_, program_;
};

}  // namespace lxv::e2e
