// The tasks the program runs from a shell without a window or a port:
//   lxv7700 --report TEST.lxm OUT.pdf
//   lxv7700 --export RECORD.lxr OUT.xlsx|OUT.csv
//   lxv7700 --record-report RECORD.lxr OUT.pdf
//   lxv7700 --help
// They run offscreen, print nothing but errors (one line on standard error
// naming the file and the reason) and leave no output file on failure.
#pragma once

#include <optional>

namespace lxv {

// The exit code when the command line asks for one of the tasks (run here,
// before any window exists); nothing when the program should start as usual.
std::optional<int> RunCommandLineTask(int argc, char** argv);

}  // namespace lxv
