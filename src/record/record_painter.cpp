// Dotted grid lines are set pixel by pixel in the image's memory (the grid of
// a large chart has thousands of dots); traces, triangles and texts go
// through QPainter without antialiasing.
#include "record/record_painter.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <variant>

namespace lxv {

namespace {

QColor ColourOf(RecordColour role, const ChartColours& colours) {
    switch (role) {
        case RecordColour::Background:
            return {colours.background.r, colours.background.g, colours.background.b};
        case RecordColour::Scale: return {colours.scale.r, colours.scale.g, colours.scale.b};
        case RecordColour::Channel1: return {0, 128, 0};
        case RecordColour::Channel2: return {255, 0, 0};
        case RecordColour::Channel3: return {0, 0, 255};
        case RecordColour::Channel4: return {128, 0, 0};
        case RecordColour::Channel5: return {255, 255, 0};
        case RecordColour::Channel6: return {255, 0, 255};
        case RecordColour::Teal: return {0, 128, 128};
        case RecordColour::White: return {255, 255, 255};
        case RecordColour::Black: return {0, 0, 0};
    }
    return {0, 0, 0};
}

class Painter {
  public:
    Painter(QImage& image, const ChartColours& colours)
        : image_(image),
          painter_(&image),
          bounds_(image.rect()),
          colours_(colours),
          font_("Sans Serif", 8),
          metrics_(font_) {
        font_.setStyleStrategy(QFont::NoAntialias);
        painter_.setRenderHint(QPainter::Antialiasing, false);
        painter_.setFont(font_);
        // Far-off points are pulled in; their segments still leave the image the same way.
        limit_ = std::max(bounds_.width(), bounds_.height()) + 4096;
    }

    void Draw(const RecordDrawing& drawing) {
        if (!painter_.isActive()) return;
        for (const RecordPrimitive& p : drawing) std::visit([this](const auto& item) { Draw(item); }, p);
    }

  private:
    QPoint Clamp(ChartPoint p) const {
        return {std::clamp(p.x, -limit_, limit_), std::clamp(p.y, -limit_, limit_)};
    }

    void Draw(const RecordFill& f) {
        const QRect r = QRect(f.left, f.top, f.width, f.height) & bounds_;
        if (!r.isEmpty()) painter_.fillRect(r, ColourOf(f.colour, colours_));
    }

    void Draw(const RecordLine& line) {
        const QColor colour = ColourOf(line.colour, colours_);
        const bool axisAligned = line.from.x == line.to.x || line.from.y == line.to.y;
        if (line.style == LineStyle::Dotted && axisAligned && image_.depth() == 32) {
            DrawDots(line, colour.rgb());
            return;
        }
        if (axisAligned) {
            const int w = std::max(line.width, 1);
            const int x1 = std::min(line.from.x, line.to.x), x2 = std::max(line.from.x, line.to.x);
            const int y1 = std::min(line.from.y, line.to.y), y2 = std::max(line.from.y, line.to.y);
            const QRect r = line.from.y == line.to.y ? QRect(QPoint(x1, y1), QPoint(x2, y1 + w - 1))
                                                     : QRect(QPoint(x1, y1), QPoint(x1 + w - 1, y2));
            const QRect clipped = r & bounds_;
            if (!clipped.isEmpty()) painter_.fillRect(clipped, colour);
            return;
        }
        painter_.setPen(
            QPen(colour, line.width, line.style == LineStyle::Dotted ? Qt::DotLine : Qt::SolidLine));
        painter_.drawLine(Clamp(line.from), Clamp(line.to));
    }

    // Every other pixel from the first point, written straight into the image.
    void DrawDots(const RecordLine& line, QRgb colour) {
        const bool horizontal = line.from.y == line.to.y;
        const int step = line.from.x <= line.to.x && line.from.y <= line.to.y ? 1 : -1;
        const int length = horizontal ? std::abs(line.to.x - line.from.x) : std::abs(line.to.y - line.from.y);
        const int w = bounds_.width(), h = bounds_.height();
        for (int k = 0; k <= length; k += 2) {
            const int x = horizontal ? line.from.x + step * k : line.from.x;
            const int y = horizontal ? line.from.y : line.from.y + step * k;
            if (x < 0 || y < 0 || x >= w || y >= h) continue;
            reinterpret_cast<QRgb*>(image_.scanLine(y))[x] = colour;
        }
    }

    void Draw(const RecordPolyline& line) {
        if (line.points.empty()) return;
        QPolygon polygon(static_cast<qsizetype>(line.points.size()));
        for (std::size_t i = 0; i < line.points.size(); ++i)
            polygon[static_cast<qsizetype>(i)] = Clamp(line.points[i]);
        painter_.setPen(
            QPen(ColourOf(line.colour, colours_), line.width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter_.drawPolyline(polygon);
    }

    void Draw(const RecordText& text) {
        const QString s = QString::fromStdString(text.text);
        if (text.opaque)
            painter_.fillRect(QRect(text.at.x, text.at.y, metrics_.horizontalAdvance(s), metrics_.height()),
                              ColourOf(RecordColour::Background, colours_));
        painter_.setPen(ColourOf(text.colour, colours_));
        painter_.drawText(text.at.x, text.at.y + metrics_.ascent(), s);
    }

    void Draw(const RecordTriangle& t) {
        const QColor colour = ColourOf(t.colour, colours_);
        painter_.setPen(QPen(colour, 1));
        painter_.setBrush(colour);
        painter_.drawPolygon(QPolygon({Clamp(t.a), Clamp(t.b), Clamp(t.c)}));
        painter_.setBrush(Qt::NoBrush);
    }

    QImage& image_;
    QPainter painter_;
    QRect bounds_;
    const ChartColours& colours_;
    QFont font_;
    QFontMetrics metrics_;
    int limit_ = 0;
};

}  // namespace

void PaintRecordDrawing(QImage& image, const RecordDrawing& drawing, const ChartColours& colours) {
    if (image.isNull()) return;
    Painter(image, colours).Draw(drawing);
}

}  // namespace lxv
