// Geometry of the waveform chart and the two harmonic bar charts.
#include "measure/chart_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/number_format.h"

namespace lxv {

namespace {

ChartFrame Clamped(const ChartFrame& f) {
    return {std::clamp(f.pw, 0, kMaxChartSide), std::clamp(f.ph, 0, kMaxChartSide)};
}

ChartLine Solid(int x1, int y1, int x2, int y2, int width = 1) {
    return {{x1, y1}, {x2, y2}, width, LineStyle::Solid, ChartColour::Scale};
}
ChartLine Dotted(int x1, int y1, int x2, int y2) {
    return {{x1, y1}, {x2, y2}, 1, LineStyle::Dotted, ChartColour::Scale};
}

// Largest |sample - zero| of a channel.
int LargestDeviation(const MeasureRecord& record, Channel channel) {
    const int zero = record.Zero(channel);
    int m = 0;
    for (int k = 0; k < kSampleCount; ++k) m = std::max(m, std::abs(record.Sample(channel, k) - zero));
    return m;
}

// NaN and negative amplitudes draw as 0; +infinity stays (it is the largest).
double DrawnAmplitude(float a) {
    if (std::isnan(a) || a < 0) return 0.0;
    return a;
}

}  // namespace

Rgb ChartColourRgb(ChartColour role, const ChartColours& colours) {
    switch (role) {
        case ChartColour::Background: return colours.background;
        case ChartColour::Scale: return colours.scale;
        case ChartColour::CurrentTrace: return {255, 0, 0};
        case ChartColour::VoltageTrace: return {0, 128, 0};
        case ChartColour::WaveformText: return {0, 16, 240};
        case ChartColour::OrderNumber: return {0, 128, 128};
        case ChartColour::VoltageBar: return {0, 128, 0};
        case ChartColour::CurrentBar: return {223, 48, 32};
        case ChartColour::LimitLine: return {220, 0, 0};
        case ChartColour::MeanBar: return {30, 110, 200};
        case ChartColour::MaximumBar: return {150, 195, 240};
        case ChartColour::FailBar: return {230, 70, 40};
        case ChartColour::IgnoredBar: return {150, 150, 150};
        case ChartColour::DiscardedShade: return {200, 200, 215};
        case ChartColour::PowerTrace: return {30, 110, 200};
        case ChartColour::PowerSpread: return {150, 195, 240};
        case ChartColour::RegressionLine: return {0, 140, 60};
        case ChartColour::MeanLine: return {120, 60, 160};
    }
    return {0, 0, 0};
}

int NearestInt(double x) {
    if (std::isnan(x)) return 0;
    x = std::clamp(x, -1e9, 1e9);
    return static_cast<int>(std::nearbyint(x));  // default rounding: ties to even
}

// ---- waveform chart ----

TraceScales WaveformScales(const ChartFrame& frame, const MeasureRecord& record) {
    const ChartFrame f = Clamped(frame);
    const int c = f.gridHeight() / 2;
    TraceScales s;
    // The current peak stays about one division inside the half height.
    const int mi = LargestDeviation(record, Channel::Current);
    s.current = mi != 0 ? (c - f.innerHeight() / 8.0) / mi : 0.0;
    // The voltage peak reaches the full half height; a flat voltage keeps the
    // current's scale (its points lie on the centre line either way).
    const int mu = LargestDeviation(record, Channel::Voltage);
    s.voltage = mu != 0 ? static_cast<double>(c) / mu : s.current;
    return s;
}

std::vector<ChartPoint> TracePoints(const ChartFrame& frame, const MeasureRecord& record, Channel channel,
                                    double scale) {
    const ChartFrame f = Clamped(frame);
    const int c = f.gridHeight() / 2;
    const int zero = record.Zero(channel);
    const double dx = record.SampleCount() != 0 ? f.gridWidth() / 512.0 : 0.0;
    std::vector<ChartPoint> points;
    points.reserve(kSampleCount);
    float x = 0.0f;  // x accumulates in single precision: its rounding picks each point's column
    for (int k = 0; k < kSampleCount; ++k) {
        if (k > 0) x = static_cast<float>(x + dx);
        const int v = record.Sample(channel, k) - zero;
        points.push_back({NearestInt(x) + 2, c - NearestInt(v * scale) + 2});
    }
    return points;
}

std::string SecondsPerDivisionText(float uf) {
    if (!(uf > 0)) return "8";
    // Ten divisions span four periods: 0.4 / UF seconds, in ms to 2 decimals.
    const double hundredths = std::nearbyint(0.4 / uf * 100000.0);
    return FormatRounded(hundredths / 100.0, 2);
}

std::string VoltsPerDivisionText(float upp, float urms) {
    return urms > 0 ? FormatRounded(upp / 4.0, 2) : "50";
}

std::string AmpsPerDivisionText(float ipp, float irms) {
    return irms > 0 ? FormatRounded(ipp / 3.0, 2) : "1";
}

UiText WaveformLabel(const MeasureRecord& record) {
    return UiText(QT_TRANSLATE_NOOP("lxv", "SEC/DIV:%1ms   Vol/DIV:%2V   Amp/DIV:%3A   Trigger Source:Vol"))
        .arg(SecondsPerDivisionText(record.UF()))
        .arg(VoltsPerDivisionText(record.UPP(), record.URMS()))
        .arg(AmpsPerDivisionText(record.IPP(), record.IRMS()));
}

ChartDrawing WaveformChart(const ChartFrame& frame, const MeasureRecord& record) {
    const ChartFrame f = Clamped(frame);
    const int gw = f.gridWidth(), gh = f.gridHeight();
    ChartDrawing d;
    d.reserve(48);
    d.emplace_back(FilledRect{0, 0, f.pw, f.ph, ChartColour::Background});

    // 8 divisions high, 10 wide; a short tick marks the middle of each
    // division on the centre axes.
    for (int i = 0; i <= 8; ++i) {
        const int y = gh * i / 8 + 2;
        d.emplace_back(Dotted(2, y, gw + 2, y));
        const int ty = gh * (2 * i + 1) / 16 + 2;
        d.emplace_back(Solid(gw / 2 - 1, ty, gw / 2 + 6, ty));
    }
    for (int i = 0; i <= 10; ++i) {
        const int x = gw * i / 10 + 2;
        d.emplace_back(Dotted(x, 2, x, gh + 2));
        const int tx = gw * (2 * i + 1) / 20 + 2;
        d.emplace_back(Solid(tx, gh / 2 - 1, tx, gh / 2 + 6));
    }

    const TraceScales s = WaveformScales(f, record);
    d.emplace_back(
        ChartPolyline{ChartColour::CurrentTrace, 1, TracePoints(f, record, Channel::Current, s.current)});
    d.emplace_back(
        ChartPolyline{ChartColour::VoltageTrace, 1, TracePoints(f, record, Channel::Voltage, s.voltage)});
    d.emplace_back(ChartText{{5, f.innerHeight() - 10}, WaveformLabel(record), ChartColour::WaveformText});
    return d;
}

// ---- harmonic charts ----

int HarmonicBaseline(const ChartFrame& frame) {
    return static_cast<int>(std::trunc(Clamped(frame).gridHeight() * 0.9));
}

int HarmonicRange(const ChartFrame& frame) {
    return HarmonicBaseline(frame) - 15;
}

int HarmonicOrderX(const ChartFrame& frame, int order) {
    const int bw = Clamped(frame).gridWidth() - 8;
    return NearestInt(static_cast<double>(order) * bw / 50.0) + 2;
}

std::vector<int> HarmonicBarHeights(const ChartFrame& frame, const MeasureRecord& record, Channel channel) {
    std::vector<int> heights(kHarmonicCount, 0);
    const int rh = HarmonicRange(frame);
    if (rh <= 0) return heights;
    double mx = 0.0;
    for (int n = 0; n < kHarmonicCount; ++n) mx = std::max(mx, DrawnAmplitude(record.Harmonic(channel, n)));
    if (mx == 0.0) return heights;
    const double s = rh / mx;  // 0 when the largest is infinite
    for (int n = 0; n < kHarmonicCount; ++n) {
        const double a = DrawnAmplitude(record.Harmonic(channel, n));
        // The largest bar is Rh exactly, without the rounding of s x a.
        if (a == mx) {
            heights[static_cast<std::size_t>(n)] = rh;
        } else {
            heights[static_cast<std::size_t>(n)] =
                static_cast<int>(std::clamp(std::trunc(s * a), 0.0, 1.0 * rh));
        }
    }
    return heights;
}

ChartDrawing HarmonicChart(const ChartFrame& frame, const MeasureRecord& record, Channel channel) {
    const ChartFrame f = Clamped(frame);
    const int y0 = HarmonicBaseline(f);
    const int rh = HarmonicRange(f);
    const ChartColour bar = channel == Channel::Voltage ? ChartColour::VoltageBar : ChartColour::CurrentBar;
    const std::vector<int> heights = HarmonicBarHeights(f, record, channel);

    ChartDrawing d;
    d.reserve(96);
    d.emplace_back(FilledRect{0, 0, f.pw, f.ph, ChartColour::Background});
    d.emplace_back(Solid(2, y0, f.gridWidth() + 3, y0, 2));

    for (int n = 0; n < kHarmonicCount; ++n) {
        const int x = HarmonicOrderX(f, n);
        if (n % 5 == 0) {
            const int tx = n == 0 ? x + 1 : n == 5 ? x + 2 : x - 1;
            d.emplace_back(ChartText{{tx, y0 + 6}, std::to_string(n), ChartColour::OrderNumber});
            d.emplace_back(Solid(x + 5, y0 - 1, x + 5, y0 + 3));
        }
        if (n == 0) {
            // Levels 100 %, 90 %, ..., 10 % of the largest bar.
            for (int u = 0; u <= 9; ++u) {
                const int y = rh * u / 10 + y0 - rh;
                d.emplace_back(Solid(3, y, x + 5, y));
                d.emplace_back(Dotted(x + 5, y, f.innerWidth() - 1, y));
            }
            d.emplace_back(ChartText{{1, 1}, "100%", ChartColour::OrderNumber});
        }
        d.emplace_back(OutlinedRect{x + 5, y0 - heights[static_cast<std::size_t>(n)], x + 7, y0, bar,
                                    ChartColour::Background});
    }
    return d;
}

}  // namespace lxv
