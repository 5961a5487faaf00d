#include "record/record_settings_ini.h"

#include "platform/ini_file.h"

namespace lxv {

RecordSetKeys ReadRecordSetKeys(const IniFile& sysSet) {
    RecordSetKeys keys;
    for (int c = 0; c < kRecordChannels; ++c)
        keys.channels[c] = sysSet.readInteger(kRecordSetSection, kChannelKeys[c], kRecordSetDefault);
    keys.sampleStep = sysSet.readInteger(kRecordSetSection, kSampleStepKey, kRecordSetDefault);
    keys.saveStep = sysSet.readInteger(kRecordSetSection, kSaveStepKey, kRecordSetDefault);
    return keys;
}

bool WriteRecordSetKeys(IniFile& sysSet, const RecordSetKeys& keys) {
    bool ok = true;
    for (int c = 0; c < kRecordChannels; ++c)
        ok = sysSet.writeInteger(kRecordSetSection, kChannelKeys[c], keys.channels[c]) && ok;
    ok = sysSet.writeInteger(kRecordSetSection, kSampleStepKey, keys.sampleStep) && ok;
    ok = sysSet.writeInteger(kRecordSetSection, kSaveStepKey, keys.saveStep) && ok;
    ok = sysSet.writeInteger(kRecordSetSection, kTemperaturePortKey, -1) && ok;
    return ok;
}

}  // namespace lxv
