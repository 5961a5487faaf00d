// The number-to-text rules of the program and the one text-to-number
// rule, independent of the locale: "." is always the decimal point and there
// is no thousands separator.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lxv {

// General format: the shortest text with at most 15 significant digits; a
// non-zero magnitude below 0.0001 or of 1E15 and above is written as mantissa,
// "E" and exponent without plus sign or leading zeros ("1E-5", "-2.5E20").
// A widened single shows its rounding (0.1f gives "0.100000001490116").
// Infinities are "INF" and "-INF", NaN is "NaN"; -0 is "0".
std::string FormatGeneral(double value);

// Panel format: value x scale rounded to `decimals` places (ties to even),
// written without trailing zeros, `fill` appended when no "." is left, cut to
// six characters when `cut` is set, then `unit` appended. The cut never drops
// digits before the decimal point. Non-finite values show "INF", "-INF" or
// "NaN" followed by the unit.
std::string FormatPanelValue(double value, int decimals, std::string_view fill, bool cut,
                             std::string_view unit, int scale = 1);

// Plain decimal without exponent or trailing zeros of nearest(value x 10^d) / 10^d
// (chart labels: "6.67", "81.25", "8"). Non-finite values as in FormatGeneral.
std::string FormatRounded(double value, int decimals);
// FormatRounded with exactly `decimals` decimals ("200.0", "0.0050").
std::string FormatFixed(double value, int decimals);

// The shortest decimal text that reads back as the same single (std::to_chars:
// "230", "0.1", "1e-05", "-0"), for files and output that programs read; empty
// for NaN and infinities, which a reader takes as "no value".
std::string FormatShortestSingle(float value);

// One number typed or stored as text: optional blanks, sign, digits with at
// most one ".", an optional exponent; nothing when the text is anything else
// (also when it is empty, not finite, or out of a double's range).
std::optional<double> ParseNumber(const std::string& text);

}  // namespace lxv
