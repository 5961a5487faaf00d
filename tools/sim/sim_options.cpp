// Command-line parsing of lxv7700-sim: strict numbers, ranges checked, one
// message naming the option at fault.
#include "sim/sim_options.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <map>
#include <type_traits>

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

Setter Text(std::string& target) {
    return [&target](std::string_view v) {
        target = v;
        return !v.empty();
    };
}

}  // namespace

bool ParseHarmonics(std::string_view text, std::vector<HarmonicShare>& out) {
    std::vector<HarmonicShare> result;
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        const std::string_view item = text.substr(0, comma);
        text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
        const std::size_t colon = item.find(':');
        if (colon == std::string_view::npos) return false;
        long long order = 0;
        double percent = 0.0;
        if (!ToInteger(item.substr(0, colon), order) || !ToDouble(item.substr(colon + 1), percent))
            return false;
        if (order < 2 || order > 50 || percent < 0.0 || percent > 100.0) return false;
        result.push_back({static_cast<int>(order), percent});
        if (comma != std::string_view::npos && text.empty()) return false;  // a trailing comma
    }
    out = std::move(result);
    return true;
}

ParseResult ParseOptions(const std::vector<std::string>& args) {
    ParseResult r;
    SimOptions& o = r.options;
    long long seed = 0;
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
        {"--address", Integer(1, 255, o.address)},
        {"--link", Text(o.link)},
        {"--device", Text(o.device)},
        {"--block-log", Text(o.blockLog)},
        {"--baud", Integer(50, 4000000, o.baud)},
        {"--turnaround", Integer(0, 60000, o.turnaroundMs)},
        {"--replug-ms", Integer(0, 600000, o.replugMs)},
        {"--auto-trigger", Number(0.0, 86400.0, o.autoTriggerSeconds)},
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
    }
    o.seed = static_cast<std::uint64_t>(seed);
    if (o.faults.drop + o.faults.cut + o.faults.flip + o.faults.extra + o.faults.garbage > 1.0) {
        r.error = "--drop, --short, --flip, --extra and --garbage together exceed 1";
        return r;
    }
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
  --noise F              relative spread of the readings (default 0.002)
  --seed N               repeatable noise and faults
  --auto-trigger S       press the Starting switch S seconds after a start request
Faults (probabilities per reply, logged to standard error):
  --flip P  --drop P  --short P  --split P  --mute-after N
  --extra P              1 to 16 random bytes after a reply
  --garbage P            1 to 6000 random bytes instead of a reply
Diagnostics:
  --trace                every request and reply in hex with a decode
  --trace-clock          start every log line with the seconds since start
  --block-log FILE       one line per measurement reply: seq crc outcome
Standard input commands: s (Starting switch), mute, unmute, unplug, quit.
SIGUSR1 presses the Starting switch; SIGINT and SIGTERM end the simulator.
)";
}

}  // namespace lxv::sim
