// Paints the chart primitives of chart_geometry.h into off-screen images,
// pixel for pixel: no antialiasing, axis-aligned lines and dots set exactly
// the pixels the geometry names, and everything is clipped to the image.
#include "measure/chart_painter.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <QString>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <variant>

#include "measure/chart_geometry.h"
#include "measure/harmonic_test_chart.h"
#include "measure/standby_chart.h"
#include "platform/translation.h"

namespace lxv {

namespace {

QColor ToQColor(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

QColor ColourOf(ChartColour role, const ChartColours& colours) {
    return ToQColor(ChartColourRgb(role, colours));
}

constexpr int kRowsPerFill = 32;

QFont ChartFont() {
    QFont font(QStringLiteral("Sans Serif"), 8);
    font.setStyleHint(QFont::SansSerif);
    font.setStyleStrategy(QFont::NoAntialias);  // text in its exact colour
    return font;
}

bool IsDirectFormat(QImage::Format f) {
    return f == QImage::Format_RGB32 || f == QImage::Format_ARGB32 ||
           f == QImage::Format_ARGB32_Premultiplied;
}

// Cuts the segment a-b to the rectangle r (Liang-Barsky); false when nothing is left.
bool ClipSegment(const QRect& r, QPointF& a, QPointF& b) {
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    double t0 = 0.0, t1 = 1.0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - r.left(), r.right() - a.x(), a.y() - r.top(), r.bottom() - a.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    const QPointF start = a;
    a = start + QPointF(dx * t0, dy * t0);
    b = start + QPointF(dx * t1, dy * t1);
    return true;
}

class ChartPainter {
  public:
    ChartPainter(QImage& image, const ChartColours& colours)
        : painter_(&image), bounds_(image.rect()), colours_(colours), font_(ChartFont()), metrics_(font_) {
        if (!painter_.isActive()) return;
        painter_.setRenderHint(QPainter::Antialiasing, false);
        painter_.setRenderHint(QPainter::TextAntialiasing, false);
        painter_.setFont(font_);
        // Thin lines of 32-bit images are set pixel by pixel: far cheaper than
        // QPainter's stroker for traces of thousands of steep segments. Taken
        // after the painter began, so the image is no longer shared.
        if (IsDirectFormat(image.format())) {
            bits_ = image.bits();
            bytesPerLine_ = image.bytesPerLine();
        }
    }

    // Height of a line of the chart's text, in pixels.
    int textHeight() const { return metrics_.height(); }

    void Draw(const ChartDrawing& drawing) {
        if (!painter_.isActive()) return;  // an image format QPainter cannot paint on
        for (const ChartPrimitive& p : drawing) std::visit([this](const auto& item) { Draw(item); }, p);
    }

  private:
    void Fill(const QRect& r, ChartColour role) {
        const QRect clipped = r & bounds_;
        if (!clipped.isEmpty()) painter_.fillRect(clipped, ColourOf(role, colours_));
    }

    void Draw(const FilledRect& r) { Fill(QRect(r.left, r.top, r.width, r.height), r.colour); }

    void Draw(const ChartLine& line) {
        const bool horizontal = line.from.y == line.to.y;
        const bool vertical = line.from.x == line.to.x;
        if (!horizontal && !vertical) {
            painter_.setPen(QPen(ColourOf(line.colour, colours_), line.width,
                                 line.style == LineStyle::Dotted ? Qt::DotLine : Qt::SolidLine));
            painter_.drawLine(line.from.x, line.from.y, line.to.x, line.to.y);
            return;
        }
        if (line.style == LineStyle::Solid) {
            const int x1 = std::min(line.from.x, line.to.x), x2 = std::max(line.from.x, line.to.x);
            const int y1 = std::min(line.from.y, line.to.y), y2 = std::max(line.from.y, line.to.y);
            const int w = std::max(line.width, 1);
            // Wider lines grow down (horizontal) or right (vertical).
            if (horizontal) {
                Fill(QRect(QPoint(x1, y1), QPoint(x2, y1 + w - 1)), line.colour);
            } else {
                Fill(QRect(QPoint(x1, y1), QPoint(x1 + w - 1, y2)), line.colour);
            }
            return;
        }
        DrawDots(line);
    }

    // Every other pixel counted from the first point: a checkerboard brush over
    // the line's pixels. The brush sets (x, y) when x + y - origin is odd, so
    // the origin puts the first point on the pattern.
    void DrawDots(const ChartLine& line) {
        if (bits_ && (line.from.x == line.to.x || line.from.y == line.to.y)) {
            DirectDots(line);
            return;
        }
        const int x1 = std::min(line.from.x, line.to.x), x2 = std::max(line.from.x, line.to.x);
        const int y1 = std::min(line.from.y, line.to.y), y2 = std::max(line.from.y, line.to.y);
        const QRect pixels = QRect(QPoint(x1, y1), QPoint(x2, y2)) & bounds_;
        if (pixels.isEmpty()) return;
        painter_.setBrushOrigin(((line.from.x + line.from.y) & 1) ^ 1, 0);
        const QBrush brush(ColourOf(line.colour, colours_), Qt::Dense4Pattern);
        // A few rows at a time: a tall pattern fill would go to Qt's thread
        // pool, which costs far more than these few pixels.
        for (int y = pixels.top(); y <= pixels.bottom(); y += kRowsPerFill)
            painter_.fillRect(
                QRect(pixels.left(), y, pixels.width(), std::min(kRowsPerFill, pixels.bottom() - y + 1)),
                brush);
    }

    void Draw(const ChartPolyline& line) {
        if (line.points.empty()) return;
        if (bits_ && line.width == 1) {
            const QRgb c = ColourOf(line.colour, colours_).rgb();
            for (std::size_t i = 1; i < line.points.size(); ++i)
                DirectLine(line.points[i - 1], line.points[i], c);
            if (line.points.size() == 1) DirectLine(line.points[0], line.points[0], c);
            return;
        }
        QPolygon polygon;
        polygon.reserve(static_cast<qsizetype>(line.points.size()));
        for (const ChartPoint& p : line.points) polygon.append(QPoint(p.x, p.y));
        painter_.setPen(
            QPen(ColourOf(line.colour, colours_), line.width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter_.drawPolyline(polygon);
    }

    void Draw(const ChartText& text) {
        painter_.setPen(ColourOf(text.colour, colours_));
        painter_.drawText(text.at.x, text.at.y + metrics_.ascent(), Translated(text.text));
    }

    void Draw(const OutlinedRect& r) {
        const int w = r.right - r.left, h = r.bottom - r.top;
        if (w <= 0 || h <= 0) return;
        Fill(QRect(r.left, r.top, w, h), r.pen);
        if (w > 2 && h > 2) Fill(QRect(r.left + 1, r.top + 1, w - 2, h - 2), r.fill);
    }

    void SetPixel(int x, int y, QRgb c) { reinterpret_cast<QRgb*>(bits_ + y * bytesPerLine_)[x] = c; }

    // Every other pixel of a horizontal or vertical line from its first point, inside the image.
    void DirectDots(const ChartLine& line) {
        const QRgb c = ColourOf(line.colour, colours_).rgb();
        const bool horizontal = line.from.y == line.to.y;
        const int fixed = horizontal ? line.from.y : line.from.x;
        if (fixed < 0 || fixed >= (horizontal ? bounds_.height() : bounds_.width())) return;
        const int first = horizontal ? line.from.x : line.from.y;
        const int a = std::min(first, horizontal ? line.to.x : line.to.y);
        const int b = std::max(first, horizontal ? line.to.x : line.to.y);
        int from = std::max(a, 0);
        if ((from - first) & 1) ++from;  // keep the first point's parity
        const int to = std::min(b, (horizontal ? bounds_.width() : bounds_.height()) - 1);
        for (int v = from; v <= to; v += 2) horizontal ? SetPixel(v, fixed, c) : SetPixel(fixed, v, c);
    }

    // A solid line of width 1 with both end points (Bresenham), cut to the image.
    void DirectLine(ChartPoint p0, ChartPoint p1, QRgb c) {
        QPointF a(p0.x, p0.y), b(p1.x, p1.y);
        if (!ClipSegment(bounds_, a, b)) return;
        int x0 = static_cast<int>(std::lround(a.x())), y0 = static_cast<int>(std::lround(a.y()));
        const int x1 = static_cast<int>(std::lround(b.x())), y1 = static_cast<int>(std::lround(b.y()));
        const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
        const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
        int error = dx + dy;
        for (;;) {
            SetPixel(x0, y0, c);
            if (x0 == x1 && y0 == y1) return;
            const int twice = 2 * error;
            if (twice >= dy) {
                error += dy;
                x0 += sx;
            }
            if (twice <= dx) {
                error += dx;
                y0 += sy;
            }
        }
    }

    QPainter painter_;
    uchar* bits_ = nullptr;
    qsizetype bytesPerLine_ = 0;
    QRect bounds_;
    const ChartColours& colours_;
    QFont font_;
    QFontMetrics metrics_;
};

}  // namespace

void DrawHarmonicTestChart(QImage& image, QSize area, const HarmonicTestResult& result,
                           const ChartColours& colours) {
    if (image.isNull()) return;
    ChartPainter painter(image, colours);
    painter.Draw(HarmonicTestChart({area.width(), area.height()}, result, painter.textHeight()));
}

void DrawStandbyChart(QImage& image, QSize area, const StandbyTest& test, const ChartColours& colours) {
    if (image.isNull()) return;
    ChartPainter painter(image, colours);
    painter.Draw(StandbyChart({area.width(), area.height()}, test, painter.textHeight()));
}

void DrawWaveformChart(QImage& image, QSize area, const MeasureRecord& record, const ChartColours& colours) {
    if (image.isNull()) return;
    ChartPainter(image, colours).Draw(WaveformChart({area.width(), area.height()}, record));
}

void DrawHarmonicChart(QImage& image, QSize area, const MeasureRecord& record, Channel channel,
                       const ChartColours& colours) {
    if (image.isNull()) return;
    ChartPainter(image, colours).Draw(HarmonicChart({area.width(), area.height()}, record, channel));
}

void DrawStartingChart(QImage& image, QSize area, const StartingRecord& capture, const MeasureRecord& block,
                       const StartingView& view, const ChartColours& colours) {
    if (image.isNull()) return;
    ChartPainter(image, colours).Draw(StartingChart({area.width(), area.height()}, capture, block, view));
}

}  // namespace lxv
