// Geometry of the standby test's live trend: power against time with the
// discarded first third shaded, each time slot's lowest-to-highest spread and
// mean, the regression line over the used part, the mean and limit lines, the
// scales and a legend. Lists of drawing primitives (the conventions of
// chart_geometry.h): the window paints them with chart_painter.cpp and the
// report page turns them into page items. Its cost is set by the trend's
// fixed number of slots, not by the number of readings.
//
// Depends on: measure/chart_geometry.h, measure/standby_test.h. No Qt.
#pragma once

#include "measure/chart_geometry.h"
#include "measure/standby_test.h"

namespace lxv {

// Where the trend stands in a chart of `frame` and what it shows.
struct StandbyPlot {
    int left = 0, top = 0, right = 0, bottom = 0;  // the plot area
    double endSeconds = 1;                          // the time at the right edge
    double low = 0, high = 1;                       // the power at the bottom and top edges, W
    int x(double seconds) const;                    // cut to the plot
    int y(double watts) const;
};
StandbyPlot StandbyPlotArea(const ChartFrame& frame, const StandbyTest& test, int textHeight);

ChartDrawing StandbyChart(const ChartFrame& frame, const StandbyTest& test, int textHeight);

}  // namespace lxv
