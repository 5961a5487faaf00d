#include "platform/ui_text.h"

#include <ostream>

namespace lxv {

UiText& UiText::arg(std::string value) {
    args_.push_back({std::move(value), false, nullptr});
    return *this;
}

UiText& UiText::arg(long long value) {
    return arg(std::to_string(value));
}

UiText& UiText::argText(std::string source) {
    args_.push_back({std::move(source), true, nullptr});
    return *this;
}

UiText& UiText::arg(const UiText& text) {
    args_.push_back({{}, false, std::make_shared<const UiText>(text)});
    return *this;
}

std::string UiText::original() const {
    if (args_.empty()) return source_;
    std::vector<std::string> values;
    for (const Arg& a : args_) values.push_back(a.nested ? a.nested->original() : a.text);
    return FillPlaceholders(source_, values);
}

std::ostream& operator<<(std::ostream& out, const UiText& text) {
    return out << text.original();
}

std::string FillPlaceholders(const std::string& pattern, const std::vector<std::string>& values) {
    std::string out;
    out.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const auto digit = [&](std::size_t k) {
            return k < pattern.size() && pattern[k] >= '0' && pattern[k] <= '9';
        };
        if (pattern[i] != '%' || !digit(i + 1)) {
            out += pattern[i];
            continue;
        }
        std::size_t end = i + 1;
        int n = 0;
        while (digit(end) && end < i + 3) n = n * 10 + (pattern[end++] - '0');
        if (n >= 1 && static_cast<std::size_t>(n) <= values.size()) {
            out += values[static_cast<std::size_t>(n - 1)];
            i = end - 1;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

}  // namespace lxv
