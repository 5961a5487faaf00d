// Main window layout: group boxes, chart panels and the value grid, with the
// two width thresholds (830 for the columns, 930 for the panel width).
#include "app/main_layout.h"

#include <gtest/gtest.h>

#include <string>

namespace lxv {
namespace {

int IndexOf(const std::string& objectName) {
    for (int i = 0; i < kPanelCount; ++i)
        if (objectName == kPanels[static_cast<std::size_t>(i)].objectName) return i;
    return -1;
}

TEST(MainLayout, GroupBoxesAndChartPanels) {
    const MainLayout l = LayoutMainWindow(1920, 1000);  // w 954, h 494
    EXPECT_EQ(l.groupBoxes[kWaveformBox], (LayoutRect{4, 4, 954, 494}));
    EXPECT_EQ(l.groupBoxes[kValuesBox], (LayoutRect{962, 4, 954, 494}));
    EXPECT_EQ(l.groupBoxes[kVoltageHarmonicsBox], (LayoutRect{4, 502, 954, 494}));
    EXPECT_EQ(l.groupBoxes[kCurrentHarmonicsBox], (LayoutRect{962, 502, 954, 494}));
    EXPECT_EQ(l.chartPanel, (LayoutRect{4, 16, 946, 474}));

    // Odd sizes: div cuts the remainder.
    const MainLayout odd = LayoutMainWindow(801, 601);  // w 394, h 294
    EXPECT_EQ(odd.groupBoxes[kCurrentHarmonicsBox], (LayoutRect{402, 302, 394, 294}));
    EXPECT_EQ(odd.chartPanel, (LayoutRect{4, 16, 386, 274}));
}

TEST(MainLayout, RowsFollowTheBoxHeight) {
    const MainLayout l = LayoutMainWindow(800, 612);  // h 300, g 280, s 56, g div 15 = 18
    const int urms = IndexOf("Panel_URMS"), ikf = IndexOf("PANEL_IKF"), kwh = IndexOf("Panel_KWH");
    const int ipa = IndexOf("Panel_IPA");
    EXPECT_EQ(l.labels[static_cast<std::size_t>(urms)].top, 38);
    EXPECT_EQ(l.valuePanels[static_cast<std::size_t>(urms)].top, 27);
    EXPECT_EQ(l.labels[static_cast<std::size_t>(ipa)].top, 38 + 56);
    EXPECT_EQ(l.valuePanels[static_cast<std::size_t>(ipa)].top, 27 + 56);
    EXPECT_EQ(l.labels[static_cast<std::size_t>(ikf)].top, 38 + 4 * 56);
    EXPECT_EQ(l.valuePanels[static_cast<std::size_t>(kwh)].top, 27 + 4 * 56);
    EXPECT_EQ(l.valuePanels[static_cast<std::size_t>(kwh)].height, kValuePanelHeight);
}

TEST(MainLayout, ColumnsSwitchAt830AndPanelsWidenAt930) {
    const int urms = IndexOf("Panel_URMS"), upp = IndexOf("Panel_UPP"), uf = IndexOf("Panel_UF");
    auto labelLefts = [&](const MainLayout& l) {
        return std::array<int, 3>{l.labels[static_cast<std::size_t>(urms)].left,
                                  l.labels[static_cast<std::size_t>(upp)].left,
                                  l.labels[static_cast<std::size_t>(uf)].left};
    };
    auto panelLefts = [&](const MainLayout& l) {
        return std::array<int, 3>{l.valuePanels[static_cast<std::size_t>(urms)].left,
                                  l.valuePanels[static_cast<std::size_t>(upp)].left,
                                  l.valuePanels[static_cast<std::size_t>(uf)].left};
    };

    const MainLayout fixed = LayoutMainWindow(829, 600);
    EXPECT_EQ(labelLefts(fixed), (std::array<int, 3>{5, 125, 258}));
    EXPECT_EQ(panelLefts(fixed), (std::array<int, 3>{45, 172, 303}));
    EXPECT_EQ(fixed.valuePanels[static_cast<std::size_t>(urms)].width, 83);

    const MainLayout wide = LayoutMainWindow(830, 600);  // w 409, c 133
    EXPECT_EQ(labelLefts(wide), (std::array<int, 3>{10, 143, 276}));
    EXPECT_EQ(panelLefts(wide), (std::array<int, 3>{60, 191, 324}));
    EXPECT_EQ(wide.valuePanels[static_cast<std::size_t>(urms)].width, 83);

    EXPECT_EQ(LayoutMainWindow(929, 600).valuePanels[static_cast<std::size_t>(uf)].width, 83);
    const MainLayout wider = LayoutMainWindow(930, 600);  // w 459, c 149
    EXPECT_EQ(labelLefts(wider), (std::array<int, 3>{10, 159, 308}));
    for (const LayoutRect& r : wider.valuePanels) EXPECT_EQ(r.width, 93);
}

TEST(MainLayout, EveryPanelHasItsOwnPlace) {
    const MainLayout l = LayoutMainWindow(1280, 900);
    for (int i = 0; i < kPanelCount; ++i)
        for (int j = i + 1; j < kPanelCount; ++j)
            EXPECT_NE(l.valuePanels[static_cast<std::size_t>(i)], l.valuePanels[static_cast<std::size_t>(j)])
                << kPanels[static_cast<std::size_t>(i)].objectName << " "
                << kPanels[static_cast<std::size_t>(j)].objectName;
    // Each label stands left of its panel.
    for (int i = 0; i < kPanelCount; ++i)
        EXPECT_LT(l.labels[static_cast<std::size_t>(i)].left,
                  l.valuePanels[static_cast<std::size_t>(i)].left);
}

TEST(MainLayout, TinyPaneGivesNoNegativeSizes) {
    for (auto [w, h] : {std::pair{0, 0}, std::pair{10, 10}, std::pair{-100, 30}, std::pair{40, 25}}) {
        const MainLayout l = LayoutMainWindow(w, h);
        for (const LayoutRect& r : l.groupBoxes) {
            EXPECT_GE(r.width, 0);
            EXPECT_GE(r.height, 0);
        }
        EXPECT_GE(l.chartPanel.width, 0);
        EXPECT_GE(l.chartPanel.height, 0);
    }
}

}  // namespace
}  // namespace lxv
