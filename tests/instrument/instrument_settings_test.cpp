#include "instrument/instrument_settings.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

#include "instrument/number_fields.h"

namespace lxv {
namespace {

using Bytes = InstrumentSettings::Bytes;

TEST(InstrumentSettings, BlocksMatchBytesWrittenOutByHand) {
    struct Case {
        const char* what;
        InstrumentSettings settings;
        Bytes bytes;
    };
    InstrumentSettings mixed;
    mixed.AngleTime = 0.0005f;  // 6F 12 03 3A
    mixed.CtRatio = 0.1f;       // CD CC CC 3D
    mixed.VtRatio = -2.0f;      // 00 00 00 C0
    mixed.Bandwidth = 1;
    mixed.ThdAlgorithm = 1;
    mixed.FilterCoefficient = 7;
    mixed.FilterOff = 0;
    mixed.RangeLocked = 1;
    mixed.Reserved = 0xA5;
    mixed.CurrentRange = 2;
    const Case cases[] = {
        {"factory",
         InstrumentSettings::Factory(),
         {0, 0, 0, 0, 0, 0, 0x80, 0x3F, 0, 0, 0x80, 0x3F, 0, 0, 10, 1, 0, 3, 4}},
        {"all zero", InstrumentSettings{}, Bytes{}},
        {"every field",
         mixed,
         {0x6F, 0x12, 0x03, 0x3A, 0xCD, 0xCC, 0xCC, 0x3D, 0, 0, 0, 0xC0, 1, 1, 7, 0, 1, 0xA5, 2}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.settings.Encode(), c.bytes) << c.what;
        EXPECT_EQ(InstrumentSettings::Decode(c.bytes.data()).Encode(), c.bytes) << c.what;
    }
    const InstrumentSettings back = InstrumentSettings::Decode(cases[2].bytes.data());
    EXPECT_EQ(back.CtRatio, 0.1f);
    EXPECT_EQ(back.Reserved, 0xA5);
    EXPECT_EQ(back.CurrentRange, 2);
}

// Run once as it is and once under a comma locale (see CMakeLists.txt).
TEST(NumberFields, ReadWithAPointInEveryLocale) {
    std::setlocale(LC_ALL, "");
    if (std::getenv("LXV_EXPECT_COMMA_LOCALE")) {
        ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    }
    struct Case {
        const char* text;
        bool ok;
        double value;
    };
    const Case cases[] = {
        {"1.5", true, 1.5},  {"-.5", true, -0.5},  {"5.", true, 5},     {"+2", true, 2},
        {" 30 ", true, 30},  {"1E-5", true, 1e-5}, {"-", false, 0},     {".", false, 0},
        {"1.2.3", false, 0}, {"1,5", false, 0},    {"1e", false, 0},    {"inf", false, 0},
        {"nan", false, 0},   {"0x10", false, 0},   {"1e999", false, 0}, {"+-1", false, 0},
        {"12a", false, 0},   {"--1", false, 0},
    };
    for (const Case& c : cases) {
        const FieldValues r = ReadNumberFields({{"Ratio", "1"}, {"Angle difference", c.text}});
        EXPECT_EQ(r.ok(), c.ok) << c.text;
        if (c.ok) {
            ASSERT_EQ(r.values.size(), 2u);
            EXPECT_DOUBLE_EQ(r.values[1], c.value) << c.text;
        } else {
            EXPECT_TRUE(r.values.empty()) << c.text;
            EXPECT_EQ(r.error, FieldConversionMessage("Angle difference", c.text));
        }
    }
    // Empty fields keep their meaning of 0; the first bad field is the one named.
    EXPECT_EQ(ReadNumberFields({{"a", ""}, {"b", "  "}}).values, (std::vector<double>{0, 0}));
    EXPECT_EQ(ReadNumberFields({{"a", "x"}, {"b", "-"}}).error, "a: 'x' is not a valid floating point value");
    std::setlocale(LC_ALL, "C");
}

}  // namespace
}  // namespace lxv
