// Writes the harmonic emissions test's report page (harmonic_test_page.h) as a
// one-page A4 portrait PDF, for the window and for a task without a window.
#pragma once

#include <QString>

namespace lxv {

struct HarmonicTestResult;
struct ReportInfo;

// The PDF's title is ProjectName + "HarmonicTest". On failure no file is left
// and `error` names the file and the reason.
bool WriteHarmonicTestPdf(const QString& path, const HarmonicTestResult& result, const ReportInfo& info,
                          QString& error);

}  // namespace lxv
