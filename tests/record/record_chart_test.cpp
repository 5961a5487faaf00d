#include "record/record_chart.h"

#include <gtest/gtest.h>

#include "record/record_view.h"

namespace lxv {
namespace {

RecordData Ramp(int n) {
    RecordData d;
    d.allocate(n);
    for (int i = 0; i < n; ++i) {
        for (int c = 0; c < kRecordChannels; ++c) d.channels[c][i] = static_cast<float>(i);
        d.stamps[i] = 46000.0 + i;
    }
    d.count = n;
    return d;
}

template <typename T>
std::vector<T> All(const RecordDrawing& d) {
    std::vector<T> out;
    for (const auto& p : d)
        if (const T* t = std::get_if<T>(&p)) out.push_back(*t);
    return out;
}

RecordChartInput Input(const RecordData& d, int zoom = 1, int offset = 0) {
    RecordChartInput in;
    in.data = &d;
    in.fileActive = true;
    in.last = d.count - 1;
    in.zoom = zoom;
    in.offset = offset;
    return in;
}

TEST(RecordChart, TracesRunFromTheNewestSampleAtTheLeft) {
    const RecordData d = Ramp(1000);
    struct Case {
        int w, zoom, offset, points, start, end;
    };
    const Case cases[] = {
        {600, 1, 0, 600, 400, 999}, {600, 2, 0, 499, 3, 999}, {600, 1, 500, 499, 1, 499},
        {600, 3, 998, 0, -1, -1},   {600, 1, 999, 0, -1, -1}, {2000, 1, 0, 999, 1, 999},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << " " << c.zoom << " " << c.offset);
        const RecordChart chart = DrawRecordChart(c.w, 532, Input(d, c.zoom, c.offset));
        EXPECT_EQ(chart.points, c.points);
        EXPECT_EQ(chart.startIndex, c.start);
        EXPECT_EQ(chart.endIndex, c.end);
        const auto traces = All<RecordPolyline>(chart.drawing);
        ASSERT_EQ(traces.size(), c.points > 0 ? 6u : 0u);
        if (c.points == 0) continue;
        // Positive range, scale 1, h 532: y = 516 - value (u = 1 pixel per unit).
        EXPECT_EQ(traces[0].points.front(), (ChartPoint{0, 516 - c.end}));
        EXPECT_EQ(traces[0].points.back(), (ChartPoint{c.points - 1, 516 - c.start}));
        EXPECT_EQ(chart.penTop[0], 516 - c.end - 7);
    }
}

TEST(RecordChart, RangeModesAndOutOfChartMarkers) {
    struct Case {
        float value, scale;
        int h;
        RangeMode range;
        int y;
        bool above, below;
    };
    const Case cases[] = {
        {500.0f, 1.0f, 532, RangeMode::Positive, 16, false, false},   // top grid line
        {5.0f, 100.0f, 532, RangeMode::Positive, 16, false, false},   // 500 / scale
        {500.0f, 1.0f, 532, RangeMode::PAndN, 16, false, false},      // even h
        {-17.0f, 1.0f, 532, RangeMode::Positive, 533, false, true},   // more than 16 below zero
        {-16.0f, 1.0f, 532, RangeMode::Positive, 532, false, false},  // on the edge
        {517.0f, 1.0f, 532, RangeMode::Positive, -1, true, false},
        {-100.0f, 1.0f, 532, RangeMode::Negative, 116, false, false},
        {100.0f, 1.0f, 532, RangeMode::Negative, -84, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << " " << static_cast<int>(c.range));
        RecordData d = Ramp(3);
        for (int i = 0; i < 3; ++i) d.channels[1][i] = c.value;
        RecordChartInput in = Input(d);
        in.range = c.range;
        in.scale[1] = c.scale;
        in.visible[1] = false;  // hidden: no trace, markers all the same
        const RecordChart chart = DrawRecordChart(400, c.h, in);
        EXPECT_EQ(RecordValueY(c.value, c.scale, c.h, c.range), c.y);
        EXPECT_EQ(chart.above[1], c.above);
        EXPECT_EQ(chart.below[1], c.below);
        EXPECT_EQ(All<RecordPolyline>(chart.drawing).size(), 5u);
        const auto triangles = All<RecordTriangle>(chart.drawing);
        ASSERT_EQ(triangles.size(), (c.above ? 1u : 0u) + (c.below ? 1u : 0u));
        if (c.above) {
            EXPECT_EQ(triangles[0].a, (ChartPoint{400 - 60, 5}));
        }
        if (c.below) {
            EXPECT_EQ(triangles[0].c, (ChartPoint{400 - 60 + 5, c.h - 1}));
        }
    }
}

TEST(RecordChart, GridTextsAndStatus) {
    const RecordData d = Ramp(0);
    RecordChartInput in = Input(d);
    in.gridPhase = 7;
    in.scale = {1.0f, 0.1f, 0.05f, 10000.0f, 2.5f, 0.5f};
    const RecordChart chart = DrawRecordChart(100, 432, in);
    const auto lines = All<RecordLine>(chart.drawing);
    ASSERT_EQ(lines.size(), 11u + 6u);
    EXPECT_EQ(lines[10].from.y, 416);
    EXPECT_EQ(lines[11].from, (ChartPoint{7, 16}));
    EXPECT_EQ(lines[16].to, (ChartPoint{107, 416}));
    std::vector<std::string> texts;
    for (const auto& t : All<RecordText>(chart.drawing)) texts.push_back(t.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"Time/DIV=20S", "CH1/DIV=50", "CH2/DIV=500", "CH3/DIV=1000",
                                               "CH4/DIV=0.005", "CH5/DIV=20", "CH6/DIV=100"}));
    EXPECT_EQ(UnitsPerDivisionText(1.0f, RangeMode::PAndN), "100");
    EXPECT_EQ(UnitsPerDivisionText(10000.0f, RangeMode::PAndN), "0.01");
    const RecordChartStatus s = ChartStatusTexts(chart, in, [](double) { return std::string("x"); });
    EXPECT_EQ(s.start, "Start:");
    EXPECT_EQ(s.end, "End:");
    EXPECT_EQ(s.length, "Length:0");
    EXPECT_EQ(s.sampling, "Sampling step:1S");
    const auto ruler = All<RecordText>(DrawRecordRuler(432, RangeMode::Negative));
    ASSERT_EQ(ruler.size(), 11u);
    EXPECT_EQ(ruler[1].text, "-10%");
    EXPECT_EQ(ruler[1].at, (ChartPoint{20, 56 - 6}));
    EXPECT_EQ(All<RecordText>(DrawRecordRuler(432, RangeMode::PAndN))[10].text, "-100%");
}

