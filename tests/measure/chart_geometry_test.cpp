// Chart geometry without painting: grid, traces, scales, labels and bars.
#include "measure/chart_geometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

namespace lxv {
namespace {

MeasureRecord StartRecord() {
    MeasureRecord r;
    ResetMeasurement(r);
    return r;
}

template <class T>
std::vector<T> Only(const ChartDrawing& d) {
    std::vector<T> out;
    for (const ChartPrimitive& p : d)
        if (const T* item = std::get_if<T>(&p)) out.push_back(*item);
    return out;
}

std::vector<ChartLine> Lines(const ChartDrawing& d, LineStyle style) {
    std::vector<ChartLine> out;
    for (const ChartLine& l : Only<ChartLine>(d))
        if (l.style == style) out.push_back(l);
    return out;
}

// ---- labels ----

TEST(WaveformLabel, DivisionTexts) {
    EXPECT_EQ("SEC/DIV:" + SecondsPerDivisionText(50.0f) + "ms   ", "SEC/DIV:8ms   ");
    EXPECT_EQ("SEC/DIV:" + SecondsPerDivisionText(60.0f) + "ms   ", "SEC/DIV:6.67ms   ");
    EXPECT_EQ(SecondsPerDivisionText(0.0f), "8");
    EXPECT_EQ(SecondsPerDivisionText(-50.0f), "8");
    EXPECT_EQ(SecondsPerDivisionText(std::nanf("")), "8");
    EXPECT_EQ(SecondsPerDivisionText(49.9876f), "8");  // 8.00198... to 2 decimals

    EXPECT_EQ("Vol/DIV:" + VoltsPerDivisionText(325.0f, 230.0f) + "V   ", "Vol/DIV:81.25V   ");
    EXPECT_EQ("Vol/DIV:" + VoltsPerDivisionText(325.0f, 0.0f) + "V   ", "Vol/DIV:50V   ");
    EXPECT_EQ(VoltsPerDivisionText(325.0f, std::nanf("")), "50");
    EXPECT_EQ(VoltsPerDivisionText(325.0f, -1.0f), "50");

    EXPECT_EQ("Amp/DIV:" + AmpsPerDivisionText(1.5f, 1.0f) + "A   ", "Amp/DIV:0.5A   ");
    EXPECT_EQ(AmpsPerDivisionText(1.5f, 0.0f), "1");
    EXPECT_EQ(AmpsPerDivisionText(1.0f, 1.0f), "0.33");
}

TEST(WaveformLabel, WholeLineWithStartAndMeasuredValues) {
    MeasureRecord r = StartRecord();
    EXPECT_EQ(WaveformLabel(r), "SEC/DIV:8ms   Vol/DIV:50V   Amp/DIV:1A   Trigger Source:Vol");
    r.setScalar(Scalar::UF, 60.0f);
    r.setScalar(Scalar::URMS, 230.0f);
    r.setScalar(Scalar::UPP, 325.0f);
    r.setScalar(Scalar::IRMS, 1.0f);
    r.setScalar(Scalar::IPP, 1.5f);
    EXPECT_EQ(WaveformLabel(r), "SEC/DIV:6.67ms   Vol/DIV:81.25V   Amp/DIV:0.5A   Trigger Source:Vol");
    // Non-finite peaks still give a line (the division text names them).
    r.setScalar(Scalar::UPP, std::numeric_limits<float>::infinity());
    EXPECT_EQ(WaveformLabel(r), "SEC/DIV:6.67ms   Vol/DIV:INFV   Amp/DIV:0.5A   Trigger Source:Vol");
}

// ---- waveform grid ----

TEST(WaveformChart, GridTicksAndLabelPosition) {
    const ChartFrame f{406, 306};  // GW 400, GH 300
    const ChartDrawing d = WaveformChart(f, StartRecord());

    const auto fills = Only<FilledRect>(d);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].width, 406);
    EXPECT_EQ(fills[0].height, 306);
    EXPECT_EQ(std::get_if<FilledRect>(&d.front()) != nullptr, true);  // background first

