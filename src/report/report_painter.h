// Paints a report page (report_geometry.h) with QPainter: into the preview's
// page buffer, on the printer's page or on a PDF page.
#pragma once

#include <QImage>
#include <QPageLayout>
#include <QString>
#include <functional>

#include "report/report_geometry.h"

class QPainter;

namespace lxv {

// Draws every item of `page`; a PageImage copies from `chart` (nothing when it is null).
void PaintReportPage(QPainter& painter, const ReportPage& page, const QImage& chart = QImage());

// Lays out a page for a printer page of the given size in device pixels.
using PageLayoutFunction = std::function<ReportPage(int width, int height, bool landscape)>;

// Writes a one-page A4 PDF (600 dots per inch) with the document title `title`.
// The file is written beside `path` under a temporary name and renamed over it
// when complete; on failure no file is left and `error` names the reason.
bool WriteReportPdf(const QString& path, const QString& title, QPageLayout::Orientation orientation,
                    const PageLayoutFunction& layout, QString& error);

}  // namespace lxv
