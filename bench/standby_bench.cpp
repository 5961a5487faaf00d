// The standby power test's work per reading and its memory over a whole test
// of 1,000 or 40,000 readings (three hours at 115200 baud), with and without
// the result the live window asks for after every block, and the trend's
// geometry after 1,000 and 40,000 readings: judging is constant time per
// reading and the redraw does not grow with the test.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include "measure/standby_chart.h"
#include "measure/standby_test.h"

namespace {

lxv::StandbySettings LongTest() {
    lxv::StandbySettings s;
    s.periodSeconds = 10800;  // judged only at the end: every reading pays for the fit anyway
    s.maxSeconds = 3 * 10800;
    return s;
}

lxv::StandbyReading ReadingAt(int k) {
    const double t = k * 0.27;
    return {t, 0.3 + 0.0005 * ((k * 7919) % 13) / 13.0, 230.2, 0.0026, 0.5, 50.01, 0.004, 1.414, 2.2,
            12.0 + 0.3 * t / 3.6e6};
}

std::size_t HeapBytes() {
    return mallinfo2().uordblks;
}

// Argument 0: readings in the test; argument 1: also the whole result after each reading.
void BM_StandbyReadings(benchmark::State& st) {
    const int readings = static_cast<int>(st.range(0));
    const bool withResult = st.range(1) != 0;
    std::size_t heap = 0;
    for (auto _ : st) {
        const std::size_t before = HeapBytes();
        lxv::StandbyTest test(LongTest());
        for (int k = 0; k < readings; ++k) {
            test.Add(ReadingAt(k));
            if (withResult) {
                lxv::StandbyResult result = test.Result();
                benchmark::DoNotOptimize(result);
            }
        }
        heap = HeapBytes() - before;
        benchmark::DoNotOptimize(test);
    }
    st.SetItemsProcessed(st.iterations() * readings);
    // Seconds per reading (shown as "u" or "n").
    st.counters["per_reading"] = benchmark::Counter(static_cast<double>(st.iterations()) * readings,
                                                    benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    st.counters["heap_MB"] = static_cast<double>(heap) / (1024.0 * 1024.0);
}
BENCHMARK(BM_StandbyReadings)
    ->ArgNames({"readings", "result"})
    ->Args({1000, 0})
    ->Args({40000, 0})
    ->Args({1000, 1})
    ->Args({40000, 1})
    ->Unit(benchmark::kMillisecond);

// The last 1,000 readings of a test that already holds `at` readings: the
// cost of one more reading does not grow with the test.
void BM_StandbyNextReadings(benchmark::State& st) {
    const int at = static_cast<int>(st.range(0));
    for (auto _ : st) {
        st.PauseTiming();
        lxv::StandbyTest test(LongTest());  // grown reading by reading, as a real test is
        for (int k = 0; k < at; ++k) test.Add(ReadingAt(k));
        st.ResumeTiming();
        for (int k = at; k < at + 1000; ++k) test.Add(ReadingAt(k));
        benchmark::DoNotOptimize(test);
        st.PauseTiming();
        { lxv::StandbyTest gone = std::move(test); }
        st.ResumeTiming();
    }
    st.SetItemsProcessed(st.iterations() * 1000);
}
BENCHMARK(BM_StandbyNextReadings)->ArgName("at")->Arg(1000)->Arg(39000);

// The trend's geometry for an 800 x 300 chart after `readings` readings over the same three hours.
void BM_StandbyChart(benchmark::State& st) {
    lxv::StandbySettings s = LongTest();
    s.periodSeconds = s.maxSeconds = 10800;
    lxv::StandbyTest test(s);
    const double step = 10800.0 / static_cast<double>(st.range(0));
    for (int k = 0; k < st.range(0); ++k) {
        lxv::StandbyReading r = ReadingAt(k);
        r.seconds = k * step;
        test.Add(r);
    }
    for (auto _ : st) {
        lxv::ChartDrawing d = lxv::StandbyChart({800, 300}, test, 12);
        benchmark::DoNotOptimize(d);
    }
}
BENCHMARK(BM_StandbyChart)->ArgName("readings")->Arg(4000)->Arg(40000)->Arg(400000);

}  // namespace
