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

std::string Quoted(const std::string& path) {
    return "\"" + path + "\"";
}

std::string SystemError(int error) {
    return std::strerror(error);
}

}  // namespace

std::string WriteTestFile(const std::string& path, const MeasureRecord& record) {
    std::FILE* raw = std::fopen(path.c_str(), "wb");
    if (!raw) return "Cannot create file " + Quoted(path) + ". " + SystemError(errno);
    File file(raw);
    if (std::fwrite(record.data(), 1, kRecordSize, file.get()) != kRecordSize)
        return "Cannot write file " + Quoted(path) + ". " + SystemError(errno);
    // fclose flushes the buffer: a full disk shows here, not at fwrite.
    if (std::fclose(file.release()) != 0)
        return "Cannot write file " + Quoted(path) + ". " + SystemError(errno);
    return {};
}

std::string ReadTestFile(const std::string& path, MeasureRecord& record) {
    File file(std::fopen(path.c_str(), "rb"));
    if (!file) return "Cannot open file " + Quoted(path) + ". " + SystemError(errno);
    // Read into a copy first so that a short or unreadable file leaves the
    // record exactly as it was.
    MeasureRecord loaded;
    const std::size_t got = std::fread(loaded.data(), 1, kRecordSize, file.get());
    if (got != kRecordSize) {
        if (std::ferror(file.get())) return "Cannot read file " + Quoted(path) + ". " + SystemError(errno);
        return "Cannot read file " + Quoted(path) + ". Read beyond end of file";
    }
    record = loaded;
    return {};
}

}  // namespace lxv
