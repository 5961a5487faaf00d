// Continuous measurement through a paced wire: the real program against
// lxv7700-sim --baud N, counting the blocks it shows over a stretch of time,
// in its window and as the headless log (--log), each with its CPU time per
// block (all its threads' run time from /proc, first block to last).
// The wire's own limit is one block per 2532 x 10 bits / baud + the 50 ms
// pause of ContinuousReadTimer (+ the 8-byte request; the simulator paces
// only its replies, so a share can read a little above 100 %). A clean run must never
// show "Communication failure, re-request data!": that would be a healthy
// block asked for twice.
//
// BM_RequestGapAtTheWire times the program's reaction at the wire as an outside
// peer sees it: the simulator's clocked trace on the other end of the
// pseudo-terminal, from the last byte of a measurement reply written to the
// next MEAS request read, at 115200 baud, for the window and the headless log.
// LXV_WIRE_PROGRAM names another build of the program to time (an older one,
// for a before-and-after figure).
#include <benchmark/benchmark.h>
#include <dirent.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>

#include "process_harness.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kBauds[8] = {4800, 9600, 14400, 19200, 38400, 57600, 76800, 115200};

double Seconds() {
    const char* env = std::getenv("LXV_WIRE_SECONDS");
    return env ? std::atof(env) : 20.0;
}

double WireLimit(int baud) {
    return 1.0 / ((2532.0 + 8.0) * 10.0 / baud + 0.050);
}

// CPU time of every thread of a process so far, in seconds (the scheduler's
// own count in nanoseconds, finer than the 10 ms ticks of /proc/<pid>/stat).
double CpuSeconds(pid_t pid) {
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    DIR* dir = ::opendir(tasks.c_str());
    if (!dir) return 0.0;
    double total = 0.0;
    while (const dirent* e = ::readdir(dir)) {
        if (e->d_name[0] == '.') continue;
        std::ifstream stat(tasks + "/" + e->d_name + "/schedstat");
        unsigned long long ns = 0;
        if (stat >> ns) total += static_cast<double>(ns) * 1e-9;
    }
    ::closedir(dir);
    return total;
}

const char* ProgramPath() {
    const char* env = std::getenv("LXV_WIRE_PROGRAM");
    return env && *env ? env : LXV_PROGRAM_PATH;
}

void Report(benchmark::State& state, int baud, std::size_t blocks, double elapsed, double cpu) {
    state.counters["baud"] = baud;
    state.counters["blocks_per_s"] = static_cast<double>(blocks) / elapsed;
    state.counters["wire_limit_per_s"] = WireLimit(baud);
    state.counters["share_of_limit"] = static_cast<double>(blocks) / elapsed / WireLimit(baud);
    state.counters["cpu_ms_per_block"] = cpu * 1000.0 / static_cast<double>(blocks);
}

// The simulator paced at the rate of the stored setting.
lxv::e2e::RunOptions PacedWire(int baudIndex) {
    lxv::e2e::RunOptions options;
    options.simArguments = {"--baud", std::to_string(kBauds[baudIndex])};
    options.baudIndex = baudIndex;
    return options;
}

void BM_ContinuousMeasurementsPerSecond(benchmark::State& state) {
    const int baudIndex = static_cast<int>(state.range(0));
    const int baud = kBauds[baudIndex];
    const double seconds = Seconds();
    for (auto _ : state) {
        lxv::e2e::SimulatedRun run(ProgramPath(), LXV_SIM_PATH);
        if (!run.start(PacedWire(baudIndex)) || !run.waitForLines("block ", 2, std::chrono::seconds(30))) {
            state.SkipWithError("the program showed no measurement");
            return;
        }
        // Each new block is timed as it shows (polled every 20 ms), and the rate is
        // whole blocks over the time they took: counting blocks in a fixed window
        // would miss the fraction of a block still under way at its end (7 of 7.4
        // at 9600 baud, which read as 94 %).
        std::size_t seen = run.countLines("block ");
        const std::size_t first = seen;
        const auto firstAt = Clock::now();
        auto lastAt = firstAt;
        const double cpuFirst = CpuSeconds(run.program().pid());
        double cpuLast = cpuFirst;
        const auto end = firstAt + std::chrono::milliseconds(static_cast<int>(seconds * 1000));
        lxv::e2e::WaitUntil(
            [&] {
                if (const std::size_t n = run.countLines("block "); n != seen) {
                    seen = n;
                    lastAt = Clock::now();
                    cpuLast = CpuSeconds(run.program().pid());
                }
                return Clock::now() >= end;
            },
            std::chrono::milliseconds(static_cast<int>(seconds * 1000) + 1000));
        const std::size_t blocks = seen - first;
        const double elapsed = std::chrono::duration<double>(lastAt - firstAt).count();
        if (blocks == 0) {
            state.SkipWithError("no block in the measured stretch; set LXV_WIRE_SECONDS longer");
            return;
        }
        Report(state, baud, blocks, elapsed, cpuLast - cpuFirst);
        const std::size_t failures = run.countLines("status Communication failure");
        state.counters["failure_statuses"] = static_cast<double>(failures);
        if (failures > 0)
            state.SkipWithError("a clean run showed \"Communication failure, re-request data!\"");
    }
}
BENCHMARK(BM_ContinuousMeasurementsPerSecond)
    ->Arg(0)
    ->Arg(1)
    ->Arg(5)
    ->Arg(7)
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