TEST(RecordView, ZoomSegmentAndScrollLimits) {
    RecordView v;
    v.fileActive = true;
    // 1,200 samples in a 638-pixel chart: zoom stops at 2.
    EXPECT_EQ(v.ZoomInBack(1200, 638).gridMs, 2000);
    EXPECT_EQ(v.liveZoom, 2);
    EXPECT_EQ(v.trackBar, 149);
    v.ZoomInBack(1200, 638);
    EXPECT_EQ(v.liveZoom, 2);
    EXPECT_FALSE(v.controls.zoomIn);
    v.ZoomOutForward(1200);
    v.ZoomOutForward(1200);
    EXPECT_EQ(v.liveZoom, 1);
    EXPECT_FALSE(v.controls.zoomOut);
    EXPECT_TRUE(v.controls.zoomIn);

    // Segments: forward while offset + 500 < count - offset; back by 300.
    for (int expected : {500, 1000, 1000}) {
        v.SegmentForward(1600);
        EXPECT_EQ(v.liveOffset, expected);
    }
    EXPECT_FALSE(v.controls.segmentForward);
    EXPECT_EQ(v.scrollBar, NearestInt(1000 * 450.0 / 1600));
    for (int expected : {700, 400, 100, 0, 0}) {
        v.SegmentBack(1600);
        EXPECT_EQ(v.liveOffset, expected);
        EXPECT_TRUE(v.controls.segmentForward);
    }
    EXPECT_FALSE(v.controls.segmentBack);

    // A scroll bar change on 450 samples or fewer does nothing; beyond, unless the rest fits the chart.
    EXPECT_FALSE(v.ScrollBarChanged(200, 450, 100).redrawSoon);
    EXPECT_EQ(v.liveOffset, 0);
    EXPECT_TRUE(v.ScrollBarChanged(225, 10000, 600).redrawSoon);
    EXPECT_EQ(v.liveOffset, 5000);
    EXPECT_FALSE(v.ScrollBarChanged(449, 10000, 600).redrawSoon);
    EXPECT_EQ(v.liveOffset, 5000);

    // Track bar: zoom p = 151 - position while n div p > nearest(w / 2).
    EXPECT_EQ(v.TrackBarChanged(140, 10000, 600).gridMs, 11000);
    EXPECT_EQ(v.liveZoom, 11);
    EXPECT_EQ(v.TrackBarChanged(100, 10000, 600).gridMs, 0);
    EXPECT_EQ(v.liveZoom, 11);
}

TEST(RecordView, ScalesVisibilityReadoutAndViews) {
    RecordView v;
    EXPECT_FALSE(v.ReadoutIndex(3, 100).has_value());  // no file yet
    v.ScaleUp(0);
    EXPECT_EQ(v.scale[0], 1.0f);  // position 3 -> 4
    for (int i = 0; i < 20; ++i) v.ScaleUp(0);
    EXPECT_EQ(v.scale[0], 10000.0f);
    EXPECT_FALSE(v.controls.scaleUp[0]);
    v.ToggleVisible(0);
    EXPECT_FALSE(v.controls.rowEnabled[0]);
    EXPECT_FALSE(v.controls.scaleDown[0]);
    v.ToggleVisible(0);
    EXPECT_FALSE(v.controls.scaleUp[0]);
    EXPECT_TRUE(v.controls.scaleDown[0]);
    for (int i = 0; i < 20; ++i) v.ScaleDown(2);
    EXPECT_EQ(v.scale[2], 0.05f);
    EXPECT_FALSE(v.controls.scaleDown[2]);

    v.FileCreated();
    v.liveZoom = 2;
    v.liveOffset = 3;
    EXPECT_EQ(v.ReadoutIndex(10, 100), 100 - (3 + 20 + 1));
    EXPECT_FALSE(v.ReadoutIndex(48, 100).has_value());
    v.FileOpened(500);
    EXPECT_EQ(v.ReadoutIndex(0, 100), 499);
    EXPECT_FALSE(v.ReadoutIndex(499, 100).has_value());
    v.SwitchView(100);
    EXPECT_TRUE(v.liveView());
    EXPECT_EQ(v.trackBar, 149);
    EXPECT_EQ(v.scrollBar, NearestInt(3 * 450.0 / 100));
    EXPECT_EQ(ReadoutValueText(229.98765f), "Value: 229.988");
    EXPECT_EQ(ReadoutValueText(0.00049f), "Value: 0");
    EXPECT_EQ(ReadoutValueText(2500000.0f), "Value: 2500000");
}

}  // namespace
}  // namespace lxv
