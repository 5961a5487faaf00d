// The harmonic emissions test's work for one measurement block: the block
// taken into the running observation (smoothing, sums, maxima, means), and
// the same followed by the whole result (limits, ignore rule, POHC, verdicts)
// as the live window asks for it after every block.
#include <benchmark/benchmark.h>

#include <cmath>

#include "measure/harmonic_test.h"

namespace {

lxv::MeasureRecord RealisticBlock() {
    lxv::MeasureRecord r;
    lxv::ResetMeasurement(r);
    r.setScalar(lxv::Scalar::URMS, 230.1f);
    r.setScalar(lxv::Scalar::UF, 50.01f);
    r.setScalar(lxv::Scalar::IRMS, 1.13f);
    r.setScalar(lxv::Scalar::WRMS, 200.4f);
    r.setScalar(lxv::Scalar::PF, 0.77f);
    r.setScalar(lxv::Scalar::VTHD, 0.026f);
    for (int n = 1; n <= 50; ++n) r.setIHarmonic(n, static_cast<float>(1.2 / n));
    return r;
}

lxv::HarmonicTestSettings ClassD() {
    lxv::HarmonicTestSettings s;
    s.emissionClass = lxv::EmissionClass::D;
    return s;
}

// Argument 0: the block only; 1: the block and the whole result.
void BM_HarmonicTestBlock(benchmark::State& st) {
    const bool withResult = st.range(0) != 0;
    lxv::HarmonicTest test(ClassD());
    const lxv::MeasureRecord block = RealisticBlock();
    double t = 0;
    for (auto _ : st) {
        test.AddBlock(block, t);
        t += 0.05;
        if (withResult) {
            lxv::HarmonicTestResult result = test.Result();
            benchmark::DoNotOptimize(result);
        }
        benchmark::DoNotOptimize(test);
    }
}
BENCHMARK(BM_HarmonicTestBlock)->ArgName("result")->Arg(0)->Arg(1);

}  // namespace
