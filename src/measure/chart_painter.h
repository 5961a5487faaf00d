// Draws the main window's three charts (waveform, voltage and current
// harmonics) into off-screen images; the chart widgets only copy them.
// The geometry comes from chart_geometry.h (pure, tested without painting).
#pragma once

#include <QImage>
#include <QSize>

#include "appearance/chart_colours.h"
#include "core/measure_block.h"
#include "measure/starting_chart.h"

namespace lxv {

struct HarmonicTestResult;
class StandbyTest;

// Draws the waveform chart of `area` (PW x PH, the chart area's size) into
// `image`; only as much as the image holds is drawn.
void DrawWaveformChart(QImage& image, QSize area, const MeasureRecord& record, const ChartColours& colours);
// Draws the harmonic bar chart of one channel.
void DrawHarmonicChart(QImage& image, QSize area, const MeasureRecord& record, Channel channel,
                       const ChartColours& colours);

// Draws the starting-test chart of `area` (SW x SH) from the capture, the zero
// levels of `block` and the view's offset and time step.
void DrawStartingChart(QImage& image, QSize area, const StartingRecord& capture, const MeasureRecord& block,
                       const StartingView& view, const ChartColours& colours);

// Draws the standby test's trend of `area`.
void DrawStandbyChart(QImage& image, QSize area, const StandbyTest& test, const ChartColours& colours);

// Draws the harmonic test's bar chart of `area` from a result.
void DrawHarmonicTestChart(QImage& image, QSize area, const HarmonicTestResult& result,
                           const ChartColours& colours);

}  // namespace lxv
