// Places the four panes of the main window inside Panel1.
#include <QGroupBox>

#include "app/chart_view.h"
#include "app/main_form.h"
#include "app/main_layout.h"

namespace lxv {

namespace {

QRect ToQRect(const LayoutRect& r) {
    return QRect(r.left, r.top, r.width, r.height);
}

}  // namespace

void TMainForm::ApplyLayout() {
    const MainLayout layout = LayoutMainWindow(Panel1_->width(), Panel1_->height());
    for (std::size_t i = 0; i < groupBoxes_.size(); ++i)
        groupBoxes_[i]->setGeometry(ToQRect(layout.groupBoxes[i]));
    const QRect chart = ToQRect(layout.chartPanel);
    for (ChartView* view : charts_) {
        view->setGeometry(chart);
        view->fitImage(chart.size());
    }
    for (std::size_t i = 0; i < kPanels.size(); ++i) {
        captions_[i]->adjustSize();
        captions_[i]->move(layout.labels[i].left, layout.labels[i].top);
        valuePanels_[i]->setGeometry(ToQRect(layout.valuePanels[i]));
    }
}

}  // namespace lxv
