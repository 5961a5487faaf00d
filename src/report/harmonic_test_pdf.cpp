#include "report/harmonic_test_pdf.h"

#include "report/harmonic_test_page.h"
#include "report/report_painter.h"

namespace lxv {

bool WriteHarmonicTestPdf(const QString& path, const HarmonicTestResult& result, const ReportInfo& info,
                          QString& error) {
    const auto layout = [&](int w, int h, bool) { return HarmonicTestPage(w, h, result, info); };
    return WriteReportPdf(path, QString::fromStdString(info.projectName + kHarmonicTestTitleSuffix),
                          QPageLayout::Portrait, layout, error);
}

}  // namespace lxv
