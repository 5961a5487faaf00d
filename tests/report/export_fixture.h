// A recording in memory for the export and report tests, and a scratch folder.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "record/record_export.h"

namespace lxv::test {

struct FakeRecording : RecordExportSource {
    std::vector<double> stamps;
    std::vector<std::array<float, 6>> values;
    std::array<std::string, 6> labels{"Voltage",        "Current",       "Power",
                                      "Apparent power", "Temperature 2", "Frequency"};

    // n samples half a day apart from day 45000; sample i holds 10i + channel.
    static FakeRecording Ramp(std::size_t n) {
        FakeRecording r;
        for (std::size_t i = 0; i < n; ++i) {
            r.stamps.push_back(45000.0 + 0.5 * static_cast<double>(i));
            std::array<float, 6> row{};
            for (int c = 0; c < 6; ++c) row[static_cast<std::size_t>(c)] = static_cast<float>(10 * i + c);
            r.values.push_back(row);
        }
        return r;
    }

    std::size_t sampleCount() const override { return stamps.size(); }
    double stamp(std::size_t i) const override { return stamps[i]; }
    float value(std::size_t i, int c) const override { return values[i][static_cast<std::size_t>(c)]; }
    std::string label(int c) const override { return labels[static_cast<std::size_t>(c)]; }
};

struct TempFolder {
    std::filesystem::path path;
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "lxv-report-XXXXXX").string();
        path = ::mkdtemp(pattern.data());
    }
    ~TempFolder() { std::filesystem::remove_all(path); }
    int entries() const {
        int n = 0;
        for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(path)) ++n;
        return n;
    }
};

}  // namespace lxv::test
