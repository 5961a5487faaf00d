// lxv7700-sim: a software LXV7700 power analyser for the companion program,
// its demo and its tests, on a pseudo-terminal or a real serial port.
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "sim/sim_options.h"
#include "sim/simulator.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    lxv::sim::ParseResult parsed = lxv::sim::ParseOptions(args);
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "lxv7700-sim: %s\nTry lxv7700-sim --help.\n", parsed.error.c_str());
        return 2;
    }
    if (parsed.options.help) {
        std::fputs(lxv::sim::UsageText().c_str(), stdout);
        return 0;
    }
    if (!parsed.options.seedGiven) parsed.options.seed = std::random_device{}();
    lxv::sim::Simulator simulator(parsed.options);
    return simulator.Run();
}
