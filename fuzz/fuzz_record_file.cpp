// A record file of any content: either refused with a message and the view's
// data left as they were, or read with a count inside its records, and the
// chart of it can be drawn. Record files are 32,016 bytes a record, longer
// than the fuzzer's inputs, so the input describes a file: byte 0 the number
// of records (0..3, or 451 for 255), byte 1 the length of a cut-short record
// at the end, the next 16 bytes the last record's trailer (codes, step index,
// TotalSamples), the rest the first values and the last record's stamps.
//
// Byte 0 = 254 describes a save cut short instead: bytes 1-2 the samples of
// the last completed save, bytes 3-4 how many the cut-short save adds, bytes
// 5-7 how many bytes of its writes reached the file. Such a file must open
// with at least the samples of the completed save, all as recorded.
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

float Value(int sample, int channel) {
    return static_cast<float>(sample) + static_cast<float>(channel) / 8;
}

// The bytes of a file whose saves wrote `count` samples (records as the writer fills them).
std::vector<std::uint8_t> SavedFile(lxv::RecordData& live, int count) {
    live.count = count;
    const int records = lxv::RecordsFor(count);
    std::vector<std::uint8_t> file(static_cast<std::size_t>(records) * lxv::kRecordBlockSize);
    lxv::RecordBlock block;
    for (int k = 0; k < records; ++k) {
        lxv::FillRecordBlock(live, k, block);
        std::memcpy(&file[static_cast<std::size_t>(k) * lxv::kRecordBlockSize], block.data(),
                    lxv::kRecordBlockSize);
    }
    return file;
}

void CheckCutShortSave(const std::uint8_t* input, std::size_t size) {
    if (size < 8) return;
    const int saved = (input[1] | input[2] << 8) % 6000;
    const int count = saved + (input[3] | input[4] << 8) % 2500;
    lxv::RecordData live;
    live.allocate(lxv::RecordsFor(count) * lxv::kSamplesPerRecord);
    for (int i = 0; i < count; ++i) {
        for (int c = 0; c < lxv::kRecordChannels; ++c) live.channels[c][i] = Value(i, c);
        live.stamps[i] = 46000.0 + i / 86400.0;
    }
    const std::vector<std::uint8_t> before = SavedFile(live, saved);
    const std::vector<std::uint8_t> after = SavedFile(live, count);
    // The save rewrites the last record of `before`, then appends the rest of `after`.
    const std::size_t start = before.size() - lxv::kRecordBlockSize;
    std::size_t kept =
        (input[5] | input[6] << 8 | static_cast<std::size_t>(input[7]) << 16) % (after.size() - start + 1);
    // A write is torn between pages, never inside the 4-byte-aligned count.
    const std::size_t at = (start + kept) % lxv::kRecordBlockSize;
    if (at > lxv::recoff::TotalSamples && at < lxv::recoff::Reserved2) kept -= at - lxv::recoff::TotalSamples;
    // Records before the rewritten one are never written again.
    std::vector<std::uint8_t> file(before.begin(), before.begin() + static_cast<std::ptrdiff_t>(start));
    file.insert(file.end(), after.begin() + static_cast<std::ptrdiff_t>(start),
                after.begin() + static_cast<std::ptrdiff_t>(start + kept));
    if (file.size() < before.size())
        file.insert(file.end(), before.begin() + static_cast<std::ptrdiff_t>(file.size()), before.end());

    lxv::RecordData read;
    const lxv::RecordFileRead r = lxv::ParseRecordFile(file.data(), file.size(), "cut.lxr", read);
    if (!r.error.empty()) {
        if (saved > 0) std::abort();  // a completed save must leave a file that opens
        return;
    }
    if (read.count < saved || read.count > count) std::abort();
    for (int i : {0, read.count / 2, read.count - 1}) {
        const auto s = static_cast<std::size_t>(i);
        if (read.channels[5][s] != Value(i, 5) || read.stamps[s] != live.stamps[s]) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* input, std::size_t inputSize) {
    if (inputSize > 0 && input[0] == 254) {
        CheckCutShortSave(input, inputSize);
        return 0;
    }
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
    // Read as stated, or, when a save was cut short, as every whole record.
    const int expected = r.cutShort() ? view.capacity() : r.statedSamples;
    if (view.count < 1 || view.count != expected || view.count > lxv::kMaxSamples ||
        r.statedSamples - view.count > lxv::kSamplesPerRecord ||
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
