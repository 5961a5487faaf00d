#include "record/record_export.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <xlsxwriter.h>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "platform/csv_field.h"
#include "platform/whole_file.h"
#include "record/fast_deflate.h"

namespace lxv {

namespace {

std::string SystemError(const std::string& path) {
    return path + ": " + std::strerror(errno);
}

}  // namespace

std::array<std::string, kExportChannels> QuantityLabels(
    const std::array<std::uint8_t, kExportChannels>& codes) {
    std::array<std::string, kExportChannels> labels;
    for (std::size_t c = 0; c < codes.size(); ++c)
        if (const char* label = QuantityLabel(codes[c])) labels[c] = label;
    return labels;
}

ExportFormat ExportFormatForPath(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext == ".csv" ? ExportFormat::Csv : ExportFormat::Xlsx;
}

std::string SingleText(float value) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    if (value == 0.0f) return "0";
    char buf[32];
    const auto result = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, result.ptr);
}

std::array<std::string, kExportChannels + 1> ExportHeadings(const RecordExportSource& source) {
    std::array<std::string, kExportChannels + 1> headings;
    headings[0] = "Recording time";
    for (int c = 0; c < kExportChannels; ++c)
        headings[static_cast<std::size_t>(c) + 1] = "CH" + std::to_string(c + 1) + ":" + source.label(c);
    return headings;
}

// ---- the two file layouts ----

class SheetWriter {
  public:
    virtual ~SheetWriter() = default;
    virtual bool heading(const std::array<std::string, kExportChannels + 1>& cells) = 0;
    virtual bool row(std::size_t index, const std::string& stamp, const float (&values)[kExportChannels]) = 0;
    virtual bool close() = 0;  // completes the file; false on an error
    UiText error;
};

namespace {

class CsvSheet : public SheetWriter {
  public:
    explicit CsvSheet(const std::string& path) : path_(path), file_(std::fopen(path.c_str(), "wb")) {
        if (!file_)
            error = SystemError(path);
        else
            std::setvbuf(file_, nullptr, _IOFBF, 1 << 20);
    }
    ~CsvSheet() override {
        if (file_) std::fclose(file_);
    }
    bool ok() const { return file_ != nullptr; }

    bool heading(const std::array<std::string, kExportChannels + 1>& cells) override {
        std::string line;
        for (const std::string& cell : cells) line += (line.empty() ? "" : ",") + CsvField(cell);
        return put(line + "\r\n");
    }
    bool row(std::size_t, const std::string& stamp, const float (&values)[kExportChannels]) override {
        line_.assign(CsvField(stamp));
        for (float v : values) line_.append(",").append(SingleText(v));
        return put(line_.append("\r\n"));
    }
    bool close() override {
        const bool ok = std::fflush(file_) == 0 && !std::ferror(file_);
        if (!ok) error = SystemError(path_);
        const bool closed = std::fclose(file_) == 0;
        file_ = nullptr;
        if (ok && !closed) error = SystemError(path_);
        return ok && closed;
    }

  private:
    bool put(const std::string& line) {
        if (std::fwrite(line.data(), 1, line.size(), file_) == line.size()) return true;
        error = SystemError(path_);
        return false;
    }
    std::string path_;
    std::FILE* file_;
    std::string line_;  // reused: one allocation for the whole export
};

class XlsxSheet : public SheetWriter {
  public:
    explicit XlsxSheet(const std::string& path) {
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        book_ = workbook_new_opt(path.c_str(), &options);
        if (book_) sheet_ = workbook_add_worksheet(book_, nullptr);
        if (!sheet_)
            error = UiText(QT_TRANSLATE_NOOP("lxv", "%1: the workbook could not be created")).arg(path);
    }
    ~XlsxSheet() override {
        if (book_) workbook_close(book_);  // only after a failure: the file is discarded
    }
    bool ok() const { return sheet_ != nullptr; }

