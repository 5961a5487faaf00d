// Geometry of the harmonic test's bar chart.
#include "measure/harmonic_test_chart.h"

#include <algorithm>
#include <cmath>

namespace lxv {

namespace {

constexpr int kHighestTop = 300;

// Pixel row of a percentage on the plot's scale, cut to the plot.
int PercentY(const HarmonicTestPlot& plot, double percent, int top) {
    const double share = std::clamp(percent / top, 0.0, 1.0);
    return plot.bottom - NearestInt(share * (plot.bottom - plot.top));
}

// Orders whose numbers fit under the axis: all, the odd ones, or every fifth and 3.
bool Labelled(int order, double slot, int textHeight) {
    const double needed = 1.6 * textHeight;
    if (slot >= needed) return true;
    if (2 * slot >= needed) return order % 2 == 1;
    return order == 3 || order % 5 == 0;
}

}  // namespace

int HarmonicTestChartTop(const HarmonicTestResult& result) {
    double largest = 0;
    for (const OrderResult& o : result.orders) {
        if (!o.limit) continue;
        for (double p : {o.meanPercent, o.maximumPercent}) {
            if (std::isfinite(p)) {
                largest = std::max(largest, p);
            } else if (p > 0) {
                largest = kHighestTop;
            }
        }
    }
    if (largest <= 150) return 150;
    if (largest >= kHighestTop) return kHighestTop;  // also keeps a huge percentage out of the int below
    return static_cast<int>(std::ceil(largest / 50.0)) * 50;
}

int HarmonicTestPlot::barX(int order) const {
    return left + static_cast<int>(std::floor((order - kFirstTestOrder + 0.15) * slot));
}

int HarmonicTestPlot::barWidth() const {
    return std::max(1, static_cast<int>(std::floor(0.35 * slot)));
}

HarmonicTestPlot HarmonicTestPlotArea(const ChartFrame& frame, int textHeight) {
    const int w = std::clamp(frame.pw, 0, kMaxChartSide), h = std::clamp(frame.ph, 0, kMaxChartSide);
    const int t = std::clamp(textHeight, 1, kMaxChartSide / 8);
    HarmonicTestPlot plot;
    plot.left = t * 4;  // room for "150 %"
    plot.right = std::max(plot.left, w - t);
    plot.top = 2 * t;                             // the legend above
    plot.bottom = std::max(plot.top, h - 2 * t);  // the order numbers below
    plot.slot = static_cast<double>(plot.right - plot.left) / kTestOrderCount;
    return plot;
}

ChartDrawing HarmonicTestChart(const ChartFrame& frame, const HarmonicTestResult& result, int textHeight) {
    const int w = std::clamp(frame.pw, 0, kMaxChartSide), h = std::clamp(frame.ph, 0, kMaxChartSide);
    const int t = std::clamp(textHeight, 1, kMaxChartSide / 8);
    ChartDrawing d;
    d.emplace_back(FilledRect{0, 0, w, h, ChartColour::Background});
    const HarmonicTestPlot plot = HarmonicTestPlotArea(frame, t);
    if (plot.right - plot.left < kTestOrderCount || plot.bottom - plot.top < t) return d;  // no room for bars
    const int top = HarmonicTestChartTop(result);
    const int thick = std::max(1, t / 8);

    // Scale: a dotted line and its label every 50 %; the 100 % and 150 % limits over them.
    for (int p = 50; p <= top; p += 50) {
        const int y = PercentY(plot, p, top);
        if (p != 100 && p != 150)
            d.emplace_back(LineOf(plot.left, y, plot.right, y, ChartColour::Scale, LineStyle::Dotted));
    }
    for (int p = 0; p <= top; p += 50) {
        const std::string label = std::to_string(p) + " %";
        const int y = PercentY(plot, p, top);
        d.emplace_back(ChartText{{std::max(0, plot.left - RoughTextWidth(label, t) - t / 2), y - t / 2},
                                 label,
                                 ChartColour::OrderNumber});
    }

    // Bars: the mean, then the maximum beside it.
    const int bw = plot.barWidth();
    for (const OrderResult& o : result.orders) {
        if (!o.limit) continue;
        const ChartColour meanColour = o.verdict == OrderVerdict::Ignored ? ChartColour::IgnoredBar
                                       : o.verdict == OrderVerdict::Fail  ? ChartColour::FailBar
                                                                          : ChartColour::MeanBar;
        const ChartColour maximumColour =
            o.verdict == OrderVerdict::Ignored ? ChartColour::IgnoredBar : ChartColour::MaximumBar;
        const int x = plot.barX(o.order);
        const int yMean = PercentY(plot, std::isnan(o.meanPercent) ? 0 : o.meanPercent, top);
        const int yMaximum = PercentY(plot, std::isnan(o.maximumPercent) ? 0 : o.maximumPercent, top);
        if (yMean < plot.bottom) d.emplace_back(FilledRect{x, yMean, bw, plot.bottom - yMean, meanColour});
        if (yMaximum < plot.bottom)
            d.emplace_back(FilledRect{x + bw, yMaximum, bw, plot.bottom - yMaximum, maximumColour});
    }

    // The limits and the axis over the bars.
    const int y100 = PercentY(plot, 100, top), y150 = PercentY(plot, 150, top);
    d.emplace_back(LineOf(plot.left, y100, plot.right, y100, ChartColour::LimitLine, LineStyle::Solid, thick));
    d.emplace_back(LineOf(plot.left, y150, plot.right, y150, ChartColour::LimitLine, LineStyle::Dotted));
    d.emplace_back(
        LineOf(plot.left, plot.bottom, plot.right, plot.bottom, ChartColour::Scale, LineStyle::Solid, thick));
    d.emplace_back(LineOf(plot.left, plot.top, plot.left, plot.bottom, ChartColour::Scale));

    // Order numbers under their bars.
    for (int n = kFirstTestOrder; n <= kLastTestOrder; ++n) {
        if (!Labelled(n, plot.slot, t)) continue;
        const std::string label = std::to_string(n);
        const int centre = plot.left + static_cast<int>((n - kFirstTestOrder + 0.5) * plot.slot);
        d.emplace_back(ChartText{
            {centre - RoughTextWidth(label, t) / 2, plot.bottom + t / 3}, label, ChartColour::OrderNumber});
    }

    // Legend: swatches and their words in a row above the plot.
    int x = plot.left;
    const int y = t / 3;
    const auto swatch = [&](ChartColour colour, const std::string& text) {
        d.emplace_back(FilledRect{x, y + t / 4, t, t / 2, colour});
        d.emplace_back(ChartText{{x + t + t / 3, y}, text, ChartColour::OrderNumber});
        x += t + t / 3 + RoughTextWidth(text, t) + t;
    };
    swatch(ChartColour::MeanBar, QT_TRANSLATE_NOOP("lxv", "mean"));
    swatch(ChartColour::MaximumBar, QT_TRANSLATE_NOOP("lxv", "maximum"));
    swatch(ChartColour::FailBar, QT_TRANSLATE_NOOP("lxv", "failing mean"));
    swatch(ChartColour::IgnoredBar, QT_TRANSLATE_NOOP("lxv", "ignored"));
    d.emplace_back(LineOf(x, y + t / 2, x + t, y + t / 2, ChartColour::LimitLine, LineStyle::Solid, thick));
    x += t + t / 3;
    d.emplace_back(ChartText{
        {x, y}, QT_TRANSLATE_NOOP("lxv", "limit 100 % (mean), 150 % (maximum)"), ChartColour::OrderNumber});
    return d;
}

}  // namespace lxv
