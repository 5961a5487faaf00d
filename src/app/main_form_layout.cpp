// Places the four panes of the main window inside Panel1.
#include <QGroupBox>

#include "app/chart_view.h"
#include "app/main_form.h"

namespace lxv {

namespace {

constexpr int kLabelHeight = 16;
constexpr int kPanelHeight = 24;

struct PaneGeometry {
    std::array<QRect, 4> groupBoxes;
    QRect chart;
    std::array<QRect, kPanelCount> labels;
    std::array<QRect, kPanelCount> panels;
};

PaneGeometry ComputePanes(QSize pane) {
    PaneGeometry g;
    const int W = pane.width();
    const int w = (W - 12) / 2;
    const int h = (pane.height() - 12) / 2;
    g.groupBoxes = {QRect(4, 4, w, h), QRect(w + 8, 4, w, h), QRect(4, h + 8, w, h),
                    QRect(w + 8, h + 8, w, h)};
    g.chart = QRect(4, 16, w - 8, h - 20);
    const int rows = h - 20;
    const int step = rows / 5;
    const int c = (w - 10) / 3;
    const std::array<int, 3> labelLeft =
        W >= 830 ? std::array<int, 3>{10, c + 10, 2 * c + 10} : std::array<int, 3>{5, 125, 258};
    const std::array<int, 3> panelLeft =
        W >= 830 ? std::array<int, 3>{60, c + 58, 2 * c + 58} : std::array<int, 3>{45, 172, 303};
    const int panelWidth = W >= 930 ? 93 : 83;
    for (std::size_t i = 0; i < kPanels.size(); ++i) {
        const auto col = static_cast<std::size_t>(kPanels[i].column);
        const int row = kPanels[i].row;
        g.labels[i] = QRect(labelLeft[col], rows / 15 + 20 + row * step, panelLeft[col] - labelLeft[col] - 2,
                            kLabelHeight);
        g.panels[i] = QRect(panelLeft[col], rows / 15 + 9 + row * step, panelWidth, kPanelHeight);
    }
    return g;
}

}  // namespace

void TMainForm::ApplyLayout() {
    const PaneGeometry g = ComputePanes(Panel1_->size());
    for (std::size_t i = 0; i < groupBoxes_.size(); ++i) groupBoxes_[i]->setGeometry(g.groupBoxes[i]);
    for (ChartView* chart : charts_) {
        chart->setGeometry(g.chart);
        chart->fitImage(g.chart.size());
    }
    for (std::size_t i = 0; i < kPanels.size(); ++i) {
        captions_[i]->setGeometry(g.labels[i]);
        valuePanels_[i]->setGeometry(g.panels[i]);
    }
}

}  // namespace lxv
