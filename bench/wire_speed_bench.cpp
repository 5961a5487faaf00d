// Continuous measurement through a paced wire: the real program against
// lxv7700-sim --baud N, counting the blocks it shows over a stretch of time.
// The wire's own limit is one block per 2532 x 10 bits / baud + the 50 ms
// pause of ContinuousReadTimer (+ the 8-byte request; the simulator paces
// only its replies, so a share can read a little above 100 %). A clean run must never
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
        // Each new block is timed as it shows (polled every 20 ms), and the rate is
        // whole blocks over the time they took: counting blocks in a fixed window
        // would miss the fraction of a block still under way at its end (7 of 7.4
        // at 9600 baud, which read as 94 %).
        std::size_t seen = run.countLines("block ");
        const std::size_t first = seen;
        const auto firstAt = Clock::now();
        auto lastAt = firstAt;
        const auto end = firstAt + std::chrono::milliseconds(static_cast<int>(seconds * 1000));
        lxv::e2e::WaitUntil(
            [&] {
                if (const std::size_t n = run.countLines("block "); n != seen) {
                    seen = n;
                    lastAt = Clock::now();
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