// Seconds of the day (with the date's day count) of a row's local time stamp.
double StampSeconds(const std::string& row) {
    std::tm t{};
    int ms = 0;
    if (std::sscanf(row.c_str(), "%d-%d-%dT%d:%d:%d.%d", &t.tm_year, &t.tm_mon, &t.tm_mday, &t.tm_hour,
                    &t.tm_min, &t.tm_sec, &ms) != 7)
        return -1.0;
    t.tm_year -= 1900;
    t.tm_mon -= 1;
    t.tm_isdst = -1;
    return static_cast<double>(std::mktime(&t)) + ms / 1000.0;
}

// The headless log through the same wire: the rate from the rows' own time
// stamps (ms), the CPU time between the first and the last row.
void BM_LogMeasurementsPerSecond(benchmark::State& state) {
    const int baudIndex = static_cast<int>(state.range(0));
    const int baud = kBauds[baudIndex];
    const double seconds = Seconds();
    for (auto _ : state) {
        lxv::e2e::SimulatedRun run(ProgramPath(), LXV_SIM_PATH);
        const std::string file = run.home() + "/log.csv";
        const auto rows = [&] { return lxv::e2e::ReadLines(file); };
        if (!run.startSimulator(PacedWire(baudIndex)) || !run.startTask({"--log", file}) ||
            !lxv::e2e::WaitUntil([&] { return rows().size() >= 2; }, std::chrono::seconds(30))) {
            state.SkipWithError("the log got no row");
            return;
        }
        const std::size_t first = rows().size();
        const double cpuFirst = CpuSeconds(run.program().pid());
        double cpuLast = cpuFirst;
        std::size_t seen = first;
        const auto end = Clock::now() + std::chrono::milliseconds(static_cast<int>(seconds * 1000));
        lxv::e2e::WaitUntil(
            [&] {
                if (const std::size_t n = rows().size(); n != seen) {
                    seen = n;
                    cpuLast = CpuSeconds(run.program().pid());
                }
                return Clock::now() >= end;
            },
            std::chrono::milliseconds(static_cast<int>(seconds * 1000) + 1000));
        run.stop();
        const auto lines = lxv::e2e::ReadLines(file);
        if (seen <= first || lines.size() < seen) {
            state.SkipWithError("no row in the measured stretch; set LXV_WIRE_SECONDS longer");
            return;
        }
        const double elapsed = StampSeconds(lines[seen - 1]) - StampSeconds(lines[first - 1]);
        Report(state, baud, seen - first, elapsed, cpuLast - cpuFirst);
        // Re-requests show in the log's progress lines; a clean wire must have none.
        const auto progress = lxv::e2e::ReadLines(run.home() + "/task1.err");
        const std::string last = progress.empty() ? std::string() : progress.back();
        const bool reRequested = !last.empty() && last.find(", 0 re-requests") == std::string::npos;
        state.counters["re_requested"] = reRequested;
        if (reRequested) state.SkipWithError("a clean run asked for a block again");
    }
}
BENCHMARK(BM_LogMeasurementsPerSecond)
    ->Arg(0)
    ->Arg(1)
    ->Arg(5)
    ->Arg(7)
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

// The gap at the wire, 115200 baud: arg 0 the window (continuous measurement),
// arg 1 the headless log. The first 3 blocks (start-up) are left out.
void BM_RequestGapAtTheWire(benchmark::State& state) {
    const bool window = state.range(0) == 0;
    const double seconds = Seconds();
    for (auto _ : state) {
        lxv::e2e::SimulatedRun run(ProgramPath(), LXV_SIM_PATH);
        lxv::e2e::RunOptions options = PacedWire(7);
        options.simArguments.insert(options.simArguments.end(), {"--trace", "--trace-clock"});
        const std::string trace = run.home() + "/sim.err";
        const auto gaps = [&] { return lxv::e2e::RequestGapsMs(lxv::e2e::ReadLines(trace)); };
        const auto wanted = static_cast<std::size_t>(3 + seconds * 3.5);
        bool started = false;
        if (window) {
            options.action = "continuous";
            started = run.start(options);
        } else {
            options.action.clear();
            started = run.startSimulator(options) && run.startTask({"--log", run.home() + "/log.csv"});
        }
        if (!started ||
            !lxv::e2e::WaitUntil([&] { return gaps().size() >= wanted; },
                                 std::chrono::milliseconds(static_cast<int>(seconds * 1500) + 10000))) {
            state.SkipWithError("too few measurement cycles came");
            return;
        }
        run.stop();
        std::vector<double> all = gaps();
        const std::vector<double> measured(all.begin() + 3, all.end());
        state.counters["wire_median_ms"] = lxv::e2e::Percentile(measured, 0.5);
        state.counters["wire_p05_ms"] = lxv::e2e::Percentile(measured, 0.05);
        state.counters["wire_p95_ms"] = lxv::e2e::Percentile(measured, 0.95);
        state.counters["cycles"] = static_cast<double>(measured.size());
    }
}
BENCHMARK(BM_RequestGapAtTheWire)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
