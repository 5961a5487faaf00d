// The RecordSet section of SysSet.ini: the eight list indices of the record
// settings, read strictly (a value that is not a decimal integer throws
// ConversionError) and written as decimal text.
#pragma once

#include <string>

#include "record/record_settings.h"

namespace lxv {

class IniFile;

// Missing keys take "2".
RecordSetKeys ReadRecordSetKeys(const IniFile& sysSet);
// The same, but a key that is not a decimal integer takes "2" as well and
// `error` gets the conversion message of the first such key (else it is empty).
RecordSetKeys ReadRecordSetKeys(const IniFile& sysSet, UiText& error);
// Writes Ch0..Ch5, SampingSetp, SaveSetp and TInCommNO ("-1": the temperature
// list is empty) in one rewrite of the file.
bool WriteRecordSetKeys(IniFile& sysSet, const RecordSetKeys& keys);

}  // namespace lxv
