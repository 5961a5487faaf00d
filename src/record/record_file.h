// Recording: the record file (.lxr) and the arrays that hold a recording.
//
// A record file is a sequence of 32,016-byte records, no header, no trailer,
// little-endian. Record k holds samples k x 1000 .. k x 1000 + 999:
//   0      6 x 1000 singles   CH1..CH6 values (4000 bytes per channel)
//   24000  1000 doubles       time stamps: local days since 1899-12-30 00:00
//   32000  6 x u8             channel codes (RecordQuantity) at creation
//   32006  u8                 sampling-step index
//   32007  u8                 reserved (0)
//   32008  i32                TotalSamples of the recording when last written
//   32012  4 bytes            reserved (0)
// The TotalSamples of the last record counts; slots beyond it carry no data.
//
// Owns: the record layout (RecordBlock), RecordData (six channels and stamps),
// the reader with its refusal rules and the writer that keeps a file up to
// date with a recording. Depends on: link/byte_order.h, record_settings.h. No Qt.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "link/byte_order.h"
#include "platform/ui_text.h"
#include "record/record_settings.h"

namespace lxv {

inline constexpr std::size_t kRecordBlockSize = 32016;
inline constexpr int kSamplesPerRecord = 1000;
inline constexpr int kMaxRecords = 450;
inline constexpr int kMaxSamples = kMaxRecords * kSamplesPerRecord;  // 450,000

namespace recoff {
inline constexpr std::size_t Channel1 = 0, ChannelStride = 4000, Stamps = 24000, Codes = 32000,
                             StepIndex = 32006, Reserved1 = 32007, TotalSamples = 32008, Reserved2 = 32012;
}

// One record, byte for byte, read and written by field.
class RecordBlock {
  public:
    std::uint8_t* data() { return bytes_.data(); }
    const std::uint8_t* data() const { return bytes_.data(); }

    float value(int channel, int slot) const { return ReadF32LE(bytes_.data() + valueOffset(channel, slot)); }
    void setValue(int channel, int slot, float v) {
        WriteF32LE(bytes_.data() + valueOffset(channel, slot), v);
    }
    double stamp(int slot) const { return ReadF64LE(bytes_.data() + stampOffset(slot)); }
    void setStamp(int slot, double v) { WriteF64LE(bytes_.data() + stampOffset(slot), v); }
    std::uint8_t code(int channel) const { return bytes_[recoff::Codes + static_cast<std::size_t>(channel)]; }
    void setCode(int channel, std::uint8_t c) {
        bytes_[recoff::Codes + static_cast<std::size_t>(channel)] = c;
    }
    std::uint8_t stepIndex() const { return bytes_[recoff::StepIndex]; }
    void setStepIndex(std::uint8_t s) { bytes_[recoff::StepIndex] = s; }
    std::int32_t totalSamples() const {
        return static_cast<std::int32_t>(ReadU32LE(bytes_.data() + recoff::TotalSamples));
    }
    void setTotalSamples(std::int32_t n) {
        WriteU32LE(bytes_.data() + recoff::TotalSamples, static_cast<std::uint32_t>(n));
    }
    void clear() { bytes_.fill(0); }

  private:
    static std::size_t valueOffset(int channel, int slot) {
        return recoff::Channel1 + recoff::ChannelStride * static_cast<std::size_t>(channel) +
               4 * static_cast<std::size_t>(slot);
    }
    static std::size_t stampOffset(int slot) { return recoff::Stamps + 8 * static_cast<std::size_t>(slot); }

    std::array<std::uint8_t, kRecordBlockSize> bytes_{};
};

// A recording in memory: the live recording (count = LiveCount) or an opened
// file (count = TotalSamples). Samples 0 .. count - 1 carry data.
struct RecordData {
    std::array<std::vector<float>, kRecordChannels> channels;
    std::vector<double> stamps;
    std::array<std::uint8_t, kRecordChannels> codes{};
    std::uint8_t stepIndex = 0;
    int count = 0;

