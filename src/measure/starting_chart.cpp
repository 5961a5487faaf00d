// The starting-test chart: a dotted grid, the current and then the voltage
// trace of the capture from the view's offset at its time step, and the two
// peak texts of the whole used capture.
#include "measure/starting_chart.h"

#include <algorithm>
#include <cstdlib>

#include "platform/number_format.h"

namespace lxv {

namespace {

constexpr int kLastPointSample = 2550;  // (2550 - offset) / step points fit the capture
constexpr int kMargin = 16;             // grid and traces keep this far from top and bottom
constexpr int kGridColumn = 20;
constexpr int kPeakTextGap = 15;
constexpr int kCurrentTextX = 125;
constexpr double kFlatCurrentScale = 0.00001;

ChartFrame Clamped(const ChartFrame& f) {
    return {std::clamp(f.pw, 0, kMaxChartSide), std::clamp(f.ph, 0, kMaxChartSide)};
}

int LargestDeviation(const StartingRecord& capture, Channel channel, int zero) {
    int m = 0;
    for (int k = kFirstUsedSample; k <= kLastUsedSample; ++k)
        m = std::max(m, std::abs(capture.Capture(channel, k) - zero));
    return m;
}

// `text` holds the peak as %1.
UiText PeakText(const char* text, int peak, float scale) {
    return UiText(text).arg(FormatRounded(peak * static_cast<double>(scale), 2));
}

}  // namespace

void StartingView::Earlier() {
    if (offset_ < 1)
        earlierEnabled_ = false;
    else
        offset_ -= kOffsetStep;
    laterEnabled_ = true;
}

void StartingView::Later() {
    if (offset_ > kLastOffset - 1)
        laterEnabled_ = false;
    else
        offset_ += kOffsetStep;
    earlierEnabled_ = true;
}

void StartingView::Compress() {
    if (step_ > kLargestStep - 1)
        compressEnabled_ = false;
    else
        ++step_;
    stretchEnabled_ = true;
}

void StartingView::Stretch() {
    if (step_ < 2)
        stretchEnabled_ = false;
    else
        --step_;
    compressEnabled_ = true;
}

CapturePeaks PeaksOf(const StartingRecord& capture, const MeasureRecord& block) {
    return {LargestDeviation(capture, Channel::Voltage, block.UZero()),
            LargestDeviation(capture, Channel::Current, block.IZero())};
}

UiText VoltagePeakText(const StartingRecord& capture, const CapturePeaks& peaks) {
    return PeakText(QT_TRANSLATE_NOOP("lxv", "Voltage peak%1V"), peaks.voltage, capture.UScale());
}

UiText CurrentPeakText(const StartingRecord& capture, const CapturePeaks& peaks) {
    return PeakText(QT_TRANSLATE_NOOP("lxv", "Current peak%1A"), peaks.current, capture.IScale());
}

int VisiblePoints(int width, const StartingView& view) {
    return std::clamp((kLastPointSample - view.offset()) / view.step(), 0, std::max(width, 0));
}

StartingScales StartingTraceScales(int height, const CapturePeaks& peaks) {
    const int sh = std::clamp(height, 0, kMaxChartSide);
    const int d = sh / 2;
    StartingScales s;
    // The current peak stays one tenth of the grid inside the half height.
    s.current = peaks.current != 0
                    ? ((d - kMargin) - (sh - 2 * kMargin) / 10) / static_cast<double>(peaks.current)
                    : kFlatCurrentScale;
    // The voltage peak reaches the half height less the margin; a flat voltage
    // keeps the current's scale (its points lie on the centre line either way).
    s.voltage = peaks.voltage != 0 ? (d - kMargin) / static_cast<double>(peaks.voltage) : s.current;
    return s;
}

std::vector<ChartPoint> StartingTracePoints(const ChartFrame& frame, const StartingRecord& capture,
                                            const MeasureRecord& block, Channel channel, double scale,
                                            const StartingView& view) {
    const ChartFrame f = Clamped(frame);
    const int d = f.ph / 2;
    const int zero = block.Zero(channel);
    const int count = VisiblePoints(f.pw, view);
    std::vector<ChartPoint> points;
    points.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const int v = capture.Capture(channel, kFirstUsedSample + view.offset() + i * view.step()) - zero;
        // The first point sits at x = 2, the others at their own column.
        points.push_back({i == 0 ? 2 : i, d - NearestInt(v * scale) + 2});
    }
    return points;
}

ChartDrawing StartingChart(const ChartFrame& frame, const StartingRecord& capture, const MeasureRecord& block,
                           const StartingView& view) {
    const ChartFrame f = Clamped(frame);
    const int sw = f.pw, sh = f.ph;
    ChartDrawing out;
    out.push_back(FilledRect{0, 0, sw, sh, ChartColour::Background});
    for (int i = 0; i <= 10; ++i) {
        const int y = NearestInt((sh - 2 * kMargin) * i / 10.0) + kMargin;
        out.push_back(ChartLine{{0, y}, {sw, y}, 1, LineStyle::Dotted, ChartColour::Scale});
    }
    for (int c = 0; c <= sw / kGridColumn; ++c) {
        const int x = kGridColumn * c;
        out.push_back(ChartLine{{x, kMargin}, {x, sh - kMargin}, 1, LineStyle::Dotted, ChartColour::Scale});
    }
    const CapturePeaks peaks = PeaksOf(capture, block);
    const StartingScales scales = StartingTraceScales(sh, peaks);
    out.push_back(
        ChartPolyline{ChartColour::CurrentTrace, 1,
                      StartingTracePoints(f, capture, block, Channel::Current, scales.current, view)});
    out.push_back(
        ChartPolyline{ChartColour::VoltageTrace, 1,
                      StartingTracePoints(f, capture, block, Channel::Voltage, scales.voltage, view)});
    const int textY = sh - kPeakTextGap;
    out.push_back(ChartText{{5, textY}, VoltagePeakText(capture, peaks), ChartColour::VoltageTrace});
    out.push_back(
        ChartText{{kCurrentTextX, textY}, CurrentPeakText(capture, peaks), ChartColour::CurrentTrace});
    return out;
}

}  // namespace lxv
