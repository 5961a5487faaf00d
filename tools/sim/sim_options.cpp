// Command-line parsing of lxv7700-sim: strict numbers, ranges checked, one
// message naming the option at fault.
#include "sim/sim_options.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <map>
#include <type_traits>

#include "sim/periodic_signal.h"

namespace lxv::sim {

namespace {

bool ToDouble(std::string_view text, double& out) {
    if (text.empty()) return false;
    const std::string s(text);
    char* end = nullptr;
    out = std::strtod(s.c_str(), &end);
    return end == s.c_str() + s.size() && std::isfinite(out);
}

bool ToInteger(std::string_view text, long long& out) {
    if (text.empty()) return false;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && ptr == text.data() + text.size();
}

using Setter = std::function<bool(std::string_view)>;

Setter Number(double lo, double hi, double& target) {
    return [lo, hi, &target](std::string_view v) {
        double d = 0.0;
        if (!ToDouble(v, d) || d < lo || d > hi) return false;
        target = d;
        return true;
    };
}

template <typename T>
Setter Integer(long long lo, long long hi, T& target) {
    return [lo, hi, &target](std::string_view v) {
        long long n = 0;
        if (!ToInteger(v, n) || n < lo || n > hi) return false;
        target = static_cast<T>(n);
        return true;
    };
}

// "a:b" or "a:b:c": numbers, each at least 0.
Setter Numbers(std::vector<double*> targets) {
    return [targets](std::string_view v) {
        std::vector<double> values;
        while (true) {
            const std::size_t colon = v.find(':');
            double d = 0.0;
            if (!ToDouble(v.substr(0, colon), d) || d < 0.0 || d > 1e7) return false;
            values.push_back(d);
            if (colon == std::string_view::npos) break;
            v = v.substr(colon + 1);
        }
        if (values.size() != targets.size()) return false;
        for (std::size_t i = 0; i < values.size(); ++i) *targets[i] = values[i];
        return true;
    };
}

Setter Text(std::string& target) {
    return [&target](std::string_view v) {
        target = v;
        return !v.empty();
    };
}

}  // namespace

namespace {

// "order:value" pairs separated by commas: orders 2..50, values 0..`largest`.
template <typename Pair>
bool ParsePairs(std::string_view text, double largest, std::vector<Pair>& out) {
    std::vector<Pair> result;
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        const std::string_view item = text.substr(0, comma);
        text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
        const std::size_t colon = item.find(':');
        if (colon == std::string_view::npos) return false;
        long long order = 0;
        double value = 0.0;
        if (!ToInteger(item.substr(0, colon), order) || !ToDouble(item.substr(colon + 1), value))
            return false;
        if (order < 2 || order > 50 || value < 0.0 || value > largest) return false;
        result.push_back(Pair{static_cast<int>(order), value});
        if (comma != std::string_view::npos && text.empty()) return false;  // a trailing comma
    }
    out = std::move(result);
    return true;
}

}  // namespace

bool ParseHarmonics(std::string_view text, std::vector<HarmonicShare>& out) {
    return ParsePairs(text, 100.0, out);
}

bool ParseHarmonicAmperes(std::string_view text, std::vector<HarmonicAmperes>& out) {
    return ParsePairs(text, 1e5, out);
}

double ModelPower(const LoadSettings& load, double seconds) {
    double watts = load.power + load.driftWattsPerHour * seconds / 3600.0;
    if (load.settleFrom >= 0.0 && seconds < load.settleSeconds)
        watts += (load.settleFrom - load.power) * (1.0 - seconds / load.settleSeconds);
    if (load.burstWatts >= 0.0 && load.burstPeriodSeconds > 0.0 &&
        std::fmod(seconds, load.burstPeriodSeconds) < load.burstOnSeconds)
        watts = load.burstWatts;
    return std::max(0.0, watts);
}

