// A test file of any content: the record is either replaced by the file's
// first 8052 bytes or left exactly as it was, and the panels can show it.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "cycle/test_file.h"
#include "measure/panel_texts.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = "/tmp/lxv-fuzz-testfile-" + std::to_string(::getpid()) + ".lxm";
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    lxv::MeasureRecord record;
    lxv::ResetMeasurement(record);
    const lxv::MeasureRecord before = record;
    const std::string error = lxv::ReadTestFile(path, record);
    if (size < lxv::kRecordSize) {
        if (error.empty() || record.bytes() != before.bytes()) std::abort();
    } else {
        if (!error.empty() || std::memcmp(record.data(), data, lxv::kRecordSize) != 0) std::abort();
    }
    volatile std::size_t sink = 0;
    for (const auto& text : lxv::PanelTexts(record)) sink = sink + text.size();
    return 0;
}
