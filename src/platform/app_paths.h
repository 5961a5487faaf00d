// Where the program keeps its settings and finds its data files.
#pragma once

#include <string>

namespace lxv {

// The settings folder: $LXV_HOME when set, else the program's folder when it
// is writable, else the per-user configuration folder (~/.config/lxv7700).
std::string SettingsFolder();
std::string SysSetPath();     // SettingsFolder()/SysSet.ini
std::string EnterInfoPath();  // SettingsFolder()/EnterInfo.ini

// A data file (e.g. "PdfDoc/Handbook.pdf", "PenData/green.dat") looked up beside
// the executable, then in the installed share folder; the first candidate when
// neither exists.
std::string DataFilePath(const std::string& relative);

// Tests and the start-up set the program's folder (the executable's directory).
void SetProgramFolder(const std::string& folder);
std::string ProgramFolder();

}  // namespace lxv
