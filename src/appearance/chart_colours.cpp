#include "appearance/chart_colours.h"

namespace lxv {

ChartColours& CurrentChartColours() {
    static ChartColours colours;
    return colours;
}

}  // namespace lxv
