#include "report/report_painter.h"

#include <QPainter>
#include <QPdfWriter>
#include <QPolygon>
#include <variant>

#include "platform/translation.h"
#include "platform/whole_file.h"

namespace lxv {

namespace {

QColor ToQColor(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

QPen ToQPen(const PagePen& pen) {
    const Qt::PenStyle style = pen.style == PenStyle::Dot       ? Qt::DotLine
                               : pen.style == PenStyle::DashDot ? Qt::DashDotLine
                                                                : Qt::SolidLine;
    return QPen(ToQColor(pen.colour), pen.width, style, Qt::FlatCap, Qt::MiterJoin);
}

class PagePainter {
  public:
    PagePainter(QPainter& painter, const QImage& chart) : p_(painter), chart_(chart) {}

    void operator()(const PageText& t) {
        QFont font = p_.font();
        font.setPointSizeF(t.points);
        p_.setFont(font);
        p_.setPen(ToQColor(t.colour));
        p_.setBackground(Qt::white);
        p_.setBackgroundMode(t.opaque ? Qt::OpaqueMode : Qt::TransparentMode);
        p_.drawText(QRect(t.at.x, t.at.y, 1, 1), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                    Translated(t.text));
        p_.setBackgroundMode(Qt::TransparentMode);
    }
    void operator()(const PageLine& l) {
        p_.setPen(ToQPen(l.pen));
        p_.drawLine(l.from.x, l.from.y, l.to.x, l.to.y);
    }
    void operator()(const PagePolyline& l) {
        QPolygon polygon;
        for (const ChartPoint& point : l.points) polygon << QPoint(point.x, point.y);
        p_.setPen(ToQPen(l.pen));
        p_.drawPolyline(polygon);
    }
    void operator()(const PageRect& r) {
        p_.setPen(ToQPen(r.pen));
        p_.setBrush(r.filled ? QBrush(ToQColor(r.fill)) : QBrush(Qt::NoBrush));
        p_.drawRect(QRect(QPoint(r.left, r.top), QPoint(r.right, r.bottom)).normalized());
        p_.setBrush(Qt::NoBrush);
    }
    void operator()(const PagePolygon& g) {
        QPolygon polygon;
        for (const ChartPoint& point : g.points) polygon << QPoint(point.x, point.y);
        p_.setPen(QPen(ToQColor(g.colour), 1));
        p_.setBrush(ToQColor(g.colour));
        p_.drawPolygon(polygon);
        p_.setBrush(Qt::NoBrush);
    }
    void operator()(const PageImage& i) {
        if (chart_.isNull()) return;
        p_.drawImage(QRect(QPoint(i.left, i.top), QPoint(i.right, i.bottom)), chart_,
                     QRect(QPoint(i.sourceLeft, i.sourceTop), QPoint(i.sourceRight, i.sourceBottom)));
    }

  private:
    QPainter& p_;
    const QImage& chart_;
};

}  // namespace

void PaintReportPage(QPainter& painter, const ReportPage& page, const QImage& chart) {
    PagePainter draw(painter, chart);
    for (const PageItem& item : page.items) std::visit(draw, item);
}

bool WriteReportPdf(const QString& path, const QString& title, QPageLayout::Orientation orientation,
                    const PageLayoutFunction& layout, QString& error) {
    const auto paint = [&](const std::string& temp, std::string& reason) {
        QPdfWriter writer(QString::fromStdString(temp));
        writer.setResolution(600);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("LXV7700"));
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), orientation, QMarginsF()));
        QPainter painter;
        bool painted = false;
        if (painter.begin(&writer)) {
            PaintReportPage(painter,
                            layout(writer.width(), writer.height(), orientation == QPageLayout::Landscape));
            painted = painter.end();
        }
        if (!painted)
            reason = Translated(UiText(QT_TRANSLATE_NOOP("lxv", "%1: the PDF could not be written"))
                                    .arg(path.toStdString()))
                         .toStdString();
        return painted;
    };
    std::string reason;
    if (WriteFileWhole(path.toStdString(), paint, reason)) return true;
    error = QString::fromStdString(reason);
    return false;
}

}  // namespace lxv
