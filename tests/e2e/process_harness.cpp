#include "process_harness.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

namespace lxv::e2e {

namespace fs = std::filesystem;

namespace {

void RedirectTo(const std::string& file, int target) {
    if (file.empty()) return;
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    if (fd >= 0) ::dup2(fd, target);
}

}  // namespace

bool ChildProcess::start(const std::vector<std::string>& argv, const Options& options) {
    int in[2] = {-1, -1}, out[2] = {-1, -1};
    if (options.pipeStdin && ::pipe(in) != 0) return false;
    if (options.pipeStdout && ::pipe(out) != 0) return false;
    // Everything the child needs is prepared before fork.
    std::vector<std::string> envStrings;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        if (!options.env.count(entry.substr(0, entry.find('=')))) envStrings.push_back(entry);
    }
    for (const auto& [name, value] : options.env) envStrings.push_back(name + "=" + value);
    std::vector<char*> envp, args;
    for (auto& s : envStrings) envp.push_back(s.data());
    envp.push_back(nullptr);
    std::vector<std::string> argCopy = argv;
    for (auto& s : argCopy) args.push_back(s.data());
    args.push_back(nullptr);

    pid_ = ::fork();
    if (pid_ < 0) return false;
    if (pid_ == 0) {
        if (options.pipeStdin) {
            ::dup2(in[0], STDIN_FILENO);
            ::close(in[0]);
            ::close(in[1]);
        }
        if (options.pipeStdout) {
            ::dup2(out[1], STDOUT_FILENO);
            ::close(out[0]);
            ::close(out[1]);
        } else {
            RedirectTo(options.stdoutFile, STDOUT_FILENO);
        }
        RedirectTo(options.stderrFile, STDERR_FILENO);
        ::execve(args[0], args.data(), envp.data());
        ::_exit(127);
    }
    if (options.pipeStdin) {
        ::close(in[0]);
        stdinFd_ = in[1];
    }
    if (options.pipeStdout) {
        ::close(out[1]);
        stdoutFd_ = out[0];
    }
    return true;
}

bool ChildProcess::readLine(std::string& line, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (true) {
        if (const auto nl = pending_.find('\n'); nl != std::string::npos) {
            line = pending_.substr(0, nl);
            pending_.erase(0, nl + 1);
            return true;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
        if (stdoutFd_ < 0 || left.count() <= 0) return false;
        pollfd p{stdoutFd_, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(left.count())) <= 0) return false;
        char buf[512];
        const ssize_t n = ::read(stdoutFd_, buf, sizeof buf);
        if (n <= 0) return false;
        pending_.append(buf, static_cast<std::size_t>(n));
    }
}

bool ChildProcess::writeLine(const std::string& line) {
    if (stdinFd_ < 0) return false;
    const std::string text = line + "\n";
    return ::write(stdinFd_, text.data(), text.size()) == static_cast<ssize_t>(text.size());
}

bool ChildProcess::running() {
    if (pid_ <= 0) return false;
    int status = 0;
    const pid_t r = ::waitpid(pid_, &status, WNOHANG);
    if (r == pid_) {
        status_ = status;
        pid_ = -1;
        return false;
    }
    return r == 0;
}

int ChildProcess::stop() {
    if (stdinFd_ >= 0) ::close(stdinFd_);
    stdinFd_ = -1;
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        const bool ended = WaitUntil([this] { return !running(); }, std::chrono::milliseconds(10000));
        if (!ended && pid_ > 0) {
            ::kill(pid_, SIGKILL);
            int status = 0;
            ::waitpid(pid_, &status, 0);
            status_ = status;
            pid_ = -1;
        }
    }
    if (stdoutFd_ >= 0) ::close(stdoutFd_);
    stdoutFd_ = -1;
    return status_;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> ReadLines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (in.eof()) break;  // still being written
        lines.push_back(line);
    }
    return lines;
}

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

