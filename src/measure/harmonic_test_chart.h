// Geometry of the harmonic test's bar chart: for every order 2..40 with a
// limit, its mean and its maximum as bars in percent of the limit, with the
// 100 % line (the limit of the mean) and the dotted 150 % line (the limit of
// the maximum). Lists of drawing primitives (the conventions of
// chart_geometry.h), so the window paints them with chart_painter.cpp and the
// report page turns them into page items.
//
// Owns: the chart's scale, bars, lines, order labels and legend.
// Depends on: measure/chart_geometry.h, measure/harmonic_test.h. No Qt.
#pragma once

#include "measure/chart_geometry.h"
#include "measure/harmonic_test.h"

namespace lxv {

// Top of the percent scale: 150, or the largest bar rounded up to 50 % steps, at most 300.
int HarmonicTestChartTop(const HarmonicTestResult& result);

// Where the bars of the orders stand in a chart of `frame` with text `textHeight` pixels high.
struct HarmonicTestPlot {
    int left = 0, top = 0, right = 0, bottom = 0;  // the plot area; bottom is the 0 % line
    double slot = 0;                               // width of one order's place
    int barX(int order) const;                     // left edge of the order's mean bar
    int barWidth() const;                          // each of the two bars
};
HarmonicTestPlot HarmonicTestPlotArea(const ChartFrame& frame, int textHeight);

// The whole chart. `textHeight` is the height of a line of the chart's text in pixels.
ChartDrawing HarmonicTestChart(const ChartFrame& frame, const HarmonicTestResult& result, int textHeight);

}  // namespace lxv
