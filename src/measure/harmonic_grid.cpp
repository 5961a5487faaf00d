#include "measure/harmonic_grid.h"

#include <algorithm>
#include <cmath>

#include "platform/number_format.h"
#include "platform/ui_text.h"

namespace lxv {

namespace {

const std::string& Indent() {
    static const std::string spaces(kHarmonicCellIndent, ' ');
    return spaces;
}

// nearest(scaled) / 10^decimals in plain decimal; ".00" when no "." is left.
std::string Padded(double scaled, int decimals) {
    const double hundredths = std::nearbyint(scaled);
    std::string text = FormatRounded(hundredths / std::pow(10.0, decimals), decimals);
    if (std::isfinite(hundredths) && text.find('.') == std::string::npos) text += ".00";
    return text;
}

std::string Percentage(float value, float fundamental) {
    if (fundamental == 0.0f) return Indent();
    return Indent() + Padded(static_cast<double>(value) / fundamental * 10000.0, 2) + "%";
}

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

const std::string& HarmonicHeading(int column) {
    static const std::array<std::string, kHarmonicGridColumns> headings = {
        QT_TRANSLATE_NOOP("lxv", "         Order"), QT_TRANSLATE_NOOP("lxv", "     Voltage RMS"),
        QT_TRANSLATE_NOOP("lxv", "     Voltage Percentage"), QT_TRANSLATE_NOOP("lxv", "     Current RMS"),
        QT_TRANSLATE_NOOP("lxv", "     Current Percentage")};
    return headings[static_cast<std::size_t>(std::clamp(column, 0, kHarmonicGridColumns - 1))];
}

std::string HarmonicOrderCell(int row) {
    return Indent() + std::to_string(row - 1);
}

std::string HarmonicValueCell(const MeasureRecord& record, int row, int column) {
    const int order = row - 1;
    const float u = record.UHarmonic(order), i = record.IHarmonic(order);
    switch (column) {
        case 1: return Indent() + Padded(u * 100.0 / kHarmonicPeakToRms, 2);
        case 2: return Percentage(u, record.UHarmonic(1));
        case 3: return Indent() + Padded(i * 10000.0 / kHarmonicPeakToRms, 4);
        case 4: return Percentage(i, record.IHarmonic(1));
        default: return HarmonicOrderCell(row);
    }
}

HarmonicGrid HarmonicGridTexts(const MeasureRecord& record) {
    HarmonicGrid grid;
    for (int c = 0; c < kHarmonicGridColumns; ++c) grid[0][static_cast<std::size_t>(c)] = HarmonicHeading(c);
    for (int r = 1; r < kHarmonicGridRows; ++r)
        for (int c = 0; c < kHarmonicGridColumns; ++c)
            grid[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] = HarmonicValueCell(record, r, c);
    return grid;
}

std::string HarmonicCopyText(const HarmonicGrid& grid, std::vector<std::pair<int, int>> cells) {
    if (cells.empty())
        for (int r = 0; r < kHarmonicGridRows; ++r)
            for (int c = 0; c < kHarmonicGridColumns; ++c) cells.emplace_back(r, c);
    std::sort(cells.begin(), cells.end());
    cells.erase(std::unique(cells.begin(), cells.end()), cells.end());
    std::string text;
    int row = -1;
    for (const auto& [r, c] : cells) {
        if (r < 0 || r >= kHarmonicGridRows || c < 0 || c >= kHarmonicGridColumns) continue;
        if (row != -1) text += r != row ? '\n' : '\t';
        row = r;
        text += Trimmed(grid[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]);
    }
    if (row != -1) text += '\n';
    return text;
}

}  // namespace lxv
