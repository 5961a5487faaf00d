// INI settings files (SysSet.ini, EnterInfo.ini) on SimpleIni: section and key
// names matched without regard to case, other sections and keys kept intact,
// values written as decimal text and read back strictly.
#pragma once

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/ui_text.h"

namespace lxv {

// A value that is not what its key must hold; what() is the message shown.
class ConversionError : public UiError {
  public:
    using UiError::UiError;
};

// The standard conversion error message: "'abc' is not a valid integer value".
UiText InvalidIntegerMessage(const std::string& text);
UiText InvalidFloatMessage(const std::string& text);

// Strict conversions: optional blanks around an optional sign and digits only
// (floats: "." as the decimal point, optional exponent). Throw ConversionError.
int StrictToInt(const std::string& text);
double StrictToDouble(const std::string& text);

class IniFile {
  public:
    // Loads the file if it exists; a missing file reads as empty.
    explicit IniFile(std::string path);
    ~IniFile();
    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;

    const std::string& path() const { return path_; }

    bool hasKey(const std::string& section, const std::string& key) const;
    std::string readString(const std::string& section, const std::string& key, const std::string& def) const;
    // A missing key gives `def`; a present key that is not a decimal integer throws ConversionError.
    int readInteger(const std::string& section, const std::string& key, int def) const;

    // Written to disk at once (a setting is saved when the user changes it).
    // Returns false when the file could not be written; the file then keeps
    // what it held, and writeError() and the failure handler tell why.
    bool writeString(const std::string& section, const std::string& key, const std::string& value);
    bool writeInteger(const std::string& section, const std::string& key, int value);
    // Several keys of one section in one rewrite of the file: all or none.
    bool writeStrings(const std::string& section,
                      const std::vector<std::pair<std::string, std::string>>& values);

    // The message of the last failed write: "Cannot write file "<path>".
    // <the system's reason>"; empty after a write that succeeded.
    const std::string& writeError() const { return writeError_; }
    // The same message to translate.
    const UiText& writeErrorText() const { return writeErrorText_; }
    // Told the message of every failed write (the program shows it to the user).
    void setWriteFailureHandler(std::function<void(const std::string& message)> handler) {
        failureHandler_ = std::move(handler);
    }

    // Re-reads the file from disk. Reads also re-read it by themselves when
    // another writer has changed it since (time or size differ).
    void reload() const;

  private:
    void refresh() const;
    bool save();

    std::string path_;
    std::string writeError_;
    UiText writeErrorText_;
    std::function<void(const std::string&)> failureHandler_;
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace lxv
