#include "platform/number_format.h"

#include <gtest/gtest.h>

#include <limits>

namespace lxv {
namespace {

TEST(FormatGeneral, ShortestTextWithFifteenDigits) {
    EXPECT_EQ(FormatGeneral(0.0), "0");
    EXPECT_EQ(FormatGeneral(-0.0), "0");
    EXPECT_EQ(FormatGeneral(1.0), "1");
    EXPECT_EQ(FormatGeneral(300.0), "300");
    EXPECT_EQ(FormatGeneral(-2.5), "-2.5");
    EXPECT_EQ(FormatGeneral(0.95), "0.95");
    EXPECT_EQ(FormatGeneral(1.1), "1.1");
    // A widened single shows its rounding.
    EXPECT_EQ(FormatGeneral(0.1f), "0.100000001490116");
    EXPECT_EQ(FormatGeneral(static_cast<double>(static_cast<float>(9.0 / 360 / 50)) * 360 / 0.02),
              "9.00000042747706");
    EXPECT_EQ(FormatGeneral(123456789012345.0), "123456789012345");
}

TEST(FormatGeneral, ExponentOutsideTheDecimalRange) {
    EXPECT_EQ(FormatGeneral(0.0001), "0.0001");
    EXPECT_EQ(FormatGeneral(0.00001), "1E-5");
    EXPECT_EQ(FormatGeneral(-0.000025), "-2.5E-5");
    EXPECT_EQ(FormatGeneral(1e15), "1E15");
    EXPECT_EQ(FormatGeneral(999999999999999.0), "999999999999999");
    EXPECT_EQ(FormatGeneral(3.4028234663852886e38), "3.40282346638529E38");
    EXPECT_EQ(FormatGeneral(std::numeric_limits<double>::denorm_min()), "4.94065645841247E-324");
}

TEST(FormatGeneral, NonFiniteValues) {
    EXPECT_EQ(FormatGeneral(std::numeric_limits<double>::infinity()), "INF");
    EXPECT_EQ(FormatGeneral(-std::numeric_limits<double>::infinity()), "-INF");
    EXPECT_EQ(FormatGeneral(std::numeric_limits<double>::quiet_NaN()), "NaN");
}

TEST(FormatPanelValue, RoundsTiesToEvenAndFills) {
    EXPECT_EQ(FormatPanelValue(0.0625f, 3, ".0", true, "V"), "0.062V");
    EXPECT_EQ(FormatPanelValue(0.1875, 3, ".0", true, "V"), "0.188V");
    EXPECT_EQ(FormatPanelValue(230.0f, 3, ".0", true, "V"), "230.0V");
    EXPECT_EQ(FormatPanelValue(50.0f, 3, ".00", false, "Hz"), "50.00Hz");
    EXPECT_EQ(FormatPanelValue(49.9876f, 3, ".00", false, "Hz"), "49.988Hz");
    EXPECT_EQ(FormatPanelValue(0.0, 3, ".0", true, ""), "0.0");
    // A value that rounds to zero has no minus sign.
    EXPECT_EQ(FormatPanelValue(-0.0001, 3, ".0", true, "V"), "0.0V");
}

TEST(FormatPanelValue, CutsToSixCharacters) {
    EXPECT_EQ(FormatPanelValue(1234.5678f, 3, ".0", true, "V"), "1234.5V");
    EXPECT_EQ(FormatPanelValue(12.3456f, 4, ".0", true, "A"), "12.345A");
    EXPECT_EQ(FormatPanelValue(12.3456f, 3, ".0", true, ""), "12.346");
    EXPECT_EQ(FormatPanelValue(-123.456f, 3, ".0", true, "V"), "-123.4V");
    EXPECT_EQ(FormatPanelValue(123456.7, 2, ".0", true, ""), "123456");
    // The cut never removes digits before the point: 1234567 W is not shown as 123456 W.
    EXPECT_EQ(FormatPanelValue(1234567.0, 4, ".0", true, "W"), "1234567W");
    EXPECT_EQ(FormatPanelValue(-1234567.25, 2, ".0", true, ""), "-1234567");
    // Frequency is never cut.
    EXPECT_EQ(FormatPanelValue(1234.5678, 3, ".00", false, "Hz"), "1234.568Hz");
}

TEST(FormatPanelValue, PercentPanelsAndExtremes) {
    EXPECT_EQ(FormatPanelValue(0.05f, 1, ".0", false, " %", 100), "5.0 %");
    EXPECT_EQ(FormatPanelValue(0.1234f, 1, ".0", false, " %", 100), "12.3 %");
    EXPECT_EQ(FormatPanelValue(std::numeric_limits<float>::infinity(), 3, ".0", true, "V"), "INFV");
    EXPECT_EQ(FormatPanelValue(-std::numeric_limits<float>::infinity(), 1, ".0", false, " %", 100), "-INF %");
    EXPECT_EQ(FormatPanelValue(std::numeric_limits<float>::quiet_NaN(), 2, ".0", true, ""), "NaN");
    // The largest single is written out in full, not in E notation.
    EXPECT_EQ(FormatPanelValue(std::numeric_limits<float>::max(), 3, ".0", false, ""),
              "340282346638528859811704183484516925440.0");
    // A value whose scaling overflows a double keeps its digits and fewer decimals.
    const std::string huge = FormatPanelValue(1e306, 4, ".0", false, "W");
    EXPECT_EQ(huge.substr(0, 4), "1000");
    EXPECT_EQ(huge.find("inf"), std::string::npos);
    EXPECT_EQ(huge.find('.'), 307u);  // all 307 digits in front of the point
    EXPECT_EQ(huge.back(), 'W');
    EXPECT_EQ(FormatPanelValue(std::numeric_limits<double>::max(), 1, ".0", false, " %", 100), "INF %");
}

TEST(FormatRounded, ChartLabelNumbers) {
    EXPECT_EQ(FormatRounded(0.4 / 60 * 1000, 2), "6.67");
    EXPECT_EQ(FormatRounded(8.0, 2), "8");
    EXPECT_EQ(FormatRounded(325.0 / 4, 2), "81.25");
}

TEST(FormatFixed, ExactlyTheDecimalsAsked) {
    EXPECT_EQ(FormatFixed(200.0, 1), "200.0");
    EXPECT_EQ(FormatFixed(0.005, 4), "0.0050");
    EXPECT_EQ(FormatFixed(0.25, 1), "0.2");  // ties to even
    EXPECT_EQ(FormatFixed(-1.5, 0), "-2");
}

}  // namespace
}  // namespace lxv
