// The report information kept in EnterInfo.ini, section "PrintInfo": read each
// time a page is drawn or printed, written by the report information window.
#pragma once

#include <string>

#include "report/report_geometry.h"

namespace lxv {

class IniFile;

inline constexpr const char* kPrintInfoSection = "PrintInfo";

// Missing keys read "2". A `units` that is not an integer throws ConversionError.
ReportInfo ReadReportInfo(const IniFile& file);

// The tasks without a window: EnterInfo.ini of the settings folder; false with
// `error` ("<file>: <reason>") when its `units` is not a number.
bool ReadStoredReportInfo(ReportInfo& info, std::string& error);

// Writes ProjectName, company, conner, date, temperature, then units ("1" for
// degrees Celsius, else "0"), in one rewrite of the file. False when the file
// could not be written (the file's failure handler tells why).
bool WriteReportInfo(IniFile& file, const ReportInfo& info, bool celsius);

}  // namespace lxv
