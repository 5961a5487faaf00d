// The builder of a report page, shared by every report: texts, lines,
// rectangles and other page items added in drawing order, the printed frame
// (title, page number, report information), a chart's primitives placed on
// the page, a procedure's verdict, and line heights in points for a page of
// any resolution. Pure C++, no Qt: report_painter.cpp paints what it builds.
//
// Depends on: report/report_geometry.h (the page items, the printed frame),
// measure/chart_geometry.h (chart primitives), measure/verdict.h.
#pragma once

#include <string>
#include <utility>

#include "measure/chart_geometry.h"
#include "measure/verdict.h"
#include "report/report_geometry.h"

namespace lxv {

class PageBuilder {
  public:
    PageBuilder(int width, int height) { page_.width = width, page_.height = height; }

    void text(int x, int y, UiText text, Rgb colour, double points, bool opaque = false) {
        page_.items.emplace_back(PageText{{x, y}, std::move(text), colour, points, opaque});
    }
    void line(int x1, int y1, int x2, int y2, PagePen pen) {
        page_.items.emplace_back(PageLine{{x1, y1}, {x2, y2}, pen});
    }
    void rect(int l, int t, int r, int b, PagePen pen) {
        page_.items.emplace_back(PageRect{l, t, r, b, pen, false, {}});
    }
    void filledRect(int l, int t, int r, int b, PagePen pen) {
        page_.items.emplace_back(PageRect{l, t, r, b, pen, true, pen.colour});
    }
    void add(PageItem item) { page_.items.push_back(std::move(item)); }

    int width() const { return page_.width; }
    int height() const { return page_.height; }
    // The height of a line of text of `points` on an A4 portrait page of this width (at least 1 pixel).
    int lineOf(double points) const;

    // The printed frame of a page (title, "Page 1/1", rules, report information): its body area.
    PrintedFrame frame(bool landscape, const std::string& title, const ReportInfo& info) {
        return AddPrintedFrame(page_, landscape, title, info);
    }
    // A chart's primitives with their top-left corner at (left, top), on a white
    // background with gray lines of scale; texts of `points`.
    void chart(const ChartDrawing& chart, int left, int top, double points);
    // "Verdict" in gray and below it the verdict in its colour, large, a long
    // text ("NOT APPLICABLE", "INCOMPLETE after …") in smaller letters.
    void verdict(int x, int y, const Verdict& verdict);

    ReportPage take() { return std::move(page_); }

  private:
    ReportPage page_;
};

}  // namespace lxv
