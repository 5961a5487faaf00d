// The standby power test's files: the one-page report (A4 portrait) as page
// items for a printer page of any size in device pixels (the report
// information, the figures, the verdict, the test conditions, the trend chart
// and the notes), and the CSV file of a test. Pure C++, no Qt:
// report_painter.cpp paints the page (WriteReportPdf), the window and a
// command-line task write both files the same way.
//
// Depends on: report/page_builder.h, measure/standby_test_control.h,
// measure/standby_chart.h, platform/whole_file.h.
#pragma once

#include <string>

#include "measure/standby_test.h"
#include "report/report_geometry.h"

namespace lxv {

inline constexpr const char* kStandbyTestTitle = QT_TRANSLATE_NOOP("lxv", "Standby Power Test");
inline constexpr const char* kStandbyTestTitleSuffix = "StandbyTest";  // after ProjectName: the PDF's title

// The page of a test, `pageWidth` x `pageHeight` device pixels (portrait).
ReportPage StandbyTestPage(int pageWidth, int pageHeight, const StandbyTest& test, const StandbyResult& result,
                           const ReportInfo& info);

// Writes StandbyCsv whole (platform/whole_file.h): on failure the old file
// stays and `error` names the file and the reason.
bool WriteStandbyTestCsv(const std::string& path, const StandbyTest& test, const StandbyResult& result,
                         const std::string& date, const std::string& instrument, std::string& error);

}  // namespace lxv
