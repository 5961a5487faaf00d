#include "record/record_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>

namespace lxv {

namespace {

UiText FileError(const char* text, const std::string& path) {
    return UiText(text).arg(path).arg(std::strerror(errno));
}

constexpr const char* kCannotCreate = QT_TRANSLATE_NOOP("lxv", "Cannot create file \"%1\". %2");
constexpr const char* kCannotOpen = QT_TRANSLATE_NOOP("lxv", "Cannot open file \"%1\". %2");
constexpr const char* kCannotRead = QT_TRANSLATE_NOOP("lxv", "Cannot read file \"%1\". %2");
constexpr const char* kCannotWrite = QT_TRANSLATE_NOOP("lxv", "Cannot write file \"%1\". %2");

UiText TooManyRecords(const std::string& name, std::size_t records) {
    return UiText(QT_TRANSLATE_NOOP(
                      "lxv", "Cannot show record file \"%1\". It holds %2 records; at most %3 can be shown."))
        .arg(name)
        .arg(std::to_string(records))
        .arg(std::to_string(kMaxRecords));
}

class Fd {
  public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    // Closes now and reports a failure of the close (errno set).
    bool closeNow() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

  private:
    int fd_;
};

// One whole record at its place, then to the disk. Sets errno on failure.
bool WriteRecord(int fd, int index, const RecordBlock& block) {
    const off_t at = static_cast<off_t>(index) * static_cast<off_t>(kRecordBlockSize);
    const ssize_t n = ::pwrite(fd, block.data(), kRecordBlockSize, at);
    if (n != static_cast<ssize_t>(kRecordBlockSize)) {
        if (n >= 0) errno = ENOSPC;  // a short write: the disk is full
        return false;
    }
    return ::fdatasync(fd) == 0 || errno == EINVAL;  // EINVAL: a file that cannot be synced
}

// Days from 1970-01-01 of a civil date (proleptic Gregorian).
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, int& year, int& month, int& day) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long y = static_cast<long long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(y + (month <= 2));
}

const long long kEpochOffset = DaysFromCivil(1899, 12, 30);  // 1899-12-30 in days from 1970-01-01

}  // namespace

void RecordData::allocate(int capacity) {
    const auto size = static_cast<std::size_t>(std::max(capacity, 0));
    for (auto& channel : channels) channel.assign(size, 0.0f);
    stamps.assign(size, 0.0);
}

int RecordsFor(int samples) {
    return std::clamp(samples / kSamplesPerRecord + 1, 1, kMaxRecords);
}

void FillRecordBlock(const RecordData& data, int index, RecordBlock& block) {
    const int first = index * kSamplesPerRecord;
    const int filled = std::clamp(std::min(data.count, data.capacity()) - first, 0, kSamplesPerRecord);
    for (int c = 0; c < kRecordChannels; ++c) {
        for (int i = 0; i < filled; ++i) block.setValue(c, i, data.channels[c][first + i]);
        for (int i = filled; i < kSamplesPerRecord; ++i) block.setValue(c, i, 0.0f);
        block.setCode(c, data.codes[c]);
    }
    for (int i = 0; i < filled; ++i) block.setStamp(i, data.stamps[first + i]);
    for (int i = filled; i < kSamplesPerRecord; ++i) block.setStamp(i, 0.0);
    block.setStepIndex(data.stepIndex);
    block.data()[recoff::Reserved1] = 0;
    // Should a save end after this record, the file still reads: the count is at
    // most one record beyond what the file then holds.
    block.setTotalSamples(std::min(data.count, (index + 2) * kSamplesPerRecord));
    std::memset(block.data() + recoff::Reserved2, 0, 4);
}

RecordFileRead ParseRecordFile(const std::uint8_t* bytes, std::size_t size, const std::string& name,
                               RecordData& data) {
    RecordFileRead result;
    const std::size_t records = size / kRecordBlockSize;
    if (records == 0) {
        result.error =
            UiText(size == 0 ? QT_TRANSLATE_NOOP("lxv", "Cannot show record file \"%1\". The file is empty.")
                             : QT_TRANSLATE_NOOP(
                                   "lxv", "Cannot show record file \"%1\". The file holds no whole record."))
                .arg(name);
        return result;
    }
    if (records > static_cast<std::size_t>(kMaxRecords)) {
        result.error = TooManyRecords(name, records);
        return result;
    }
    const std::uint8_t* lastRecord = bytes + (records - 1) * kRecordBlockSize;
    const auto total = static_cast<std::int32_t>(ReadU32LE(lastRecord + recoff::TotalSamples));
    const int held = static_cast<int>(records) * kSamplesPerRecord;
    // One record more than the file holds: the next record's append never finished.
    const int most = std::min(kMaxSamples, held + kSamplesPerRecord);
    if (total < 1 || total > most) {
        result.error =
            UiText(QT_TRANSLATE_NOOP(
                       "lxv", "Cannot show record file \"%1\". Its sample count %2 is outside 1 to %3."))
                .arg(name)
                .arg(std::to_string(total))
                .arg(std::to_string(most));
        return result;
    }
    RecordData loaded;
    loaded.allocate(static_cast<int>(records) * kSamplesPerRecord);
    for (std::size_t k = 0; k < records; ++k) {
        const std::uint8_t* record = bytes + k * kRecordBlockSize;
        const std::size_t first = k * kSamplesPerRecord;
        for (int c = 0; c < kRecordChannels; ++c) {
            const std::uint8_t* p =
                record + recoff::Channel1 + recoff::ChannelStride * static_cast<std::size_t>(c);
            float* out = loaded.channels[c].data() + first;
            for (int i = 0; i < kSamplesPerRecord; ++i) out[i] = ReadF32LE(p + 4 * i);
        }
        double* stamps = loaded.stamps.data() + first;
        for (int i = 0; i < kSamplesPerRecord; ++i) stamps[i] = ReadF64LE(record + recoff::Stamps + 8 * i);
    }
    for (int c = 0; c < kRecordChannels; ++c) loaded.codes[c] = lastRecord[recoff::Codes + c];
    loaded.stepIndex = lastRecord[recoff::StepIndex];
    loaded.count = std::min(total, held);
    data = std::move(loaded);
    result.records = static_cast<int>(records);
    result.statedSamples = total;
    result.ignoredBytes = size % kRecordBlockSize;
    return result;
}

