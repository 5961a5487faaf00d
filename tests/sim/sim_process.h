// Test support: runs lxv7700-sim as a child process and talks to it through
// the pseudo-terminal it opens, with bounded waits only.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lxv::sim::test {

class SimProcess {
  public:
    // Starts `exe` with `args`; standard error goes to `stderrPath`.
    SimProcess(const std::string& exe, const std::vector<std::string>& args, const std::string& stderrPath);
    ~SimProcess();  // ends the child (by its pid) if it still runs
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    // The next line of standard output, empty after `timeoutMs` without one.
    std::string ReadLine(int timeoutMs);
    void Send(const std::string& line);
    void CloseStdin();
    void Signal(int signal) const;
    // Exit status once the child has ended within `timeoutMs`.
    std::optional<int> WaitExit(int timeoutMs);
    pid_t pid() const { return pid_; }

  private:
    pid_t pid_ = -1;
    int in_ = -1;
    int out_ = -1;
    std::string pending_;
    bool exited_ = false;
};

class PtyClient {
  public:
    explicit PtyClient(const std::string& path);  // raw, 8N1, as a serial program opens it
    ~PtyClient();
    PtyClient(const PtyClient&) = delete;
    PtyClient& operator=(const PtyClient&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    void Write(const std::vector<std::uint8_t>& bytes) const;
    // Reads until `expected` bytes have come or `timeoutMs` has passed.
    std::vector<std::uint8_t> Read(std::size_t expected, int timeoutMs) const;
    std::vector<std::uint8_t> Ask(const std::vector<std::uint8_t>& request, std::size_t expected,
                                  int timeoutMs = 10000) const {
        Write(request);
        return Read(expected, timeoutMs);
    }

  private:
    int fd_ = -1;
};

// Milliseconds on a steady clock.
double NowMs();

// Path of the simulator under test (the first argument of the test program).
const std::string& SimPath();
void SetSimPath(std::string path);

}  // namespace lxv::sim::test
