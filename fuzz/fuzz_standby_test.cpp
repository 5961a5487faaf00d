// Feeds arbitrary measurement blocks, at arbitrary times, into the standby
// power test with settings typed as arbitrary text, with the period's timer
// and a stop at arbitrary moments, and makes everything a result gives: the
// verdict, exit code, CSV, summary, notes and the trend chart. Whatever the
// instrument sends, nothing may crash or read out of bounds.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "measure/standby_chart.h"
#include "measure/standby_test.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 8) return 0;
    // Five short texts for the fields (period, longest time, limit, voltage, frequency), then the blocks.
    std::string fields[5];
    std::size_t pos = 1;
    for (std::string& field : fields) {
        const std::size_t n = data[pos++ % size] % 8;
        for (std::size_t i = 0; i < n && pos < size; ++i) field += static_cast<char>(data[pos++]);
    }
    const lxv::StandbySettingsReading reading =
        lxv::ReadStandbySettings(fields[0], fields[1], fields[2], fields[3], fields[4]);
    lxv::StandbySettings settings = reading.ok() ? reading.settings : lxv::StandbySettings{};
    if (data[0] & 1) settings.periodSeconds = settings.maxSeconds = 60;  // short enough for the input to end it
    std::optional<lxv::CurrentRangeSetting> range;
    if (data[0] & 2) range = lxv::CurrentRangeSetting{(data[0] & 4) != 0, data[0] >> 4};
    lxv::StandbyTest test(settings, range);

    lxv::MeasureRecord block;
    lxv::ResetMeasurement(block);
    double seconds = 0;
    static std::uint8_t bytes[lxv::kBlockSize];
    while (pos < size) {
        // One byte of time step (0..25.5 s forward, or back), a control byte, then up to 64 block bytes at an
        // offset among the scalars and harmonics.
        const std::uint8_t step = data[pos++];
        seconds += step & 0x80 ? -(step & 0x7F) / 10.0 : step / 10.0;
        if (pos >= size) break;
        const std::uint8_t control = data[pos++];
        const std::size_t at = (control & 0x3F) * 8;  // 0 .. 504
        const std::size_t n = std::min<std::size_t>(64, size - pos);
        std::memcpy(bytes, block.data(), lxv::kBlockSize);
        std::memcpy(bytes + at, data + pos, n);
        pos += n;
        lxv::AcceptMeasureBlock(block, bytes);
        if (control & 0x40) test.TimeReached(seconds);
        if ((control & 0xC0) == 0xC0) test.Stop(seconds);
        test.Add(lxv::StandbyReadingOf(block, seconds));
    }
    const lxv::StandbyResult result = test.Result();
    volatile std::size_t sink = lxv::StandbyCsv(test, result, "date", "instrument").size() +
                                lxv::StandbyNotes(result).size() + lxv::StandbySummary(result).size() +
                                static_cast<std::size_t>(lxv::StandbyExitCode(result)) +
                                lxv::StandbyVerdictWord(result).original().size() +
                                lxv::StandbyPowerText(result.meanPower).size();
    sink = sink + lxv::StandbyChart({800, 300}, test, 12).size();
    sink = sink + lxv::StandbyChart({static_cast<int>(data[1]) * 8, static_cast<int>(data[2]) * 4}, test, data[3]).size();
    (void)sink;
    return 0;
}
