// Test files (.lxm): one 8052-byte measurement record, byte for byte.
#pragma once

#include <string>

#include "core/measure_block.h"
#include "platform/ui_text.h"

namespace lxv {

inline constexpr const char* kTestFileSaveFilter = QT_TRANSLATE_NOOP("lxv", "Tavro Test File(.lxm)|*.lxm");
inline constexpr const char* kTestFileOpenFilter = QT_TRANSLATE_NOOP("lxv", "TavroFile|*.lxm|AllFile|*.*");
inline constexpr const char* kTestFileProposedName = "TestFile.lxm";

// Writes the whole record. Returns an empty text on success, else the error text.
UiText WriteTestFile(const std::string& path, const MeasureRecord& record);
// Reads one record from the start of the file. The record changes only when all
// 8052 bytes were read; otherwise it is left untouched and the error text is
// returned. Longer files are accepted (only the first record is read).
UiText ReadTestFile(const std::string& path, MeasureRecord& record);

}  // namespace lxv
