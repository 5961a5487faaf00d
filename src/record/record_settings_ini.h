// The RecordSet section of SysSet.ini: the eight list indices of the record
// settings, read strictly (a value that is not a decimal integer throws
// ConversionError) and written as decimal text.
#pragma once

#include "record/record_settings.h"

namespace lxv {

class IniFile;

// Missing keys take "2".
RecordSetKeys ReadRecordSetKeys(const IniFile& sysSet);
// Writes Ch0..Ch5, SampingSetp, SaveSetp and TInCommNO ("-1": the temperature list is empty).
bool WriteRecordSetKeys(IniFile& sysSet, const RecordSetKeys& keys);

}  // namespace lxv
