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
#include <variant>

#include "measure/chart_geometry.h"

namespace lxv {

namespace {

QColor ToQColor(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

QColor ColourOf(ChartColour role, const ChartColours& colours) {
    switch (role) {
        case ChartColour::Background: return ToQColor(colours.background);
        case ChartColour::Scale: return ToQColor(colours.scale);
        case ChartColour::CurrentTrace: return QColor(255, 0, 0);
        case ChartColour::VoltageTrace: return QColor(0, 128, 0);
        case ChartColour::WaveformText: return QColor(0, 16, 240);
        case ChartColour::OrderNumber: return QColor(0, 128, 128);
        case ChartColour::VoltageBar: return QColor(0, 128, 0);
        case ChartColour::CurrentBar: return QColor(223, 48, 32);
    }
    return QColor(0, 0, 0);
}

constexpr int kRowsPerFill = 32;

QFont ChartFont() {
    QFont font(QStringLiteral("Sans Serif"), 8);
    font.setStyleHint(QFont::SansSerif);
    font.setStyleStrategy(QFont::NoAntialias);  // text in its exact colour
    return font;
}

class ChartPainter {
  public:
    ChartPainter(QImage& image, const ChartColours& colours)
        : painter_(&image), bounds_(image.rect()), colours_(colours), font_(ChartFont()), metrics_(font_) {
        if (!painter_.isActive()) return;
        painter_.setRenderHint(QPainter::Antialiasing, false);
        painter_.setRenderHint(QPainter::TextAntialiasing, false);
        painter_.setFont(font_);
    }

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
        QPolygon polygon;
        polygon.reserve(static_cast<qsizetype>(line.points.size()));
        for (const ChartPoint& p : line.points) polygon.append(QPoint(p.x, p.y));
        painter_.setPen(
            QPen(ColourOf(line.colour, colours_), line.width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter_.drawPolyline(polygon);
    }

    void Draw(const ChartText& text) {
        painter_.setPen(ColourOf(text.colour, colours_));
        painter_.drawText(text.at.x, text.at.y + metrics_.ascent(), QString::fromStdString(text.text));
    }

    void Draw(const OutlinedRect& r) {
        const int w = r.right - r.left, h = r.bottom - r.top;
        if (w <= 0 || h <= 0) return;
        Fill(QRect(r.left, r.top, w, h), r.pen);
        if (w > 2 && h > 2) Fill(QRect(r.left + 1, r.top + 1, w - 2, h - 2), r.fill);
    }

    QPainter painter_;
    QRect bounds_;
    const ChartColours& colours_;
    QFont font_;
    QFontMetrics metrics_;
};

}  // namespace

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
