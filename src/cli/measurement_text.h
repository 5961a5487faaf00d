// A measurement as programs read it: the fifteen values named as in the
// measurement block, in the order of the main window's panels, each number as
// the shortest text that reads back as the same single. The three forms the
// command-line tasks write: lines of name, value and unit; one JSON object;
// CSV rows under a header that names each column with its unit.
// Depends on: measure/ (the block, the panel table, number formats). No Qt.
#pragma once

#include <chrono>
#include <string>

#include "core/measure_block.h"

namespace lxv {

// "URMS", "UPP", ... as in the measurement block.
const char* ScalarName(Scalar field);
// "V", "A", "W", "VA", "VAR", "Hz", "deg", "kWh"; empty for ratios (PF, THD as a
// fraction, form factors).
const char* ScalarUnit(Scalar field);

// Fifteen lines "URMS<TAB>230<TAB>V"; a value that is not finite is left empty.
std::string ValueLines(const MeasureRecord& record);

// {"time": "<time>", "URMS": 230, ...} on one line, without a line end;
// values that are not finite are null.
std::string MeasurementJson(const MeasureRecord& record, const std::string& time);

// "time,URMS (V),IRMS (A),..." and, with `harmonics`, "UH0 (V)".."UH50 (V)",
// "IH0 (A)".."IH50 (A)", ended by CR LF.
std::string CsvHeader(bool harmonics);
// One whole row for the header above, ended by CR LF: the time, the fifteen
// values and, with `harmonics`, the 51 + 51 harmonic RMS values (peak
// amplitude / 1.41421, as the harmonic report). Values that are not finite are
// empty.
std::string CsvRow(const MeasureRecord& record, const std::string& time, bool harmonics);

// Local time as ISO 8601 with milliseconds: "2026-12-09T10:00:00.123".
std::string LocalIsoTime(std::chrono::system_clock::time_point when);

}  // namespace lxv
