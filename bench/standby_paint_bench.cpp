// The standby test's trend painted into an 800 x 400 image, as the window
// does after every block, after 4,000 and 40,000 readings over three hours:
// the cost does not grow with the readings. Compare with charts_bench's
// redraw of the main window's three charts per block.
#include <benchmark/benchmark.h>

#include <QImage>

#include "measure/chart_painter.h"
#include "measure/standby_test.h"

namespace {

void BM_StandbyPaint(benchmark::State& st) {
    lxv::StandbySettings s;
    s.periodSeconds = s.maxSeconds = 10800;
    lxv::StandbyTest test(s);
    const double step = 10800.0 / static_cast<double>(st.range(0));
    for (int k = 0; k < st.range(0); ++k)
        test.Add({k * step, 0.3 + 0.0005 * ((k * 7919) % 13) / 13.0, 230.2, 0.0026, 0.5, 50.01, 0.004, 1.414, 2.2,
                  12.0});
    QImage image(800, 400, QImage::Format_RGB32);
    const lxv::ChartColours colours{{238, 238, 238}, {170, 170, 170}};
    for (auto _ : st) {
        lxv::DrawStandbyChart(image, image.size(), test, colours);
        benchmark::DoNotOptimize(image);
    }
}
BENCHMARK(BM_StandbyPaint)->ArgName("readings")->Arg(4000)->Arg(40000)->Unit(benchmark::kMicrosecond);

}  // namespace
