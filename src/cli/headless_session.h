// The instrument session without a window, for the command-line tasks: the
// same Session as the window (port, link control, reply receiver, request
// queue, MeasureControl with the measurement cycle and its timers, LinkControl
// with the link watchdog's 100 ms timer), opened the way the window's start-up
// opens it.
// What is its own: opening without a window, the first-block and progress
// timers, and the end of a task. A task listens to the session's
// measurement feed and ends the run with finish(); a failure ends it with one
// line that names the port and the cause.
//
// Timers (from the session's timer factory): "FirstBlockTimer" (10 s to the
// first accepted block), "ProgressTimer" (10 s), "EndTimer"; the measurement
// cycle's are MeasureControl's and the watchdog's LinkControl's.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "session/session.h"

namespace lxv {

class IniFile;
class SerialPort;
class Timer;
class TimerFactory;

class HeadlessSession {
  public:
    using LineSink = std::function<void(const std::string& line)>;
    using Clock = std::function<std::chrono::system_clock::time_point()>;

    // `messages` gets failure and progress lines (standard error, without the program's name).
    HeadlessSession(SerialPort& port, IniFile& sysSet, TimerFactory& timers, LineSink messages);
    ~HeadlessSession();
    HeadlessSession(const HeadlessSession&) = delete;
    HeadlessSession& operator=(const HeadlessSession&) = delete;

    Session& session() { return session_; }
    TimerFactory& timers() { return session_.core.timers; }

    // Opens the instrument's port as the window's start-up does: the stored
    // port, baud rate and address, [PortMap], the port scan and the settings
    // read. `port` (COMn) and `baudIndex` replace the stored ones for this run
    // (0 and -1 keep them); `label` names the port in messages instead of
    // "COMn (device)". False after a failure line.
    bool open(int port = 0, int baudIndex = -1, const std::string& label = {});
    // Single or continuous measurement, once the settings read of the opening
    // is answered (or given up); the usual re-request rules apply. `started`
    // runs when the first request of it has gone out.
    void start(MeasureMode mode, std::function<void()> started = {});
    // Ends the run with exit code 0 after `seconds` of measuring (set before start()).
    void endAfter(double seconds);
    // One progress line every 10 s of measuring: elapsed, what the task counts
    // ("12 rows" unless `counted` says otherwise), blocks per second, re-requests.
    void showProgress(std::function<std::string()> counted = {});
    void countRow() { ++rows_; }

    // Ends the run: measuring stops, the USB link gets LINKEND, the finished
    // handlers run with `exitCode`. Later calls do nothing.
    void finish(int exitCode);
    // One line "<subject>: <cause>" (the port when no subject is given), then finish(1).
    void fail(const UiText& cause, const std::string& subject = {});
    // A line on the messages that ends nothing (a note of a result).
    void tell(const std::string& line) { messages_(line); }
    // One whole line that names its subject itself ("out.csv: No space left on device"), then finish(1).
    void failLine(const std::string& line);
    // Called by finish(), in the order added.
    void addFinishedHandler(std::function<void(int exitCode)> handler);
    bool finished() const { return finished_; }
    int exitCode() const { return exitCode_; }

    long blocks() const { return blocks_; }
    long rows() const { return rows_; }
    // Requests sent again: after a short, damaged or oversize reply and after ReReadTimer's wait.
    long reRequests() const { return badReplies_ + session_.measure.reRequests(); }
    // "COM3 (/dev/ttyUSB0)", or the label given to open().
    std::string portLabel();

    // The time stamps of blocks (the system clock unless a test sets another).
    std::chrono::system_clock::time_point now() const { return clock_(); }
    void setClock(Clock clock) { clock_ = std::move(clock); }

    static constexpr int kFirstBlockMs = 10000;
    static constexpr int kProgressMs = 10000;

  private:
    void afterWatchdogTick();
    void startWhenReady();
    void armEnd();
    void progressLine();
    UiText portFailure();

    Session session_;
    IniFile& sysSet_;
    LineSink messages_;
    Clock clock_ = [] { return std::chrono::system_clock::now(); };
    std::unique_ptr<Timer> firstBlock_, progressTimer_, end_;
    std::vector<std::function<void(int)>> finishedHandlers_;
    std::function<void()> started_;
    std::function<std::string()> counted_;
    int feedListener_ = 0;
    std::string label_;
    bool opened_ = false;
    bool waitingToStart_ = false;
    bool progress_ = false;
    bool finished_ = false;
    int exitCode_ = 0;
    MeasureMode mode_{};
    long long endLeftMs_ = -1;  // -1: no end
    int endArmedMs_ = 0;
    long blocks_ = 0, rows_ = 0, badReplies_ = 0;
    long periodBlocks_ = 0;
    long periods_ = 0;
};

}  // namespace lxv
