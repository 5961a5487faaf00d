#include "report/harmonic_test_page.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <variant>

#include "measure/harmonic_test_chart.h"
#include "record/record_export.h"

namespace lxv {

namespace {

using namespace report_colour;

constexpr double kA4WidthInches = 8.27;
constexpr Rgb kPassGreen{0, 140, 60}, kFailRed{210, 30, 30}, kAmber{200, 120, 0};

int Trunc(double x) {
    return static_cast<int>(std::trunc(x));
}

Rgb VerdictColour(const HarmonicTestResult& r) {
    if (!r.hasVerdict()) return kAmber;
    if (r.verdict == TestVerdict::Pass) return kPassGreen;
    if (r.verdict == TestVerdict::Fail) return kFailRed;
    return kAmber;
}

Rgb OrderColour(OrderVerdict v) {
    if (v == OrderVerdict::Pass) return kPassGreen;
    if (v == OrderVerdict::Fail) return kFailRed;
    return Gray;
}

// The chart's primitives as page items at (left, top), white background, gray scale.
void AddChart(ReportPage& page, const ChartDrawing& chart, int left, int top, double points) {
    const ChartColours colours{White, Gray};
    for (const ChartPrimitive& primitive : chart) {
        if (const auto* r = std::get_if<FilledRect>(&primitive)) {
            if (r->width <= 0 || r->height <= 0) continue;
            const Rgb c = ChartColourRgb(r->colour, colours);
            page.items.emplace_back(PageRect{left + r->left,
                                             top + r->top,
                                             left + r->left + r->width - 1,
                                             top + r->top + r->height - 1,
                                             {c, 1},
                                             true,
                                             c});
        } else if (const auto* l = std::get_if<ChartLine>(&primitive)) {
            page.items.emplace_back(
                PageLine{{left + l->from.x, top + l->from.y},
                         {left + l->to.x, top + l->to.y},
                         {ChartColourRgb(l->colour, colours), l->width,
                          l->style == LineStyle::Dotted ? PenStyle::Dot : PenStyle::Solid}});
        } else if (const auto* t = std::get_if<ChartText>(&primitive)) {
            page.items.emplace_back(PageText{
                {left + t->at.x, top + t->at.y}, t->text, ChartColourRgb(t->colour, colours), points});
        }
    }
}

}  // namespace

ReportPage HarmonicTestPage(int pageWidth, int pageHeight, const HarmonicTestResult& result,
                            const ReportInfo& info) {
    ReportPage page{pageWidth, pageHeight, {}};
    const PrintedFrame f = AddPrintedFrame(page, false, kHarmonicTestTitle, info);
    const int w = f.right - f.left;
    const int h = f.bodyBottom - f.bodyTop;
    const double dpi = pageWidth / kA4WidthInches;
    const auto lineOf = [dpi](double points) { return std::max(1, Trunc(points / 72.0 * dpi * 1.35)); };
    const auto text = [&page](int x, int y, UiText s, Rgb colour, double points) {
        page.items.emplace_back(PageText{{x, y}, std::move(s), colour, points});
    };

    // The settings and means in two columns, the verdict beside them.
    int y = f.bodyTop;
    const std::vector<UiText> summary = HarmonicTestSummary(result);
    const std::size_t half = (summary.size() + 1) / 2;
    const int line = lineOf(8);
    for (std::size_t i = 0; i < summary.size(); ++i) {
        const int x = f.left + (i < half ? 0 : Trunc(w * 0.40));
        text(x, y + static_cast<int>(i % half) * line, summary[i], Black, 8);
    }
    const UiText verdict = VerdictWord(result);
    text(f.left + Trunc(w * 0.74), y, QT_TRANSLATE_NOOP("lxv", "Verdict"), Gray, 10);
    // A long word in smaller letters ("NOT APPLICABLE", "NO VERDICT").
    const bool longWord = !result.hasVerdict() || result.verdict == TestVerdict::NotApplicable;
    text(f.left + Trunc(w * 0.74), y + lineOf(10), verdict, VerdictColour(result), longWord ? 16 : 28);
    y += static_cast<int>(half) * line + line / 2;

    // The chart across the page.
    const int chartHeight = Trunc(h * 0.34);
    const double chartPoints = 7;
    AddChart(page, HarmonicTestChart({w, chartHeight}, result, lineOf(chartPoints)), f.left, y, chartPoints);
    page.items.emplace_back(PageRect{f.left, y, f.right, y + chartHeight, {Gray, 1}, false, {}});
    y += chartHeight + line / 2;

    // The table: orders 2..21 on the left, 22..40 on the right.
    const int rows = 21;  // heading and 20 orders
    const int rowHeight = lineOf(9);
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
        page.items.emplace_back(
            PageRect{left, y, left + tableWidth, y + rows * rowHeight, {Gray, 1}, false, {}});
        page.items.emplace_back(
            PageLine{{left, y + rowHeight}, {left + tableWidth, y + rowHeight}, {Gray, 1, PenStyle::Solid}});
        int x = left;
        std::array<int, kTestTableColumns> columnX{};
        for (int c = 0; c < kTestTableColumns; ++c) {
            columnX[static_cast<std::size_t>(c)] = x + rowHeight / 6;
            x += Trunc(tableWidth * kShares[static_cast<std::size_t>(c)]);
        }
        for (int c = 0; c < kTestTableColumns; ++c)
            text(columnX[static_cast<std::size_t>(c)], y + rowHeight / 6,
                 kShortHeadings[static_cast<std::size_t>(c)], Black, 8);
        const int first = side == 0 ? 2 : 22, last = side == 0 ? 21 : 40;
        for (int n = first; n <= last; ++n) {
            const OrderResult& o = result.order(n);
            const auto cells = HarmonicTestCells(o);
            const int rowTop = y + (n - first + 1) * rowHeight + rowHeight / 6;
            for (int c = 0; c < kTestTableColumns; ++c)
                text(columnX[static_cast<std::size_t>(c)], rowTop, cells[static_cast<std::size_t>(c)],
                     c == kTestTableColumns - 1 ? OrderColour(o.verdict) : Black, 9);
        }
    }
    y += rows * rowHeight + line / 2;

    // The notes: the error or why no limits apply, the supply conditions, the pre-compliance note.
    for (const UiText& note : HarmonicTestNotes(result)) {
        text(f.left, y, note, Black, 8);
        y += lineOf(8);
    }
    return page;
}

bool WriteHarmonicTestCsv(const std::string& path, const HarmonicTestResult& result, std::string& error) {
    const std::string temp = CreateTempFileBeside(path, error);
    if (temp.empty()) return false;
    const std::string csv = HarmonicTestCsv(result);
    std::FILE* file = std::fopen(temp.c_str(), "wb");
    bool ok = file && std::fwrite(csv.data(), 1, csv.size(), file) == csv.size();
    if (file) ok = std::fclose(file) == 0 && ok;
    if (!ok) {
        error = path + ": " + std::strerror(errno);
        std::remove(temp.c_str());
        return false;
    }
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        error = path + ": " + ec.message();
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

}  // namespace lxv