    bool heading(const std::array<std::string, kExportChannels + 1>& cells) override {
        for (std::size_t c = 0; c < cells.size(); ++c)
            if (!check(
                    worksheet_write_string(sheet_, 0, static_cast<lxw_col_t>(c), cells[c].c_str(), nullptr)))
                return false;
        return true;
    }
    bool row(std::size_t index, const std::string& stamp, const float (&values)[kExportChannels]) override {
        const auto r = static_cast<lxw_row_t>(index + 1);
        if (!check(worksheet_write_string(sheet_, r, 0, stamp.c_str(), nullptr))) return false;
        for (int c = 0; c < kExportChannels; ++c) {
            const auto col = static_cast<lxw_col_t>(c + 1);
            const std::string text = SingleText(values[c]);
            // The decimal the single stands for, so that 0.1f shows as 0.1; INF and NaN as text.
            double number = 0;
            std::from_chars(text.data(), text.data() + text.size(), number);
            const lxw_error result = std::isfinite(values[c])
                                         ? worksheet_write_number(sheet_, r, col, number, nullptr)
                                         : worksheet_write_string(sheet_, r, col, text.c_str(), nullptr);
            if (!check(result)) return false;
        }
        return true;
    }
    bool close() override {
        const ScopedFastDeflate fast;  // the sheets are compressed here
        const lxw_error result = workbook_close(book_);
        book_ = nullptr;
        return check(result);
    }

  private:
    bool check(lxw_error result) {
        if (result == LXW_NO_ERROR) return true;
        error = lxw_strerror(result);
        return false;
    }
    lxw_workbook* book_ = nullptr;
    lxw_worksheet* sheet_ = nullptr;
};

}  // namespace

// ---- the export ----

RecordExport::RecordExport(const RecordExportSource& source, StampFormatter formatter)
    : source_(source), formatter_(std::move(formatter)) {}

RecordExport::~RecordExport() {
    discard();
}

std::size_t RecordExport::total() const {
    return source_.sampleCount();
}

bool RecordExport::fail(UiText message) {
    error_ = std::move(message);
    sheet_.reset();
    discard();
    return false;
}

bool RecordExport::begin(const std::string& path, ExportFormat format) {
    discard();
    path_ = path;
    next_ = 0;
    finished_ = false;
    error_ = {};
    std::string reason;
    temp_ = CreateTempFileBeside(path, reason);
    if (temp_.empty()) return fail(reason);
    if (format == ExportFormat::Csv) {
        auto csv = std::make_unique<CsvSheet>(temp_);
        if (!csv->ok()) return fail(csv->error);
        sheet_ = std::move(csv);
    } else {
        auto xlsx = std::make_unique<XlsxSheet>(temp_);
        if (!xlsx->ok()) return fail(xlsx->error);
        sheet_ = std::move(xlsx);
    }
    if (!sheet_->heading(ExportHeadings(source_))) return fail(sheet_->error);
    return true;
}

bool RecordExport::writeRows(std::size_t rows) {
    if (!sheet_) return false;
    const std::size_t end = std::min(total(), next_ + rows);
    float values[kExportChannels];
    for (; next_ < end; ++next_) {
        for (int c = 0; c < kExportChannels; ++c) values[c] = source_.value(next_, c);
        if (!sheet_->row(next_, formatter_(source_.stamp(next_)), values)) return fail(sheet_->error);
    }
    return true;
}

bool RecordExport::finish() {
    if (!writeRows(total())) return false;
    if (!sheet_->close()) return fail(sheet_->error);
    sheet_.reset();
    finished_ = true;
    return true;
}

bool RecordExport::commit() {
    if (!finished_ && !finish()) return false;
    std::string error;
    const bool replaced = ReplaceWithTempFile(temp_, path_, error);
    temp_.clear();
    if (!replaced) return fail(error);
    return true;
}

void RecordExport::discard() {
    sheet_.reset();
    if (!temp_.empty()) std::remove(temp_.c_str());
    temp_.clear();
    finished_ = false;
}

bool ExportRecord(const RecordExportSource& source, const StampFormatter& formatter, const std::string& path,
                  UiText& error) {
    RecordExport job(source, formatter);
    const bool ok = job.begin(path, ExportFormatForPath(path)) && job.commit();
    error = job.error();
    return ok;
}

}  // namespace lxv
