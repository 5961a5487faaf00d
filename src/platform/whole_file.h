// Writing a file whole: the content goes to a new file beside the target
// (same folder, hidden name) and is renamed over the target only when it is
// complete, so a full disk, a failed writer or a crash leaves the old file as
// it was and never a cut-off one. Used by the export, the reports and every
// test procedure's CSV and PDF.
//
// Depends on: the C++ standard library and POSIX only. No Qt.
#pragma once

#include <functional>
#include <string>

namespace lxv {

// A unique, empty file beside `path` (same folder, hidden name), readable as
// the process's new files are. Empty with `error` set ("path: reason") when
// none can be made.
std::string CreateTempFileBeside(const std::string& path, std::string& error);

// Renames the complete temporary file `temp` over `path`; on failure `temp`
// is removed and `error` names `path` and the reason.
bool ReplaceWithTempFile(const std::string& temp, const std::string& path, std::string& error);

// Whether a new file can be made beside `path` (one is made and removed
// again) and `path` is no folder: checked before a long run, so that it never
// ends in a file that cannot be written. `isFolderText` is the reason told
// for a folder.
bool CanWriteBeside(const std::string& path, const std::string& isFolderText, std::string& error);

// Writes `path` whole: `write` fills the temporary file whose name it is given
// and returns false with `error` set when it fails; the file is then removed
// and the old `path` stays untouched. On success the temporary file replaces `path`.
using TempFileWriter = std::function<bool(const std::string& tempPath, std::string& error)>;
bool WriteFileWhole(const std::string& path, const TempFileWriter& write, std::string& error);

// `text` as the whole content of `path`, as WriteFileWhole.
bool WriteTextFileWhole(const std::string& path, const std::string& text, std::string& error);

}  // namespace lxv
