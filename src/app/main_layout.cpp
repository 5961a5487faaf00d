// LayoutMainWindow: pane area to group boxes, chart panels and value panels.
#include "app/main_layout.h"

#include <algorithm>

namespace lxv {

namespace {

constexpr int kWideColumns = 830;  // from this pane width on, columns follow the box width
constexpr int kWidePanels = 930;   // from this pane width on, value panels are wider

}  // namespace

MainLayout LayoutMainWindow(int paneWidth, int paneHeight) {
    MainLayout layout;
    const int w = std::max(0, (paneWidth - 12) / 2);
    const int h = std::max(0, (paneHeight - 12) / 2);

    layout.groupBoxes[kWaveformBox] = {4, 4, w, h};
    layout.groupBoxes[kValuesBox] = {w + 8, 4, w, h};
    layout.groupBoxes[kVoltageHarmonicsBox] = {4, h + 8, w, h};
    layout.groupBoxes[kCurrentHarmonicsBox] = {w + 8, h + 8, w, h};
    layout.chartPanel = {4, 16, std::max(0, w - 8), std::max(0, h - 20)};

    // Five rows of label and value pairs.
    const int g = h - 20;
    const int s = g / 5;
    std::array<int, 3> labelLeft{5, 125, 258};
    std::array<int, 3> panelLeft{45, 172, 303};
    if (paneWidth >= kWideColumns) {
        const int c = (w - 10) / 3;
        labelLeft = {10, c + 10, 2 * c + 10};
        panelLeft = {60, c + 58, 2 * c + 58};
    }
    const int panelWidth = paneWidth >= kWidePanels ? 93 : 83;

    for (int i = 0; i < kPanelCount; ++i) {
        const PanelSpec& p = kPanels[static_cast<std::size_t>(i)];
        const auto column = static_cast<std::size_t>(p.column);
        layout.labels[static_cast<std::size_t>(i)] = {labelLeft[column], g / 15 + 20 + p.row * s};
        layout.valuePanels[static_cast<std::size_t>(i)] = {panelLeft[column], g / 15 + 9 + p.row * s,
                                                           panelWidth, kValuePanelHeight};
    }
    return layout;
}

}  // namespace lxv
