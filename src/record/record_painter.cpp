// Dotted grid lines are set pixel by pixel in the image's memory (the grid of
// a large chart has thousands of dots); traces, triangles and texts go
// through QPainter without antialiasing.
#include "record/record_painter.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <variant>

#include "platform/translation.h"

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
        if (image_.depth() == 32) {
            bits_ = image_.bits();  // one detach, not one per dot
            stride_ = image_.bytesPerLine();
        }
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
        if (line.style == LineStyle::Dotted && axisAligned && bits_) {
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
            reinterpret_cast<QRgb*>(bits_ + static_cast<qsizetype>(y) * stride_)[x] = colour;
        }
    }

    // A line of width w is the path of a w x w square growing right and down
    // from each pixel of the 1-pixel line. Traces are written straight into
    // the image: one pixel per row of a steep segment, one per column of a
    // flat one, only over the rows and columns inside the image.
    void Draw(const RecordPolyline& line) {
        if (line.points.empty()) return;
        const int w = std::max(line.width, 1);
        if (bits_) {
            const QRgb colour = ColourOf(line.colour, colours_).rgb();
            const ChartPoint* p = line.points.data();
            if (line.points.size() == 1) Segment(p[0], p[0], w, colour);
            for (std::size_t i = 1; i < line.points.size(); ++i) Segment(p[i - 1], p[i], w, colour);
            return;
        }
        QPolygon polygon(static_cast<qsizetype>(line.points.size()));
        for (std::size_t i = 0; i < line.points.size(); ++i)
            polygon[static_cast<qsizetype>(i)] = Clamp(line.points[i]);
        painter_.setPen(
            QPen(ColourOf(line.colour, colours_), w, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter_.drawPolyline(polygon);
    }

    void Square(int x, int y, int w, QRgb colour) {
        const int x0 = std::max(x, 0), x1 = std::min(x + w, bounds_.width());
        const int y0 = std::max(y, 0), y1 = std::min(y + w, bounds_.height());
        for (int yy = y0; yy < y1; ++yy) {
            QRgb* row = reinterpret_cast<QRgb*>(bits_ + static_cast<qsizetype>(yy) * stride_);
            for (int xx = x0; xx < x1; ++xx) row[xx] = colour;
        }
    }

    void Segment(ChartPoint a, ChartPoint b, int w, QRgb colour) {
        const long long dx = static_cast<long long>(b.x) - a.x, dy = static_cast<long long>(b.y) - a.y;
        if (dx == 0 && dy == 0) {
            Square(a.x, a.y, w, colour);
            return;
        }
        if (std::llabs(dx) >= std::llabs(dy)) {
            if (dx < 0) std::swap(a, b);
            const long long from = std::max<long long>(a.x, -w),
                            to = std::min<long long>(b.x, bounds_.width() - 1);
            const double slope = static_cast<double>(b.y - a.y) / static_cast<double>(b.x - a.x);
            for (long long x = from; x <= to; ++x)
                Square(static_cast<int>(x), a.y + static_cast<int>(std::lround((x - a.x) * slope)), w,
                       colour);
        } else {
            if (dy < 0) std::swap(a, b);
            const long long from = std::max<long long>(a.y, -w),
                            to = std::min<long long>(b.y, bounds_.height() - 1);
            const double slope = static_cast<double>(b.x - a.x) / static_cast<double>(b.y - a.y);
            for (long long y = from; y <= to; ++y)
                Square(a.x + static_cast<int>(std::lround((y - a.y) * slope)), static_cast<int>(y), w,
                       colour);
        }
    }

    void Draw(const RecordText& text) {
        const QString s = Translated(text.text);
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
    uchar* bits_ = nullptr;
    qsizetype stride_ = 0;
};

}  // namespace

void PaintRecordDrawing(QImage& image, const RecordDrawing& drawing, const ChartColours& colours) {
    if (image.isNull()) return;
    Painter(image, colours).Draw(drawing);
}

}  // namespace lxv
