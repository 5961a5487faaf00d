// Page geometry of the two reports: texts, lines, polylines and rectangles,
// checked without painting.
#include "report/report_geometry.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/report/export_fixture.h"

namespace lxv::test {
namespace {

template <class T>
std::vector<T> ItemsOf(const ReportPage& page) {
    std::vector<T> out;
    for (const PageItem& item : page.items)
        if (const T* p = std::get_if<T>(&item)) out.push_back(*p);
    return out;
}

const PageText* FindText(const ReportPage& page, const std::string& text) {
    for (const PageItem& item : page.items)
        if (const auto* t = std::get_if<PageText>(&item); t && t->text == text) return t;
    return nullptr;
}

bool HasText(const ReportPage& page, const std::string& text, int x, int y) {
    const PageText* t = FindText(page, text);
    return t && t->at.x == x && t->at.y == y;
}

MeasureRecord ZeroBlock() {
    MeasureRecord record;
    ResetMeasurement(record);
    return record;
}

constexpr int kA4PortraitWidth = 4960, kA4PortraitHeight = 7016;  // 600 dpi

TEST(ReportCells, RmsAndPercentTexts) {
    struct Case {
        float amplitude, fundamental;
        const char *rms, *percent;
    };
    const Case cases[] = {
        {2 * 1.414f, 2 * 1.414f, "2.00", "100.0%"},  // a whole number gains ".00" / ".0"
        {2.5f * 1.414f, 10, "2.5", "35.35%"},
        {5.1f * 1.414f, 5.1f * 1.414f * 2, "5.1", "50.0%"},
        {0, 3, "0.00", "0.0%"},
        {1, 0, "0.71", ""},  // no fundamental: no percentage
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HarmonicRmsCell(c.amplitude), c.rms) << c.amplitude;
        EXPECT_EQ(HarmonicPercentCell(c.amplitude, c.fundamental), c.percent) << c.amplitude;
    }
}

TEST(ReportCells, ValueListRoundsPerMedium) {
    MeasureRecord record = ZeroBlock();
    record.setScalar(Scalar::VTHD, 0.034f);
    record.setScalar(Scalar::ITHD, 0.0345f);
    record.setScalar(Scalar::URMS, 230.125f);  // a tie: to the even neighbour
    record.setScalar(Scalar::PF, 0.5f);
    const auto preview = ValueList(record, false), printed = ValueList(record, true);
    EXPECT_EQ(preview[0].label + preview[0].value, " Voltage: 230.12 V");
    EXPECT_EQ(preview[7].label + preview[7].value, " Power Factor: 0.5");
    EXPECT_EQ(preview[10].label + preview[10].value, "Voltage Form Factor: 0 ");
    EXPECT_EQ(preview[12].label + preview[12].value, "Voltage THD: 3.4 %");
    EXPECT_EQ(printed[12].label, " Voltage THD:");
    EXPECT_EQ(printed[12].value, "3.4 %");
    EXPECT_EQ(printed[13].value, "3.45 %");
    EXPECT_EQ(printed[10].value, "0");
}

TEST(PowerReportPreview, ZeroBlockLiesFlatAndRaisesNoBar) {
    const ReportPage page = PowerReportPreview(700, ZeroBlock(), ReportInfo{});
    EXPECT_EQ(page.height, 989);  // trunc(700 x 1.414)
    const auto traces = ItemsOf<PagePolyline>(page);
    ASSERT_EQ(traces.size(), 2u);
    for (const PagePolyline& trace : traces) {
        ASSERT_EQ(trace.points.size(), 512u);
        for (const ChartPoint& p : trace.points) EXPECT_EQ(p.y, 153);
        EXPECT_EQ(trace.points.front().x, 50);
        EXPECT_EQ(trace.points.back().x, 50 + NearestInt(511 * (350.0 / 512)));
    }
    EXPECT_EQ(traces[0].pen.width, 1);  // current first, thin
    EXPECT_EQ(traces[1].pen.width, 2);
    int bars = 0;
    for (const PageLine& line : ItemsOf<PageLine>(page))
        if (line.pen.colour == report_colour::Black) {
            ++bars;
            EXPECT_EQ(line.from.y, line.from.x < 400 && bars <= 51 ? 361 : 518);  // the stub only
            EXPECT_EQ(line.to.y, line.from.y - 2);
        }
    EXPECT_EQ(bars, 102);
}

TEST(PowerReportPreview, TableCellsAndInformation) {
    MeasureRecord record = ZeroBlock();
    record.setUHarmonic(1, 2 * 1.414f);
    record.setUHarmonic(3, 2.5f * 1.414f);
    record.setUHarmonic(50, 1.414f);
    ReportInfo info;
    info.projectName = "Motor";
    info.temperature = "25";
    info.units = 1;
    const int W = 700;
    const ReportPage page = PowerReportPreview(W, record, info);
    const int H = page.height;
    EXPECT_TRUE(HasText(page, "100.0%", 128, 596 + 17));  // order 1, voltage percent
    EXPECT_TRUE(HasText(page, "2.00", 86, 596 + 17));
    EXPECT_TRUE(HasText(page, "2.5", 86, 596 + 17 * 3));
    EXPECT_TRUE(HasText(page, "50", 463, 596 + 17 * 16));  // order 50 in the third group
    EXPECT_TRUE(HasText(page, "1.00", 490, 596 + 17 * 16));
    EXPECT_TRUE(HasText(page, "Project Name:Motor", 50, H - 90));
    EXPECT_TRUE(HasText(page, "Temperature:25\u2103", 520, H - 70));
    EXPECT_TRUE(HasText(page, "Date:2", 50, H - 70));
    // The current channel has no fundamental: its percent cells stay empty.
    int empty = 0;
    for (const PageText& t : ItemsOf<PageText>(page)) empty += t.text.empty();
    EXPECT_EQ(empty, 51);
    // The column width follows the page: c = round((W - 190) / 12).
    const int c = NearestInt((W - 190) / 12.0);
    const auto lines = ItemsOf<PageLine>(page);
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [&](const PageLine& l) {
        return l.from.x == 110 + 8 * c && l.from.y == 560 && l.to.y == 883 && l.pen.width == 2;
    }));
    // The highest voltage bar (order 3) is exactly 115 high.
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const PageLine& l) {
        return l.from.x == 53 + 18 + 5 && l.from.y == 361 - 115 && l.to.y == 359;
    }));
}

