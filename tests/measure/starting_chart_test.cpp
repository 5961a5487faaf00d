// The starting-test capture layout, its chart geometry and view buttons.
#include "measure/starting_chart.h"

#include <gtest/gtest.h>

namespace lxv {
namespace {

StartingRecord StartCapture() {
    StartingRecord r;
    ResetStartingRecord(r);
    return r;
}

MeasureRecord StartBlock() {
    MeasureRecord r;
    ResetMeasurement(r);
    return r;
}

TEST(StartingRecord, FieldsAreReadLittleEndianAtTheirOffsets) {
    StartingRecord r;
    std::uint8_t* d = r.data();
    d[3] = 0x3F;                       // UScale 0.5
    d[7] = 0x40;                       // IScale 2.0
    d[8] = 0x34, d[9] = 0x12;          // UCapture[0]
    d[5126] = 0xFF, d[5127] = 0x0F;    // UCapture[2559]
    d[5128] = 0x01, d[5129] = 0x08;    // ICapture[0]
    d[10246] = 0xCD, d[10247] = 0x0A;  // ICapture[2559], the last byte of chunk 6
    EXPECT_EQ(r.UScale(), 0.5f);
    EXPECT_EQ(r.IScale(), 2.0f);
    EXPECT_EQ(r.UCapture(0), 0x1234);
    EXPECT_EQ(r.UCapture(2559), 0x0FFF);
    EXPECT_EQ(r.ICapture(0), 0x0801);
    EXPECT_EQ(r.ICapture(2559), 0x0ACD);
    EXPECT_EQ(r.chunk(6) + kChunkSize, d + StartingRecord::size());
}

TEST(StartingView, ButtonsMoveAndOnlyAClickAtTheLimitDisables) {
    struct Case {
        const char* clicks;  // E earlier, L later, C compress, S stretch
        int offset, step;
        bool earlier, later, compress, stretch;
    };
    const Case cases[] = {
        {"E", 0, 1, false, true, true, true},           {"EL", 320, 1, true, true, true, true},
        {"LLLLLLL", 2240, 1, true, true, true, true},  // reaching the limit leaves it enabled
        {"LLLLLLLL", 2240, 1, true, false, true, true}, {"LLLLLLLLE", 1920, 1, true, true, true, true},
        {"CCCC", 0, 4, true, true, false, true},        {"CCCCS", 0, 3, true, true, true, true},
        {"S", 0, 1, true, true, true, false},
    };
    for (const Case& c : cases) {
        StartingView v;
        for (const char* p = c.clicks; *p; ++p) {
            if (*p == 'E') v.Earlier();
            if (*p == 'L') v.Later();
            if (*p == 'C') v.Compress();
            if (*p == 'S') v.Stretch();
        }
        SCOPED_TRACE(c.clicks);
        EXPECT_EQ(v.offset(), c.offset);
        EXPECT_EQ(v.step(), c.step);
        EXPECT_EQ(v.earlierEnabled(), c.earlier);
        EXPECT_EQ(v.laterEnabled(), c.later);
        EXPECT_EQ(v.compressEnabled(), c.compress);
        EXPECT_EQ(v.stretchEnabled(), c.stretch);
    }
}

StartingView ViewAt(int laterClicks, int compressClicks) {
    StartingView v;
    for (int i = 0; i < laterClicks; ++i) v.Later();
    for (int i = 0; i < compressClicks; ++i) v.Compress();
    return v;
}

TEST(StartingChart, VisiblePointsAndTheirSamples) {
    struct Case {
        int laterClicks, compressClicks, width, points;
    };
    const Case cases[] = {
        {7, 3, 1600, 77}, {0, 0, 798, 798}, {0, 0, 3000, 2550}, {1, 1, 2000, 1115}, {0, 0, 0, 0}};
    StartingRecord capture = StartCapture();
    for (int k = 0; k < kCaptureSamples; ++k) capture.setUCapture(k, static_cast<std::uint16_t>(k));
    for (const Case& c : cases) {
        const StartingView view = ViewAt(c.laterClicks, c.compressClicks);
        SCOPED_TRACE(c.width);
        EXPECT_EQ(VisiblePoints(c.width, view), c.points);
        // Scale -1: each point's height is its sample index, so the sample read shows.
        const auto points =
            StartingTracePoints({c.width, 100}, capture, StartBlock(), Channel::Voltage, -1.0, view);
        ASSERT_EQ(points.size(), static_cast<std::size_t>(c.points));
        if (points.empty()) continue;
        const int last = c.points - 1;
        EXPECT_EQ(points[0], (ChartPoint{2, 50 + (8 + view.offset() - 2047) + 2}));
        EXPECT_EQ(points[last].x, last == 0 ? 2 : last);
        EXPECT_EQ(points[last].y, 50 + (8 + view.offset() + last * view.step() - 2047) + 2);
    }
}

TEST(StartingChart, PeaksUseTheWholeCaptureAndFlatChannelsLieOnTheCentreLine) {
    // Start values: both traces flat on the centre line, both peaks 0.
    const auto flat = StartingChart({798, 400}, StartCapture(), StartBlock(), StartingView{});
    std::vector<ChartText> texts;
    for (const auto& p : flat) {
        if (const auto* line = std::get_if<ChartPolyline>(&p)) {
            for (const ChartPoint& q : line->points) ASSERT_EQ(q.y, 202);
        }
        if (const auto* t = std::get_if<ChartText>(&p)) texts.push_back(*t);
    }
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "Voltage peak0V");
    EXPECT_EQ(texts[0].at, (ChartPoint{5, 385}));
    EXPECT_EQ(texts[1].text, "Current peak0A");
    EXPECT_EQ(StartingTraceScales(400, {}).current, 0.00001);

    // Peaks at samples 8 and 2558, which no view at offset 2240 step 4 shows.
    StartingRecord capture = StartCapture();
    capture.setUScale(0.5f);
    capture.setIScale(0.0625f);
    capture.setUCapture(8, 2047 + 623);
    capture.setICapture(2558, 2047 - 679);
    capture.setUCapture(7, 4095);  // samples 0..7 and 2559 never count
    capture.setICapture(2559, 0);
    for (const StartingView& view : {ViewAt(0, 0), ViewAt(7, 3)}) {
        const CapturePeaks peaks = PeaksOf(capture, StartBlock());
        EXPECT_EQ(peaks.voltage, 623);
        EXPECT_EQ(peaks.current, 679);
        EXPECT_EQ(VoltagePeakText(capture, peaks), "Voltage peak311.5V");
        EXPECT_EQ(CurrentPeakText(capture, peaks), "Current peak42.44A");
        const auto drawing = StartingChart({1600, 900}, capture, StartBlock(), view);
        EXPECT_EQ(std::get<ChartText>(drawing[drawing.size() - 2]).text, "Voltage peak311.5V");
    }
    // Voltage peak reaches the half height less 16; the current one a tenth of the grid less.
    const StartingScales s = StartingTraceScales(900, {623, 679});
    EXPECT_DOUBLE_EQ(s.voltage * 623, 450 - 16);
    EXPECT_DOUBLE_EQ(s.current * 679, 450 - 16 - 86);
}

}  // namespace
}  // namespace lxv