    // Sizes every array to `capacity` samples of 0.
    void allocate(int capacity);
    int capacity() const { return static_cast<int>(stamps.size()); }
    int last() const { return count - 1; }  // newest sample's index
};

// Result of reading a record file.
struct RecordFileRead {
    UiText error;                  // not empty: refused, and the data were left as they were
    int records = 0;               // whole records read
    int statedSamples = 0;         // TotalSamples of the last whole record
    std::size_t ignoredBytes = 0;  // bytes of an incomplete record at the end
    // A save was cut short: the last whole record counts samples of a record
    // that never reached the disk whole; only the whole records' samples are read.
    bool cutShort() const { return error.empty() && statedSamples > records * kSamplesPerRecord; }
};

// Reads a record file into `data` (sized to its records x 1000 samples).
// An empty file, one of more than 450 records, or a last TotalSamples below 1
// or above min(450,000, records x 1000 + 1000) is refused with a message
// naming the file and the reason. A count above what the whole records hold,
// by at most one record, is what a save cut short between rewriting the last
// record and appending the next one leaves: every whole record is read and
// the count is records x 1000. A trailing incomplete record is ignored and counted.
RecordFileRead ReadRecordFile(const std::string& path, RecordData& data);
// The same on bytes in memory; `name` is the file's name in messages.
RecordFileRead ParseRecordFile(const std::uint8_t* bytes, std::size_t size, const std::string& name,
                               RecordData& data);
// Status text of a read that ignored bytes: "Ignored 123 bytes at the end (an
// incomplete record)"; empty when nothing was ignored.
UiText IgnoredBytesText(std::size_t ignoredBytes);
// What the viewer says about a read beyond "Inspection": the samples
// recovered from a cut-short file ("Recovered 1000 of 1012 samples: the file
// was cut short during a save"), else the ignored bytes, else nothing.
UiText ReadNoteText(const RecordFileRead& read);

// Number of records a recording of n samples fills: n div 1000 + 1, at most 450.
int RecordsFor(int samples);

// Fills `block` with record `index` of `data`: the slots of samples below
// data.count, 0 beyond; TotalSamples := data.count, but at most one record
// beyond this one (records index + 2 x 1000); the codes and step index.
void FillRecordBlock(const RecordData& data, int index, RecordBlock& block);

// Keeps one record file equal to a recording. Each record goes out with one
// write at its place and is flushed to the disk; the file is reopened for each
// save, so a removed file shows as an error instead of writes into nothing.
class RecordFileWriter {
  public:
    // Creates (or truncates) the file and writes its first record: no samples,
    // TotalSamples 0, the codes and step index of `data`. Empty string on
    // success; on failure the writer keeps no file.
    UiText create(const std::string& path, const RecordData& data);
    // Brings the file up to date: rewrites its last record and appends every
    // record begun since, in this order, each filled by FillRecordBlock (a save
    // after failed ones may write several records), so a save cut short after
    // any of its writes leaves a file that reads with every sample of the
    // records written whole.
    // A failure leaves the writer where it was, so the next save writes the
    // same records again.
    UiText save(const RecordData& data);
    // Forgets the file.
    void close();

    bool active() const { return !path_.empty(); }
    const std::string& path() const { return path_; }
    int records() const { return records_; }  // records written so far

  private:
    std::string path_;
    int records_ = 0;
    RecordBlock block_;
};

// ---- time stamps ----

// Days since 1899-12-30 00:00 of the local date and time now (fraction = time of day).
double LocalNowStamp();

struct CivilTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millisecond = 0;
    bool valid = false;  // false for NaN, infinities and dates outside years 1..9999
};
// Date and time of a stamp (days since 1899-12-30; the fraction is the time of day).
CivilTime StampToCivil(double stamp);
// The stamp of a date and time (inverse of StampToCivil).
double CivilToStamp(int year, int month, int day, int hour, int minute, int second, int millisecond = 0);

}  // namespace lxv