TEST(PowerReportPrinted, MarginsBoxesAndTable) {
    MeasureRecord record = ZeroBlock();
    record.setScalar(Scalar::VTHD, 0.0345f);
    const int PW = kA4PortraitWidth, PH = kA4PortraitHeight;
    const ReportPage page = PowerReportPrinted(PW, PH, false, record, ReportInfo{});
    const int L = PW / 18, T = PH / 26, R = PW - L, w = R - L, h = PH - 2 * T;
    const PageText* title = FindText(page, "Power Analysis Report");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->at, (ChartPoint{L, T}));
    EXPECT_EQ(title->points, 17);
    EXPECT_EQ(
        FindText(PowerReportPrinted(PH, PW, true, record, ReportInfo{}), "Power Analysis Report")->points,
        14);
    // The THD row: label and value apart, the value to two decimals.
    const PageText* label = FindText(page, " Voltage THD:");
    const PageText* value = FindText(page, "3.45 %");
    ASSERT_TRUE(label && value);
    EXPECT_EQ(label->at.y, value->at.y);
    EXPECT_EQ(value->at.x - label->at.x, int(PW * 0.23) - int(PW * 0.009));
    // Three boxes of width trunc(PW x 0.55) and the table frame.
    const auto rects = ItemsOf<PageRect>(page);
    const auto boxes = std::count_if(rects.begin(), rects.end(), [&](const PageRect& r) {
        return r.left == L && r.right == L + int(PW * 0.55) && r.bottom - r.top == int(PH * 0.15);
    });
    EXPECT_EQ(boxes, 3);
    EXPECT_TRUE(std::any_of(rects.begin(), rects.end(), [&](const PageRect& r) {
        return r.left == L && r.right == R && r.top == int(PH * 0.565) && r.pen.width == int(h * 0.0012);
    }));
    // 102 bars, none rising above the baseline on a zero block.
    const auto bars = std::count_if(rects.begin(), rects.end(), [](const PageRect& r) { return r.filled; });
    EXPECT_EQ(bars, 102);
    for (const PageRect& r : rects)
        if (r.filled) {
            EXPECT_EQ(r.bottom - r.top, -2);
        }
    // 18 inner rows across the table, 14 column lines.
    const int cw = NearestInt(w / 15.0);
    const auto lines = ItemsOf<PageLine>(page);
    EXPECT_EQ(
        std::count_if(lines.begin(), lines.end(),
                      [&](const PageLine& l) { return l.from.x == L && l.to.x == R && l.pen.width == 1; }),
        18);
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [&](const PageLine& l) {
                                return l.from.x == l.to.x && (l.from.x - L) % cw == 0 && l.from.x > L &&
                                       l.from.x < R;
                            }),
              14);
    EXPECT_TRUE(HasText(page, "Temperature:2F ", L + int(w * 0.74), T + int(h * 0.975)));
}

TEST(RecordReport, PreviewPlacesTheChartAndTheTexts) {
    RecordReportView view;
    view.chartWidth = 638;
    view.chartHeight = 300;
    view.labels = {"Voltage", "Current", "Power", "Power", "Temperature 2", "ITHD"};
    view.status = {"Sampling step:1S", "Start:x", "End:y", "Length:12"};
    const ReportPage page = RecordReportPreview(700, view, ReportInfo{});
    EXPECT_EQ(page.height, 495);
    const int f = NearestInt(600 / (638.0 / 300));
    const auto images = ItemsOf<PageImage>(page);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].bottom, 75 + f);
    EXPECT_EQ(images[0].sourceRight, 688);
    EXPECT_TRUE(HasText(page, "CH5: Temperature 2", 495, f + 90));
    EXPECT_EQ(FindText(page, "CH5: Temperature 2")->colour, report_colour::Yellow);
    EXPECT_TRUE(HasText(page, "Length:12\u70b9", 500, f + 115));
    EXPECT_TRUE(HasText(page, "Test InstrumentsTavro KRT2200", 250, page.height - 70));
}

