// Every double and single bit pattern through the number formats: no crash,
// and each text is what the format promises: digits with at most one ".", a
// sign only in front, the unit at the end, "INF"/"NaN" only for values that
// are not finite (in the panel's unit), and the general format reads back to
// the value it wrote.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/number_format.h"

namespace {

// "-"? digits, at most one ".", nothing else; at least one digit.
bool PlainDecimal(const std::string& t) {
    std::size_t i = t.size() > 0 && t[0] == '-' ? 1 : 0;
    std::size_t digits = 0, points = 0;
    for (; i < t.size(); ++i) {
        if (t[i] >= '0' && t[i] <= '9')
            ++digits;
        else if (t[i] == '.')
            ++points;
        else
            return false;
    }
    return digits > 0 && points <= 1;
}

bool NonFiniteText(const std::string& t) {
    return t == "INF" || t == "-INF" || t == "NaN";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 10) return 0;
    double d;
    float f;
    std::memcpy(&d, data, 8);
    std::memcpy(&f, data, 4);
    const int decimals = data[8] % 6;
    const bool cut = data[9] & 1;
    const int scale = data[9] & 2 ? 100 : 1;

    for (double v : {d, static_cast<double>(f)}) {
        const std::string g = lxv::FormatGeneral(v);
        if (g.empty() || g.size() > 24) std::abort();
        if (std::isfinite(v)) {
            // 15 significant digits: the text reads back within the last digit.
            const double back = std::strtod(g.c_str(), nullptr);
            // (near the largest double the rounded text may read back as infinity)
            if (v != 0 && std::isfinite(back) && std::fabs(back - v) > std::fabs(v) * 1e-14) std::abort();
            if (g.find_first_not_of("0123456789.-E") != std::string::npos) std::abort();
            if (g.find('-', 1) != std::string::npos && g.find("E-") == std::string::npos) std::abort();
        } else if (!NonFiniteText(g)) {
            std::abort();
        }

        const std::string p = lxv::FormatPanelValue(v, decimals, ".0", cut, "V", scale);
        if (p.size() < 2 || p.back() != 'V') std::abort();
        const std::string body = p.substr(0, p.size() - 1);
        const bool finiteInUnit = std::isfinite(v * scale);
        if (finiteInUnit ? !PlainDecimal(body) : !NonFiniteText(body)) std::abort();

        const std::string r = lxv::FormatRounded(v, decimals);
        if (std::isfinite(v) ? !PlainDecimal(r) : !NonFiniteText(r)) std::abort();
    }
    return 0;
}
