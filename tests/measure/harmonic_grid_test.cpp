// Texts of the harmonic report grid and its copy text.
#include "measure/harmonic_grid.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace lxv {
namespace {

const std::string kIndent(21, ' ');

TEST(HarmonicGrid, CellTexts) {
    struct Case {
        float value, fundamental;  // of the channel at order 2 and order 1
        int column;
        const char* text;  // after the 21 spaces
    };
    const Case cases[] = {
        {311.127f, 311.127f, 1, "220.00"},
        {0.0f, 311.127f, 1, "0.00"},
        {0.0f, 311.127f, 2, "0.00%"},
        {10.0f, 200.0f, 2, "5.00%"},
        {0.0141421f, 1.0f, 3, "0.01"},
        {1.0f, 1.0f, 3, "0.7071"},
        {10.0f, 200.0f, 4, "5.00%"},
        {3.0f, 8.0f, 4, "37.5%"},  // padding only when no "." is left
        {200.0f, 200.0f, 2, "100.00%"},
        {10.0f, 0.0f, 2, ""},  // a zero fundamental: blank, not NaN% or inf%
        {0.0f, 0.0f, 4, ""},
    };
    for (const Case& c : cases) {
        MeasureRecord r;
        ResetMeasurement(r);
        const bool voltage = c.column <= 2;
        const auto set = voltage ? &MeasureRecord::setUHarmonic : &MeasureRecord::setIHarmonic;
        (r.*set)(2, c.value);
        (r.*set)(1, c.fundamental);
        SCOPED_TRACE(c.text);
        EXPECT_EQ(HarmonicValueCell(r, 3, c.column), kIndent + c.text);
    }
}

TEST(HarmonicGrid, StartValuesAndHeadings) {
    MeasureRecord r;
    ResetMeasurement(r);
    const HarmonicGrid g = HarmonicGridTexts(r);
    EXPECT_EQ(g[0][4], "     Current Percentage");
    EXPECT_EQ(g[51][0], kIndent + "50");
    for (int row = 1; row < kHarmonicGridRows; ++row) {
        EXPECT_EQ(g[row][1], kIndent + "0.00");
        EXPECT_EQ(g[row][3], kIndent + "0.00");
    }
}

TEST(HarmonicGrid, CopyTextIsTabSeparatedWithoutPadding) {
    MeasureRecord r;
    ResetMeasurement(r);
    r.setUHarmonic(1, 311.127f);
    const HarmonicGrid g = HarmonicGridTexts(r);
    EXPECT_EQ(HarmonicCopyText(g, {{2, 2}, {2, 1}, {1, 1}, {2, 1}}), "0.00\n220.00\t100.00%\n");
    EXPECT_EQ(HarmonicCopyText(g, {{3, 4}}), "\n");  // a blank percentage stays an empty field
    const std::string all = HarmonicCopyText(g, {});
    EXPECT_EQ(all.substr(0, all.find('\n')),
              "Order\tVoltage RMS\tVoltage Percentage\tCurrent RMS\tCurrent Percentage");
    EXPECT_EQ(std::count(all.begin(), all.end(), '\n'), 52);
}

}  // namespace
}  // namespace lxv
