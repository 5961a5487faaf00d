#include "app/chart_view.h"

#include <QPaintEvent>
#include <QPainter>

namespace lxv {

ChartView::ChartView(const QString& name, QWidget* parent) : QWidget(parent) {
    setObjectName(name);
    // The image covers the whole area: nothing underneath needs painting.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ChartView::fitImage(QSize area) {
    const QSize size = area.expandedTo(QSize(1, 1));
    if (image_.size() == size) return;
    image_ = QImage(size, QImage::Format_RGB32);
    image_.fill(Qt::black);
}

void ChartView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.drawImage(event->rect(), image_, event->rect());
}

}  // namespace lxv
