// Spreadsheet export of a recording: one heading row ("Recording time",
// "CH1:<label>" .. "CH6:<label>") and one row per sample, as an xlsx workbook
// (libxlsxwriter, constant memory) or as CSV ("." decimals, UTF-8, comma
// separated). The file is written under a temporary name beside the chosen
// path; the caller renames it over the path (commit) or removes it (discard),
// so an answer of No, a cancel or an error never leaves a file behind.
//
// Owns: the export file layouts, the temporary-file handling. Depends on:
// record_file.h and record_settings.h (a recording and its labels), platform/whole_file.h,
// libxlsxwriter and the standard library. No Qt.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>

#include "record/record_file.h"

namespace lxv {

inline constexpr int kExportChannels = 6;

// What the export reads: the samples in order, each with its stamp and six values.
class RecordExportSource {
  public:
    virtual ~RecordExportSource() = default;
    virtual std::size_t sampleCount() const = 0;
    // Local date and time as days since 1899-12-30 00:00, fraction = time of day.
    virtual double stamp(std::size_t sample) const = 0;
    virtual float value(std::size_t sample, int channel) const = 0;  // channel 0..5
    // The channel's label text as the record window shows it ("Voltage").
    virtual std::string label(int channel) const = 0;
};

// A recording in memory (samples 0 .. count - 1) with its six channel labels.
class RecordDataSource : public RecordExportSource {
  public:
    RecordDataSource(const RecordData& data, std::array<std::string, kExportChannels> labels)
        : data_(data), labels_(std::move(labels)) {}
    std::size_t sampleCount() const override { return static_cast<std::size_t>(std::max(data_.count, 0)); }
    double stamp(std::size_t sample) const override { return data_.stamps[sample]; }
    float value(std::size_t sample, int channel) const override {
        return data_.channels[static_cast<std::size_t>(channel)][sample];
    }
    std::string label(int channel) const override { return labels_[static_cast<std::size_t>(channel)]; }

  private:
    const RecordData& data_;
    std::array<std::string, kExportChannels> labels_;
};

// The label texts of six channel codes ("Voltage" ..; empty for a code outside 0..12).
std::array<std::string, kExportChannels> QuantityLabels(
    const std::array<std::uint8_t, kExportChannels>& codes);

// Turns a stamp into the text of the first column.
using StampFormatter = std::function<std::string(double)>;

enum class ExportFormat { Xlsx, Csv };
// ".csv" in any case gives CSV, anything else xlsx.
ExportFormat ExportFormatForPath(const std::string& path);

// Shortest text that reads back as the same single ("0.1", "-2.5", "1e-05").
std::string SingleText(float value);

// The cells of the heading row.
std::array<std::string, kExportChannels + 1> ExportHeadings(const RecordExportSource& source);

class SheetWriter;

// One export, written in steps so that a window can show progress between them.
class RecordExport {
  public:
    RecordExport(const RecordExportSource& source, StampFormatter formatter);
    ~RecordExport();  // discards an export that was not committed
    RecordExport(const RecordExport&) = delete;
    RecordExport& operator=(const RecordExport&) = delete;

    // Creates the temporary file and writes the heading row.
    bool begin(const std::string& path, ExportFormat format);
    // Writes up to `rows` further samples.
    bool writeRows(std::size_t rows);
    // Writes the remaining samples and completes the temporary file.
    bool finish();
    // Renames the completed temporary file over the chosen path.
    bool commit();
    // Removes the temporary file (if any); the chosen path is not touched.
    void discard();

    std::size_t written() const { return next_; }
    std::size_t total() const;
    const UiText& error() const { return error_; }  // the file and the reason
    const std::string& tempPath() const { return temp_; }

  private:
    bool fail(UiText message);

    const RecordExportSource& source_;
    StampFormatter formatter_;
    std::unique_ptr<SheetWriter> sheet_;
    std::string path_, temp_;
    UiText error_;
    std::size_t next_ = 0;
    bool finished_ = false;
};

// The whole export at once, committed on success; on failure no file is left
// and `error` names the reason.
bool ExportRecord(const RecordExportSource& source, const StampFormatter& formatter, const std::string& path,
                  UiText& error);

}  // namespace lxv
