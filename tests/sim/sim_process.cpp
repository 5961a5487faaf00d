// Child process and pseudo-terminal client for the simulator's tests.
#include "sim/sim_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

namespace lxv::sim::test {

namespace {
std::string& SimPathStore() {
    static std::string path;
    return path;
}
}  // namespace

const std::string& SimPath() {
    return SimPathStore();
}
void SetSimPath(std::string path) {
    SimPathStore() = std::move(path);
}

double NowMs() {
    using std::chrono::steady_clock;
    return std::chrono::duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

SimProcess::SimProcess(const std::string& exe, const std::vector<std::string>& args,
                       const std::string& stderrPath) {
    int in[2], out[2];
    if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
        dup2(in[0], STDIN_FILENO);
        dup2(out[1], STDOUT_FILENO);
        const int err = open(stderrPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (err >= 0) dup2(err, STDERR_FILENO);
        std::vector<char*> argv{const_cast<char*>(exe.c_str())};
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(exe.c_str(), argv.data());
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    in_ = in[1];
    out_ = out[0];
}

SimProcess::~SimProcess() {
    if (pid_ > 0 && !exited_) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    if (in_ >= 0) close(in_);
    if (out_ >= 0) close(out_);
}

std::string SimProcess::ReadLine(int timeoutMs) {
    const double end = NowMs() + timeoutMs;
    for (;;) {
        if (const auto eol = pending_.find('\n'); eol != std::string::npos) {
            std::string line = pending_.substr(0, eol);
            pending_.erase(0, eol + 1);
            return line;
        }
        const int left = static_cast<int>(end - NowMs());
        if (left <= 0) return {};
        pollfd p{out_, POLLIN, 0};
        if (poll(&p, 1, left) <= 0) continue;
        char buffer[256];
        const ssize_t got = read(out_, buffer, sizeof buffer);
        if (got <= 0) return {};
        pending_.append(buffer, static_cast<std::size_t>(got));
    }
}

void SimProcess::Send(const std::string& line) {
    const std::string text = line + "\n";
    [[maybe_unused]] const ssize_t n = write(in_, text.data(), text.size());
}

void SimProcess::CloseStdin() {
    close(in_);
    in_ = -1;
}

void SimProcess::Signal(int signal) const {
    kill(pid_, signal);
}

std::optional<int> SimProcess::WaitExit(int timeoutMs) {
    const double end = NowMs() + timeoutMs;
    while (NowMs() < end) {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            exited_ = true;
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        poll(nullptr, 0, 5);
    }
    return std::nullopt;
}

PtyClient::PtyClient(const std::string& path) {
    fd_ = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) return;
    termios tio{};
    tcgetattr(fd_, &tio);
    cfmakeraw(&tio);
    cfsetspeed(&tio, B115200);
    tcsetattr(fd_, TCSANOW, &tio);
}

PtyClient::~PtyClient() {
    if (fd_ >= 0) close(fd_);
}

void PtyClient::Write(const std::vector<std::uint8_t>& bytes) const {
    [[maybe_unused]] const ssize_t n = write(fd_, bytes.data(), bytes.size());
}

std::vector<std::uint8_t> PtyClient::Read(std::size_t expected, int timeoutMs) const {
    std::vector<std::uint8_t> got;
    const double end = NowMs() + timeoutMs;
    while (got.size() < expected) {
        const int left = static_cast<int>(end - NowMs());
        if (left <= 0) break;
        pollfd p{fd_, POLLIN, 0};
        if (poll(&p, 1, left) <= 0) continue;
        if (!(p.revents & POLLIN)) break;  // hung up
        std::uint8_t buffer[4096];
        const ssize_t n = read(fd_, buffer, std::min(sizeof buffer, expected - got.size()));
        if (n <= 0) break;
        got.insert(got.end(), buffer, buffer + n);
    }
    return got;
}

}  // namespace lxv::sim::test
