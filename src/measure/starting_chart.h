// Geometry of the starting-test chart and the rules of its view buttons, as
// lists of drawing primitives (the conventions of chart_geometry.h). Pure
// C++, no Qt: chart_painter.cpp paints what StartingChart returns.
//
// Owns: the chart's grid, traces and peak texts; the scroll offset and time
// step and which view buttons they leave enabled.
// Depends on: measure/ (the capture, the measurement block's zero levels,
// chart primitives, number formats). No Qt.
#pragma once

#include <string>
#include <vector>

#include "measure/chart_geometry.h"
#include "measure/starting_record.h"

namespace lxv {

// Scroll offset (samples, 0..2240 in steps of 320) and time step (samples per
// pixel, 1..4). A button is disabled only by a click at its limit; the click
// that reaches the limit leaves it enabled. Each move enables the opposite button.
class StartingView {
  public:
    static constexpr int kOffsetStep = 320;
    static constexpr int kLastOffset = 2240;
    static constexpr int kLargestStep = 4;

    int offset() const { return offset_; }
    int step() const { return step_; }

    void Earlier();   // towards earlier samples
    void Later();     // towards later samples
    void Compress();  // larger time step: more samples per pixel
    void Stretch();   // smaller time step

    bool earlierEnabled() const { return earlierEnabled_; }
    bool laterEnabled() const { return laterEnabled_; }
    bool compressEnabled() const { return compressEnabled_; }
    bool stretchEnabled() const { return stretchEnabled_; }

  private:
    int offset_ = 0;
    int step_ = 1;
    bool earlierEnabled_ = true, laterEnabled_ = true, compressEnabled_ = true, stretchEnabled_ = true;
};

// Largest |sample - zero| over the used samples 8..2558 of each channel, in codes.
struct CapturePeaks {
    int voltage = 0;  // MU
    int current = 0;  // MI
};
CapturePeaks PeaksOf(const StartingRecord& capture, const MeasureRecord& block);

// "Voltage peak311.5V" and "Current peak42.43A": the peak in volts or amperes
// to two decimals, without trailing zeros.
UiText VoltagePeakText(const StartingRecord& capture, const CapturePeaks& peaks);
UiText CurrentPeakText(const StartingRecord& capture, const CapturePeaks& peaks);

// Number of points drawn on a chart `width` pixels wide: (2550 - offset) / step, at most width.
int VisiblePoints(int width, const StartingView& view);

// Pixels per code of both traces on a chart `height` pixels high.
struct StartingScales {
    double current = 0;
    double voltage = 0;
};
StartingScales StartingTraceScales(int height, const CapturePeaks& peaks);

std::vector<ChartPoint> StartingTracePoints(const ChartFrame& frame, const StartingRecord& capture,
                                            const MeasureRecord& block, Channel channel, double scale,
                                            const StartingView& view);

// The whole chart of SW x SH pixels (frame.pw x frame.ph).
ChartDrawing StartingChart(const ChartFrame& frame, const StartingRecord& capture, const MeasureRecord& block,
                           const StartingView& view);

}  // namespace lxv
