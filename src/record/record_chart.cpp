#include "record/record_chart.h"

#include <algorithm>

#include "platform/number_format.h"

namespace lxv {

namespace {

constexpr float kScaleTable[kScaleSteps] = {0.05f,  0.1f,    0.25f,   0.5f,    1.0f,    2.5f,
                                            5.0f,   10.0f,   25.0f,   50.0f,   100.0f,  250.0f,
                                            500.0f, 1000.0f, 2500.0f, 5000.0f, 10000.0f};
constexpr int kMarkerOffsets[kRecordChannels] = {72, 60, 48, 36, 24, 12};
constexpr int kDivisionTextX[kRecordChannels] = {100, 185, 270, 355, 440, 525};

float PixelsPerUnit(int h) {
    return static_cast<float>(h - 32) / 500.0f;
}

}  // namespace

RecordColour ChannelColour(int channel) {
    return static_cast<RecordColour>(static_cast<int>(RecordColour::Channel1) + std::clamp(channel, 0, 5));
}

float ScaleFactor(int index) {
    return kScaleTable[std::clamp(index, 0, kScaleSteps - 1)];
}

int MarkerOffset(int channel) {
    return kMarkerOffsets[std::clamp(channel, 0, 5)];
}

const char* RangeText(RangeMode range) {
    switch (range) {
        case RangeMode::Positive: return QT_TRANSLATE_NOOP("lxv", "Range: Positive");
        case RangeMode::PAndN: return QT_TRANSLATE_NOOP("lxv", "Range: P and N");
        case RangeMode::Negative: return QT_TRANSLATE_NOOP("lxv", "Range: Negative");
    }
    return "";
}

int RecordValueY(double value, float scale, int h, RangeMode range) {
    const int raw = NearestInt(value * static_cast<double>(scale) * static_cast<double>(PixelsPerUnit(h)));
    switch (range) {
        case RangeMode::Positive: return (h - 16) - raw;
        case RangeMode::PAndN: return h / 2 - NearestInt(raw / 2.0);
        case RangeMode::Negative: return 16 - raw;
    }
    return 0;
}

std::string UnitsPerDivisionText(float scale, RangeMode range) {
    const double s = static_cast<double>(scale);
    if (range == RangeMode::PAndN) return FormatGeneral(NearestInt(1000000.0 / s) / 10000.0);
    return FormatGeneral(NearestInt(50000.0 / s) / 1000.0);
}

RecordChart DrawRecordChart(int w, int h, const RecordChartInput& in) {
    RecordChart chart;
    RecordDrawing& d = chart.drawing;
    if (w <= 0 || h <= 0) return chart;
    const int plot = h - 32;
    d.push_back(RecordFill{0, 0, w, h, RecordColour::Background});
    for (int k = 0; k <= 10; ++k) {
        const int y = NearestInt(plot * k / 10.0) + 16;
        d.push_back(RecordLine{{0, y}, {w - 1, y}, 1, LineStyle::Dotted, RecordColour::Scale});
    }
    const int phase = in.liveView ? in.gridPhase : 0;
    for (int i = 0; i <= w / 20; ++i) {
        const int x = 20 * i + phase;
        d.push_back(RecordLine{{x, 16}, {x, h - 16}, 1, LineStyle::Dotted, RecordColour::Scale});
    }

    const RecordData* data = in.data;
    const int zoom = std::max(in.zoom, 1);
    if (in.fileActive && data && in.last >= 0) {
        const int newest = std::min(in.last, data->capacity() - 1) - in.offset;
        const int n = newest < 0 ? 0 : std::min(newest / zoom, w);
        chart.points = n;
        if (n > 0) {
            chart.endIndex = newest;
            chart.startIndex = newest - (n - 1) * zoom;
        }
        std::array<RecordPolyline, kRecordChannels> traces;
        for (int c = 0; c < kRecordChannels; ++c) {
            traces[c].colour = ChannelColour(c);
            traces[c].points.resize(static_cast<std::size_t>(n));
        }
        for (int c = 0; c < kRecordChannels; ++c) {
            const float* values = data->channels[c].data();
            const float scale = in.scale[c];
            bool above = false, below = false;
            ChartPoint* out = traces[c].points.data();
            for (int i = 0; i < n; ++i) {
                const int y = RecordValueY(values[newest - i * zoom], scale, h, in.range);
                above |= y < 0;
                below |= y > h;
                out[i] = {i, y};
            }
            chart.above[c] = above;
            chart.below[c] = below;
            if (n > 0) chart.penTop[c] = traces[c].points[0].y - 7;
        }
        for (int c = 0; c < kRecordChannels; ++c) {
            if (in.visible[c] && n > 0) d.push_back(std::move(traces[c]));
            const int x = w - MarkerOffset(c);
            if (chart.above[c])
                d.push_back(RecordTriangle{{x, 5}, {x + 10, 5}, {x + 5, 0}, ChannelColour(c)});
            if (chart.below[c])
                d.push_back(RecordTriangle{{x, h - 6}, {x + 10, h - 6}, {x + 5, h - 1}, ChannelColour(c)});
        }
    }

    const int textY = h - 12;
    d.push_back(RecordText{{5, textY},
                           UiText(QT_TRANSLATE_NOOP("lxv", "Time/DIV=%1S")).arg(20 * zoom),
                           in.liveView ? RecordColour::Teal : RecordColour::Channel1,
                           true});
    for (int c = 0; c < kRecordChannels; ++c)
        d.push_back(RecordText{{kDivisionTextX[c], textY},
                               UiText(QT_TRANSLATE_NOOP("lxv", "CH%1/DIV=%2"))
                                   .arg(c + 1)
                                   .arg(UnitsPerDivisionText(in.scale[c], in.range)),
                               ChannelColour(c),
                               true});
    return chart;
}

RecordDrawing DrawRecordRuler(int h, RangeMode range) {
    RecordDrawing d;
    if (h <= 0) return d;
    const int plot = h - 32;
    d.push_back(RecordFill{0, 0, 50, h, RecordColour::White});
    for (int i = 0; i <= 50; ++i) {
        const int y = NearestInt(plot * i / 50.0) + 16;
        if (i % 5 != 0) {
            d.push_back(RecordLine{{7, y}, {13, y}, 1, LineStyle::Solid, RecordColour::Black});
            continue;
        }
        d.push_back(RecordLine{{3, y}, {13, y}, 1, LineStyle::Solid, RecordColour::Black});
        std::string label;
        switch (range) {
            case RangeMode::Positive: label = std::to_string(100 - 2 * i) + "%"; break;
            case RangeMode::PAndN: label = std::to_string(100 - 4 * i) + "%"; break;
            case RangeMode::Negative: label = "-" + std::to_string(2 * i) + "%"; break;
        }
        d.push_back(RecordText{{20, y - 6}, label, RecordColour::Black, false});
    }
    d.push_back(RecordLine{{13, 16}, {13, h - 16}, 2, LineStyle::Solid, RecordColour::Black});
    return d;
}

RecordChartStatus ChartStatusTexts(const RecordChart& chart, const RecordChartInput& input,
                                   const std::function<std::string(double)>& dateTime) {
    RecordChartStatus s;
    s.sampling = UiText(QT_TRANSLATE_NOOP("lxv", "Sampling step:%1S")).arg(std::max(input.zoom, 1));
    s.length = UiText(QT_TRANSLATE_NOOP("lxv", "Length:%1")).arg(chart.points);
    const bool stamps = chart.points > 0 && input.data;
    s.start =
        UiText(QT_TRANSLATE_NOOP("lxv", "Start:%1"))
            .arg(stamps ? dateTime(input.data->stamps[static_cast<std::size_t>(chart.startIndex)]) : "");
    s.end = UiText(QT_TRANSLATE_NOOP("lxv", "End:%1"))
                .arg(stamps ? dateTime(input.data->stamps[static_cast<std::size_t>(chart.endIndex)]) : "");
    return s;
}

}  // namespace lxv
