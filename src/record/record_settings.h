// Recording: what the six record channels carry and how often the recorder
// samples and saves. The tables of quantities and steps, their list, label and
// status texts, and the RecordSet keys of SysSet.ini.
//
// Owns: RecordQuantity codes, SampleStep and SaveStep tables, RecordSettings.
// Depends on: core/measure_block.h. No Qt.
#pragma once

#include <array>
#include <string>

#include "core/measure_block.h"
#include "platform/ui_text.h"

namespace lxv {

inline constexpr int kRecordChannels = 6;
inline constexpr int kQuantityCount = 13;  // codes 0..12
inline constexpr int kSampleStepCount = 12;
inline constexpr int kSampleStepListCount = 11;  // the settings list offers 0..10
inline constexpr int kSaveStepCount = 6;

// " Voltage" .. " Temperature 3": items of the channel lists (leading blank).
// nullptr for a code outside 0..12.
const char* QuantityListItem(int code);
// "Voltage" .. "Temperature 3": the label beside a channel and the export's
// heading; nullptr for a code outside 0..12 (the label keeps its text).
const char* QuantityLabel(int code);
// The value a channel of this code records from the measurement: codes 0..9
// pick URMS, IRMS, WRMS, PS, PQ, IPA, UF, PF, VTHD, ITHD; 10..12 (temperatures,
// not built) and any other code give 0.0.
float QuantityValue(const MeasureRecord& record, int code);

// Sampling step of index 0..11 in ms (1 s .. 10 s, 15 s, 30 s), 0 for another index.
int SampleStepMs(int index);
// Save step of index 0..5 in ms (10, 15, 20, 25, 30, 60 s), 0 for another index.
int SaveStepMs(int index);

// Status texts of panel 0 (sampling) and 1 (save). The start-up spelling has
// two blanks after the colon from index 1 on; "Enter" writes one ("Step: 2S",
// "Save Setp:10S", and "SaveSetp:60S" without a blank). Empty for another index.
UiText SampleStepStartText(int index);
UiText SampleStepEnterText(int index);
UiText SaveStepStartText(int index);
UiText SaveStepEnterText(int index);

// Items of the settings window's step lists: "1 S" .. "10 S", "15 S" and "10 S" .. "60 S".
const char* SampleStepListItem(int index);
const char* SaveStepListItem(int index);

// The RecordSet section of SysSet.ini.
inline constexpr const char* kRecordSetSection = "RecordSet";
inline constexpr const char* kChannelKeys[kRecordChannels] = {"Ch0", "Ch1", "Ch2", "Ch3", "Ch4", "Ch5"};
inline constexpr const char* kSampleStepKey = "SampingSetp";
inline constexpr const char* kSaveStepKey = "SaveSetp";
inline constexpr const char* kTemperaturePortKey = "TInCommNO";
inline constexpr int kRecordSetDefault = 2;  // Power, 3 s, 20 s

inline constexpr const char* kTemperatureMessage = QT_TRANSLATE_NOOP(
    "lxv",
    "You choose the temperature input, \r\rMake sure your computer is connected to Tavro production MTC "
    "series "
    "multi-channel temperature instrumentation!");

// The eight stored list indices as read from (or written to) SysSet.ini.
struct RecordSetKeys {
    std::array<int, kRecordChannels> channels{2, 2, 2, 2, 2, 2};
    int sampleStep = kRecordSetDefault;
    int saveStep = kRecordSetDefault;
};

// The recorder's live copy: six channel codes (a code outside 0..12 records
// 0.0), the sampling and save intervals and the sampling step's index, which a
// new record file stores.
struct RecordSettings {
    std::array<int, kRecordChannels> codes{2, 2, 2, 2, 2, 2};
    int sampleIndex = 2;
    int sampleMs = 3000;
    int saveMs = 20000;
};

// What loading at start-up (or "Enter") sets: the settings and the status
// texts of panels 0 and 1 (empty: leave the panel as it is).
struct AppliedRecordSettings {
    RecordSettings settings;
    UiText sampleText;
    UiText saveText;
};

// Start-up: every key applies; a step index outside its table keeps the
// previous interval and text.
AppliedRecordSettings ApplyRecordSetKeys(const RecordSetKeys& keys, const RecordSettings& previous,
                                         bool enterSpelling);

// True when any code is a temperature input (above 9): "Enter" then warns.
bool UsesTemperatureInput(const std::array<int, kRecordChannels>& codes);

}  // namespace lxv