    const auto dotted = Lines(d, LineStyle::Dotted);
    ASSERT_EQ(dotted.size(), 9u + 11u);
    // Horizontal lines at trunc(GH x i / 8) + 2: 300 / 8 = 37.5 is cut to 37.
    EXPECT_EQ(dotted[0].from, (ChartPoint{2, 2}));
    EXPECT_EQ(dotted[0].to, (ChartPoint{402, 2}));
    EXPECT_EQ(dotted[1].from.y, 39);
    EXPECT_EQ(dotted[4].from.y, 152);  // middle line: C + 2
    EXPECT_EQ(dotted[8].from.y, 302);
    // Vertical lines at trunc(GW x i / 10) + 2.
    EXPECT_EQ(dotted[9].from, (ChartPoint{2, 2}));
    EXPECT_EQ(dotted[9].to, (ChartPoint{2, 302}));
    EXPECT_EQ(dotted[14].from.x, 202);
    EXPECT_EQ(dotted[19].from.x, 402);

    const auto ticks = Lines(d, LineStyle::Solid);
    ASSERT_EQ(ticks.size(), 9u + 11u);
    // Horizontal ticks on the vertical axis, in the middle of each division.
    EXPECT_EQ(ticks[0].from, (ChartPoint{199, 20}));  // trunc(300 / 16) + 2
    EXPECT_EQ(ticks[0].to, (ChartPoint{206, 20}));
    EXPECT_EQ(ticks[1].from.y, 58);  // trunc(300 x 3 / 16) + 2
    // Vertical ticks on the horizontal axis.
    EXPECT_EQ(ticks[9].from, (ChartPoint{22, 149}));
    EXPECT_EQ(ticks[9].to, (ChartPoint{22, 156}));
    EXPECT_EQ(ticks[10].from.x, 62);
    for (const ChartLine& l : Only<ChartLine>(d)) {
        EXPECT_EQ(l.width, 1);
        EXPECT_EQ(l.colour, ChartColour::Scale);
    }

    const auto texts = Only<ChartText>(d);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].at, (ChartPoint{5, 294}));  // (5, H' - 10)
    EXPECT_EQ(texts[0].colour, ChartColour::WaveformText);
    // The text is drawn last, over the traces.
    EXPECT_NE(std::get_if<ChartText>(&d.back()), nullptr);
}

// ---- waveform traces ----

TEST(WaveformChart, StartValuesDrawBothTracesFlatOnTheMiddleLine) {
    const ChartFrame f{406, 306};
    const auto traces = Only<ChartPolyline>(WaveformChart(f, StartRecord()));
    ASSERT_EQ(traces.size(), 2u);
    EXPECT_EQ(traces[0].colour, ChartColour::CurrentTrace);  // current first, voltage over it
    EXPECT_EQ(traces[1].colour, ChartColour::VoltageTrace);
    for (const ChartPolyline& t : traces) {
        ASSERT_EQ(t.points.size(), 512u);
        for (const ChartPoint& p : t.points) EXPECT_EQ(p.y, 152);
        EXPECT_EQ(t.points.front().x, 2);
        EXPECT_EQ(t.points.back().x, 401);  // nearest(511 x 400 / 512) + 2
    }
}

TEST(WaveformChart, HorizontalStepsRoundHalvesToEven) {
    MeasureRecord r = StartRecord();
    const ChartFrame f{262, 106};  // GW 256: dx = 0.5
    auto pts = TracePoints(f, r, Channel::Voltage, 0.0);
    EXPECT_EQ(pts[1].x, 2);  // 0.5 -> 0
    EXPECT_EQ(pts[2].x, 3);
    EXPECT_EQ(pts[3].x, 4);      // 1.5 -> 2
    EXPECT_EQ(pts[5].x, 4);      // 2.5 -> 2
    EXPECT_EQ(pts[511].x, 258);  // 255.5 -> 256

    r.setSampleCount(0);  // no step at all: every point on the left edge
    pts = TracePoints(f, r, Channel::Voltage, 0.0);
    EXPECT_EQ(pts[511].x, 2);
}

