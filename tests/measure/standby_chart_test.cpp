// The standby trend's geometry: the shaded third ends at the cut, the
// regression line follows the fit, the limit is a line on the scale or a word
// beyond it, and the drawing's size does not grow with the readings.
#include "measure/standby_chart.h"

#include <gtest/gtest.h>

#include <variant>

namespace lxv {
namespace {

StandbyTest Steady(double watts, double seconds, double step, double limit = 0.5, double period = 600) {
    StandbySettings s;
    s.periodSeconds = period;
    s.maxSeconds = 1e5;
    s.limitWatts = limit;
    StandbyTest test(s);
    for (int k = 0; k * step <= seconds && !test.finished(); ++k)
        test.Add({k * step, watts + 0.0001 * (k % 3), 230, 0.003, 0.5, 50, 0.001, 1.414, 2.0, 0});
    return test;
}

template <class T>
std::vector<T> All(const ChartDrawing& d) {
    std::vector<T> out;
    for (const ChartPrimitive& p : d)
        if (const auto* x = std::get_if<T>(&p)) out.push_back(*x);
    return out;
}

TEST(StandbyChart, ShadeFitAndLimit) {
    const StandbyTest test = Steady(0.45, 300, 0.5, 0.46);  // before the period: judged only for the picture
    const ChartFrame frame{800, 300};
    const StandbyPlot plot = StandbyPlotArea(frame, test, 12);
    EXPECT_DOUBLE_EQ(plot.endSeconds, 600);  // the period's width until it is over
    const ChartDrawing d = StandbyChart(frame, test, 12);
    bool shade = false;
    for (const FilledRect& r : All<FilledRect>(d))
        if (r.colour == ChartColour::DiscardedShade && r.top == plot.top) {
            shade = true;
            EXPECT_EQ(r.left, plot.left);
            EXPECT_EQ(r.left + r.width, plot.x(100));  // a third of 300 s
        }
    EXPECT_TRUE(shade);
    int regression = 0, limit = 0;
    for (const ChartLine& l : All<ChartLine>(d)) {
        if (l.colour == ChartColour::RegressionLine && l.from.y > plot.top) {
            ++regression;
            EXPECT_EQ(l.from.x, plot.x(100));
            EXPECT_EQ(l.to.x, plot.x(300));
            EXPECT_NEAR(l.from.y, plot.y(test.fit().mean), 1);
        }
        if (l.colour == ChartColour::LimitLine && l.from.x == plot.left) {
            ++limit;
            EXPECT_EQ(l.from.y, plot.y(0.46));
        }
    }
    EXPECT_EQ(regression, 1);
    EXPECT_EQ(limit, 1);  // 0.46 W lies near 0.45 W: on the scale

    // A limit far above the readings is told at the top instead.
    const ChartDrawing far = StandbyChart(frame, Steady(0.05, 300, 0.5, 10), 12);
    bool told = false;
    for (const ChartText& t : All<ChartText>(far)) told = told || t.text.original() == "limit 10 W (off the scale)";
    EXPECT_TRUE(told);
}

TEST(StandbyChart, SizeIndependentOfReadings) {
    const ChartFrame frame{800, 300};
    const std::size_t few = StandbyChart(frame, Steady(0.3, 60, 0.5), 12).size();
    const StandbyTest many = Steady(0.3, 10800, 0.27, 0.5, 10800);  // three hours, 40,000 readings
    ASSERT_GE(many.readings(), 40000u);
    const ChartDrawing d = StandbyChart(frame, many, 12);
    EXPECT_LT(d.size(), 2 * StandbyTrend::kSlots);
    std::size_t points = 0;
    for (const ChartPolyline& p : All<ChartPolyline>(d)) points += p.points.size();
    EXPECT_LE(points, StandbyTrend::kSlots);
    EXPECT_GT(points, 100u);
    EXPECT_LT(few, d.size());
    // A chart too small for a plot is only its background.
    EXPECT_EQ(StandbyChart({10, 10}, many, 12).size(), 1u);
}

}  // namespace
}  // namespace lxv
