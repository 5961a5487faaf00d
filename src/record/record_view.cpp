#include "record/record_view.h"

#include <algorithm>
#include <cmath>

#include "platform/number_format.h"

namespace lxv {

void RecordView::updateScrollBar(int n) {
    if (n > 0) scrollBar = std::clamp(NearestInt(offset() * 450.0 / n), 0, 450);
}

ViewEffects RecordView::zoomChanged() {
    ViewEffects e;
    e.redraw = true;
    if (liveView()) e.gridMs = liveZoom * 1000;
    return e;
}

ViewEffects RecordView::ZoomInBack(int liveCount, int w) {
    const int n = count(liveCount);
    if (n / zoom() > NearestInt(0.95 * w)) {
        zoomRef() += 1;
        trackBar = 151 - zoom();
    } else {
        controls.zoomIn = false;
    }
    ViewEffects e = zoomChanged();
    updateScrollBar(n);
    controls.zoomOut = true;
    return e;
}

ViewEffects RecordView::ZoomOutForward(int liveCount) {
    if (zoom() < 2)
        controls.zoomOut = false;
    else
        zoomRef() -= 1;
    trackBar = 151 - zoom();
    controls.zoomIn = true;
    ViewEffects e = zoomChanged();
    updateScrollBar(count(liveCount));
    return e;
}

ViewEffects RecordView::SegmentForward(int liveCount) {
    controls.segmentBack = true;
    const bool room = liveView() ? liveOffset + 500 < liveCount - liveOffset : fileOffset + 500 < fileLast;
    if (room)
        offsetRef() += 500;
    else
        controls.segmentForward = false;
    updateScrollBar(count(liveCount));
    return {.redraw = true};
}

ViewEffects RecordView::SegmentBack(int liveCount) {
    controls.segmentForward = true;
    if (offset() < 1)
        controls.segmentBack = false;
    else
        offsetRef() = std::max(0, offset() - 300);
    updateScrollBar(count(liveCount));
    return {.redraw = true};
}

ViewEffects RecordView::ScrollBarChanged(int position, int liveCount, int w) {
    scrollBar = position;
    const int n = count(liveCount);
    if (n < 451) return {};
    const int a = static_cast<int>(static_cast<long long>(position) * n / 450);
    if (0.95 * w >= n - a) return {};
    offsetRef() = a;
    return {.redrawSoon = true};
}

ViewEffects RecordView::TrackBarChanged(int position, int liveCount, int w) {
    trackBar = position;
    const int p = 151 - position;
    ViewEffects e{.redrawSoon = true};
    if (p >= 1 && count(liveCount) / p > NearestInt(0.5 * w)) {
        zoomRef() = p;
        if (liveView()) e.gridMs = p * 1000;
    }
    return e;
}

ViewEffects RecordView::SwitchView(int liveCount) {
    viewMode = liveView() ? 1 : 0;
    trackBar = 151 - zoom();
    updateScrollBar(count(liveCount));
    return {.redraw = true};
}

ViewEffects RecordView::ToggleVisible(int channel) {
    if (channel < 0 || channel >= kRecordChannels) return {};
    const bool shown = !visible[channel];
    visible[channel] = shown;
    controls.rowEnabled[channel] = shown;
    controls.scaleUp[channel] = shown && scaleIndex[channel] < kScaleSteps - 1;
    controls.scaleDown[channel] = shown && scaleIndex[channel] > 0;
    return {.redraw = true};
}

ViewEffects RecordView::ScaleUp(int channel) {
    if (channel < 0 || channel >= kRecordChannels || scaleIndex[channel] >= kScaleSteps - 1) return {};
    scale[channel] = ScaleFactor(++scaleIndex[channel]);
    controls.scaleUp[channel] = scaleIndex[channel] < kScaleSteps - 1;
    controls.scaleDown[channel] = true;
    return {.redraw = true};
}

ViewEffects RecordView::ScaleDown(int channel) {
    if (channel < 0 || channel >= kRecordChannels || scaleIndex[channel] <= 0) return {};
    scale[channel] = ScaleFactor(--scaleIndex[channel]);
    controls.scaleDown[channel] = scaleIndex[channel] > 0;
    controls.scaleUp[channel] = true;
    return {.redraw = true};
}

ViewEffects RecordView::NextRange() {
    range = static_cast<RangeMode>((static_cast<int>(range) + 1) % 3);
    return {.redraw = true};
}

void RecordView::StartLive() {
    viewMode = 0;
    liveZoom = 1;
    liveOffset = 0;
    scrollBar = 0;
    trackBar = 150;
}

void RecordView::FileOpened(int totalSamples) {
    fileLast = totalSamples - 1;
    viewMode = 1;
    fileActive = true;
    // A new file starts at its newest samples, one point per pixel.
    fileZoom = 1;
    fileOffset = 0;
    scrollBar = 0;
    trackBar = 150;
}

std::optional<int> RecordView::ReadoutIndex(int x, int liveCount) const {
    if (!fileActive || x < 0) return std::nullopt;
    const long long at = static_cast<long long>(x) * zoom() + offset();
    if (liveView()) {
        if (at + 1 < liveCount) return static_cast<int>(liveCount - (at + 1));
    } else if (at < fileLast) {
        return static_cast<int>(fileLast - at);
    }
    return std::nullopt;
}

RecordChartInput RecordView::ChartInput(const RecordData& live, const RecordData& file, int gridPhase) const {
    RecordChartInput in;
    in.data = liveView() ? &live : &file;
    in.fileActive = fileActive;
    in.liveView = liveView();
    in.last = liveView() ? live.count - 1 : fileLast;
    in.zoom = zoom();
    in.offset = offset();
    in.range = range;
    in.gridPhase = gridPhase;
    in.visible = visible;
    in.scale = scale;
    return in;
}

UiText ReadoutValueText(float value) {
    const double v = static_cast<double>(value);
    // Rounded to three decimals, an exact half to the even neighbour; huge values need no rounding.
    const double rounded = std::fabs(v) < 1e12 ? std::nearbyint(v * 1000.0) / 1000.0 : v;
    return UiText(QT_TRANSLATE_NOOP("lxv", "Value: %1")).arg(FormatGeneral(rounded));
}

}  // namespace lxv
