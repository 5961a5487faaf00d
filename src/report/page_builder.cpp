#include "report/page_builder.h"

#include <algorithm>
#include <cmath>
#include <variant>

namespace lxv {

namespace {

constexpr double kA4WidthInches = 8.27;

}  // namespace

int PageBuilder::lineOf(double points) const {
    const double dpi = page_.width / kA4WidthInches;
    return std::max(1, static_cast<int>(std::trunc(points / 72.0 * dpi * 1.35)));
}

void PageBuilder::chart(const ChartDrawing& chart, int left, int top, double points) {
    using namespace report_colour;
    const ChartColours colours{White, Gray};
    for (const ChartPrimitive& primitive : chart) {
        if (const auto* r = std::get_if<FilledRect>(&primitive)) {
            if (r->width <= 0 || r->height <= 0) continue;
            const Rgb c = ChartColourRgb(r->colour, colours);
            page_.items.emplace_back(PageRect{left + r->left,
                                              top + r->top,
                                              left + r->left + r->width - 1,
                                              top + r->top + r->height - 1,
                                              {c, 1},
                                              true,
                                              c});
        } else if (const auto* l = std::get_if<ChartLine>(&primitive)) {
            line(left + l->from.x, top + l->from.y, left + l->to.x, top + l->to.y,
                 {ChartColourRgb(l->colour, colours), l->width,
                  l->style == LineStyle::Dotted ? PenStyle::Dot : PenStyle::Solid});
        } else if (const auto* p = std::get_if<ChartPolyline>(&primitive)) {
            const PagePen pen{ChartColourRgb(p->colour, colours), p->width, PenStyle::Solid};
            for (std::size_t i = 1; i < p->points.size(); ++i)
                line(left + p->points[i - 1].x, top + p->points[i - 1].y, left + p->points[i].x,
                     top + p->points[i].y, pen);
        } else if (const auto* t = std::get_if<ChartText>(&primitive)) {
            text(left + t->at.x, top + t->at.y, t->text, ChartColourRgb(t->colour, colours), points);
        }
    }
}

void PageBuilder::verdict(int x, int y, const Verdict& verdict) {
    text(x, y, QT_TRANSLATE_NOOP("lxv", "Verdict"), report_colour::Gray, 10);
    text(x, y + lineOf(10), verdict.text, verdict.colour, verdict.longText() ? 16 : 28);
}

}  // namespace lxv