TEST(WaveformChart, VoltagePeakReachesTheOuterGridLines) {
    MeasureRecord r = StartRecord();
    const ChartFrame f{406, 306};  // C = 150
    r.setUZero(2000);
    for (int k = 0; k < kSampleCount; ++k)
        r.setUSample(k, static_cast<std::uint16_t>(2000 + std::lround(900 * std::sin(k * 3.14159265 / 64))));
    r.setUSample(300, 1000);  // farthest from UZero, below it
    const auto pts = TracePoints(f, r, Channel::Voltage, WaveformScales(f, r).voltage);
    EXPECT_EQ(pts[300].y, 302);  // bottom grid line, C pixels below the centre
    EXPECT_EQ(pts[0].y, 152);

    r.setUSample(300, 3000);  // now above it
    const auto up = TracePoints(f, r, Channel::Voltage, WaveformScales(f, r).voltage);
    EXPECT_EQ(up[300].y, 2);  // top grid line
}

TEST(WaveformChart, CurrentPeakStaysAboutOneDivisionInside) {
    MeasureRecord r = StartRecord();
    // PH 304: H' = 302, H' / 8 = 37.75 (cutting it to 37 would give 112).
    const ChartFrame f{406, 304};
    const int c = 149;
    r.setIZero(100);
    for (int k = 0; k < kSampleCount; ++k) r.setISample(k, 100);
    r.setISample(10, 0);    // -100
    r.setISample(20, 150);  // +50
    r.setISample(30, 300);  // +200, the peak
    const TraceScales s = WaveformScales(f, r);
    EXPECT_DOUBLE_EQ(s.current, (149 - 37.75) / 200);
    const auto pts = TracePoints(f, r, Channel::Current, s.current);
    EXPECT_EQ(c + 2 - pts[30].y, 111);   // nearest(149 - 37.75)
    EXPECT_EQ(pts[10].y - (c + 2), 56);  // nearest(55.625)
    EXPECT_EQ(c + 2 - pts[20].y, 28);    // nearest(27.8125)

    // A flat voltage keeps the current's scale.
    EXPECT_DOUBLE_EQ(s.voltage, s.current);
    // A flat current gives scale 0.
    EXPECT_EQ(WaveformScales(f, StartRecord()).current, 0.0);
}

TEST(WaveformChart, ExtremeCodesAndSizesStayInRange) {
    MeasureRecord r = StartRecord();
    r.setUZero(0);
    r.setUSample(7, 65535);
    r.setIZero(65535);
    r.setISample(9, 0);
    const ChartFrame f{406, 306};
    const TraceScales s = WaveformScales(f, r);
    EXPECT_EQ(TracePoints(f, r, Channel::Voltage, s.voltage)[7].y, 2);
    EXPECT_EQ(TracePoints(f, r, Channel::Current, s.current)[9].y, 152 + NearestInt(150 - 304 / 8.0));

    // Degenerate and absurd chart areas still give a drawing.
    for (ChartFrame odd :
         {ChartFrame{0, 0}, ChartFrame{-50, -7}, ChartFrame{3, 3}, ChartFrame{INT_MAX, INT_MAX}}) {
        const ChartDrawing d = WaveformChart(odd, r);
        EXPECT_EQ(Only<ChartPolyline>(d).size(), 2u);
        for (const ChartPolyline& t : Only<ChartPolyline>(d))
            for (const ChartPoint& p : t.points) {
                EXPECT_LE(std::abs(p.x), 1 << 21);
                EXPECT_LE(std::abs(p.y), 1 << 21);
            }
    }
}

TEST(NearestInt, TiesToEvenAndClamped) {
    EXPECT_EQ(NearestInt(0.5), 0);
    EXPECT_EQ(NearestInt(1.5), 2);
    EXPECT_EQ(NearestInt(-2.5), -2);
    EXPECT_EQ(NearestInt(2.5000001), 3);
    EXPECT_EQ(NearestInt(std::nan("")), 0);
    EXPECT_EQ(NearestInt(1e300), 1000000000);
    EXPECT_EQ(NearestInt(-std::numeric_limits<double>::infinity()), -1000000000);
}

// ---- harmonic charts ----

