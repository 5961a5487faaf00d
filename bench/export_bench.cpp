// Exporting the largest recording (450,000 samples) to xlsx and to CSV with the
// system's date-and-time texts: time per export and growth of the process's
// peak memory (counter peak_growth_MB, measured around the first export of each
// format in a fresh process: run one benchmark per process with --benchmark_filter).
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "record/record_export.h"
#include "record/record_export_qt.h"

namespace {

constexpr std::size_t kSamples = 450'000;

// A day of one-second samples with changing values, computed on demand like the viewer's arrays.
struct LargeRecording : lxv::RecordExportSource {
    std::size_t sampleCount() const override { return kSamples; }
    double stamp(std::size_t i) const override { return 46000.0 + static_cast<double>(i) / 86400.0; }
    float value(std::size_t i, int c) const override {
        return 230.0f + 0.013f * static_cast<float>((i * 7 + static_cast<std::size_t>(c) * 131) % 997);
    }
    std::string label(int c) const override { return "Channel " + std::to_string(c + 1); }
};

long PeakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void Export(benchmark::State& state, const char* name) {
    const LargeRecording recording;
    const std::string path = (std::filesystem::temp_directory_path() / name).string();
    const long before = PeakKilobytes();
    for (auto _ : state) {
        lxv::UiText error;
        if (!lxv::ExportRecord(recording, lxv::SystemStampFormatter(), path, error))
            state.SkipWithError(error.original().c_str());
    }
    state.counters["peak_growth_MB"] = static_cast<double>(PeakKilobytes() - before) / 1024.0;
    state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
    std::remove(path.c_str());
}

void BM_ExportXlsx(benchmark::State& state) {
    Export(state, "lxv-bench-export.xlsx");
}
void BM_ExportCsv(benchmark::State& state) {
    Export(state, "lxv-bench-export.csv");
}
BENCHMARK(BM_ExportXlsx)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_ExportCsv)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
