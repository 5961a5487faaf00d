#include "appearance/tool_glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>

namespace lxv {

namespace {

constexpr int kSize = 32;

void DrawSine(QPainter& p, QRectF box, int periods) {
    QPainterPath path;
    for (int i = 0; i <= 64; ++i) {
        const double t = i / 64.0;
        const QPointF pt(box.left() + t * box.width(),
                         box.center().y() - std::sin(t * periods * 2 * M_PI) * box.height() / 2);
        if (i == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    p.drawPath(path);
}

void DrawGlyph(QPainter& p, Glyph glyph) {
    const QColor ink(40, 60, 90);
    const QColor green(0, 140, 60);
    const QColor red(200, 40, 30);
    p.setPen(QPen(ink, 2));
    switch (glyph) {
        case Glyph::Open:  // folder
            p.setBrush(QColor(240, 200, 90));
            p.drawPolygon(QPolygonF({{3, 9}, {12, 9}, {15, 12}, {29, 12}, {29, 27}, {3, 27}}));
            break;
        case Glyph::Save:  // diskette
            p.setBrush(QColor(90, 120, 200));
            p.drawRect(4, 4, 24, 24);
            p.setBrush(Qt::white);
            p.drawRect(9, 4, 14, 9);
            p.drawRect(8, 18, 16, 10);
            break;
        case Glyph::Print:  // printer
            p.setBrush(Qt::white);
            p.drawRect(9, 3, 14, 10);
            p.setBrush(QColor(150, 150, 160));
            p.drawRect(3, 12, 26, 11);
            p.setBrush(Qt::white);
            p.drawRect(9, 19, 14, 10);
            break;
        case Glyph::Version:  // "i" in a circle
            p.setBrush(QColor(60, 110, 200));
            p.drawEllipse(4, 4, 24, 24);
            p.setPen(QPen(Qt::white, 3));
            p.drawLine(16, 14, 16, 23);
            p.drawPoint(16, 9);
            break;
        case Glyph::Record:  // red dot beside a trend line
            p.setPen(QPen(green, 2));
            p.drawPolyline(QPolygonF({{2, 26}, {9, 18}, {14, 22}, {21, 10}}));
            p.setPen(Qt::NoPen);
            p.setBrush(red);
            p.drawEllipse(20, 18, 10, 10);
            break;
        case Glyph::Harmonic:  // bars
            p.setBrush(QColor(0, 128, 0));
            p.drawRect(4, 6, 4, 22);
            p.drawRect(11, 16, 4, 12);
            p.drawRect(18, 20, 4, 8);
            p.drawRect(25, 23, 3, 5);
            break;
        case Glyph::HarmonicTest:  // bars under a red limit line
            p.setBrush(QColor(30, 110, 200));
            p.drawRect(4, 12, 4, 16);
            p.drawRect(11, 18, 4, 10);
            p.drawRect(18, 21, 4, 7);
            p.drawRect(25, 24, 3, 4);
            p.setPen(QPen(red, 2));
            p.drawLine(2, 9, 30, 9);
            break;
        case Glyph::StandbyTest:  // a low, flat trend under a red limit line, a power button's ring
            p.setPen(QPen(QColor(30, 110, 200), 2));
            p.drawPolyline(QPolygonF({{2, 16}, {8, 22}, {14, 24}, {30, 24}}));
            p.setPen(QPen(red, 2));
            p.drawLine(2, 12, 30, 12);
            p.setPen(QPen(ink, 2));
            p.drawArc(QRectF(19, 2, 8, 8), 120 * 16, 300 * 16);
            p.drawLine(23, 1, 23, 5);
            break;
        case Glyph::Single: {  // one period and a "1"
            p.setPen(QPen(green, 2));
            DrawSine(p, QRectF(3, 6, 18, 20), 1);
            p.setPen(QPen(ink, 3));
            p.drawLine(26, 8, 26, 26);
            break;
        }
        case Glyph::Continuous:  // several periods
            p.setPen(QPen(green, 2));
            DrawSine(p, QRectF(2, 6, 28, 20), 3);
            break;
        case Glyph::Stop:
            p.setBrush(red);
            p.drawRect(7, 7, 18, 18);
            break;
        case Glyph::Starting:  // a trace that bursts out of a flat line
            p.setPen(QPen(red, 2));
            p.drawPolyline(
                QPolygonF({{2, 16}, {10, 16}, {13, 4}, {16, 28}, {19, 8}, {22, 24}, {25, 13}, {30, 16}}));
            break;
        case Glyph::Web:  // globe
            p.setBrush(QColor(120, 180, 240));
            p.drawEllipse(4, 4, 24, 24);
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(11, 4, 10, 24);
            p.drawLine(4, 16, 28, 16);
            break;
    }
}

}  // namespace

QIcon GlyphIcon(Glyph glyph) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    DrawGlyph(painter, glyph);
    painter.end();
    return QIcon(pixmap);
}

}  // namespace lxv
