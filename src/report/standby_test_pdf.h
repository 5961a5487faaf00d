// Writes the standby power test's report page (standby_test_page.h) as a
// one-page A4 portrait PDF, for the window and for a task without a window.
#pragma once

#include <QString>

namespace lxv {

class StandbyTest;
struct StandbyResult;
struct ReportInfo;

// The PDF's title is ProjectName + "StandbyTest". On failure no file is left
// and `error` names the file and the reason.
bool WriteStandbyTestPdf(const QString& path, const StandbyTest& test, const StandbyResult& result,
                         const ReportInfo& info, QString& error);

}  // namespace lxv
