#include "record/record_settings.h"

namespace lxv {

namespace {

struct Quantity {
    const char* item;
    const char* label;
};

constexpr Quantity kQuantities[kQuantityCount] = {
    {QT_TRANSLATE_NOOP("lxv", " Voltage"), QT_TRANSLATE_NOOP("lxv", "Voltage")},
    {QT_TRANSLATE_NOOP("lxv", " Current"), QT_TRANSLATE_NOOP("lxv", "Current")},
    {QT_TRANSLATE_NOOP("lxv", " Power"), QT_TRANSLATE_NOOP("lxv", "Power")},
    {QT_TRANSLATE_NOOP("lxv", " Apparent power"), QT_TRANSLATE_NOOP("lxv", "Apparent power")},
    {QT_TRANSLATE_NOOP("lxv", " Reactive power"), QT_TRANSLATE_NOOP("lxv", "Reactive power")},
    {QT_TRANSLATE_NOOP("lxv", " Current phase"), QT_TRANSLATE_NOOP("lxv", "Current phase")},
    {QT_TRANSLATE_NOOP("lxv", " Frequency"), QT_TRANSLATE_NOOP("lxv", "Frequency")},
    {QT_TRANSLATE_NOOP("lxv", " Power Factor"), QT_TRANSLATE_NOOP("lxv", "Power Factor")},
    {QT_TRANSLATE_NOOP("lxv", " UTHD"), QT_TRANSLATE_NOOP("lxv", "UTHD")},
    {QT_TRANSLATE_NOOP("lxv", " ITHD"), QT_TRANSLATE_NOOP("lxv", "ITHD")},
    {QT_TRANSLATE_NOOP("lxv", " Temperature 1"), QT_TRANSLATE_NOOP("lxv", "Temperature 1")},
    {QT_TRANSLATE_NOOP("lxv", " Temperature 2"), QT_TRANSLATE_NOOP("lxv", "Temperature 2")},
    {QT_TRANSLATE_NOOP("lxv", " Temperature 3"), QT_TRANSLATE_NOOP("lxv", "Temperature 3")},
};

constexpr int kSampleSeconds[kSampleStepCount] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 15, 30};
constexpr int kSaveSeconds[kSaveStepCount] = {10, 15, 20, 25, 30, 60};
constexpr const char* kSampleItems[kSampleStepListCount] = {
    QT_TRANSLATE_NOOP("lxv", "1 S"),  QT_TRANSLATE_NOOP("lxv", "2 S"), QT_TRANSLATE_NOOP("lxv", "3 S"),
    QT_TRANSLATE_NOOP("lxv", "4 S"),  QT_TRANSLATE_NOOP("lxv", "5 S"), QT_TRANSLATE_NOOP("lxv", "6 S"),
    QT_TRANSLATE_NOOP("lxv", "7 S"),  QT_TRANSLATE_NOOP("lxv", "8 S"), QT_TRANSLATE_NOOP("lxv", "9 S"),
    QT_TRANSLATE_NOOP("lxv", "10 S"), QT_TRANSLATE_NOOP("lxv", "15 S")};
constexpr const char* kSaveItems[kSaveStepCount] = {
    QT_TRANSLATE_NOOP("lxv", "10 S"), QT_TRANSLATE_NOOP("lxv", "15 S"), QT_TRANSLATE_NOOP("lxv", "20 S"),
    QT_TRANSLATE_NOOP("lxv", "25 S"), QT_TRANSLATE_NOOP("lxv", "30 S"), QT_TRANSLATE_NOOP("lxv", "60 S")};

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

UiText SampleStepStartText(int index) {
    if (!InRange(index, kSampleStepCount)) return {};
    return UiText(index == 0 ? QT_TRANSLATE_NOOP("lxv", "Step: %1S") : QT_TRANSLATE_NOOP("lxv", "Step:  %1S"))
        .arg(kSampleSeconds[index]);
}

UiText SampleStepEnterText(int index) {
    if (!InRange(index, kSampleStepCount)) return {};
    return UiText(QT_TRANSLATE_NOOP("lxv", "Step: %1S")).arg(kSampleSeconds[index]);
}

UiText SaveStepStartText(int index) {
    if (!InRange(index, kSaveStepCount)) return {};
    return UiText(QT_TRANSLATE_NOOP("lxv", "Save Setp:  %1S")).arg(kSaveSeconds[index]);
}

UiText SaveStepEnterText(int index) {
    if (!InRange(index, kSaveStepCount)) return {};
    return UiText(index == 5 ? QT_TRANSLATE_NOOP("lxv", "SaveSetp:%1S")
                             : QT_TRANSLATE_NOOP("lxv", "Save Setp:%1S"))
        .arg(kSaveSeconds[index]);
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
