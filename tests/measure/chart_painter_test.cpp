// Painted charts, probed pixel by pixel at positions the geometry computes.
#include "measure/chart_painter.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <cmath>
#include <limits>

#include "measure/chart_geometry.h"

namespace lxv {
namespace {

const ChartColours kGray{{238, 238, 238}, {170, 170, 170}};
const QRgb kBackground = qRgb(238, 238, 238);
const QRgb kScale = qRgb(170, 170, 170);
const QRgb kRed = qRgb(255, 0, 0);
const QRgb kGreen = qRgb(0, 128, 0);
const QRgb kBlue = qRgb(0, 16, 240);
const QRgb kTeal = qRgb(0, 128, 128);
const QRgb kCurrentBar = qRgb(223, 48, 32);
const QRgb kUntouched = qRgb(255, 0, 255);

MeasureRecord StartRecord() {
    MeasureRecord r;
    ResetMeasurement(r);
    return r;
}

QImage Canvas(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(kUntouched);
    return image;
}

QRgb At(const QImage& image, int x, int y) {
    return image.pixel(x, y) | 0xFF000000u;
}

// Whether any pixel of the rectangle has the colour.
bool AnyPixel(const QImage& image, QRect r, QRgb colour) {
    r &= image.rect();
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (At(image, x, y) == colour) return true;
    return false;
}

TEST(ChartPainter, WaveformStartValuesGridAndLabel) {
    const QSize area(406, 306);  // GW 400, GH 300, C 150
    QImage image = Canvas(500, 400);
    DrawWaveformChart(image, area, StartRecord(), kGray);

    // The flat voltage trace covers the middle grid line (the current under it).
    for (int x : {2, 100, 201, 401}) EXPECT_EQ(At(image, x, 152), kGreen) << x;
    EXPECT_EQ(At(image, 402, 152), kScale);  // grid line beyond the trace's end
    // Dotted grid: every other pixel from the start, both ends included.
    for (int x = 0; x <= 405; ++x) {
        const bool dot = x >= 2 && x <= 402 && (x - 2) % 2 == 0;
        EXPECT_EQ(At(image, x, 39), dot ? kScale : kBackground) << x;
    }
    for (int y = 0; y <= 38; ++y)
        EXPECT_EQ(At(image, 42, y), y >= 2 && y % 2 == 0 ? kScale : kBackground) << y;
    EXPECT_EQ(At(image, 42, 302), kScale);
    EXPECT_EQ(At(image, 42, 303), kBackground);
    // Solid tick on the vertical axis in the middle of the first division.
    for (int x = 199; x <= 206; ++x) EXPECT_EQ(At(image, x, 20), kScale) << x;
    EXPECT_EQ(At(image, 198, 20), kBackground);
    // Label text in its own colour, straight on the background.
    EXPECT_TRUE(AnyPixel(image, QRect(5, 294, 300, 14), kBlue));
    EXPECT_FALSE(AnyPixel(image, QRect(0, 0, 406, 280), kBlue));
    // Only the chart area is painted (the image is larger).
    EXPECT_EQ(At(image, 450, 5), kUntouched);
    EXPECT_EQ(At(image, 5, 350), kUntouched);
}

TEST(ChartPainter, WaveformPeaksLandOnComputedRows) {
    const QSize area(406, 304);  // GH 298, C 149, H' / 8 = 37.75
    MeasureRecord r = StartRecord();
    r.setUZero(2000);
    r.setIZero(2000);
    for (int k = 0; k < kSampleCount; ++k) {
        const double phase = k * 3.14159265358979 / 64;
        r.setUSample(k, static_cast<std::uint16_t>(2000 + std::lround(1000 * std::sin(phase))));
        r.setISample(k, static_cast<std::uint16_t>(2000 + std::lround(400 * std::cos(phase))));
    }
    QImage image = Canvas(406, 304);
    DrawWaveformChart(image, area, r, kGray);

    const auto u = TracePoints({406, 304}, r, Channel::Voltage, WaveformScales({406, 304}, r).voltage);
    // Sample 32 is the sine's top: on the top grid line; sample 96 on the bottom one.
    EXPECT_EQ(u[32].y, 2);
    EXPECT_EQ(u[96].y, 300);
    EXPECT_EQ(At(image, u[32].x, 2), kGreen);
    EXPECT_EQ(At(image, u[96].x, 300), kGreen);

    // Current peak at sample 128 (cosine top): 111 pixels above the centre line.
    const ChartFrame f{406, 304};
    const auto i = TracePoints(f, r, Channel::Current, WaveformScales(f, r).current);
    EXPECT_EQ(i[128].y, 151 - 111);
    EXPECT_EQ(At(image, i[128].x, i[128].y), kRed);
    EXPECT_NE(At(image, i[128].x, i[128].y - 1), kRed);
}

TEST(ChartPainter, HarmonicBarsScaleAndNumbers) {
    const QSize area(406, 306);  // Y0 270, Rh 255
    MeasureRecord r = StartRecord();
    r.setIHarmonic(1, 2.0f);
    r.setIHarmonic(3, std::numeric_limits<float>::quiet_NaN());
    r.setIHarmonic(5, -1.0f);
    QImage image = Canvas(406, 306);
    DrawHarmonicChart(image, area, r, Channel::Current, kGray);

    const int x1 = HarmonicOrderX({406, 306}, 1) + 5;  // bar of order 1: columns x1, x1 + 1
    for (int y : {15, 100, 269}) {
        EXPECT_EQ(At(image, x1, y), kCurrentBar) << y;
        EXPECT_EQ(At(image, x1 + 1, y), kCurrentBar) << y;
    }
    EXPECT_EQ(At(image, x1, 14), kBackground);
    EXPECT_EQ(At(image, x1 + 2, 100), kBackground);
    // Baseline, two pixels thick, under the bars.
    EXPECT_EQ(At(image, 200, 270), kScale);
    EXPECT_EQ(At(image, 200, 271), kScale);
    EXPECT_EQ(At(image, 200, 269), kBackground);
    // No bar for the NaN, negative or zero orders.
    for (int n : {0, 2, 3, 5}) EXPECT_NE(At(image, HarmonicOrderX({406, 306}, n) + 5, 268), kCurrentBar) << n;
    // Scale: solid from x = 3 to 7 at 100 %, then dotted.
    for (int x = 3; x <= 7; ++x) EXPECT_EQ(At(image, x, 15), kScale) << x;
    EXPECT_EQ(At(image, 8, 40), kBackground);
    EXPECT_EQ(At(image, 9, 40), kScale);
    EXPECT_EQ(At(image, 403, 15), kScale);  // W' - 1, the dotted line's end
    EXPECT_EQ(At(image, 404, 15), kBackground);
    // "100%" at the top left and the order numbers under the baseline.
    EXPECT_TRUE(AnyPixel(image, QRect(1, 1, 40, 14), kTeal));
    EXPECT_TRUE(AnyPixel(image, QRect(HarmonicOrderX({406, 306}, 50) - 1, 276, 20, 14), kTeal));
}

TEST(ChartPainter, VoltageBarsAndOtherColours) {
    MeasureRecord r = StartRecord();
    r.setUHarmonic(0, 5.0f);
    const ChartColours dark{{0, 0, 0}, {239, 239, 0}};
    QImage image = Canvas(406, 306);
    DrawHarmonicChart(image, QSize(406, 306), r, Channel::Voltage, dark);
    EXPECT_EQ(At(image, 7, 100), kGreen);
    EXPECT_EQ(At(image, 300, 300), qRgb(0, 0, 0));
    EXPECT_EQ(At(image, 300, 270), qRgb(239, 239, 0));
}

TEST(ChartPainter, ImagesSmallerThanTheAreaAndOddSizes) {
    MeasureRecord r = StartRecord();
    r.setUHarmonic(1, std::numeric_limits<float>::infinity());
    QImage small = Canvas(100, 80);
    DrawWaveformChart(small, QSize(1900, 1000), r, kGray);
    EXPECT_EQ(At(small, 2, 2), kScale);  // the grid's corner
    EXPECT_EQ(At(small, 3, 3), kBackground);
    DrawHarmonicChart(small, QSize(1900, 1000), r, Channel::Voltage, kGray);
    EXPECT_EQ(At(small, 99, 79), kBackground);
    EXPECT_EQ(At(small, 3, 15), kScale);  // the 100 % level
    for (QSize odd : {QSize(0, 0), QSize(-20, 5), QSize(3, 3), QSize(1 << 30, 1 << 30)}) {
        QImage image = Canvas(64, 48);
        DrawWaveformChart(image, odd, r, kGray);
        DrawHarmonicChart(image, odd, r, Channel::Current, kGray);
    }
    QImage null;
    DrawWaveformChart(null, QSize(100, 100), r, kGray);
    EXPECT_TRUE(null.isNull());
    QImage indexed(20, 20, QImage::Format_Indexed8);  // not paintable: left alone
    indexed.setColorCount(1);
    indexed.fill(0);
    DrawHarmonicChart(indexed, QSize(20, 20), r, Channel::Voltage, kGray);
    EXPECT_EQ(indexed.pixelIndex(5, 5), 0);
}

}  // namespace
}  // namespace lxv

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