RecordFileRead ReadRecordFile(const std::string& path, RecordData& data) {
    RecordFileRead result;
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat st {};
    if (fd.get() < 0 || ::fstat(fd.get(), &st) != 0) {
        result.error = FileError(kCannotOpen, path);
        return result;
    }
    const auto size = static_cast<std::size_t>(st.st_size);
    // More than 450 whole records is refused without reading them.
    const std::size_t wanted = std::min(size, (kMaxRecords + 1) * kRecordBlockSize);
    std::vector<std::uint8_t> bytes(wanted);
    std::size_t got = 0;
    while (got < wanted) {
        const ssize_t n = ::read(fd.get(), bytes.data() + got, wanted - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            result.error = FileError(kCannotRead, path);
            return result;
        }
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    if (got < wanted) {
        result.error =
            UiText(QT_TRANSLATE_NOOP("lxv", "Cannot read file \"%1\". Read beyond end of file")).arg(path);
        return result;
    }
    if (size > wanted) {
        const std::size_t records = size / kRecordBlockSize;
        result.error = TooManyRecords(path, records);
        return result;
    }
    return ParseRecordFile(bytes.data(), bytes.size(), path, data);
}

UiText IgnoredBytesText(std::size_t ignoredBytes) {
    if (ignoredBytes == 0) return {};
    return UiText(QT_TRANSLATE_NOOP("lxv", "Ignored %1 bytes at the end (an incomplete record)"))
        .arg(std::to_string(ignoredBytes));
}

UiText ReadNoteText(const RecordFileRead& read) {
    if (read.cutShort())
        return UiText(QT_TRANSLATE_NOOP("lxv",
                                        "Recovered %1 of %2 samples: the file was cut short during a save"))
            .arg(std::to_string(read.records * kSamplesPerRecord))
            .arg(std::to_string(read.statedSamples));
    return IgnoredBytesText(read.ignoredBytes);
}

UiText RecordFileWriter::create(const std::string& path, const RecordData& data) {
    close();
    Fd fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (fd.get() < 0) return FileError(kCannotCreate, path);
    RecordData empty;
    empty.codes = data.codes;
    empty.stepIndex = data.stepIndex;
    FillRecordBlock(empty, 0, block_);
    if (!WriteRecord(fd.get(), 0, block_) || !fd.closeNow()) return FileError(kCannotWrite, path);
    path_ = path;
    records_ = 1;
    return {};
}

UiText RecordFileWriter::save(const RecordData& data) {
    if (!active()) return {};
    // Without O_CREAT: a file removed behind our back is an error, not a new empty file.
    Fd fd(::open(path_.c_str(), O_WRONLY | O_CLOEXEC));
    if (fd.get() < 0) return FileError(kCannotOpen, path_);
    const int wanted = RecordsFor(data.count);
    // The last record written is rewritten (it may have gained samples), then every later one.
    for (int k = std::max(records_ - 1, 0); k < wanted; ++k) {
        FillRecordBlock(data, k, block_);
        if (!WriteRecord(fd.get(), k, block_)) return FileError(kCannotWrite, path_);
        // Never count beyond what the file is known to hold.
        records_ = std::max(records_, k + 1);
    }
    if (!fd.closeNow()) return FileError(kCannotWrite, path_);
    return {};
}

void RecordFileWriter::close() {
    path_.clear();
    records_ = 0;
}

double LocalNowStamp() {
    timespec ts{};
    ::clock_gettime(CLOCK_REALTIME, &ts);
    std::tm local{};
    const std::time_t seconds = ts.tv_sec;
    ::localtime_r(&seconds, &local);
    return CivilToStamp(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                        local.tm_sec, static_cast<int>(ts.tv_nsec / 1000000));
}

double CivilToStamp(int year, int month, int day, int hour, int minute, int second, int millisecond) {
    const long long days =
        DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) - kEpochOffset;
    const double fraction = ((hour * 60.0 + minute) * 60.0 + second + millisecond / 1000.0) / 86400.0;
    return days >= 0 ? static_cast<double>(days) + fraction : static_cast<double>(days) - fraction;
}

CivilTime StampToCivil(double stamp) {
    CivilTime t;
    // Years 1..9999: days -693593 .. 2958465 around 1899-12-30.
    if (!std::isfinite(stamp) || stamp <= -693594.0 || stamp >= 2958466.0) return t;
    const double whole = std::trunc(stamp);
    long long ms = std::llround(std::fabs(stamp - whole) * 86400000.0);
    long long days = static_cast<long long>(whole);
    if (ms >= 86400000) {  // rounding reached the next day
        ms -= 86400000;
        days += stamp >= 0 ? 1 : -1;
    }
    CivilFromDays(days + kEpochOffset, t.year, t.month, t.day);
    t.hour = static_cast<int>(ms / 3600000);
    t.minute = static_cast<int>(ms / 60000 % 60);
    t.second = static_cast<int>(ms / 1000 % 60);
    t.millisecond = static_cast<int>(ms % 1000);
    t.valid = t.year >= 1 && t.year <= 9999;
    return t;
}

}  // namespace lxv
