#include "report/standby_test_pdf.h"

#include "report/report_painter.h"
#include "report/standby_test_page.h"

namespace lxv {

bool WriteStandbyTestPdf(const QString& path, const StandbyTest& test, const StandbyResult& result,
                         const ReportInfo& info, QString& error) {
    const auto layout = [&](int w, int h, bool) { return StandbyTestPage(w, h, test, result, info); };
    return WriteReportPdf(path, QString::fromStdString(info.projectName + kStandbyTestTitleSuffix),
                          QPageLayout::Portrait, layout, error);
}

}  // namespace lxv
