#include "record/record_settings.h"

namespace lxv {

namespace {

struct Quantity {
    const char* item;
    const char* label;
};

constexpr Quantity kQuantities[kQuantityCount] = {
    {" Voltage", "Voltage"},
    {" Current", "Current"},
    {" Power", "Power"},
    {" Apparent power", "Apparent power"},
    {" Reactive power", "Reactive power"},
    {" Current phase", "Current phase"},
    {" Frequency", "Frequency"},
    {" Power Factor", "Power Factor"},
    {" UTHD", "UTHD"},
    {" ITHD", "ITHD"},
    {" Temperature 1", "Temperature 1"},
    {" Temperature 2", "Temperature 2"},
    {" Temperature 3", "Temperature 3"},
};

constexpr int kSampleSeconds[kSampleStepCount] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 15, 30};
constexpr int kSaveSeconds[kSaveStepCount] = {10, 15, 20, 25, 30, 60};
constexpr const char* kSampleItems[kSampleStepListCount] = {"1 S", "2 S", "3 S", "4 S",  "5 S", "6 S",
                                                            "7 S", "8 S", "9 S", "10 S", "15 S"};
constexpr const char* kSaveItems[kSaveStepCount] = {"10 S", "15 S", "20 S", "25 S", "30 S", "60 S"};

bool InRange(int index, int count) {
    return index >= 0 && index < count;
}

}  // namespace

const char* QuantityListItem(int code) {
    return InRange(code, kQuantityCount) ? kQuantities[code].item : nullptr;
}

const char* QuantityLabel(int code) {
    return InRange(code, kQuantityCount) ? kQuantities[code].label : nullptr;
}

float QuantityValue(const MeasureRecord& record, int code) {
    switch (code) {
        case 0: return record.URMS();
        case 1: return record.IRMS();
        case 2: return record.WRMS();
        case 3: return record.PS();
        case 4: return record.PQ();
        case 5: return record.IPA();
        case 6: return record.UF();
        case 7: return record.PF();
        case 8: return record.VTHD();
        case 9: return record.ITHD();
        default: return 0.0f;
    }
}

int SampleStepMs(int index) {
    return InRange(index, kSampleStepCount) ? kSampleSeconds[index] * 1000 : 0;
}

int SaveStepMs(int index) {
    return InRange(index, kSaveStepCount) ? kSaveSeconds[index] * 1000 : 0;
}

std::string SampleStepStartText(int index) {
    if (!InRange(index, kSampleStepCount)) return {};
    return std::string(index == 0 ? "Step: " : "Step:  ") + std::to_string(kSampleSeconds[index]) + "S";
}

std::string SampleStepEnterText(int index) {
    if (!InRange(index, kSampleStepCount)) return {};
    return "Step: " + std::to_string(kSampleSeconds[index]) + "S";
}

std::string SaveStepStartText(int index) {
    if (!InRange(index, kSaveStepCount)) return {};
    return "Save Setp:  " + std::to_string(kSaveSeconds[index]) + "S";
}

std::string SaveStepEnterText(int index) {
    if (!InRange(index, kSaveStepCount)) return {};
    return std::string(index == 5 ? "SaveSetp:" : "Save Setp:") + std::to_string(kSaveSeconds[index]) + "S";
}

const char* SampleStepListItem(int index) {
    return InRange(index, kSampleStepListCount) ? kSampleItems[index] : nullptr;
}

const char* SaveStepListItem(int index) {
    return InRange(index, kSaveStepCount) ? kSaveItems[index] : nullptr;
}

AppliedRecordSettings ApplyRecordSetKeys(const RecordSetKeys& keys, const RecordSettings& previous,
                                         bool enterSpelling) {
    AppliedRecordSettings out;
    out.settings = previous;
    out.settings.codes = keys.channels;
    if (const int ms = SampleStepMs(keys.sampleStep); ms > 0) {
        out.settings.sampleIndex = keys.sampleStep;
        out.settings.sampleMs = ms;
        out.sampleText =
            enterSpelling ? SampleStepEnterText(keys.sampleStep) : SampleStepStartText(keys.sampleStep);
    }
    if (const int ms = SaveStepMs(keys.saveStep); ms > 0) {
        out.settings.saveMs = ms;
        out.saveText = enterSpelling ? SaveStepEnterText(keys.saveStep) : SaveStepStartText(keys.saveStep);
    }
    return out;
}

bool UsesTemperatureInput(const std::array<int, kRecordChannels>& codes) {
    for (int code : codes)
        if (code > 9) return true;
    return false;
}

}  // namespace lxv