TEST(RecordReport, PrintedTracesFollowZoomOffsetAndRange) {
    FakeRecording recording = FakeRecording::Ramp(1000);
    for (auto& row : recording.values) row = {100, 600, -100, 0, 0, 0};  // CH2 above, CH3 below in Positive
    RecordReportView view;
    view.samples = &recording;
    view.newest = 999;
    view.zoom = 3;
    view.offset = 100;
    view.visible[2] = false;
    const int PW = kA4PortraitHeight, PH = kA4PortraitWidth;  // landscape
    for (int mode : {0, 1, 2}) {
        view.range = RangeMode(mode);
        const ReportPage page = RecordReportPrinted(PW, PH, true, view, ReportInfo{});
        const int T = PH / 26, y0 = NearestInt(T * 2.2), ph = PH - 2 * T - NearestInt(PH * 0.3);
        const auto traces = ItemsOf<PagePolyline>(page);
        ASSERT_EQ(traces.size(), 5u);              // CH3 hidden
        EXPECT_EQ(traces[0].points.size(), 299u);  // (999 - 100) div 3
        const int raw = NearestInt(100 * ph / 500.0);
        const int want = mode == 0   ? y0 + ph - raw
                         : mode == 1 ? y0 + ph / 2 - NearestInt(raw / 2.0)
                                     : y0 - raw;
        EXPECT_EQ(traces[0].points[0].y, std::clamp(want, y0, y0 + ph)) << mode;
        EXPECT_EQ(traces[0].pen.width, 10);
        // Overflow markers besides the two icons of the note: Positive: CH2 above, CH3 below (hidden,
        // still marked); P and N: CH2 above; Negative: CH1 and CH2 above.
        EXPECT_EQ(ItemsOf<PagePolygon>(page).size(), mode == 1 ? 3u : 4u) << mode;
        EXPECT_NE(FindText(page, RulerLabel(50, RangeMode(mode))), nullptr);
        EXPECT_NE(FindText(page, mode == 1 ? "CH1/DIV=100" : "CH1/DIV=50"), nullptr);
    }
    EXPECT_EQ(RulerLabel(0, RangeMode::Positive), "100%");
    EXPECT_EQ(RulerLabel(50, RangeMode::PAndN), "-100%");
    EXPECT_EQ(RulerLabel(5, RangeMode::Negative), "-10%");
}

// "Time/DIV=" states the time one drawn division spans: the columns between two
// grid lines, each one sample of every zoom-th, times the sampling step.
TEST(RecordReport, DivisionTimeIsWhatADrawnDivisionSpans) {
    struct Case {
        int PW, PH, zoom, stepIndex;
        const char* text;  // where the figure is known by hand
    };
    const Case cases[] = {
        {kA4PortraitHeight, kA4PortraitWidth, 1, 0, "Time/DIV=166S"},   // A4 landscape, 600 dpi
        {kA4PortraitHeight, kA4PortraitWidth, 3, 2, "Time/DIV=1494S"},  // 3 samples a column, 3 s apart
        {kA4PortraitWidth, kA4PortraitHeight, 2, 0, nullptr},
        {3508, 2480, 1, 11, nullptr},   // 300 dpi, 30 s
        {20000, 14000, 5, 0, nullptr},  // wider than the design: 200 columns a division
    };
    FakeRecording recording = FakeRecording::Ramp(40000);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.PW) + " zoom " + std::to_string(c.zoom));
        RecordData data;
        data.stepIndex = static_cast<std::uint8_t>(c.stepIndex);
        RecordChartInput input;
        input.data = &data;
        input.fileActive = true;
        input.last = 39999;
        input.zoom = c.zoom;
        RecordReportView view = ReportViewOf(input, recording);
        const ReportPage page = RecordReportPrinted(c.PW, c.PH, c.PW > c.PH, view, ReportInfo{});
        std::vector<int> grid;  // x of the vertical grid lines
        for (const PageLine& l : ItemsOf<PageLine>(page))
            if (l.from.x == l.to.x && l.pen.style == PenStyle::Dot) grid.push_back(l.from.x);
        ASSERT_GE(grid.size(), 2u);
        const auto trace = ItemsOf<PagePolyline>(page).at(0).points;
        const int columnsPerSample = trace[1].x - trace[0].x;
        const long long seconds = static_cast<long long>(grid[1] - grid[0]) / columnsPerSample * c.zoom *
                                  SampleStepMs(c.stepIndex) / 1000;
        const std::string text = "Time/DIV=" + std::to_string(seconds) + "S";
        EXPECT_NE(FindText(page, text), nullptr) << text;
        if (c.text) {
            EXPECT_EQ(text, c.text);
        }
    }
    EXPECT_EQ(SecondsPerSample(99), 1);  // a step outside the table counts 1 s, as the chart does
}

}  // namespace
}  // namespace lxv::test
