#include "record/record_settings_ini.h"

#include "platform/ini_file.h"

namespace lxv {

namespace {

int ReadKey(const IniFile& sysSet, const char* key, UiText& error) {
    try {
        return sysSet.readInteger(kRecordSetSection, key, kRecordSetDefault);
    } catch (const ConversionError& e) {
        if (error.empty()) error = e.text();
        return kRecordSetDefault;
    }
}

}  // namespace

RecordSetKeys ReadRecordSetKeys(const IniFile& sysSet, UiText& error) {
    error = {};
    RecordSetKeys keys;
    for (int c = 0; c < kRecordChannels; ++c) keys.channels[c] = ReadKey(sysSet, kChannelKeys[c], error);
    keys.sampleStep = ReadKey(sysSet, kSampleStepKey, error);
    keys.saveStep = ReadKey(sysSet, kSaveStepKey, error);
    return keys;
}

RecordSetKeys ReadRecordSetKeys(const IniFile& sysSet) {
    UiText error;
    const RecordSetKeys keys = ReadRecordSetKeys(sysSet, error);
    if (!error.empty()) throw ConversionError(error);
    return keys;
}

bool WriteRecordSetKeys(IniFile& sysSet, const RecordSetKeys& keys) {
    std::vector<std::pair<std::string, std::string>> values;
    for (int c = 0; c < kRecordChannels; ++c)
        values.emplace_back(kChannelKeys[c], std::to_string(keys.channels[c]));
    values.emplace_back(kSampleStepKey, std::to_string(keys.sampleStep));
    values.emplace_back(kSaveStepKey, std::to_string(keys.saveStep));
    values.emplace_back(kTemperaturePortKey, "-1");
    return sysSet.writeStrings(kRecordSetSection, values);
}

}  // namespace lxv
