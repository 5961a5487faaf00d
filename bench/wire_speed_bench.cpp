// Continuous measurement through a paced wire: the real program against
// lxv7700-sim --baud N, counting the blocks it shows over a stretch of time.
// The wire's own limit is one block per 2532 x 10 bits / baud + the 50 ms
// pause of ContinuousReadTimer (+ the 8-byte request). A clean run must never
// show "Communication failure, re-request data!": that would be a healthy
// block asked for twice.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <string>

#include "process_harness.h"

namespace {

using Clock = std::chrono::steady_clock;

void BM_ContinuousMeasurementsPerSecond(benchmark::State& state) {
    static constexpr int kBauds[8] = {4800, 9600, 14400, 19200, 38400, 57600, 76800, 115200};
    const int baudIndex = static_cast<int>(state.range(0));
    const int baud = kBauds[baudIndex];
    const char* env = std::getenv("LXV_WIRE_SECONDS");
    const double seconds = env ? std::atof(env) : 20.0;
    for (auto _ : state) {
        lxv::e2e::SimulatedRun run(LXV_PROGRAM_PATH, LXV_SIM_PATH);
        lxv::e2e::RunOptions options;
        options.simArguments = {"--baud", std::to_string(baud)};
        options.baudIndex = baudIndex;
        if (!run.start(options) || !run.waitForLines("block ", 2, std::chrono::seconds(30))) {
            state.SkipWithError("the program showed no measurement");
            return;
        }
        const std::size_t first = run.countLines("block ");
        const auto start = Clock::now();
        lxv::e2e::WaitUntil([] { return false; },
                            std::chrono::milliseconds(static_cast<int>(seconds * 1000)));
        const std::size_t blocks = run.countLines("block ") - first;
        const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
        const double wireLimit = 1.0 / ((2532.0 + 8.0) * 10.0 / baud + 0.050);
        state.counters["baud"] = baud;
        state.counters["blocks_per_s"] = blocks / elapsed;
        state.counters["wire_limit_per_s"] = wireLimit;
        state.counters["share_of_limit"] = blocks / elapsed / wireLimit;
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

}  // namespace
