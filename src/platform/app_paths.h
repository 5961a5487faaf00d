// Where the program keeps its settings and finds its data files.
#pragma once

#include <string>

namespace lxv {

// The settings folder: $LXV_HOME when set (created if missing), else the
// program's folder when it is writable and not the installed binary folder,
// else the per-user configuration folder ($XDG_CONFIG_HOME or ~/.config, /lxv7700).
std::string SettingsFolder();
std::string SysSetPath();     // SettingsFolder()/SysSet.ini
std::string EnterInfoPath();  // SettingsFolder()/EnterInfo.ini

// A data file (e.g. "PdfDoc/Handbook.pdf", "PenData\\green.dat": backslashes and
// a leading separator are accepted) looked up beside the executable, then in the
// installed share folder; the first candidate when neither exists.
std::string DataFilePath(const std::string& name);

// Tests and the start-up set the program's folder (the executable's directory).
void SetProgramFolder(const std::string& folder);
std::string ProgramFolder();

}  // namespace lxv
