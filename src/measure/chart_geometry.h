// Geometry of the main window's three charts as lists of drawing primitives.
// Pure C++, no Qt: tests check every coordinate and text without painting,
// and chart_painter.cpp only draws what these functions return.
//
// Conventions of the primitives (all coordinates in pixels of the chart area,
// y downwards):
// - a line includes both end points; a dotted line sets every other pixel,
//   starting with its first point; a line wider than 1 pixel grows down
//   (horizontal) or right (vertical) from its coordinate;
// - a text is placed by the top-left corner of its first character;
// - an outlined rectangle covers columns left..right-1 and rows top..bottom-1:
//   its border in the pen colour, its inside in the background colour; an
//   empty rectangle (right <= left or bottom <= top) draws nothing.
#pragma once

#include <string>
#include <variant>
#include <vector>

#include "appearance/chart_colours.h"
#include "core/measure_block.h"
#include "platform/ui_text.h"

namespace lxv {

enum class ChartColour {
    Background,    // ChartBackground
    Scale,         // ChartScaleColour: grid, scale lines, ticks
    CurrentTrace,  // (255, 0, 0)
    VoltageTrace,  // (0, 128, 0)
    WaveformText,  // (0, 16, 240)
    OrderNumber,   // (0, 128, 128)
    VoltageBar,    // (0, 128, 0)
    CurrentBar,    // (223, 48, 32)
    // The harmonic test's chart.
    LimitLine,   // (220, 0, 0)
    MeanBar,     // (30, 110, 200)
    MaximumBar,  // (150, 195, 240)
    FailBar,     // (230, 70, 40): the mean bar of an order that fails
    IgnoredBar,  // (150, 150, 150): the bars of an order that is not assessed
    // The standby test's trend.
    DiscardedShade,  // (200, 200, 215): the discarded first third
    PowerTrace,      // (30, 110, 200): mean power of each time slot
    PowerSpread,     // (150, 195, 240): lowest to highest power of a slot
    RegressionLine,  // (0, 140, 60)
    MeanLine,        // (120, 60, 160)
};

// The colour of a role: background and scale from `colours`, the others fixed.
Rgb ChartColourRgb(ChartColour role, const ChartColours& colours);

enum class LineStyle { Solid, Dotted };

struct ChartPoint {
    int x = 0, y = 0;
    friend bool operator==(const ChartPoint&, const ChartPoint&) = default;
};

struct FilledRect {
    int left = 0, top = 0, width = 0, height = 0;
    ChartColour colour = ChartColour::Background;
};

struct ChartLine {
    ChartPoint from, to;
    int width = 1;
    LineStyle style = LineStyle::Solid;
    ChartColour colour = ChartColour::Scale;
};

// A line from (x1, y1) to (x2, y2).
inline ChartLine LineOf(int x1, int y1, int x2, int y2, ChartColour colour, LineStyle style = LineStyle::Solid,
                        int width = 1) {
    return {{x1, y1}, {x2, y2}, width, style, colour};
}

// Larger drawing areas are treated as this large: keeps every product of a
// chart's geometry in int range.
inline constexpr int kMaxChartSide = 1 << 20;

// Rough width of a text: a sans-serif digit is about 0.6 of the line height.
inline int RoughTextWidth(const std::string& text, int textHeight) {
    return static_cast<int>(text.size()) * textHeight * 6 / 10;
}

// Consecutive points joined by straight solid lines.
struct ChartPolyline {
    ChartColour colour = ChartColour::VoltageTrace;
    int width = 1;
    std::vector<ChartPoint> points;
};

struct ChartText {
    ChartPoint at;
    UiText text;  // translated when painted
    ChartColour colour = ChartColour::WaveformText;
};

struct OutlinedRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    ChartColour pen = ChartColour::VoltageBar;
    ChartColour fill = ChartColour::Background;
};

using ChartPrimitive = std::variant<FilledRect, ChartLine, ChartPolyline, ChartText, OutlinedRect>;

// A whole chart, in drawing order (later primitives cover earlier ones).
using ChartDrawing = std::vector<ChartPrimitive>;

// Derived lengths of a chart area of PW x PH pixels.
struct ChartFrame {
    int pw = 0, ph = 0;
    int innerWidth() const { return pw - 2; }   // W'
    int innerHeight() const { return ph - 2; }  // H'
    int gridWidth() const { return pw - 6; }    // GW
    int gridHeight() const { return ph - 6; }   // GH
};

// ---- waveform chart ----

// Vertical scales (pixels per converter code) of the two traces.
struct TraceScales {
    double current = 0;
    double voltage = 0;
};
TraceScales WaveformScales(const ChartFrame& frame, const MeasureRecord& record);

// The 512 points of one trace, scaled by `scale`.
std::vector<ChartPoint> TracePoints(const ChartFrame& frame, const MeasureRecord& record, Channel channel,
                                    double scale);

// "SEC/DIV:8ms   Vol/DIV:50V   Amp/DIV:1A   Trigger Source:Vol" and its parts.
std::string SecondsPerDivisionText(float uf);
std::string VoltsPerDivisionText(float upp, float urms);
std::string AmpsPerDivisionText(float ipp, float irms);
UiText WaveformLabel(const MeasureRecord& record);

ChartDrawing WaveformChart(const ChartFrame& frame, const MeasureRecord& record);

// ---- harmonic charts ----

// Baseline Y0 = trunc(GH x 0.9) and bar height range Rh = Y0 - 15.
int HarmonicBaseline(const ChartFrame& frame);
int HarmonicRange(const ChartFrame& frame);
// Left position x of order n's column: nearest(n x (GW - 8) / 50) + 2.
int HarmonicOrderX(const ChartFrame& frame, int order);
// Heights of the 51 bars: the largest amplitude is exactly Rh high, the others
// in proportion (cut toward zero). NaN and negative amplitudes count as 0;
// an infinite amplitude is the largest (full height) and finite ones beside
// it are 0 high. A chart too small for bars (Rh <= 0) gives heights of 0.
std::vector<int> HarmonicBarHeights(const ChartFrame& frame, const MeasureRecord& record, Channel channel);

ChartDrawing HarmonicChart(const ChartFrame& frame, const MeasureRecord& record, Channel channel);

// nearest(x): nearest integer, an exact half to the even neighbour; NaN gives 0
// and values beyond +-1e9 are clamped first so the conversion never overflows.
int NearestInt(double x);

}  // namespace lxv
