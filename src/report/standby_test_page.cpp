#include "report/standby_test_page.h"

#include <cmath>

#include "platform/number_format.h"
#include "measure/standby_chart.h"
#include "measure/standby_test_control.h"
#include "platform/whole_file.h"
#include "report/page_builder.h"

namespace lxv {

namespace {

using namespace report_colour;

int Trunc(double x) {
    return static_cast<int>(std::trunc(x));
}

}  // namespace

ReportPage StandbyTestPage(int pageWidth, int pageHeight, const StandbyTest& test, const StandbyResult& result,
                           const ReportInfo& info) {
    PageBuilder page(pageWidth, pageHeight);
    const PrintedFrame f = page.frame(false, kStandbyTestTitle, info);
    const int w = f.right - f.left;
    const int h = f.bodyBottom - f.bodyTop;

    // The figures down the left, the verdict on the right.
    int y = f.bodyTop;
    const int line = page.lineOf(8);
    const std::vector<UiText> summary = StandbySummary(result);
    for (std::size_t i = 0; i < summary.size(); ++i)
        page.text(f.left, y + static_cast<int>(i) * line, summary[i], Black, 8);
    page.verdict(f.left + Trunc(w * 0.74), y, StandbyTestVerdict(result));
    page.text(f.left + Trunc(w * 0.74), y + page.lineOf(10) + page.lineOf(28),
              UiText(QT_TRANSLATE_NOOP("lxv", "%1 W (limit %2 W)"))
                  .arg(StandbyPowerText(result.meanPower))
                  .arg(FormatGeneral(result.settings.limitWatts)),
              Black, 12);
    y += static_cast<int>(summary.size()) * line + line;

    // The test conditions: a small table.
    static constexpr double kColumns[] = {0.0, 0.32, 0.55, 0.80};
    static constexpr const char* kHeadings[] = {
        QT_TRANSLATE_NOOP("lxv", "Condition"), QT_TRANSLATE_NOOP("lxv", "Required"),
        QT_TRANSLATE_NOOP("lxv", "Worst"), QT_TRANSLATE_NOOP("lxv", "State")};
    const int rowHeight = page.lineOf(9);
    const std::vector<ConditionRow> rows = StandbyConditions(result);
    const int tableWidth = Trunc(w * 0.7);
    page.rect(f.left, y, f.left + tableWidth, y + static_cast<int>(rows.size() + 1) * rowHeight, {Gray, 1});
    page.line(f.left, y + rowHeight, f.left + tableWidth, y + rowHeight, {Gray, 1, PenStyle::Solid});
    const auto columnX = [&](int c) { return f.left + Trunc(tableWidth * kColumns[c]) + rowHeight / 6; };
    for (int c = 0; c < 4; ++c) page.text(columnX(c), y + rowHeight / 6, kHeadings[c], Black, 8);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int top = y + static_cast<int>(i + 1) * rowHeight + rowHeight / 6;
        const ConditionRow& r = rows[i];
        page.text(columnX(0), top, r.name, Black, 8);
        page.text(columnX(1), top, r.required, Black, 8);
        page.text(columnX(2), top, r.worst, Black, 8);
        page.text(columnX(3), top, r.state, r.ok ? kVerdictGreen : kVerdictRed, 8);
    }
    y += static_cast<int>(rows.size() + 1) * rowHeight + line;

    // The trend across the page.
    const int chartHeight = Trunc(h * 0.36);
    const double chartPoints = 7;
    page.chart(StandbyChart({w, chartHeight}, test, page.lineOf(chartPoints)), f.left, y, chartPoints);
    page.rect(f.left, y, f.right, y + chartHeight, {Gray, 1});
    y += chartHeight + line;

    for (const UiText& note : StandbyNotes(result)) {
        page.text(f.left, y, note, Black, 8);
        y += line;
    }
    return page.take();
}

bool WriteStandbyTestCsv(const std::string& path, const StandbyTest& test, const StandbyResult& result,
                         const std::string& date, const std::string& instrument, std::string& error) {
    return WriteTextFileWhole(path, StandbyCsv(test, result, date, instrument), error);
}

}  // namespace lxv