TEST(HarmonicChart, BaselineScaleLinesAndOrderNumbers) {
    const ChartFrame f{406, 306};  // GW 400, GH 300, W' 404
    EXPECT_EQ(HarmonicBaseline(f), 270);
    EXPECT_EQ(HarmonicRange(f), 255);
    const ChartDrawing d = HarmonicChart(f, StartRecord(), Channel::Voltage);

    const auto solid = Lines(d, LineStyle::Solid);
    ASSERT_EQ(solid.size(), 1u + 11u + 10u);
    EXPECT_EQ(solid[0].from, (ChartPoint{2, 270}));  // baseline, pen width 2
    EXPECT_EQ(solid[0].to, (ChartPoint{403, 270}));
    EXPECT_EQ(solid[0].width, 2);
    // Order 0's tick, then the ten scale levels from 100 % down.
    EXPECT_EQ(solid[1].from, (ChartPoint{7, 269}));
    EXPECT_EQ(solid[1].to, (ChartPoint{7, 273}));
    EXPECT_EQ(solid[2].from, (ChartPoint{3, 15}));  // Y0 - Rh
    EXPECT_EQ(solid[2].to, (ChartPoint{7, 15}));
    EXPECT_EQ(solid[3].from.y, 40);    // trunc(25.5) + 15
    EXPECT_EQ(solid[11].from.y, 244);  // trunc(229.5) + 15: the 10 % level

    const auto dotted = Lines(d, LineStyle::Dotted);
    ASSERT_EQ(dotted.size(), 10u);
    EXPECT_EQ(dotted[0].from, (ChartPoint{7, 15}));
    EXPECT_EQ(dotted[0].to, (ChartPoint{403, 15}));  // W' - 1

    const auto texts = Only<ChartText>(d);
    ASSERT_EQ(texts.size(), 12u);
    EXPECT_EQ(texts[0].text, "0");
    EXPECT_EQ(texts[0].at, (ChartPoint{3, 276}));  // x + 1
    EXPECT_EQ(texts[1].text, "100%");
    EXPECT_EQ(texts[1].at, (ChartPoint{1, 1}));
    EXPECT_EQ(texts[2].text, "5");
    EXPECT_EQ(texts[2].at, (ChartPoint{HarmonicOrderX(f, 5) + 2, 276}));
    EXPECT_EQ(texts[3].text, "10");
    EXPECT_EQ(texts[3].at, (ChartPoint{HarmonicOrderX(f, 10) - 1, 276}));
    EXPECT_EQ(texts[11].text, "50");
    EXPECT_EQ(texts[11].at, (ChartPoint{393, 276}));  // x = 392 + 2, text at x - 1
    for (const ChartText& t : texts) EXPECT_EQ(t.colour, ChartColour::OrderNumber);

    // An empty spectrum: 51 empty bars.
    const auto bars = Only<OutlinedRect>(d);
    ASSERT_EQ(bars.size(), 51u);
    for (const OutlinedRect& b : bars) {
        EXPECT_EQ(b.top, b.bottom);
        EXPECT_EQ(b.pen, ChartColour::VoltageBar);
    }
}

TEST(HarmonicChart, OrderPositionsRoundHalvesToEven) {
    const ChartFrame f{39, 100};  // GW 33, BW 25: n x 0.5
    EXPECT_EQ(HarmonicOrderX(f, 0), 2);
    EXPECT_EQ(HarmonicOrderX(f, 1), 2);  // 0.5 -> 0
    EXPECT_EQ(HarmonicOrderX(f, 3), 4);  // 1.5 -> 2
    EXPECT_EQ(HarmonicOrderX(f, 5), 4);  // 2.5 -> 2
    EXPECT_EQ(HarmonicOrderX(f, 50), 27);
}

TEST(HarmonicChart, LoneFundamentalGivesOneFullBarAtTheSecondPosition) {
    const ChartFrame f{406, 306};
    MeasureRecord r = StartRecord();
    r.setIHarmonic(1, 3.7f);
    const auto bars = Only<OutlinedRect>(HarmonicChart(f, r, Channel::Current));
    ASSERT_EQ(bars.size(), 51u);
    const int x1 = HarmonicOrderX(f, 1);
    EXPECT_EQ(x1, 10);
    EXPECT_EQ(bars[1].left, x1 + 5);
    EXPECT_EQ(bars[1].right, x1 + 7);
    EXPECT_EQ(bars[1].top, 270 - 255);
    EXPECT_EQ(bars[1].bottom, 270);
    EXPECT_EQ(bars[1].pen, ChartColour::CurrentBar);
    EXPECT_EQ(bars[1].fill, ChartColour::Background);
    for (int n = 0; n < kHarmonicCount; ++n) {
        if (n == 1) continue;
        EXPECT_EQ(bars[static_cast<std::size_t>(n)].top, 270) << n;
    }
    // The voltage spectrum is untouched.
    for (int h : HarmonicBarHeights(f, r, Channel::Voltage)) EXPECT_EQ(h, 0);
}

