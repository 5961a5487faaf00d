// Switches the process to a locale whose decimal separator is a comma
// (de_DE.UTF-8), generated with localedef into a temporary LOCPATH when the
// system has none, so tests can show that numbers still read and write with ".".
#pragma once

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace lxv::test {

// True when LC_ALL now uses a comma as the decimal separator. Restore with
// std::setlocale(LC_ALL, "C").
inline bool UseCommaLocale() {
    if (std::setlocale(LC_ALL, "de_DE.UTF-8")) return true;
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "lxv-test-locales";
    std::filesystem::create_directories(dir);
    const std::string command =
        "localedef -i de_DE -f UTF-8 '" + (dir / "de_DE.UTF-8").string() + "' >/dev/null 2>&1";
    if (!std::filesystem::exists(dir / "de_DE.UTF-8") && std::system(command.c_str()) != 0) return false;
    ::setenv("LOCPATH", dir.c_str(), 1);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) return false;
    return std::localeconv()->decimal_point[0] == ',';
}

}  // namespace lxv::test
