// One field of a CSV line as spreadsheets read it back: quoted, with its
// quotes doubled, when it holds a comma, a quote or a line break.
// Depends on: the C++ standard library only.
#pragma once

#include <string>

namespace lxv {

std::string CsvField(const std::string& text);

}  // namespace lxv