TEST(HarmonicChart, BarsArePercentagesOfTheLargest) {
    const ChartFrame f{406, 306};  // Rh 255
    MeasureRecord r = StartRecord();
    r.setUHarmonic(1, 230.0f);
    r.setUHarmonic(3, 115.0f);
    r.setUHarmonic(5, 23.0f);
    r.setUHarmonic(7, 0.1f);
    const auto h = HarmonicBarHeights(f, r, Channel::Voltage);
    EXPECT_EQ(h[1], 255);
    EXPECT_EQ(h[3], 127);  // 127.5 cut
    EXPECT_EQ(h[5], 25);
    EXPECT_EQ(h[7], 0);

    // Exactly Rh for the largest whatever its value (no rounding shortfall).
    for (float big : {49.0f, 0.3f, 1e-30f, 3e38f, 7.0f}) {
        MeasureRecord b = StartRecord();
        b.setUHarmonic(2, big);
        EXPECT_EQ(HarmonicBarHeights(f, b, Channel::Voltage)[2], 255) << big;
    }
}

TEST(HarmonicChart, NaNInfiniteAndNegativeAmplitudes) {
    const ChartFrame f{406, 306};
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();

    MeasureRecord r = StartRecord();
    r.setUHarmonic(0, nan);
    r.setUHarmonic(1, 100.0f);
    r.setUHarmonic(2, -500.0f);
    r.setUHarmonic(3, 50.0f);
    r.setUHarmonic(4, -inf);
    auto h = HarmonicBarHeights(f, r, Channel::Voltage);
    EXPECT_EQ(h[0], 0);  // NaN as 0
    EXPECT_EQ(h[1], 255);
    EXPECT_EQ(h[2], 0);  // negative: no bar, and not the largest either
    EXPECT_EQ(h[3], 127);
    EXPECT_EQ(h[4], 0);

    r.setUHarmonic(5, inf);  // infinite: the largest, full height; finite ones 0
    h = HarmonicBarHeights(f, r, Channel::Voltage);
    EXPECT_EQ(h[5], 255);
    EXPECT_EQ(h[1], 0);
    EXPECT_EQ(h[0], 0);

    MeasureRecord all = StartRecord();
    for (int n = 0; n < kHarmonicCount; ++n) all.setIHarmonic(n, n % 2 ? nan : -1.0f);
    for (int v : HarmonicBarHeights(f, all, Channel::Current)) EXPECT_EQ(v, 0);
    for (const OutlinedRect& b : Only<OutlinedRect>(HarmonicChart(f, all, Channel::Current)))
        EXPECT_EQ(b.top, b.bottom);
}

TEST(HarmonicChart, TinyAndHugeAreas) {
    MeasureRecord r = StartRecord();
    r.setUHarmonic(1, 1.0f);
    // Too small for bars: Rh <= 0 draws no bar instead of one pointing down.
    for (ChartFrame f : {ChartFrame{10, 10}, ChartFrame{0, 0}, ChartFrame{-100, -100}}) {
        for (int v : HarmonicBarHeights(f, r, Channel::Voltage)) EXPECT_EQ(v, 0);
        EXPECT_EQ(Only<OutlinedRect>(HarmonicChart(f, r, Channel::Voltage)).size(), 51u);
    }
    const ChartFrame huge{INT_MAX, INT_MAX};
    const auto h = HarmonicBarHeights(huge, r, Channel::Voltage);
    EXPECT_GT(h[1], 0);
    EXPECT_EQ(h[1], HarmonicRange(huge));
    EXPECT_GT(HarmonicOrderX(huge, 50), 0);
}

}  // namespace
}  // namespace lxv