std::vector<BlockLogEntry> ReadBlockLog(const std::string& path) {
    std::vector<BlockLogEntry> entries;
    for (const std::string& line : ReadLines(path)) {
        std::istringstream in(line);
        BlockLogEntry e;
        std::string crc;
        if (in >> e.seq >> crc >> e.outcome) {
            e.crc = static_cast<unsigned>(std::strtoul(crc.c_str(), nullptr, 16));
            in >> e.at >> e.bytes >> e.pausesMs;
            entries.push_back(e);
        }
    }
    return entries;
}

long LastCaptureCrc(const std::vector<std::string>& lines) {
    long crc = -1;
    for (const auto& line : lines)
        if (const auto at = line.rfind("capture "); at != std::string::npos && line.size() == at + 12)
            crc = std::strtol(line.c_str() + at + 8, nullptr, 16);
    return crc;
}

std::vector<TraceEvent> ReadTrace(const std::vector<std::string>& lines) {
    std::vector<TraceEvent> events;
    for (const auto& line : lines) {
        const auto open = line.find('[');
        const auto close = line.find("] ", open);
        if (open == std::string::npos || close == std::string::npos) continue;
        events.push_back({std::strtod(line.c_str() + open + 1, nullptr), line.substr(close + 2)});
    }
    return events;
}

std::vector<double> RequestGapsMs(const std::vector<std::string>& trace) {
    std::vector<double> gaps;
    double replyEnd = -1;
    bool measurement = false;
    for (const TraceEvent& e : ReadTrace(trace)) {
        const double at = e.at * 1000.0;
        if (e.text == "-> end of reply") {
            replyEnd = measurement ? at : -1;
        } else if (e.text.rfind("-> ", 0) == 0) {
            measurement = e.text.find("[measurement block") != std::string::npos;
        } else if (e.text.rfind("<- ", 0) == 0 && e.text.find("read MEAS") != std::string::npos) {
            if (replyEnd >= 0) gaps.push_back(at - replyEnd);
            replyEnd = -1;
        }
    }
    return gaps;
}

double Percentile(std::vector<double> values, double share) {
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    const auto at = static_cast<std::size_t>(share * static_cast<double>(values.size()));
    return values[std::min(at, values.size() - 1)];
}

std::vector<unsigned> AcceptedBlocks(const std::vector<std::string>& testLog) {
    std::vector<unsigned> crcs;
    for (const std::string& line : testLog)
        if (line.rfind("block ", 0) == 0)
            crcs.push_back(static_cast<unsigned>(std::strtoul(line.c_str() + 6, nullptr, 16)));
    return crcs;
}

SimulatedRun::SimulatedRun(std::string programPath, std::string simPath)
    : programPath_(std::move(programPath)), simPath_(std::move(simPath)) {
    std::string pattern = (fs::temp_directory_path() / "lxv-e2e-XXXXXX").string();
    if (::mkdtemp(pattern.data())) home_ = pattern;
}

SimulatedRun::~SimulatedRun() {
    stop();
    std::error_code ec;
    // LXV_E2E_KEEP=1 keeps the folder (logs, traces) for a look afterwards.
    const char* keep = std::getenv("LXV_E2E_KEEP");
    if (!home_.empty() && !(keep && *keep == '1')) fs::remove_all(home_, ec);
}

bool SimulatedRun::start(const RunOptions& options) {
    if (!startSimulator(options)) return false;
    std::map<std::string, std::string> env = {
        {"LXV_HOME", home_}, {"LXV_TEST_LOG", testLogPath()}, {"QT_QPA_PLATFORM", "offscreen"}};
    if (!options.action.empty()) env["LXV_TEST_ACTION"] = options.action;
    for (const auto& [name, value] : options.env) env[name] = value;
    ChildProcess::Options programOptions;
    programOptions.env = env;
    programOptions.stdoutFile = home_ + "/program.out";
    programOptions.stderrFile = home_ + "/program.err";
    if (!program_.start({programPath_}, programOptions)) {
        why_ = "cannot start " + programPath_;
        return false;
    }
    return true;
}

