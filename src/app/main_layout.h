// Layout of the main window's pane: the four group boxes, the chart panel in
// each chart box and the fifteen value panels with their labels. Pure C++,
// no Qt: the main window applies these rectangles to its widgets.
#pragma once

#include <array>

#include "measure/panel_texts.h"

namespace lxv {

struct LayoutRect {
    int left = 0, top = 0, width = 0, height = 0;
    friend bool operator==(const LayoutRect&, const LayoutRect&) = default;
};

struct LayoutPoint {
    int left = 0, top = 0;
    friend bool operator==(const LayoutPoint&, const LayoutPoint&) = default;
};

// Height of a value panel. The layout rules fix only its top; with this height
// a label placed 11 pixels below that top stands at the panel's middle.
inline constexpr int kValuePanelHeight = 33;

// Index of each group box in MainLayout::groupBoxes.
enum GroupBoxIndex { kWaveformBox = 0, kValuesBox = 1, kVoltageHarmonicsBox = 2, kCurrentHarmonicsBox = 3 };

struct MainLayout {
    // GroupBox1 (waveform), GroupBox2 (values), GroupBox3 (voltage harmonics),
    // GroupBox4 (current harmonics), in pane coordinates.
    std::array<LayoutRect, 4> groupBoxes;
    // Pic1, Pic2 and Pic3, each inside its box (all three the same size: the
    // charts are drawn with this width and height).
    LayoutRect chartPanel;
    // In GroupBox2, in the order of kPanels: top-left corner of each caption
    // label (sized to its text) and each value panel.
    std::array<LayoutPoint, kPanelCount> labels;
    std::array<LayoutRect, kPanelCount> valuePanels;
};

// LayoutMainWindow for a pane area (Panel1) of paneWidth x paneHeight pixels.
// A pane too small for the boxes gives boxes and panels of size 0, never negative.
MainLayout LayoutMainWindow(int paneWidth, int paneHeight);

}  // namespace lxv
