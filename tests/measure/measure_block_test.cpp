#include "core/measure_block.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

#include "measure/panel_texts.h"

namespace lxv {
namespace {

std::vector<std::uint8_t> BlockOf(const MeasureRecord& r) {
    return {r.data(), r.data() + kBlockSize};
}

TEST(MeasureBlock, StartValuesShowAnEmptyMeasurement) {
    MeasureRecord r;
    r.bytes()[kRecordSize - 1] = 0x5A;  // the reserved tail is not touched
    ResetMeasurement(r);
    EXPECT_EQ(r.URMS(), 0.0f);
    EXPECT_EQ(r.Aux1(), 1.0f);
    EXPECT_EQ(r.Aux2(), 1.0f);
    EXPECT_EQ(r.SampleCount(), 512);
    EXPECT_EQ(r.USamples(0), 2047);
    EXPECT_EQ(r.ISamples(511), 2047);
    EXPECT_EQ(r.UZero(), 2047);
    EXPECT_EQ(r.IZero(), 2047);
    EXPECT_EQ(r.bytes()[kRecordSize - 1], 0x5A);

    const auto t = PanelTexts(r);
    // Peak voltage carries its unit "V" like the RMS voltage.
    const std::array<std::string, 15> expected = {"0.0V",   "0.0A", "0.0W", "0.0",   "0.0",
                                                  "0.0V",   "0.0",  "0.0",  "0.0 %", "0.0",
                                                  "0.00Hz", "0.0",  "0.0",  "0.0 %", "0.0"};
    EXPECT_EQ(t, expected);
}

TEST(MeasureBlock, FieldsAreReadLittleEndianAtTheirOffsets) {
    MeasureRecord r;
    std::uint8_t* d = r.data();
    d[8] = 0x00, d[9] = 0x00, d[10] = 0x48, d[11] = 0x42;  // UF = 50.0
    d[60 + 4] = 0x00, d[60 + 7] = 0x3F;                    // UHarmonic[1] = 0.5
    d[476] = 0x00, d[477] = 0x02;                          // SampleCount 512
    d[478 + 2] = 0x34, d[478 + 3] = 0x12;                  // USamples[1]
    d[1502 + 1022] = 0xFF, d[1502 + 1023] = 0x0F;          // ISamples[511]
    d[2528] = 0xFF, d[2529] = 0x07;                        // IZero 2047
    EXPECT_EQ(r.UF(), 50.0f);
    EXPECT_EQ(r.UHarmonic(1), 0.5f);
    EXPECT_EQ(r.SampleCount(), 512);
    EXPECT_EQ(r.USamples(1), 0x1234);
    EXPECT_EQ(r.ISamples(511), 0x0FFF);
    EXPECT_EQ(r.IZero(), 2047);
}

TEST(MeasureBlock, ReceiptRulesRepairNaNsAndSampleCount) {
    MeasureRecord src;
    ResetMeasurement(src);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    src.setScalar(Scalar::PQ, nan);
    src.setScalar(Scalar::URMS, 230.0f);
    src.setScalar(Scalar::KWH, nan);
    src.setScalar(Scalar::IRMS, inf);
    src.setAux1(nan);
    src.setSampleCount(0);
    src.setUHarmonic(3, nan);  // harmonics are not screened

    MeasureRecord dst;
    dst.bytes()[5000] = 7;
    AcceptMeasureBlock(dst, BlockOf(src).data());
    EXPECT_EQ(dst.PQ(), 0.0f);
    EXPECT_EQ(dst.KWH(), 0.0f);
    EXPECT_EQ(dst.URMS(), 230.0f);
    EXPECT_TRUE(std::isinf(dst.IRMS()));
    EXPECT_EQ(dst.Aux1(), 1.0f);
    EXPECT_EQ(dst.SampleCount(), 512);
    EXPECT_TRUE(std::isnan(dst.UHarmonic(3)));
    EXPECT_EQ(dst.bytes()[5000], 7);
}

TEST(MeasureBlock, PanelTextsScreenPQ) {
    MeasureRecord r;
    ResetMeasurement(r);
    r.setScalar(Scalar::PQ, std::numeric_limits<float>::quiet_NaN());  // as from a test file
    r.setScalar(Scalar::VTHD, 0.1234f);
    r.setScalar(Scalar::IPP, 12.3456f);
    const auto t = PanelTexts(r);
    EXPECT_EQ(t[12], "0.0");
    EXPECT_EQ(t[8], "12.3 %");
    EXPECT_EQ(t[6], "12.346");
    EXPECT_STREQ(kPanels[12].objectName, "Panel_PQ");
}

std::vector<std::uint16_t> Wave(double amplitude, double offset, double phaseRad, bool cosine) {
    std::vector<std::uint16_t> s(128);
    for (int n = 0; n < 128; ++n) {
        const double a = 2 * std::numbers::pi * n / 128 + phaseRad;
        s[static_cast<std::size_t>(n)] = static_cast<std::uint16_t>(
            std::lround(offset + amplitude * (cosine ? std::cos(a) : std::sin(a))));
    }
    return s;
}

TEST(FundamentalPhase, CosineSineAndFlatChannels) {
    std::vector<std::uint16_t> zeros(128, 0);
    EXPECT_EQ(FundamentalPhase(zeros.data()), 0.0f);
    EXPECT_NEAR(FundamentalPhase(Wave(1000, 2047, 0, true).data()), 90.0, 0.001);
    EXPECT_NEAR(FundamentalPhase(Wave(1000, 1000, 0, true).data()), 90.0, 0.001);
    EXPECT_NEAR(FundamentalPhase(Wave(1000, 2047, 0, false).data()), 0.0, 0.001);
    // A sine leading by 30 degrees reads 30 (within the rounding of 12-bit codes).
    EXPECT_NEAR(FundamentalPhase(Wave(1500, 2047, std::numbers::pi / 6, false).data()), 30.0, 0.05);

    MeasureRecord r;
    ResetMeasurement(r);
    const auto s = Wave(1000, 2047, 0, false);
    for (int k = 0; k < 128; ++k) r.setISample(k, s[static_cast<std::size_t>(k)]);
    EXPECT_NEAR(FundamentalPhase(r, Channel::Current), 0.0, 0.001);
}

}  // namespace
}  // namespace lxv