std::string ResolveLoad(LoadSettings& load) {
    const bool standby = load.driftWattsPerHour != 0.0 || load.settleFrom >= 0.0 || load.burstWatts >= 0.0;
    if (standby && load.power < 0.0) return "--drift, --settle and --burst need --power";
    if (load.burstWatts >= 0.0 && !(load.burstOnSeconds < load.burstPeriodSeconds))
        return "--burst needs a time on shorter than its period";
    if (load.power < 0.0) {
        double squares = 0.0;
        for (const HarmonicAmperes& h : load.currentHarmonicAmperes) squares += h.amperes * h.amperes;
        if (squares > load.current * load.current)
            return "--harmonic-amperes exceed the RMS current of --current";
        return {};
    }
    // The active power is linear in the fundamental: P(f) = p0 + f (p1 - p0).
    const PeriodicSignal u = PeriodicSignal::WithHarmonics(load.voltage, 0.0, load.voltageHarmonics);
    const double phase = load.phase * 3.14159265358979323846 / 180.0;
    const double p0 = ActivePower(u, LoadCurrent(load, 0.0, phase));
    const double p1 = ActivePower(u, LoadCurrent(load, 1.0, phase));
    if (!(p1 - p0 > 1e-12))
        return "--power cannot be reached: the current draws no active power at this --phase";
    const double fundamental = (load.power - p0) / (p1 - p0);
    if (fundamental < 0.0) return "--power is less than the power the harmonics draw alone";
    load.current = LoadCurrent(load, fundamental, phase).Rms();
    return {};
}

ParseResult ParseOptions(const std::vector<std::string>& args) {
    ParseResult r;
    SimOptions& o = r.options;
    long long seed = 0;
    bool currentGiven = false;
    const std::map<std::string, Setter> valued = {
        {"--voltage", Number(0.0, 1e6, o.load.voltage)},
        {"--current", Number(0.0, 1e5, o.load.current)},
        {"--frequency", Number(40.0, 70.0, o.load.frequency)},
        {"--phase", Number(-180.0, 180.0, o.load.phase)},
        {"--noise", Number(0.0, 0.1, o.load.noise)},
        {"--harmonics",
         [&o](std::string_view v) {
             return ParseHarmonics(v, o.load.voltageHarmonics) && ParseHarmonics(v, o.load.currentHarmonics);
         }},
        {"--voltage-harmonics",
         [&o](std::string_view v) { return ParseHarmonics(v, o.load.voltageHarmonics); }},
        {"--current-harmonics",
         [&o](std::string_view v) { return ParseHarmonics(v, o.load.currentHarmonics); }},
        {"--harmonic-amperes",
         [&o](std::string_view v) { return ParseHarmonicAmperes(v, o.load.currentHarmonicAmperes); }},
        {"--power", Number(0.0, 1e7, o.load.power)},
        {"--drift", Number(-1e6, 1e6, o.load.driftWattsPerHour)},
        {"--settle", Numbers({&o.load.settleFrom, &o.load.settleSeconds})},
        {"--burst", Numbers({&o.load.burstWatts, &o.load.burstOnSeconds, &o.load.burstPeriodSeconds})},
        {"--address", Integer(1, 255, o.address)},
        {"--link", Text(o.link)},
        {"--device", Text(o.device)},
        {"--block-log", Text(o.blockLog)},
        {"--baud", Integer(50, 4000000, o.baud)},
        {"--turnaround", Integer(0, 60000, o.turnaroundMs)},
        {"--replug-ms", Integer(0, 600000, o.replugMs)},
        {"--auto-trigger", Number(0.0, 86400.0, o.autoTriggerSeconds)},
        {"--damage-chunk", Integer(1, 6, o.damageChunk)},
        {"--seed", Integer(0, 0x7FFFFFFFFFFFFFFFLL, seed)},
        {"--flip", Number(0.0, 1.0, o.faults.flip)},
        {"--drop", Number(0.0, 1.0, o.faults.drop)},
        {"--short", Number(0.0, 1.0, o.faults.cut)},
        {"--split", Number(0.0, 1.0, o.faults.split)},
        {"--extra", Number(0.0, 1.0, o.faults.extra)},
        {"--garbage", Number(0.0, 1.0, o.faults.garbage)},
        {"--mute-after", Integer(0, 0x7FFFFFFFFFFFFFFFLL, o.faults.muteAfter)},
    };
    const std::map<std::string, bool*> flags = {{"--trace", &o.trace},
                                                {"--trace-clock", &o.traceClock},
                                                {"--exit-on-eof", &o.exitOnEof},
                                                {"--help", &o.help},
                                                {"-h", &o.help}};

    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::string value;
        bool hasValue = false;
        if (const std::size_t eq = name.find('='); name.rfind("--", 0) == 0 && eq != std::string::npos) {
            value = name.substr(eq + 1);
            name.resize(eq);
            hasValue = true;
        }
        if (const auto f = flags.find(name); f != flags.end() && !hasValue) {
            *f->second = true;
            continue;
        }
        const auto v = valued.find(name);
        if (v == valued.end()) {
            r.error = "unknown option " + name;
            return r;
        }
        if (!hasValue) {
            if (i + 1 >= args.size()) {
                r.error = name + " needs a value";
                return r;
            }
            value = args[++i];
        }
        if (!v->second(value)) {
            r.error = "invalid value for " + name + ": " + value;
            return r;
        }
        if (name == "--seed") o.seedGiven = true;
        if (name == "--current") currentGiven = true;
    }
    o.seed = static_cast<std::uint64_t>(seed);
    if (o.faults.drop + o.faults.cut + o.faults.flip + o.faults.extra + o.faults.garbage > 1.0) {
        r.error = "--drop, --short, --flip, --extra and --garbage together exceed 1";
        return r;
    }
    if (currentGiven && o.load.power >= 0.0) {
        r.error = "--power and --current cannot be given together";
        return r;
    }
    r.error = ResolveLoad(o.load);
    return r;
}

