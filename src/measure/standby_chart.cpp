// Geometry of the standby test's live trend.
#include "measure/standby_chart.h"

#include <algorithm>
#include <cmath>

#include "platform/number_format.h"

namespace lxv {

namespace {


// Decimals that tell apart labels `step` watts apart.
int Decimals(double step) {
    if (!(step > 0) || !std::isfinite(step)) return 2;
    return std::clamp(static_cast<int>(std::ceil(-std::log10(step))) + 1, 0, 6);
}

}  // namespace

int StandbyPlot::x(double seconds) const {
    const double share = std::clamp(seconds / endSeconds, 0.0, 1.0);
    return left + NearestInt(share * (right - left));
}

int StandbyPlot::y(double watts) const {
    const double share = std::clamp((watts - low) / (high - low), 0.0, 1.0);
    return bottom - NearestInt(share * (bottom - top));
}

StandbyPlot StandbyPlotArea(const ChartFrame& frame, const StandbyTest& test, int textHeight) {
    const int w = std::clamp(frame.pw, 0, kMaxChartSide), h = std::clamp(frame.ph, 0, kMaxChartSide);
    const int t = std::clamp(textHeight, 1, kMaxChartSide / 8);
    StandbyPlot plot;
    plot.left = std::min(w, t * 5);  // room for "0.3050"
    plot.right = std::max(plot.left, w - t);
    plot.top = std::min(h, 2 * t);  // the legend above
    plot.bottom = std::max(plot.top, h - 2 * t);  // the time labels below
    plot.endSeconds = std::max({test.settings().periodSeconds, test.elapsedSeconds(), 1.0});
    if (!std::isfinite(plot.endSeconds)) plot.endSeconds = 1;

    const StandbyTrend& trend = test.trend();
    double low = trend.used() ? trend.low() : 0.0, high = trend.used() ? trend.high() : 0.0;
    // A steady load still gets a scale: at least 2 % of its size or 2 mW.
    const double centre = (low + high) / 2;
    const double least = std::max(0.02 * std::fabs(centre), 0.002);
    if (high - low < least) low = centre - least / 2, high = centre + least / 2;
    // The limit joins the scale when it lies near the readings.
    const double limit = test.settings().limitWatts, span = high - low;
    if (limit >= low - span && limit <= high + span) low = std::min(low, limit), high = std::max(high, limit);
    const double pad = 0.08 * (high - low);
    plot.low = low - pad;
    plot.high = high + pad;
    if (!(plot.high > plot.low) || !std::isfinite(plot.high - plot.low)) plot.low = 0, plot.high = 1;
    return plot;
}

ChartDrawing StandbyChart(const ChartFrame& frame, const StandbyTest& test, int textHeight) {
    const int w = std::clamp(frame.pw, 0, kMaxChartSide), h = std::clamp(frame.ph, 0, kMaxChartSide);
    const int t = std::clamp(textHeight, 1, kMaxChartSide / 8);
    ChartDrawing d;
    d.emplace_back(FilledRect{0, 0, w, h, ChartColour::Background});
    const StandbyPlot plot = StandbyPlotArea(frame, test, t);
    if (plot.right - plot.left < 8 || plot.bottom - plot.top < t) return d;  // no room for a trend
    const int thick = std::max(1, t / 8);
    const StandbyFit& fit = test.fit();
    const double elapsed = test.elapsedSeconds();

    // The discarded first third.
    const int cutX = plot.x(fit.cutSeconds);
    if (cutX > plot.left)
        d.emplace_back(FilledRect{plot.left, plot.top, cutX - plot.left, plot.bottom - plot.top,
                                  ChartColour::DiscardedShade});

    // Scales: four power steps and five time steps.
    const double step = (plot.high - plot.low) / 4;
    const int decimals = Decimals(step);
    for (int k = 0; k <= 4; ++k) {
        const double watts = plot.low + k * step;
        const int y = plot.y(watts);
        if (k > 0) d.emplace_back(LineOf(plot.left, y, plot.right, y, ChartColour::Scale, LineStyle::Dotted));
        const std::string label = FormatFixed(watts, decimals);
        d.emplace_back(ChartText{
            {std::max(0, plot.left - RoughTextWidth(label, t) - t / 3), y - t / 2}, label, ChartColour::OrderNumber});
    }
    for (int k = 0; k <= 5; ++k) {
        const double seconds = plot.endSeconds * k / 5;
        const int x = plot.x(seconds);
        if (k > 0) d.emplace_back(LineOf(x, plot.top, x, plot.bottom, ChartColour::Scale, LineStyle::Dotted));
        const std::string label = FormatRounded(seconds, 0) + " s";
        d.emplace_back(ChartText{{std::clamp(x - RoughTextWidth(label, t) / 2, 0, std::max(0, w - RoughTextWidth(label, t))),
                                  plot.bottom + t / 3},
                                 label,
                                 ChartColour::OrderNumber});
    }

    // The readings: each slot's spread, then a line through the slots' means.
    const StandbyTrend& trend = test.trend();
    ChartPolyline trace{ChartColour::PowerTrace, thick, {}};
    for (std::size_t i = 0; i < trend.used(); ++i) {
        const StandbyTrend::Slot& slot = trend.timeSlots()[i];
        if (slot.count == 0) continue;
        const int x = plot.x((static_cast<double>(i) + 0.5) * trend.slotSeconds());
        const int yLow = plot.y(slot.low), yHigh = plot.y(slot.high);
        if (yLow - yHigh >= 2) d.emplace_back(LineOf(x, yHigh, x, yLow, ChartColour::PowerSpread));
        const ChartPoint point{x, plot.y(slot.mean())};
        if (trace.points.empty() || !(trace.points.back() == point)) trace.points.push_back(point);
    }
    if (!trace.points.empty()) d.emplace_back(std::move(trace));

    // The fit over the used part: its line and its mean.
    if (fit.used > 0) {
        const int endX = plot.x(elapsed);
        d.emplace_back(
            LineOf(cutX, plot.y(fit.mean), endX, plot.y(fit.mean), ChartColour::MeanLine, LineStyle::Dotted, thick));
        if (fit.valid) {
            const auto line = [&](double s) { return fit.intercept + fit.slope / 3600 * s; };
            d.emplace_back(LineOf(cutX, plot.y(line(fit.cutSeconds)), endX, plot.y(line(elapsed)),
                                ChartColour::RegressionLine, LineStyle::Solid, thick));
        }
    }

    // The limit: a line when it is on the scale, else a word at the edge it lies beyond.
    const double limit = test.settings().limitWatts;
    const UiText limitText = UiText(QT_TRANSLATE_NOOP("lxv", "limit %1 W")).arg(FormatGeneral(limit));
    if (limit >= plot.low && limit <= plot.high) {
        const int y = plot.y(limit);
        d.emplace_back(LineOf(plot.left, y, plot.right, y, ChartColour::LimitLine, LineStyle::Solid, thick));
    } else {
        const int y = limit > plot.high ? plot.top + t / 4 : plot.bottom - t - t / 4;
        const std::string shown = limitText.original();
        d.emplace_back(ChartText{{std::max(plot.left, plot.right - RoughTextWidth(shown, t) - t / 2), y},
                                 UiText(QT_TRANSLATE_NOOP("lxv", "%1 (off the scale)")).arg(limitText),
                                 ChartColour::LimitLine});
    }
    d.emplace_back(LineOf(plot.left, plot.bottom, plot.right, plot.bottom, ChartColour::Scale, LineStyle::Solid, thick));
    d.emplace_back(LineOf(plot.left, plot.top, plot.left, plot.bottom, ChartColour::Scale));

    // Legend in a row above the plot.
    int x = plot.left;
    const int y = t / 3;
    const auto swatch = [&](ChartColour colour, const UiText& text, bool line) {
        if (line)
            d.emplace_back(LineOf(x, y + t / 2, x + t, y + t / 2, colour, LineStyle::Solid, thick));
        else
            d.emplace_back(FilledRect{x, y + t / 4, t, t / 2, colour});
        d.emplace_back(ChartText{{x + t + t / 3, y}, text, ChartColour::OrderNumber});
        x += t + t / 3 + RoughTextWidth(text.original(), t) + t;
    };
    swatch(ChartColour::DiscardedShade, QT_TRANSLATE_NOOP("lxv", "discarded"), false);
    swatch(ChartColour::PowerTrace, QT_TRANSLATE_NOOP("lxv", "power"), true);
    swatch(ChartColour::RegressionLine, QT_TRANSLATE_NOOP("lxv", "regression"), true);
    swatch(ChartColour::MeanLine, QT_TRANSLATE_NOOP("lxv", "mean"), true);
    swatch(ChartColour::LimitLine, limitText, true);
    return d;
}

}  // namespace lxv
