// Geometry of the record chart and its ruler as lists of drawing primitives.
// Pure C++, no Qt: tests check the coordinates and texts, record_painter.cpp
// only draws what these functions return. At most one point per pixel column
// is computed, so a chart costs O(width) whatever the recording's length.
//
// Conventions (pixels of the chart, y downwards) as in measure/chart_geometry.h:
// a line includes both end points, a dotted line sets every other pixel from
// its first point; a text is placed by the top-left corner of its first
// character; a triangle is filled with its outline.
// Depends on: record_file.h, measure/chart_geometry.h (points, line styles,
// NearestInt). No Qt.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "measure/chart_geometry.h"
#include "platform/ui_text.h"
#include "record/record_file.h"

namespace lxv {

enum class RecordColour {
    Background,  // ChartBackground
    Scale,       // ChartScaleColour
    Channel1,    // green (0, 128, 0)
    Channel2,    // red (255, 0, 0)
    Channel3,    // blue (0, 0, 255)
    Channel4,    // maroon (128, 0, 0)
    Channel5,    // yellow (255, 255, 0)
    Channel6,    // fuchsia (255, 0, 255)
    Teal,        // (0, 128, 128): time division in live view
    White,       // ruler background
    Black,       // ruler ticks and labels
};
RecordColour ChannelColour(int channel);  // channel 0..5

enum class RangeMode { Positive = 0, PAndN = 1, Negative = 2 };

struct RecordFill {
    int left = 0, top = 0, width = 0, height = 0;
    RecordColour colour = RecordColour::Background;
};
struct RecordLine {
    ChartPoint from, to;
    int width = 1;
    LineStyle style = LineStyle::Solid;
    RecordColour colour = RecordColour::Scale;
};
struct RecordPolyline {
    RecordColour colour = RecordColour::Channel1;
    int width = 2;
    std::vector<ChartPoint> points;
};
struct RecordText {
    ChartPoint at;
    UiText text;  // translated when painted
    RecordColour colour = RecordColour::Black;
    bool opaque = false;  // drawn on a box of the background colour
};
struct RecordTriangle {
    ChartPoint a, b, c;
    RecordColour colour = RecordColour::Channel1;
};

using RecordPrimitive = std::variant<RecordFill, RecordLine, RecordPolyline, RecordText, RecordTriangle>;
using RecordDrawing = std::vector<RecordPrimitive>;

// Scale table: 0.05, 0.1, 0.25, 0.5, 1, 2.5, 5, 10, 25, 50, 100, 250, 500, 1000, 2500, 5000, 10000.
inline constexpr int kScaleSteps = 17;
float ScaleFactor(int index);  // index clamped to 0..16

// Marker x-offsets from the right edge, CH1..CH6: 72, 60, 48, 36, 24, 12.
int MarkerOffset(int channel);

// What the chart shows.
struct RecordChartInput {
    const RecordData* data = nullptr;  // the shown recording
    bool fileActive = false;           // no traces before a file was created or opened
    bool liveView = true;              // grid phase and the teal time text
    int last = -1;                     // newest sample index L (LiveCount - 1, or FileLast)
    int zoom = 1;                      // points per pixel
    int offset = 0;                    // newest samples skipped at the left edge
    RangeMode range = RangeMode::Positive;
    int gridPhase = 0;
    std::array<bool, kRecordChannels> visible{true, true, true, true, true, true};
    std::array<float, kRecordChannels> scale{1, 1, 1, 1, 1, 1};
};

struct RecordChart {
    RecordDrawing drawing;
    int points = 0;                                      // n: points per trace (0 when none)
    int startIndex = -1, endIndex = -1;                  // oldest and newest sample shown (n > 0)
    std::array<int, kRecordChannels> penTop{};           // top of each pen icon: y of the first point - 7
    std::array<bool, kRecordChannels> above{}, below{};  // a point above the chart (y < 0) / below (y > h)
};

// The chart of w x h pixels: background, dotted grid, traces (newest sample at
// the left), out-of-range triangles, the division texts.
RecordChart DrawRecordChart(int w, int h, const RecordChartInput& input);

// y of one value on a chart of height h (range mode and scale applied).
int RecordValueY(double value, float scale, int h, RangeMode range);

// "CH1/DIV=" texts' number: 50 / scale (Positive, Negative) or 100 / scale
// (P and N), rounded to 3 or 4 decimals.
std::string UnitsPerDivisionText(float scale, RangeMode range);

// The 50-pixel ruler of height h: white, ticks, percentages, the axis line.
RecordDrawing DrawRecordRuler(int h, RangeMode range);

// Status panels 0, 2, 3, 4 after a redraw with an active file; n <= 0 gives
// "Start:", "End:" and "Length:0". `dateTime` writes a stamp as date and time.
struct RecordChartStatus {
    UiText sampling, start, end, length;
};
RecordChartStatus ChartStatusTexts(const RecordChart& chart, const RecordChartInput& input,
                                   const std::function<std::string(double)>& dateTime);

// Status panel 6 of a range mode: "Range: Positive", "Range: P and N", "Range: Negative".
const char* RangeText(RangeMode range);

}  // namespace lxv
