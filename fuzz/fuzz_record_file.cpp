// A record file of any content: either refused with a message and the view's
// data left as they were, or read with a count inside its records, and the
// chart of it can be drawn. Record files are 32,016 bytes a record, longer
// than the fuzzer's inputs, so the input describes a file: byte 0 the number
// of records (0..3, or 451 for 255), byte 1 the length of a cut-short record
// at the end, the next 16 bytes the last record's trailer (codes, step index,
// TotalSamples), the rest the first values and the last record's stamps.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "record/record_chart.h"
#include "record/record_file.h"

namespace {

std::vector<std::uint8_t> DescribedFile(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return std::vector<std::uint8_t>(data, data + size);
    const std::size_t records = data[0] == 255 ? 451 : data[0] % 4;
    const std::size_t extra = (data[1] * 131u) % lxv::kRecordBlockSize;
    std::vector<std::uint8_t> file(records * lxv::kRecordBlockSize + extra, 0);
    data += 2;
    size -= 2;
    if (records > 0) {
        const std::size_t last = (records - 1) * lxv::kRecordBlockSize;
        const std::size_t trailer = std::min<std::size_t>(size, 16);
        std::memcpy(&file[last + 32000], data, trailer);
        data += trailer;
        size -= trailer;
        const std::size_t values = std::min<std::size_t>(size / 2, 24000);
        std::memcpy(&file[0], data, values);
        std::memcpy(&file[last + 24000], data + values, std::min<std::size_t>(size - values, 8000));
    }
    return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* input, std::size_t inputSize) {
    const std::vector<std::uint8_t> file = DescribedFile(input, inputSize);
    const std::uint8_t* data = file.data();
    const std::size_t size = file.size();
    lxv::RecordData view;
    view.allocate(1000);
    view.count = 7;
    const lxv::RecordFileRead r = lxv::ParseRecordFile(data, size, "fuzz.lxr", view);
    if (!r.error.empty()) {
        if (view.count != 7 || view.capacity() != 1000) std::abort();
        return 0;
    }
    if (view.count < 1 || view.count > view.capacity() || view.count > lxv::kMaxSamples ||
        r.records * lxv::kSamplesPerRecord != view.capacity() ||
        r.ignoredBytes != size % lxv::kRecordBlockSize)
        std::abort();
    lxv::RecordChartInput in;
    in.data = &view;
    in.fileActive = true;
    in.last = view.count - 1;
    in.zoom = 1 + static_cast<int>(size % 7);
    in.range = static_cast<lxv::RangeMode>(size % 3);
    const lxv::RecordChart chart = lxv::DrawRecordChart(640, 400, in);
    if (chart.points < 0 || chart.points > 640) std::abort();
    for (int i = 0; i < view.count; i += 997)
        (void)lxv::StampToCivil(view.stamps[static_cast<std::size_t>(i)]);
    return 0;
}
