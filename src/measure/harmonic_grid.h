// The texts of the harmonic report grid: 52 rows (a heading row, then orders
// 0 to 50) by 5 columns (order, voltage RMS and percentage, current RMS and
// percentage), and the tab-separated text that a copy puts on the clipboard.
//
// Owns: the headings, the cell texts and their padding, the copy text.
// Depends on: measure/ (the measurement block, number formats). No Qt.
#pragma once

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "core/measure_block.h"

namespace lxv {

inline constexpr int kHarmonicGridRows = 52;
inline constexpr int kHarmonicGridColumns = 5;
inline constexpr std::size_t kHarmonicCellIndent = 21;  // spaces in front of every body cell
// Peak amplitude / RMS of a sine, as the grid (and every harmonic RMS the program writes) divides.
inline constexpr double kHarmonicPeakToRms = 1.41421;

using HarmonicGrid = std::array<std::array<std::string, kHarmonicGridColumns>, kHarmonicGridRows>;

// Row 0: "         Order", "     Voltage RMS", ...
const std::string& HarmonicHeading(int column);
// Column 0 of row 1..51: 21 spaces and the order row - 1.
std::string HarmonicOrderCell(int row);
// Columns 1..4 of rows 1..51: RMS volts (two decimals), percent of the
// voltage fundamental, RMS amperes (four decimals), percent of the current
// fundamental. The RMS is the peak amplitude / 1.41421. A percentage of a
// channel whose fundamental is 0 is blank (the 21 spaces only).
std::string HarmonicValueCell(const MeasureRecord& record, int row, int column);

// The whole grid: headings, order numbers and the values of `record`.
HarmonicGrid HarmonicGridTexts(const MeasureRecord& record);

// Tab-separated rows of the given cells (row, column), without the padding
// spaces, rows in order and each row's columns in order, one line per row;
// the whole grid when `cells` is empty.
std::string HarmonicCopyText(const HarmonicGrid& grid, std::vector<std::pair<int, int>> cells);

}  // namespace lxv
