// Test files (.lxm): writing and reading the 8052-byte measurement record.
#include "cycle/test_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace lxv {

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

std::string SystemError(int error) {
    return std::strerror(error);
}

constexpr const char* kCannotCreate = QT_TRANSLATE_NOOP("lxv", "Cannot create file \"%1\". %2");
constexpr const char* kCannotWrite = QT_TRANSLATE_NOOP("lxv", "Cannot write file \"%1\". %2");
constexpr const char* kCannotOpen = QT_TRANSLATE_NOOP("lxv", "Cannot open file \"%1\". %2");
constexpr const char* kCannotRead = QT_TRANSLATE_NOOP("lxv", "Cannot read file \"%1\". %2");
constexpr const char* kReadBeyondEnd =
    QT_TRANSLATE_NOOP("lxv", "Cannot read file \"%1\". Read beyond end of file");

UiText FileError(const char* text, const std::string& path, int error) {
    return UiText(text).arg(path).arg(SystemError(error));
}

}  // namespace

UiText WriteTestFile(const std::string& path, const MeasureRecord& record) {
    std::FILE* raw = std::fopen(path.c_str(), "wb");
    if (!raw) return FileError(kCannotCreate, path, errno);
    File file(raw);
    if (std::fwrite(record.data(), 1, kRecordSize, file.get()) != kRecordSize)
        return FileError(kCannotWrite, path, errno);
    // fclose flushes the buffer: a full disk shows here, not at fwrite.
    if (std::fclose(file.release()) != 0) return FileError(kCannotWrite, path, errno);
    return {};
}

UiText ReadTestFile(const std::string& path, MeasureRecord& record) {
    File file(std::fopen(path.c_str(), "rb"));
    if (!file) return FileError(kCannotOpen, path, errno);
    // Read into a copy first so that a short or unreadable file leaves the
    // record exactly as it was.
    MeasureRecord loaded;
    const std::size_t got = std::fread(loaded.data(), 1, kRecordSize, file.get());
    if (got != kRecordSize) {
        if (std::ferror(file.get())) return FileError(kCannotRead, path, errno);
        return UiText(kReadBeyondEnd).arg(path);
    }
    record = loaded;
    return {};
}

}  // namespace lxv
