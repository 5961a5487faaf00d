// Feeds arbitrary measurement blocks, at arbitrary times, into the harmonic
// emissions test of every class, with settings typed as arbitrary text, and
// makes everything a result gives: the verdict, CSV, notes, table cells, the
// chart and the report page. Whatever the instrument sends, nothing may crash
// or read out of bounds.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "measure/harmonic_test.h"
#include "measure/harmonic_test_chart.h"
#include "report/harmonic_test_page.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 8) return 0;
    // Four short texts for the fields (rated power, seconds, voltage, frequency), then the blocks.
    std::string fields[4];
    std::size_t pos = 1;
    for (std::string& field : fields) {
        const std::size_t n = data[pos++ % size] % 8;
        for (std::size_t i = 0; i < n && pos < size; ++i) field += static_cast<char>(data[pos++]);
    }
    const auto emissionClass = static_cast<lxv::EmissionClass>(data[0] % 4);
    const lxv::SettingsReading reading =
        lxv::ReadHarmonicTestSettings(emissionClass, fields[0], fields[1], fields[2], fields[3]);
    lxv::HarmonicTest test(reading.ok() ? reading.settings : lxv::HarmonicTestSettings{});

    lxv::MeasureRecord block;
    lxv::ResetMeasurement(block);
    double seconds = 0;
    while (pos < size) {
        // One byte of time step (0..2.55 s, or back by up to 1.27 s), then up to one block of bytes.
        const std::uint8_t step = data[pos++];
        seconds += step & 0x80 ? -(step & 0x7F) / 100.0 : step / 50.0;
        const std::size_t n = std::min(lxv::kBlockSize, size - pos);
        lxv::AcceptMeasureBlock(block, [&] {
            static std::uint8_t bytes[lxv::kBlockSize];
            std::memset(bytes, 0, sizeof bytes);
            std::memcpy(bytes, data + pos, n);
            return bytes;
        }());
        pos += n;
        test.AddBlock(block, seconds);
    }
    const lxv::HarmonicTestResult result = test.Result();
    volatile std::size_t sink = lxv::HarmonicTestCsv(result).size() + lxv::HarmonicTestNotes(result).size() +
                                lxv::HarmonicTestSummary(result).size() +
                                static_cast<std::size_t>(lxv::HarmonicTestExitCode(result));
    for (const lxv::OrderResult& o : result.orders)
        sink = sink + lxv::HarmonicTestCells(o)[6].original().size();
    sink = sink + lxv::HarmonicTestChart({800, 300}, result, 12).size();
    sink = sink + lxv::HarmonicTestPage(4960, 7016, result, {}).items.size();
    (void)sink;
    return 0;
}