std::string UsageText() {
    return R"(Usage: lxv7700-sim [options]
A software LXV7700 power analyser. It opens a pseudo-terminal and prints the
path of its slave side as the first line of its output; point the companion
program (or any serial terminal) at that path.

Link:
  --link PATH            also make a symbolic link PATH to the slave
  --device DEV           serve a real serial port instead (null-modem bench)
  --baud N               pace replies at N baud (pseudo-terminal) or set the
                         line speed (device; default 14400)
  --turnaround MS        wait MS milliseconds before each reply
  --address N            station address, 1..255 (default 1)
  --replug-ms MS         pause of the "unplug" command (default 1000)
  --exit-on-eof          exit when standard input closes
Load:
  --voltage V            RMS volts (default 230)
  --current A            RMS amperes (default 5)
  --frequency HZ         40..70 (default 50)
  --phase DEG            current phase against the voltage (default -30)
  --harmonics LIST       both channels, e.g. "3:5,5:3,7:1" (% of fundamental)
  --voltage-harmonics LIST, --current-harmonics LIST   one channel ("" = none)
  --harmonic-amperes LIST   the current's harmonics in RMS amperes, e.g.
                         "3:1.9,5:1.3" (replaces the current's percentages; the
                         fundamental makes up the rest of --current)
  --power W              active power in watts: sets the current's fundamental
                         (phase and harmonics kept), so the RMS current follows;
                         not with --current
  --drift W_PER_HOUR     with --power: the power drifts by this much per hour
  --settle W:SECONDS     with --power: starts at W and reaches --power in a
                         straight line after SECONDS
  --burst W:ON:PERIOD    with --power: W for ON seconds at the start of every
                         PERIOD seconds (a cyclic load)
  --noise F              relative spread of the readings (default 0.002; with
                         --power the active power keeps within a quarter of it,
                         at most three standard deviations)
  --seed N               repeatable noise and faults
  --auto-trigger S       press the Starting switch S seconds after a start request
                         (each capture taken logs "capture <crc16 of its 10248 bytes>")
Faults (probabilities per reply, logged to standard error):
  --flip P  --drop P  --short P  --split P  --mute-after N
  --extra P              1 to 16 random bytes after a reply
  --garbage P            1 to 6000 random bytes instead of a reply
  --damage-chunk K       flip a bit of the first reply of chunk K (1..6) of each capture
Diagnostics:
  --trace                every request and reply in hex with a decode
  --trace-clock          start every log line with the seconds since start
  --block-log FILE       one line per measurement reply: seq crc outcome
Standard input commands: s (Starting switch), mute, unmute, unplug, quit.
SIGUSR1 presses the Starting switch; SIGINT and SIGTERM end the simulator.
)";
}

}  // namespace lxv::sim
