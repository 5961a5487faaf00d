#include "report/harmonic_test_page.h"

#include <algorithm>
#include <cmath>

#include "measure/harmonic_test_chart.h"
#include "measure/harmonic_test_control.h"
#include "platform/whole_file.h"
#include "report/page_builder.h"

namespace lxv {

namespace {

using namespace report_colour;

int Trunc(double x) {
    return static_cast<int>(std::trunc(x));
}

Rgb OrderColour(OrderVerdict v) {
    if (v == OrderVerdict::Pass) return kVerdictGreen;
    if (v == OrderVerdict::Fail) return kVerdictRed;
    return Gray;
}

}  // namespace

ReportPage HarmonicTestPage(int pageWidth, int pageHeight, const HarmonicTestResult& result,
                            const ReportInfo& info) {
    PageBuilder page(pageWidth, pageHeight);
    const PrintedFrame f = page.frame(false, kHarmonicTestTitle, info);
    const int w = f.right - f.left;
    const int h = f.bodyBottom - f.bodyTop;

    // The settings and means in two columns, the verdict beside them.
    int y = f.bodyTop;
    const std::vector<UiText> summary = HarmonicTestSummary(result);
    const std::size_t half = (summary.size() + 1) / 2;
    const int line = page.lineOf(8);
    for (std::size_t i = 0; i < summary.size(); ++i) {
        const int x = f.left + (i < half ? 0 : Trunc(w * 0.40));
        page.text(x, y + static_cast<int>(i % half) * line, summary[i], Black, 8);
    }
    page.verdict(f.left + Trunc(w * 0.74), y, HarmonicTestVerdict(result));
    y += static_cast<int>(half) * line + line / 2;

    // The chart across the page.
    const int chartHeight = Trunc(h * 0.34);
    const double chartPoints = 7;
    page.chart(HarmonicTestChart({w, chartHeight}, result, page.lineOf(chartPoints)), f.left, y, chartPoints);
    page.rect(f.left, y, f.right, y + chartHeight, {Gray, 1});
    y += chartHeight + line / 2;

    // The table: orders 2..21 on the left, 22..40 on the right.
    const int rows = 21;  // heading and 20 orders
    const int rowHeight = page.lineOf(9);
    const int gap = Trunc(w * 0.03);
    const int tableWidth = (w - gap) / 2;
    static constexpr std::array<double, kTestTableColumns> kShares = {0.10, 0.14, 0.14, 0.14,
                                                                      0.14, 0.13, 0.21};
    static constexpr std::array<const char*, kTestTableColumns> kShortHeadings = {
        QT_TRANSLATE_NOOP("lxv", "Order"),  QT_TRANSLATE_NOOP("lxv", "Limit A"),
        QT_TRANSLATE_NOOP("lxv", "Mean A"), QT_TRANSLATE_NOOP("lxv", "Max A"),
        QT_TRANSLATE_NOOP("lxv", "Mean %"), QT_TRANSLATE_NOOP("lxv", "Max %"),
        QT_TRANSLATE_NOOP("lxv", "Verdict")};
    for (int side = 0; side < 2; ++side) {
        const int left = f.left + side * (tableWidth + gap);
        page.rect(left, y, left + tableWidth, y + rows * rowHeight, {Gray, 1});
        page.line(left, y + rowHeight, left + tableWidth, y + rowHeight, {Gray, 1, PenStyle::Solid});
        int x = left;
        std::array<int, kTestTableColumns> columnX{};
        for (int c = 0; c < kTestTableColumns; ++c) {
            columnX[static_cast<std::size_t>(c)] = x + rowHeight / 6;
            x += Trunc(tableWidth * kShares[static_cast<std::size_t>(c)]);
        }
        for (int c = 0; c < kTestTableColumns; ++c)
            page.text(columnX[static_cast<std::size_t>(c)], y + rowHeight / 6,
                      kShortHeadings[static_cast<std::size_t>(c)], Black, 8);
        const int first = side == 0 ? 2 : 22, last = side == 0 ? 21 : 40;
        for (int n = first; n <= last; ++n) {
            const OrderResult& o = result.order(n);
            const auto cells = HarmonicTestCells(o);
            const int rowTop = y + (n - first + 1) * rowHeight + rowHeight / 6;
            for (int c = 0; c < kTestTableColumns; ++c)
                page.text(columnX[static_cast<std::size_t>(c)], rowTop, cells[static_cast<std::size_t>(c)],
                          c == kTestTableColumns - 1 ? OrderColour(o.verdict) : Black, 9);
        }
    }
    y += rows * rowHeight + line / 2;

    // The notes: the error or why no limits apply, the supply conditions, the pre-compliance note.
    for (const UiText& note : HarmonicTestNotes(result)) {
        page.text(f.left, y, note, Black, 8);
        y += page.lineOf(8);
    }
    return page.take();
}

bool WriteHarmonicTestCsv(const std::string& path, const HarmonicTestResult& result, std::string& error) {
    return WriteTextFileWhole(path, HarmonicTestCsv(result), error);
}

}  // namespace lxv
