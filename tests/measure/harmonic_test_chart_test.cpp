// The harmonic test's bar chart: its percent scale, a bar per mean and
// maximum of each order with a limit, in the colour of its verdict, and the
// limit lines at 100 % and 150 %.
#include "measure/harmonic_test_chart.h"

#include <gtest/gtest.h>

#include <cmath>

namespace lxv {
namespace {

// Orders 2..40 with limits of 1 A; `percent` gives mean and maximum of some.
HarmonicTestResult Result(std::initializer_list<std::tuple<int, double, double, OrderVerdict>> orders) {
    HarmonicTestResult r;
    for (int n = kFirstTestOrder; n <= kLastTestOrder; ++n)
        r.orders[static_cast<std::size_t>(n - 2)].order = n;
    for (const auto& [n, mean, maximum, verdict] : orders) {
        OrderResult& o = r.orders[static_cast<std::size_t>(n - 2)];
        o.limit = 1.0;
        o.meanPercent = mean;
        o.maximumPercent = maximum;
        o.verdict = verdict;
    }
    return r;
}

std::vector<FilledRect> Bars(const ChartDrawing& d) {
    std::vector<FilledRect> bars;
    for (const ChartPrimitive& p : d)
        if (const auto* r = std::get_if<FilledRect>(&p))
            if (r->colour != ChartColour::Background && r->height > r->width) bars.push_back(*r);
    return bars;
}

TEST(HarmonicTestChart, BarsInPercentOfTheLimitWithTheLimitLines) {
    using V = OrderVerdict;
    const HarmonicTestResult r =
        Result({{3, 100, 150, V::Pass}, {5, 120, 130, V::Fail}, {7, 30, 40, V::Ignored}, {9, 0, 0, V::Pass}});
    EXPECT_EQ(HarmonicTestChartTop(r), 150);
    const ChartFrame frame{800, 300};
    const HarmonicTestPlot plot = HarmonicTestPlotArea(frame, 12);
    EXPECT_EQ(plot.bottom, 276);
    EXPECT_EQ(plot.top, 24);
    const int y100 = plot.bottom - 168, y150 = plot.top;  // 100 of 150 % of 252 pixels
    const ChartDrawing d = HarmonicTestChart(frame, r, 12);

    const std::vector<FilledRect> bars = Bars(d);
    ASSERT_EQ(bars.size(), 6u);  // order 9 at 0 % draws nothing; orders without a limit neither
    EXPECT_EQ(bars[0].colour, ChartColour::MeanBar);
    EXPECT_EQ(bars[0].top, y100);
    EXPECT_EQ(bars[0].left, plot.barX(3));
    EXPECT_EQ(bars[1].colour, ChartColour::MaximumBar);
    EXPECT_EQ(bars[1].top, y150);
    EXPECT_EQ(bars[1].left, bars[0].left + bars[0].width);
    EXPECT_EQ(bars[2].colour, ChartColour::FailBar);
    EXPECT_EQ(bars[3].colour, ChartColour::MaximumBar);
    EXPECT_EQ(bars[4].colour, ChartColour::IgnoredBar);
    EXPECT_EQ(bars[5].colour, ChartColour::IgnoredBar);
    for (const FilledRect& b : bars) EXPECT_EQ(b.top + b.height, plot.bottom);
    EXPECT_LT(plot.barX(5), plot.barX(7));
    EXPECT_LE(plot.barX(40) + 2 * plot.barWidth(), plot.right);

    int limitLines = 0;
    for (const ChartPrimitive& p : d)
        if (const auto* l = std::get_if<ChartLine>(&p);
            l && l->colour == ChartColour::LimitLine && l->from.x == plot.left) {
            EXPECT_EQ(l->style == LineStyle::Solid ? y100 : y150, l->from.y);
            ++limitLines;
        }
    EXPECT_EQ(limitLines, 2);
    bool labelled39 = false, labelled150 = false;
    for (const ChartPrimitive& p : d)
        if (const auto* t = std::get_if<ChartText>(&p)) {
            labelled39 = labelled39 || t->text == "39";
            labelled150 = labelled150 || t->text == "150 %";
        }
    EXPECT_TRUE(labelled39 && labelled150);  // at 19 pixels an order, the odd ones are numbered
}

TEST(HarmonicTestChart, TheScaleGrowsForBarsOver150PercentUpTo300) {
    using V = OrderVerdict;
    EXPECT_EQ(HarmonicTestChartTop(Result({{3, 90, 160, V::Fail}})), 200);
    EXPECT_EQ(HarmonicTestChartTop(Result({{3, 251, 10, V::Fail}})), 300);
    EXPECT_EQ(HarmonicTestChartTop(Result({{3, 1000, 1200, V::Fail}})), 300);
    EXPECT_EQ(HarmonicTestChartTop(Result({{3, HUGE_VAL, HUGE_VAL, V::Fail}})), 300);
    EXPECT_EQ(HarmonicTestChartTop(Result({{3, 1.5e27, 2e27, V::Fail}})), 300);  // no int overflow
    // A bar beyond the scale stops at the plot's top.
    const HarmonicTestPlot plot = HarmonicTestPlotArea({800, 300}, 12);
    const auto bars = Bars(HarmonicTestChart({800, 300}, Result({{3, 1000, HUGE_VAL, V::Fail}}), 12));
    ASSERT_EQ(bars.size(), 2u);
    EXPECT_EQ(bars[0].top, plot.top);
    EXPECT_EQ(bars[1].top, plot.top);
}

TEST(HarmonicTestChart, AnAreaTooSmallForBarsDrawsOnlyItsBackground) {
    const HarmonicTestResult r = Result({{3, 100, 150, OrderVerdict::Pass}});
    for (const ChartFrame frame :
         {ChartFrame{60, 300}, ChartFrame{800, 40}, ChartFrame{0, 0}, ChartFrame{-5, 1 << 30}}) {
        const ChartDrawing d = HarmonicTestChart(frame, r, 12);
        ASSERT_EQ(d.size(), 1u) << frame.pw << " x " << frame.ph;
        EXPECT_EQ(std::get<FilledRect>(d[0]).colour, ChartColour::Background);
    }
}

}  // namespace
}  // namespace lxv
