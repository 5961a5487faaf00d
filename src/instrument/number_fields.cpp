#include "instrument/number_fields.h"

#include <charconv>
#include <cmath>

namespace lxv {

std::string FieldConversionMessage(const std::string& name, const std::string& text) {
    return name + ": '" + text + "' is not a valid floating point value";
}

std::optional<double> ParseNumber(const std::string& text) {
    const auto b = text.find_first_not_of(" \t");
    if (b == std::string::npos) return std::nullopt;
    const auto e = text.find_last_not_of(" \t") + 1;
    const char* first = text.data() + b;
    const char* last = text.data() + e;
    if (*first == '+') {  // from_chars takes "-" but not "+"
        ++first;
        if (first == last || *first == '+' || *first == '-') return std::nullopt;
    }
    double value = 0;
    // from_chars never looks at the locale and takes no hex; "inf" and "nan" are refused.
    const auto [end, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec != std::errc{} || end != last || !std::isfinite(value)) return std::nullopt;
    return value;
}

FieldValues ReadNumberFields(const std::vector<NumberField>& fields) {
    FieldValues r;
    for (const NumberField& f : fields) {
        if (f.text.find_first_not_of(" \t") == std::string::npos) {
            r.values.push_back(0.0);
            continue;
        }
        const std::optional<double> v = ParseNumber(f.text);
        if (!v) return FieldValues{{}, FieldConversionMessage(f.name, f.text)};
        r.values.push_back(*v);
    }
    return r;
}

}  // namespace lxv
