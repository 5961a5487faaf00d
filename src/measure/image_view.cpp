#include "measure/image_view.h"

#include <QPainter>
#include <QRegion>

namespace lxv {

ImageView::ImageView(const QImage& image, std::function<void()> resized, QWidget* parent)
    : QWidget(parent), image_(image), resized_(std::move(resized)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void ImageView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect shown = rect() & image_.rect();
    p.drawImage(QPoint(0, 0), image_, shown);
    for (const QRect& beyond : QRegion(rect()).subtracted(shown)) p.fillRect(beyond, Qt::black);
}

void ImageView::resizeEvent(QResizeEvent*) {
    if (resized_) resized_();
}

}  // namespace lxv
