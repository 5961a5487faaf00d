// The simulator's event loop: one thread polls the line, standard input and a
// signal pipe, and every delay (turnaround, pacing, silence, Starting-switch
// timer, re-plug) is a poll timeout, so commands are heard at all times.
// Depends on: lxv_core (frame codec, CRC, registers, block layout) and POSIX;
// never on Qt or the program's windows.
#pragma once

#include <optional>
#include <string>

#include "sim/block_log.h"
#include "sim/fault_injector.h"
#include "sim/instrument.h"
#include "sim/paced_output.h"
#include "sim/request_framer.h"
#include "sim/sim_options.h"
#include "sim/terminal_port.h"

namespace lxv::sim {

class Simulator {
  public:
    explicit Simulator(const SimOptions& options);
    ~Simulator();

    // Runs until "quit", SIGINT, SIGTERM or SIGHUP, or the end of standard
    // input with --exit-on-eof. Returns the process's exit status.
    int Run();

  private:
    double NowMs() const;
    bool OpenLine(std::string& error);
    void Step();
    void ReadLine(double now);
    void WriteLine(double now);
    void ReadCommands();
    void Command(const std::string& line, double now);
    void OnSignal(int signal, double now);
    void OnFrame(const ReceivedFrame& frame, double now);
    void PressStartingSwitch(double now);
    void Send(Reply reply, double now);
    void Unplug(double now);
    void Replug();
    // With --trace-clock the line carries `atMs` (a request's arrival), or the time of writing.
    void Log(const std::string& text, double atMs = -1.0) const;

    SimOptions options_;
    TerminalPort port_;
    RequestFramer framer_;
    Instrument instrument_;
    FaultInjector faults_;
    PacedOutput output_;
    std::size_t replyWritten_ = 0;  // bytes of the reply under way already written
    BlockLog blockLog_;
    double startMs_ = 0.0;
    bool running_ = true;
    int exitStatus_ = 0;
    bool stdinOpen_ = true;
    std::string stdinBuffer_;
    bool muteLogged_ = false;
    std::optional<double> switchAt_;  // --auto-trigger
    bool chunkDamaged_ = false;       // --damage-chunk: done for this capture
    std::optional<double> replugAt_;  // "unplug"
    double portQuietUntil_ = 0.0;     // back-off after a hang-up of a real device
};

}  // namespace lxv::sim
