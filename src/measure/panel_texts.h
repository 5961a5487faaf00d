// The fifteen value panels of the main window as data: which field each
// shows and how, and the texts of a whole block. The window only places them.
#pragma once

#include <array>
#include <string>

#include "core/measure_block.h"

namespace lxv {

struct PanelSpec {
    const char* objectName;  // Panel_URMS ...
    const char* caption;     // label left of the panel
    Scalar field;
    int decimals;
    const char* fill;
    bool cut;
    const char* unit;
    int scale;   // 100 for the THD panels (shown in percent)
    int row;     // 0..4
    int column;  // 0..2
};

inline constexpr int kPanelCount = 15;
extern const std::array<PanelSpec, kPanelCount> kPanels;

// Texts of the fifteen panels, in the order of kPanels. A NaN PQ shows as 0
// (blocks opened from test files are screened here too).
std::array<std::string, kPanelCount> PanelTexts(const MeasureRecord& record);

}  // namespace lxv
