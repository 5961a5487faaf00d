#include "record/record_settings.h"

#include <gtest/gtest.h>

namespace lxv {
namespace {

TEST(RecordSettings, StepTextsInBothSpellings) {
    struct Case {
        int index, ms;
        const char *start, *enter;
    };
    const Case sampling[] = {{0, 1000, "Step: 1S", "Step: 1S"},
                             {1, 2000, "Step:  2S", "Step: 2S"},
                             {9, 10000, "Step:  10S", "Step: 10S"},
                             {10, 15000, "Step:  15S", "Step: 15S"},
                             {11, 30000, "Step:  30S", "Step: 30S"},
                             {12, 0, "", ""},
                             {-1, 0, "", ""}};
    for (const Case& c : sampling) {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(SampleStepMs(c.index), c.ms);
        EXPECT_EQ(SampleStepStartText(c.index), c.start);
        EXPECT_EQ(SampleStepEnterText(c.index), c.enter);
    }
    const Case saving[] = {{0, 10000, "Save Setp:  10S", "Save Setp:10S"},
                           {2, 20000, "Save Setp:  20S", "Save Setp:20S"},
                           {5, 60000, "Save Setp:  60S", "SaveSetp:60S"},
                           {6, 0, "", ""}};
    for (const Case& c : saving) {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(SaveStepMs(c.index), c.ms);
        EXPECT_EQ(SaveStepStartText(c.index), c.start);
        EXPECT_EQ(SaveStepEnterText(c.index), c.enter);
    }
    EXPECT_STREQ(SampleStepListItem(10), "15 S");
    EXPECT_EQ(SampleStepListItem(11), nullptr);  // 30 s only from the settings file
    EXPECT_STREQ(SaveStepListItem(5), "60 S");
}

TEST(RecordSettings, QuantitiesPickTheirValueAndTemperaturesReadZero) {
    MeasureRecord m;
    for (int s = 0; s < kScalarCount; ++s) m.setScalar(static_cast<Scalar>(s), 100.0f + s);
    const Scalar sources[10] = {Scalar::URMS, Scalar::IRMS, Scalar::WRMS, Scalar::PS,   Scalar::PQ,
                                Scalar::IPA,  Scalar::UF,   Scalar::PF,   Scalar::VTHD, Scalar::ITHD};
    for (int code = 0; code < 10; ++code) EXPECT_EQ(QuantityValue(m, code), m.scalar(sources[code])) << code;
    for (int code : {10, 11, 12, -1, 13, 255}) EXPECT_EQ(QuantityValue(m, code), 0.0f) << code;
    EXPECT_STREQ(QuantityListItem(7), " Power Factor");
    EXPECT_STREQ(QuantityLabel(12), "Temperature 3");
    EXPECT_EQ(QuantityLabel(-1), nullptr);
    EXPECT_EQ(QuantityLabel(13), nullptr);
}

TEST(RecordSettings, KeysApplyAtStartAndOnEnter) {
    RecordSettings before;
    before.sampleIndex = 0;
    before.sampleMs = 1000;
    before.saveMs = 10000;
    struct Case {
        RecordSetKeys keys;
        bool enter;
        int sampleMs, saveMs, sampleIndex;
        const char *sampleText, *saveText;
    };
    const Case cases[] = {
        {RecordSetKeys{}, false, 3000, 20000, 2, "Step:  3S", "Save Setp:  20S"},
        {RecordSetKeys{{1, 1, 1, 1, 1, 1}, 11, 5}, false, 30000, 60000, 11, "Step:  30S", "Save Setp:  60S"},
        {RecordSetKeys{{1, 1, 1, 1, 1, 1}, 4, 5}, true, 5000, 60000, 4, "Step: 5S", "SaveSetp:60S"},
        {RecordSetKeys{{-1, 1, 1, 1, 1, 1}, -1, -1}, true, 1000, 10000, 0, "",
         ""},  // lists without selection
    };
    for (const Case& c : cases) {
        const AppliedRecordSettings a = ApplyRecordSetKeys(c.keys, before, c.enter);
        EXPECT_EQ(a.settings.codes, c.keys.channels);
        EXPECT_EQ(a.settings.sampleMs, c.sampleMs);
        EXPECT_EQ(a.settings.saveMs, c.saveMs);
        EXPECT_EQ(a.settings.sampleIndex, c.sampleIndex);
        EXPECT_EQ(a.sampleText, c.sampleText);
        EXPECT_EQ(a.saveText, c.saveText);
    }
    EXPECT_TRUE(UsesTemperatureInput({0, 1, 2, 3, 4, 11}));
    EXPECT_FALSE(UsesTemperatureInput({9, 9, 9, 9, 9, -1}));
}

}  // namespace
}  // namespace lxv
