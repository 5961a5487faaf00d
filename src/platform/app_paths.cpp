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

bool Writable(const std::string& folder) {
    return !folder.empty() && ::access(folder.c_str(), W_OK) == 0;
}

// The share folder of an installed program: <prefix>/share/lxv7700 beside <prefix>/bin.
fs::path InstalledShareFolder(const std::string& programFolder) {
    return fs::path(programFolder).parent_path() / "share" / "lxv7700";
}

// An installed program lives in a system folder (/usr/bin) that is no place for
// settings, even when the user running it (root) could write there. It is known
// by the folder it was built for or by its share folder beside it (a package
// installs to another prefix than the build's).
bool InstalledFolder(const std::string& folder) {
    std::error_code ec;
    if (fs::is_directory(InstalledShareFolder(folder), ec)) return true;
#ifdef LXV_INSTALL_BIN_DIR
    return fs::equivalent(folder, LXV_INSTALL_BIN_DIR, ec) && !ec;
#else
    return false;
#endif
}

std::string MadeFolder(const std::string& folder) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    return folder;
}

}  // namespace

void SetProgramFolder(const std::string& folder) {
    ProgramFolderStorage() = folder;
}

std::string ProgramFolder() {
    if (!ProgramFolderStorage().empty()) return ProgramFolderStorage();
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::current_path().string() : exe.parent_path().string();
}

std::string SettingsFolder() {
    if (const char* home = std::getenv("LXV_HOME"); home && *home) return MadeFolder(home);
    const std::string program = ProgramFolder();
    if (Writable(program) && !InstalledFolder(program)) return program;
    std::string config;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        config = xdg;
    else if (const char* h = std::getenv("HOME"); h && *h)
        config = std::string(h) + "/.config";
    else
        config = "/tmp";
    return MadeFolder(config + "/lxv7700");
}

std::string SysSetPath() {
    return SettingsFolder() + "/SysSet.ini";
}
std::string EnterInfoPath() {
    return SettingsFolder() + "/EnterInfo.ini";
}

std::string DataFilePath(const std::string& name) {
    // Names are written the Windows way ("PenData\\green.dat", "/PdfDoc/Handbook.pdf"):
    // backslashes separate folders and a leading separator still means the program's folder.
    std::string relative = name;
    for (char& c : relative)
        if (c == '\\') c = '/';
    relative.erase(0, relative.find_first_not_of('/'));
    const fs::path beside = fs::path(ProgramFolder()) / relative;
    if (fs::exists(beside)) return beside.string();
    const fs::path share = InstalledShareFolder(ProgramFolder()) / relative;
    if (fs::exists(share)) return share.string();
#ifdef LXV_DATA_DIR
    const fs::path installed = fs::path(LXV_DATA_DIR) / relative;
    if (fs::exists(installed)) return installed.string();
#endif
#ifdef LXV_SOURCE_DATA_DIR
    // Running from the build tree: the source tree's data folder.
    const fs::path source = fs::path(LXV_SOURCE_DATA_DIR) / relative;
    if (fs::exists(source)) return source.string();
#endif
    return beside.string();
}

}  // namespace lxv
