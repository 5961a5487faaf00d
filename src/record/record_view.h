// The record viewer's rules as plain logic: the view state of the live
// recording and of an opened file, and what zoom, segment, scroll bar, track
// bar, scale, show/hide, range and view-switch actions change. The record
// window owns the controls and applies the state after each action.
// Depends on: record_chart.h. No Qt.
#pragma once

#include <array>
#include <optional>

#include "platform/ui_text.h"
#include "record/record_chart.h"

namespace lxv {

// Enabled state of the controls the view switches.
struct ViewControls {
    bool zoomIn = true;   // "Zoom in Back" button and menu entry
    bool zoomOut = true;  // "Zoom Out forward "
    bool segmentForward = true;
    bool segmentBack = true;
    std::array<bool, kRecordChannels> scaleUp{true, true, true, true, true, true};
    std::array<bool, kRecordChannels> scaleDown{true, true, true, true, true, true};
    std::array<bool, kRecordChannels> rowEnabled{true, true, true,
                                                 true, true, true};  // labels, scale buttons
};

// What the window does after an action.
struct ViewEffects {
    bool redraw = false;      // now
    bool redrawSoon = false;  // (re)start the 100 ms redraw timer
    int gridMs = 0;           // new grid timer interval (live view), 0: unchanged
};

class RecordView {
  public:
    // n of the current view: LiveCount in live view, FileLast in file view.
    // Every action takes the live recording's count and the chart's width.
    ViewEffects ZoomInBack(int liveCount, int w);
    ViewEffects ZoomOutForward(int liveCount);
    ViewEffects SegmentForward(int liveCount);
    ViewEffects SegmentBack(int liveCount);
    ViewEffects ScrollBarChanged(int position, int liveCount, int w);
    ViewEffects TrackBarChanged(int position, int liveCount, int w);
    ViewEffects SwitchView(int liveCount);
    ViewEffects ToggleVisible(int channel);
    ViewEffects ScaleUp(int channel);
    ViewEffects ScaleDown(int channel);
    ViewEffects NextRange();

    // Recording started: live view, zoom 1, offset 0, scroll bar 0, track bar 150.
    void StartLive();
    // A file was created (the live view shows it) or opened (file view of `totalSamples`).
    void FileCreated() { fileActive = true; }
    void FileOpened(int totalSamples);

    // Sample under the chart's column x, or none (before a file, beyond the data).
    std::optional<int> ReadoutIndex(int x, int liveCount) const;

    // The chart's input for the current view.
    RecordChartInput ChartInput(const RecordData& live, const RecordData& file, int gridPhase) const;

    bool liveView() const { return viewMode == 0; }
    int zoom() const { return liveView() ? liveZoom : fileZoom; }
    int offset() const { return liveView() ? liveOffset : fileOffset; }

    int viewMode = 0;  // 0 live, 1 file
    bool fileActive = false;
    int liveZoom = 1, fileZoom = 1;
    int liveOffset = 0, fileOffset = 0;
    int fileLast = -1;
    RangeMode range = RangeMode::Positive;
    std::array<bool, kRecordChannels> visible{true, true, true, true, true, true};
    std::array<int, kRecordChannels> scaleIndex{3, 3, 3, 3, 3, 3};
    std::array<float, kRecordChannels> scale{1, 1, 1, 1, 1, 1};
    int scrollBar = 0;   // 0..450
    int trackBar = 150;  // 0..150
    ViewControls controls;

  private:
    int count(int liveCount) const { return liveView() ? liveCount : fileLast; }
    int& zoomRef() { return liveView() ? liveZoom : fileZoom; }
    int& offsetRef() { return liveView() ? liveOffset : fileOffset; }
    void updateScrollBar(int n);
    ViewEffects zoomChanged();
};

// Read-out of one value: "Value: " and the value rounded to three decimals.
UiText ReadoutValueText(float value);

}  // namespace lxv
