// The simulator's command line: the simulated load, the link, the wire
// emulation and the fault switches, parsed into one plain struct.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lxv::sim {

// One harmonic of a channel, as a percentage of that channel's fundamental.
struct HarmonicShare {
    int order = 0;  // 2..50
    double percent = 0.0;
};

// One harmonic of the current in RMS amperes.
struct HarmonicAmperes {
    int order = 0;  // 2..50
    double amperes = 0.0;
};

// The load at the instrument's input terminals.
struct LoadSettings {
    double voltage = 230.0;   // RMS volts, harmonics included
    double current = 5.0;     // RMS amperes, harmonics included
    double frequency = 50.0;  // hertz
    double phase = -30.0;     // phase of the current's fundamental against the voltage's, degrees
    std::vector<HarmonicShare> voltageHarmonics{{3, 2.0}, {5, 1.5}, {7, 0.8}};
    std::vector<HarmonicShare> currentHarmonics{{3, 15.0}, {5, 8.0}, {7, 4.0}, {9, 2.0}, {11, 1.0}};
    // When not empty, the current's harmonics in RMS amperes (--harmonic-amperes), in place of
    // the percentages of currentHarmonics; the fundamental then makes up the rest of `current`.
    std::vector<HarmonicAmperes> currentHarmonicAmperes;
    double power = -1.0;   // --power: the active power in watts; < 0 = none (`current` as given)
    double noise = 0.002;  // relative spread of each block's amplitudes (0 = a perfectly steady load)
    // A standby load, with --power: the active power drifts by `driftWattsPerHour`
    // (--drift), starts at `settleFrom` watts and reaches `power` in a straight line after
    // `settleSeconds` (--settle W:SECONDS), and is `burstWatts` for `burstOnSeconds` at
    // the start of every `burstPeriodSeconds` (--burst W:ON:PERIOD, a cyclic load).
    double driftWattsPerHour = 0.0;
    double settleFrom = -1.0, settleSeconds = 0.0;  // settleFrom < 0: no settling
    double burstWatts = -1.0, burstOnSeconds = 0.0, burstPeriodSeconds = 0.0;  // burstWatts < 0: none
};

// The active power the standby model asks for at `seconds` since start (never below 0).
double ModelPower(const LoadSettings& load, double seconds);

struct FaultRates {
    double flip = 0.0;         // a reply gets one flipped bit
    double drop = 0.0;         // a reply is not sent
    double cut = 0.0;          // a reply is cut to 4 bytes or fewer (--short)
    double split = 0.0;        // a reply goes out in several pieces with small gaps
    double extra = 0.0;        // a reply is followed by 1 to 16 random bytes
    double garbage = 0.0;      // 1 to 6000 random bytes go out instead of a reply
    long long muteAfter = -1;  // replies answered before falling silent; -1 = never
};

struct SimOptions {
    LoadSettings load;
    FaultRates faults;
    int address = 1;
    std::string link;      // symbolic link to the pseudo-terminal's slave
    std::string device;    // a real serial port to serve instead of a pseudo-terminal
    std::string blockLog;  // file that gets one line per measurement reply
    int baud = 0;          // pacing of replies (pseudo-terminal) or line speed (device); 0 = unpaced
    int turnaroundMs = 0;
    int replugMs = 1000;
    double autoTriggerSeconds = -1.0;  // < 0: the Starting switch is pressed by hand only
    int damageChunk = 0;               // 1..6: the first reply of that chunk per capture gets a flipped bit
    std::uint64_t seed = 0;
    bool seedGiven = false;
    bool trace = false;
    bool traceClock = false;  // prefix every log line with the seconds since start
    bool exitOnEof = false;
    bool help = false;
};

struct ParseResult {
    SimOptions options;
    std::string error;  // empty when the command line was valid
};

ParseResult ParseOptions(const std::vector<std::string>& args);

// "3:5,5:3,7:1" (order:percent pairs); an empty text means no harmonics.
bool ParseHarmonics(std::string_view text, std::vector<HarmonicShare>& out);

// "3:1.9,5:1.3" (order:RMS amperes pairs); an empty text means no harmonics.
bool ParseHarmonicAmperes(std::string_view text, std::vector<HarmonicAmperes>& out);

// Checks the current's settings and applies --power: the current's
// fundamental is set so that the active power at the input is `power` (the
// phase and the harmonics stay), and `current` becomes the RMS current that
// follows. Empty when the load can be made; else the reason.
std::string ResolveLoad(LoadSettings& load);

std::string UsageText();

}  // namespace lxv::sim
