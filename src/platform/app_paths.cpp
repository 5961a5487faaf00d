#include "platform/app_paths.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace lxv {

namespace fs = std::filesystem;

namespace {

std::string& ProgramFolderStorage() {
    static std::string folder;
    return folder;
}

bool Writable(const std::string& folder) { return !folder.empty() && ::access(folder.c_str(), W_OK) == 0; }

}  // namespace

void SetProgramFolder(const std::string& folder) { ProgramFolderStorage() = folder; }

std::string ProgramFolder() {
    if (!ProgramFolderStorage().empty()) return ProgramFolderStorage();
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::current_path().string() : exe.parent_path().string();
}

std::string SettingsFolder() {
    if (const char* home = std::getenv("LXV_HOME"); home && *home) return home;
    const std::string program = ProgramFolder();
    if (Writable(program)) return program;
    std::string config;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) config = xdg;
    else if (const char* h = std::getenv("HOME"); h && *h) config = std::string(h) + "/.config";
    else config = "/tmp";
    const std::string folder = config + "/lxv7700";
    std::error_code ec;
    fs::create_directories(folder, ec);
    return folder;
}

std::string SysSetPath() { return SettingsFolder() + "/SysSet.ini"; }
std::string EnterInfoPath() { return SettingsFolder() + "/EnterInfo.ini"; }

std::string DataFilePath(const std::string& relative) {
    const fs::path beside = fs::path(ProgramFolder()) / relative;
    if (fs::exists(beside)) return beside.string();
#ifdef LXV_DATA_DIR
    const fs::path installed = fs::path(LXV_DATA_DIR) / relative;
    if (fs::exists(installed)) return installed.string();
#endif
    // Running from the build tree: the source tree's data folder.
#ifdef LXV_SOURCE_DATA_DIR
    const fs::path source = fs::path(LXV_SOURCE_DATA_DIR) / relative;
    if (fs::exists(source)) return source.string();
#endif
    return beside.string();
}

}  // namespace lxv
