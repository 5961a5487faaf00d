// Report: the one-page power analysis report of a measurement and the record
// report of the record chart, as lists of drawing primitives computed for a
// given page size (the preview's raster page or the printer's page), and the
// texts of their cells. Pure C++, no Qt: tests check positions, pens, sizes
// and texts; report_painter.cpp only draws what these functions return.
//
// Owns: the page layouts, the report's number texts, the report information
// values (ReportInfo). Depends on: measure/ (block, number format, nearest),
// record/ (samples of a recording, the record chart's range modes and
// division texts), appearance/ (Rgb).
//
// Conventions: coordinates in page pixels, y downwards; a text is placed by
// the top-left corner of its first character, its size in points; a line
// includes both end points and its pen width is centred on it.
#pragma once

#include <array>
#include <string>
#include <variant>
#include <vector>

#include "appearance/chart_colours.h"
#include "measure/chart_geometry.h"
#include "core/measure_block.h"
#include "platform/ui_text.h"
#include "record/record_chart.h"
#include "record/record_export.h"

namespace lxv {

namespace report_colour {
inline constexpr Rgb Gray{128, 128, 128}, Black{0, 0, 0}, Green{0, 128, 0}, Red{255, 0, 0}, Blue{0, 0, 255},
    Maroon{128, 0, 0}, Yellow{255, 255, 0}, Fuchsia{255, 0, 255}, LightGray{221, 221, 221},
    White{255, 255, 255};
}
// The colours of the record channels CH1..CH6.
inline constexpr std::array<Rgb, 6> kRecordChannelColours{report_colour::Green,  report_colour::Red,
                                                          report_colour::Blue,   report_colour::Maroon,
                                                          report_colour::Yellow, report_colour::Fuchsia};

enum class PenStyle { Solid, Dot, DashDot };

struct PagePen {
    Rgb colour;
    int width = 1;
    PenStyle style = PenStyle::Solid;
    friend bool operator==(const PagePen&, const PagePen&) = default;
};

struct PageText {
    ChartPoint at;
    UiText text;  // translated when painted
    Rgb colour;
    double points = 10;
    bool opaque = false;  // on a white background
};
struct PageLine {
    ChartPoint from, to;
    PagePen pen;
};
struct PagePolyline {
    std::vector<ChartPoint> points;
    PagePen pen;
};
// Outline from (left, top) to (right, bottom) with the pen; filled when `filled`.
struct PageRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    PagePen pen;
    bool filled = false;
    Rgb fill;
};
struct PagePolygon {  // filled in its colour, outlined with a 1-pixel pen of the same colour
    std::vector<ChartPoint> points;
    Rgb colour;
};
// The record window's chart picture, source rectangle scaled into the target rectangle.
struct PageImage {
    int left = 0, top = 0, right = 0, bottom = 0;
    int sourceLeft = 0, sourceTop = 0, sourceRight = 0, sourceBottom = 0;
};

using PageItem = std::variant<PageText, PageLine, PagePolyline, PageRect, PagePolygon, PageImage>;

struct ReportPage {
    int width = 0, height = 0;
    std::vector<PageItem> items;  // in drawing order
};

// The report information of EnterInfo.ini (missing keys read "2").
struct ReportInfo {
    std::string projectName = "2", company = "2", conner = "2", date = "2", temperature = "2";
    int units = 2;  // 1 = degrees Celsius, any other = Fahrenheit
};
// "℃" for units 1, else "F " (with its trailing space).
std::string TemperatureUnit(int units);

enum class ReportKind { PowerAnalysis = 0, Record = 1 };
inline constexpr const char* kPowerReportTitleSuffix = "TestReport";
inline constexpr const char* kRecordReportTitleSuffix = "RecordReport";

// round(value x 10^decimals) / 10^decimals (ties to even) in the general number format.
std::string RoundedText(double value, int decimals);
// Harmonic table cells: RMS = amplitude / 1.414 to 2 decimals, ".00" appended
// when no "." is left ("5.00", "5.1"); percent of the fundamental to 2 decimals,
// ".0" appended when no "." is left, then "%" ("100.0%"); empty when the
// fundamental is 0.
std::string HarmonicRmsCell(float amplitude);
std::string HarmonicPercentCell(float amplitude, float fundamental);

// One row of the value list: label, value text and suffix for the medium; the value is the number and its
// unit (a design text: " deg", " VAR"), which the pages translate apart.
struct ValueListRow {
    std::string label, value;
    std::string number, unit;
};
std::vector<ValueListRow> ValueList(const MeasureRecord& record, bool printed);

// Preview page height of a page W wide: trunc(W x 1.414) (power analysis), trunc(W / 1.414) (record).
int PreviewPageHeight(ReportKind kind, int width);

// The frame of another printed page: the margins L = W div 18, T = H div 26
// (and R = W - L, B = H - T), the title, "Page 1/1" and the header rule, and
// the bottom rule with the report information (the power analysis report's
// labels). Added to `page` (its width and height are the printer page's).
struct PrintedFrame {
    int left = 0, top = 0, right = 0, bottom = 0;  // L, T, R, B
    int bodyTop = 0;                               // below the header rule
    int bodyBottom = 0;                            // above the bottom rule
};
PrintedFrame AddPrintedFrame(ReportPage& page, bool landscape, const std::string& title,
                             const ReportInfo& info);

ReportPage PowerReportPreview(int width, const MeasureRecord& record, const ReportInfo& info);
ReportPage PowerReportPrinted(int pageWidth, int pageHeight, bool landscape, const MeasureRecord& record,
                              const ReportInfo& info);

// What the record report shows of the record window.
struct RecordReportView {
    int chartWidth = 0, chartHeight = 0;  // the record chart (w, h)
    std::array<std::string, 6> labels;    // channel label texts
    std::array<std::string, 4> status;    // status panels 0, 2, 3 and 4
    const RecordExportSource* samples = nullptr;
    long long newest = -1;  // index of the newest sample of the view; -1: no file active
    int zoom = 1, offset = 0;
    int secondsPerSample = 1;  // the recording's sampling step
    RangeMode range = RangeMode::Positive;
    std::array<float, 6> scale{1, 1, 1, 1, 1, 1};
    std::array<bool, 6> visible{true, true, true, true, true, true};
};

// The ruler label of tick i (multiple of 5): "100%" .. "0%", "100%" .. "-100%", "-0%" .. "-100%".
std::string RulerLabel(int tick, RangeMode range);

// Seconds between two samples of a recording of this sampling-step index; 1
// for an index outside the table (the chart's own texts count 1 s a sample).
int SecondsPerSample(int stepIndex);

// The record report's view of a chart input: samples, zoom, offset, sampling
// step, range, scales, visibility.
RecordReportView ReportViewOf(const RecordChartInput& input, const RecordExportSource& samples);

// Printer pixel columns of the printed record report's plot (one sample each) on a page this wide.
int RecordReportPlotColumns(int pageWidth);

ReportPage RecordReportPreview(int width, const RecordReportView& view, const ReportInfo& info);
ReportPage RecordReportPrinted(int pageWidth, int pageHeight, bool landscape, const RecordReportView& view,
                               const ReportInfo& info);

}  // namespace lxv
