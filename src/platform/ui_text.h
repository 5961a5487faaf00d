// A text the user sees, as plain code hands it to a view: the design's text
// (the source of its translation, with %1, %2 .. where values go) and the
// values. The view translates the source and fills in the values, again
// whenever the language changes; original() is the text of the original
// interface. Whole sentences only: a value is a number, a name or a path, or
// another design text translated with the sentence (a field's name).
//
// Plain code marks its texts for lupdate with QT_TRANSLATE_NOOP in the one
// context "lxv" (kTextContext); windows mark theirs the same way, so a text
// has one translation wherever it shows.
// Depends on: the C++ standard library only.
#pragma once

#include <iosfwd>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#ifndef QT_TRANSLATE_NOOP
// Qt's own definition, for code that includes no Qt header: lupdate reads the mark.
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

namespace lxv {

inline constexpr const char* kTextContext = "lxv";

class UiText {
  public:
    struct Arg {
        std::string text;
        bool translated = false;               // a design text, translated with the sentence
        std::shared_ptr<const UiText> nested;  // a whole text of its own (a reason), else none
    };

    UiText() = default;
    UiText(const char* source) : source_(source ? source : "") {}  // NOLINT: a design text
    UiText(std::string source) : source_(std::move(source)) {}     // NOLINT

    // The next %n: a value shown as it is.
    UiText& arg(std::string value);
    UiText& arg(const char* value) { return arg(std::string(value ? value : "")); }
    UiText& arg(long long value);
    UiText& arg(int value) { return arg(static_cast<long long>(value)); }
    // The next %n: a design text, translated with the sentence.
    UiText& argText(std::string source);
    // The next %n: a text with values of its own (a failure's reason).
    UiText& arg(const UiText& text);

    const std::string& source() const { return source_; }
    const std::vector<Arg>& args() const { return args_; }
    bool empty() const { return source_.empty(); }
    // As the original interface shows it: the source with the values in place.
    std::string original() const;
    // The original text, where plain code and files want words (test logs, error lines).
    operator std::string() const { return original(); }  // NOLINT

    // Two texts are the same when they read the same in the original interface.
    friend bool operator==(const UiText& a, const UiText& b) { return a.original() == b.original(); }

  private:
    std::string source_;
    std::vector<Arg> args_;
};

std::ostream& operator<<(std::ostream& out, const UiText& text);

// `pattern` with %1 .. %99 replaced by values[0] ..; in one pass, so a value
// that holds "%2" stays as it is. A %n without a value stays too.
std::string FillPlaceholders(const std::string& pattern, const std::vector<std::string>& values);

// A failure that ends the action at hand, told to the user: what() is the
// original text, text() the text to translate.
class UiError : public std::runtime_error {
  public:
    explicit UiError(const UiText& text) : std::runtime_error(text.original()), text_(text) {}
    const UiText& text() const { return text_; }

  private:
    UiText text_;
};

}  // namespace lxv
