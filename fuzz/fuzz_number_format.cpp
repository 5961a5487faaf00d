// Every double and single bit pattern through the number formats: no crash,
// no garbage, and the general format reads back to the value it wrote.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "measure/number_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 10) return 0;
    double d;
    float f;
    std::memcpy(&d, data, 8);
    std::memcpy(&f, data, 4);
    const int decimals = data[8] % 6;
    const bool cut = data[9] & 1;

    for (double v : {d, static_cast<double>(f)}) {
        const std::string g = lxv::FormatGeneral(v);
        if (g.empty() || g.size() > 24) std::abort();
        if (std::isfinite(v)) {
            // 15 significant digits: the text reads back within the last digit.
            const double back = std::strtod(g.c_str(), nullptr);
            // (near the largest double the rounded text may read back as infinity)
            if (v != 0 && std::isfinite(back) && std::fabs(back - v) > std::fabs(v) * 1e-14) std::abort();
            if (g.find_first_not_of("0123456789.-E") != std::string::npos) std::abort();
        }
        const std::string p = lxv::FormatPanelValue(v, decimals, ".0", cut, "V", data[9] & 2 ? 100 : 1);
        if (p.empty() || p.back() != 'V') std::abort();
        lxv::FormatRounded(v, decimals);
    }
    return 0;
}
