#include "platform/whole_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

namespace lxv {

namespace {

std::string SystemError(const std::string& path) {
    return path + ": " + std::strerror(errno);
}

}  // namespace

std::string CreateTempFileBeside(const std::string& path, std::string& error) {
    const std::filesystem::path target(path);
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) {
        error = SystemError(path);
        return {};
    }
    // mkstemp makes the file private; give it the mode any new file of ours gets.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    ::close(fd);
    return name.data();
}

bool ReplaceWithTempFile(const std::string& temp, const std::string& path, std::string& error) {
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    if (!ec) return true;
    error = path + ": " + ec.message();
    std::remove(temp.c_str());
    return false;
}

bool CanWriteBeside(const std::string& path, const std::string& isFolderText, std::string& error) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        error = path + ": " + isFolderText;
        return false;
    }
    const std::string temp = CreateTempFileBeside(path, error);
    if (temp.empty()) return false;
    std::remove(temp.c_str());
    return true;
}

bool WriteFileWhole(const std::string& path, const TempFileWriter& write, std::string& error) {
    const std::string temp = CreateTempFileBeside(path, error);
    if (temp.empty()) return false;
    if (!write(temp, error)) {
        std::remove(temp.c_str());
        return false;
    }
    return ReplaceWithTempFile(temp, path, error);
}

bool WriteTextFileWhole(const std::string& path, const std::string& text, std::string& error) {
    return WriteFileWhole(
        path,
        [&path, &text](const std::string& temp, std::string& reason) {
            std::FILE* file = std::fopen(temp.c_str(), "wb");
            bool ok = file && std::fwrite(text.data(), 1, text.size(), file) == text.size();
            if (file) ok = std::fclose(file) == 0 && ok;
            if (!ok) reason = SystemError(path);
            return ok;
        },
        error);
}

}  // namespace lxv
