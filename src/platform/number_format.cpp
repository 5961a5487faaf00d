#include "platform/number_format.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace lxv {

namespace {

const char* NonFiniteText(double v) {
    if (std::isnan(v)) return "NaN";
    return v < 0 ? "-INF" : "INF";
}

// Digits of the whole number |n| (a finite double holding an integer), exactly.
std::string IntegerDigits(double n) {
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.0f", std::fabs(n));
    return buf;
}

// n / 10^decimals in plain decimal, without trailing zeros or a lone ".".
std::string ScaledIntegerText(double n, int decimals) {
    std::string digits = IntegerDigits(n);
    if (decimals > 0) {
        if (digits.size() <= static_cast<std::size_t>(decimals))
            digits.insert(0, static_cast<std::size_t>(decimals) + 1 - digits.size(), '0');
        digits.insert(digits.size() - static_cast<std::size_t>(decimals), 1, '.');
        while (digits.back() == '0') digits.pop_back();
        if (digits.back() == '.') digits.pop_back();
    }
    if (n < 0) digits.insert(0, 1, '-');
    return digits;
}

double Pow10(int d) {
    double p = 1.0;
    for (int i = 0; i < d; ++i) p *= 10.0;
    return p;
}

// nearest(value x multiplier), ties to even, without a negative zero.
double NearestScaled(double value, double multiplier) {
    double n = std::nearbyint(value * multiplier);
    if (n == 0.0) n = 0.0;
    return n;
}

// value x scale rounded to `decimals` decimals, in plain decimal. A product too
// large for a double keeps fewer decimals rather than printing "inf" digits;
// only a value that is infinite in the panel's unit reads "INF".
std::string ScaledText(double value, double scale, int decimals) {
    const double scaled = value * scale;
    if (!std::isfinite(scaled)) return NonFiniteText(scaled);
    if (std::isfinite(value * (scale * Pow10(decimals))))
        return ScaledIntegerText(NearestScaled(value, scale * Pow10(decimals)), decimals);
    while (decimals > 0 && !std::isfinite(scaled * Pow10(decimals))) --decimals;
    return ScaledIntegerText(NearestScaled(scaled, Pow10(decimals)), decimals);
}

}  // namespace

std::string FormatGeneral(double v) {
    if (!std::isfinite(v)) return NonFiniteText(v);
    if (v == 0.0) return "0";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", v);  // [-]d.dddddddddddddde[+-]xx
    std::string s(buf);
    const bool negative = s[0] == '-';
    if (negative) s.erase(0, 1);
    const std::size_t e = s.find('e');
    const int exponent = std::atoi(s.c_str() + e + 1);
    std::string digits = s.substr(0, 1) + s.substr(2, e - 2);  // 15 significant digits
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    std::string out = negative ? "-" : "";
    if (exponent < -4 || exponent >= 15) {
        out += digits[0];
        if (digits.size() > 1) out += "." + digits.substr(1);
        out += "E" + std::to_string(exponent);
    } else if (exponent < 0) {
        out += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    } else {
        const std::size_t intLen = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= intLen) {
            out += digits + std::string(intLen - digits.size(), '0');
        } else {
            out += digits.substr(0, intLen) + "." + digits.substr(intLen);
        }
    }
    return out;
}

std::string FormatRounded(double value, int decimals) {
    if (!std::isfinite(value)) return NonFiniteText(value);
    return ScaledText(value, 1.0, decimals);
}

std::string FormatFixed(double value, int decimals) {
    std::string text = FormatRounded(value, decimals);
    if (!std::isfinite(value) || decimals <= 0) return text;
    std::size_t point = text.find('.');
    if (point == std::string::npos) {
        point = text.size();
        text += '.';
    }
    text.append(static_cast<std::size_t>(decimals) - (text.size() - point - 1), '0');
    return text;
}

std::string FormatPanelValue(double value, int decimals, std::string_view fill, bool cut,
                             std::string_view unit, int scale) {
    std::string text;
    if (!std::isfinite(value)) {
        text = NonFiniteText(value);
    } else {
        text = ScaledText(value, scale, decimals);
        if (text.find('.') == std::string::npos && std::isfinite(value * scale)) text += fill;
        if (cut) {
            // Six characters, but never into the digits before the point: a large
            // value keeps its whole integer part rather than showing a wrong number.
            const std::size_t point = text.find('.');
            std::size_t keep = 6;
            if (point != std::string::npos && point >= keep) keep = point;
            if (text.size() > keep) text.resize(keep);
        }
    }
    text += unit;
    return text;
}

std::string FormatShortestSingle(float value) {
    if (!std::isfinite(value)) return {};
    char buf[32];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    return ec == std::errc() ? std::string(buf, end) : std::string();
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

}  // namespace lxv