bool SimulatedRun::startSimulator(const RunOptions& options) {
    if (home_.empty()) {
        why_ = "no temporary folder";
        return false;
    }
    const std::string link = home_ + "/sim.pty";
    std::vector<std::string> simArgs = {simPath_,      "--link",       link,
                                        "--block-log", blockLogPath(), "--exit-on-eof"};
    simArgs.insert(simArgs.end(), options.simArguments.begin(), options.simArguments.end());
    // The simulator's stdout goes to a file, so nothing it prints later can block it.
    ChildProcess::Options simOptions;
    simOptions.pipeStdin = true;
    simOptions.stdoutFile = home_ + "/sim.out";
    simOptions.stderrFile = home_ + "/sim.err";
    if (!sim_.start(simArgs, simOptions)) {
        why_ = "cannot start " + simPath_;
        return false;
    }
    if (!WaitUntil([&] { return !ReadLines(simOptions.stdoutFile).empty(); },
                   std::chrono::milliseconds(10000))) {
        why_ = "lxv7700-sim printed no terminal path";
        return false;
    }
    if (!WaitUntil([&] { return fs::exists(link); }, std::chrono::milliseconds(10000))) {
        why_ = "lxv7700-sim made no link " + link;
        return false;
    }
    // COM3 is the simulator; station 1 is its address.
    std::ofstream settings(home_ + "/SysSet.ini");
    settings << "[PortMap]\nCOM3=" << link << "\n";
    // Named and identified as the instrument's own USB bridge ("5736", a name of 23 characters).
    if (options.usbBridge)
        settings << "COM3Id=USB\\VID_1A86&PID_5736\\LXV7700\nCOM3Name=LXV7700 USB Link (COM3)\n";
    settings << "\n[CommPort]\nPort=3\n\n[CommAddress]\nAddress=1\n";
    if (options.baudIndex >= 0) settings << "\n[CommBaudrate]\nBaudrate=" << options.baudIndex << "\n";
    settings << options.settings;
    settings.close();
    return true;
}

ChildProcess::Options SimulatedRun::taskOptions() {
    ChildProcess::Options o;
    // No display: a task must not need one (the window would abort on xcb without it).
    o.env = {{"LXV_HOME", home_}, {"QT_QPA_PLATFORM", "xcb"}, {"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}};
    const std::string base = home_ + "/task" + std::to_string(++tasks_);
    o.stdoutFile = base + ".out";
    o.stderrFile = base + ".err";
    return o;
}

bool SimulatedRun::startTask(const std::vector<std::string>& arguments,
                             const std::map<std::string, std::string>& env) {
    std::vector<std::string> argv = {programPath_};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    startedTask_ = taskOptions();
    for (const auto& [name, value] : env) startedTask_.env[name] = value;
    return program_.start(argv, startedTask_);
}

SimulatedRun::TaskResult SimulatedRun::finishTask(std::chrono::milliseconds timeout) {
    return Ended(program_, startedTask_, timeout);
}

SimulatedRun::TaskResult SimulatedRun::Ended(ChildProcess& task, const ChildProcess::Options& options,
                                             std::chrono::milliseconds timeout) {
    TaskResult result;
    const bool ended = WaitUntil([&] { return !task.running(); }, timeout);
    const int status = ended ? task.status() : task.stop();
    if (ended && WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
    result.out = ReadFile(options.stdoutFile);
    result.err = ReadFile(options.stderrFile);
    return result;
}

SimulatedRun::TaskResult SimulatedRun::runTask(const std::vector<std::string>& arguments,
                                               std::chrono::milliseconds timeout) {
    ChildProcess task;
    std::vector<std::string> argv = {programPath_};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    const ChildProcess::Options options = taskOptions();
    if (!task.start(argv, options)) return {};
    return Ended(task, options, timeout);
}

void SimulatedRun::stop() {
    program_.stop();
    sim_.stop();
}

std::size_t SimulatedRun::countLines(const std::string& prefix) const {
    std::size_t n = 0;
    for (const std::string& line : testLog()) n += line.rfind(prefix, 0) == 0;
    return n;
}

bool SimulatedRun::waitForLines(const std::string& prefix, std::size_t count,
                                std::chrono::milliseconds timeout) const {
    return WaitUntil([&] { return countLines(prefix) >= count; }, timeout);
}

}  // namespace lxv::e2e
