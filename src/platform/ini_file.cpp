#include "platform/ini_file.h"

#include "platform/number_format.h"

// UTF-8 text kept as it is; the class templates are instantiated here.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace lxv {

namespace fs = std::filesystem;

UiText InvalidIntegerMessage(const std::string& text) {
    return UiText(QT_TRANSLATE_NOOP("lxv", "'%1' is not a valid integer value")).arg(text);
}
UiText InvalidFloatMessage(const std::string& text) {
    return UiText(QT_TRANSLATE_NOOP("lxv", "'%1' is not a valid floating point value")).arg(text);
}

namespace {

std::string Trimmed(const std::string& s) {
    const auto b = s.find_first_not_of(" \t");
    if (b == std::string::npos) return {};
    const auto e = s.find_last_not_of(" \t");
    return s.substr(b, e - b + 1);
}

}  // namespace

int StrictToInt(const std::string& text) {
    const std::string t = Trimmed(text);
    std::size_t i = (!t.empty() && (t[0] == '+' || t[0] == '-')) ? 1 : 0;
    if (i >= t.size()) throw ConversionError(InvalidIntegerMessage(text));
    for (std::size_t k = i; k < t.size(); ++k)
        if (t[k] < '0' || t[k] > '9') throw ConversionError(InvalidIntegerMessage(text));
    errno = 0;
    const long long v = std::strtoll(t.c_str(), nullptr, 10);
    if (errno == ERANGE || v > 2147483647LL || v < -2147483648LL)
        throw ConversionError(InvalidIntegerMessage(text));
    return static_cast<int>(v);
}

double StrictToDouble(const std::string& text) {
    const std::optional<double> value = ParseNumber(text);
    if (!value) throw ConversionError(InvalidFloatMessage(text));
    return *value;
}

struct IniFile::Impl {
    CSimpleIniA ini{true, false, false};  // names without regard to case; UTF-8; one value per key
    // What the loaded copy was read from, so a change by another writer is seen.
    bool existed = false;
    fs::file_time_type time{};
    std::uintmax_t size = 0;

    Impl() { ini.SetSpaces(false); }  // "Key=Value", as the files have always been written
};

namespace {

// The state of the file on disk: exists, modification time, size.
bool Stamp(const std::string& path, fs::file_time_type& time, std::uintmax_t& size) {
    std::error_code ec;
    time = fs::last_write_time(path, ec);
    if (ec) return false;
    size = fs::file_size(path, ec);
    return !ec;
}

}  // namespace

IniFile::IniFile(std::string path) : path_(std::move(path)), impl_(std::make_unique<Impl>()) {
    reload();
}
IniFile::~IniFile() = default;

void IniFile::reload() const {
    impl_->ini.Reset();
    impl_->existed = Stamp(path_, impl_->time, impl_->size);
    // A missing file reads as empty, and so does anything but a file (a folder of that name).
    std::error_code ec;
    if (fs::is_regular_file(path_, ec)) impl_->ini.LoadFile(path_.c_str());
}

void IniFile::refresh() const {
    fs::file_time_type time;
    std::uintmax_t size = 0;
    const bool exists = Stamp(path_, time, size);
    if (exists != impl_->existed || time != impl_->time || size != impl_->size) reload();
}

bool IniFile::hasKey(const std::string& section, const std::string& key) const {
    refresh();
    return impl_->ini.GetValue(section.c_str(), key.c_str(), nullptr) != nullptr;
}

std::string IniFile::readString(const std::string& section, const std::string& key,
                                const std::string& def) const {
    refresh();
    const char* v = impl_->ini.GetValue(section.c_str(), key.c_str(), nullptr);
    return v ? std::string(v) : def;
}

int IniFile::readInteger(const std::string& section, const std::string& key, int def) const {
    refresh();
    const char* v = impl_->ini.GetValue(section.c_str(), key.c_str(), nullptr);
    if (!v) return def;
    return StrictToInt(v);
}

namespace {

// Writes `text` as the whole content of `path` and brings it to the disk.
// Returns 0, or the errno of the failure; `opened` tells whether the file
// could be made at all.
int WriteWholeFile(const std::string& path, const std::string& text, bool& opened) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    opened = fd >= 0;
    if (!opened) return errno;
    int failure = 0;
    std::size_t done = 0;
    while (failure == 0 && done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0)
            failure = n == 0 ? ENOSPC : errno;
        else
            done += static_cast<std::size_t>(n);
    }
    if (failure == 0 && ::fsync(fd) != 0 && errno != EINVAL) failure = errno;
    if (::close(fd) != 0 && failure == 0) failure = errno;
    return failure;
}

}  // namespace

bool IniFile::save() {
    std::string text;
    impl_->ini.Save(text, false);
    // Write a sibling file and rename it over the old one: a full disk or a crash
    // leaves the previous settings, never a cut-off file.
    std::error_code ec;
    fs::path target = fs::path(path_);
    if (fs::is_symlink(target, ec)) target = fs::canonical(target, ec);
    if (ec) target = fs::path(path_);
    const std::string temp = target.string() + ".new";
    bool opened = false;
    int failure = WriteWholeFile(temp, text, opened);
    std::string reason = failure ? std::strerror(failure) : "";
    if (failure == 0) {
        fs::rename(temp, target, ec);
        if (ec) reason = ec.message();
    }
    if (opened && !reason.empty()) fs::remove(temp, ec);
    // No sibling could be made (a folder that takes no new file): written in place,
    // unless the disk is full, where writing in place would cut the file off.
    if (!opened && failure != ENOSPC && failure != EDQUOT) {
        failure = WriteWholeFile(target.string(), text, opened);
        reason = failure ? std::strerror(failure) : "";
    }
    const bool saved = reason.empty();
    if (!saved) {
        writeErrorText_ =
            UiText(QT_TRANSLATE_NOOP("lxv", "Cannot write file \"%1\". %2")).arg(path_).arg(reason);
        writeError_ = writeErrorText_.original();
        reload();  // what is read back is what the file holds
        if (failureHandler_) failureHandler_(writeError_);
        return false;
    }
    writeError_.clear();
    writeErrorText_ = {};
    impl_->existed = Stamp(path_, impl_->time, impl_->size);
    return true;
}

bool IniFile::writeString(const std::string& section, const std::string& key, const std::string& value) {
    return writeStrings(section, {{key, value}});
}

bool IniFile::writeStrings(const std::string& section,
                           const std::vector<std::pair<std::string, std::string>>& values) {
    // Start from the file as it is now, so what other writers saved is kept.
    reload();
    for (const auto& [key, value] : values) impl_->ini.SetValue(section.c_str(), key.c_str(), value.c_str());
    return save();
}

bool IniFile::writeInteger(const std::string& section, const std::string& key, int value) {
    return writeString(section, key, std::to_string(value));
}

}  // namespace lxv
