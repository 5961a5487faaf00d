// The harmonic emissions test's files: the one-page report (A4 portrait) as
// page items for a printer page of any size in device pixels (the report
// information, the settings and means, the verdict, the bar chart, the table
// of orders 2..40 and the notes), and the CSV file of a result. Pure C++, no
// Qt: report_painter.cpp paints the page (WriteReportPdf), the window and a
// command-line task write both files the same way.
//
// Depends on: report/report_geometry.h, measure/harmonic_test.h,
// measure/harmonic_test_chart.h, report/page_builder.h, platform/whole_file.h.
#pragma once

#include <string>

#include "measure/harmonic_test.h"
#include "report/report_geometry.h"

namespace lxv {

inline constexpr const char* kHarmonicTestTitle = QT_TRANSLATE_NOOP("lxv", "Harmonic Current Emissions Test");
inline constexpr const char* kHarmonicTestTitleSuffix = "HarmonicTest";  // after ProjectName: the PDF's title

// The page of a result, `pageWidth` x `pageHeight` device pixels (portrait).
ReportPage HarmonicTestPage(int pageWidth, int pageHeight, const HarmonicTestResult& result,
                            const ReportInfo& info);

// Writes HarmonicTestCsv(result) under a temporary name beside `path` and
// renames it over `path` when complete; on failure no file is left and
// `error` names the file and the reason.
bool WriteHarmonicTestCsv(const std::string& path, const HarmonicTestResult& result, std::string& error);

}  // namespace lxv
