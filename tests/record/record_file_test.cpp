#include "record/record_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace lxv {
namespace {

namespace fs = std::filesystem;

class RecordFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("lxv-record-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string path(const char* name) const { return (dir_ / name).string(); }

    static void WriteBytes(const std::string& p, const std::vector<std::uint8_t>& bytes) {
        std::ofstream(p, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    static std::vector<std::uint8_t> ReadBytes(const std::string& p) {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    // A recording of n samples: CH c of sample i = i + c / 10, stamp = 46000 + i.
    static RecordData Recording(int n) {
        RecordData d;
        d.allocate(kMaxSamples);
        d.codes = {0, 1, 2, 3, 4, 12};
        d.stepIndex = 11;
        for (int i = 0; i < n; ++i) {
            for (int c = 0; c < kRecordChannels; ++c) d.channels[c][i] = static_cast<float>(i) + c / 10.0f;
            d.stamps[i] = 46000.0 + i;
        }
        d.count = n;
        return d;
    }

    fs::path dir_;
};

// One record written out byte by byte at the documented offsets.
TEST_F(RecordFileTest, ReadsARecordWrittenOutByHand) {
    std::vector<std::uint8_t> bytes(32016, 0);
    // CH1 slot 0 = 1.5f (0x3FC00000), CH6 slot 999 = -2.0f (0xC0000000), stamp 1 = 45000.5.
    const std::uint8_t one5[4] = {0x00, 0x00, 0xC0, 0x3F};
    std::memcpy(&bytes[0], one5, 4);
    const std::uint8_t minus2[4] = {0x00, 0x00, 0x00, 0xC0};
    std::memcpy(&bytes[20000 + 4 * 999], minus2, 4);
    const std::uint8_t stamp[8] = {0x00, 0x00, 0x00, 0x00, 0x10, 0xF9, 0xE5, 0x40};  // 45000.5
    std::memcpy(&bytes[24000 + 8], stamp, 8);
    const std::uint8_t codes[6] = {0, 1, 2, 7, 9, 200};
    std::memcpy(&bytes[32000], codes, 6);
    bytes[32006] = 4;
    const std::uint8_t total[4] = {0xE8, 0x03, 0x00, 0x00};  // 1000
    std::memcpy(&bytes[32008], total, 4);
    WriteBytes(path("hand.lxr"), bytes);

    RecordData d;
    const RecordFileRead r = ReadRecordFile(path("hand.lxr"), d);
    ASSERT_EQ(r.error, "");
    EXPECT_EQ(r.records, 1);
    EXPECT_EQ(d.count, 1000);
    EXPECT_EQ(d.channels[0][0], 1.5f);
    EXPECT_EQ(d.channels[5][999], -2.0f);
    EXPECT_EQ(d.stamps[1], 45000.5);
    EXPECT_EQ(d.codes, (std::array<std::uint8_t, 6>{0, 1, 2, 7, 9, 200}));
    EXPECT_EQ(d.stepIndex, 4);

    // The writer's record puts the same fields at the same bytes.
    RecordBlock block;
    RecordData src = d;
    FillRecordBlock(src, 0, block);
    EXPECT_EQ(0, std::memcmp(block.data(), bytes.data(), 32016));
}

TEST_F(RecordFileTest, RefusesFilesThatCannotBeShownAndKeepsTheView) {
    auto file = [](int records, std::int32_t lastTotal, std::size_t extra) {
        std::vector<std::uint8_t> b(static_cast<std::size_t>(records) * kRecordBlockSize + extra, 0);
        if (records > 0)
            WriteU32LE(&b[(records - 1) * kRecordBlockSize + 32008], static_cast<std::uint32_t>(lastTotal));
        return b;
    };
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
        const char* reason;  // empty: accepted
        int count;
        std::size_t ignored;
    };
    const Case cases[] = {
        {"empty", {}, "The file is empty.", 0, 0},
        {"stub", std::vector<std::uint8_t>(100, 0), "The file holds no whole record.", 0, 0},
        {"too many", file(451, 1000, 0), "It holds 451 records; at most 450 can be shown.", 0, 0},
        {"never saved", file(1, 0, 0), "Its sample count 0 is outside 1 to 2000.", 0, 0},
        {"negative", file(2, -5, 0), "Its sample count -5 is outside 1 to 3000.", 0, 0},
        // More than one record beyond the file: no cut-short save explains it.
        {"beyond one append", file(2, 3001, 0), "Its sample count 3001 is outside 1 to 3000.", 0, 0},
        {"beyond limit", file(450, 450001, 0), "Its sample count 450001 is outside 1 to 450000.", 0, 0},
        {"one sample", file(1, 1, 0), "", 1, 0},
        {"one append lost", file(2, 3000, 0), "", 2000, 0},
        {"full", file(450, 450000, 0), "", 450000, 0},
        {"junk after records", file(2, 1500, 7000), "", 1500, 7000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string p = path("case.lxr");
        WriteBytes(p, c.bytes);
        RecordData d = Recording(3);
        const RecordFileRead r = ReadRecordFile(p, d);
        if (*c.reason) {
            EXPECT_EQ(r.error, "Cannot show record file \"" + p + "\". " + c.reason);
            EXPECT_EQ(d.count, 3);
            EXPECT_EQ(d.channels[2][2], 2.2f);
        } else {
            EXPECT_EQ(r.error, "");
            EXPECT_EQ(d.count, c.count);
            EXPECT_EQ(r.ignoredBytes, c.ignored);
        }
    }
    RecordData d;
    EXPECT_EQ(ReadRecordFile(path("missing.lxr"), d).error,
              "Cannot open file \"" + path("missing.lxr") + "\". No such file or directory");
    EXPECT_EQ(IgnoredBytesText(7000), "Ignored 7000 bytes at the end (an incomplete record)");
    EXPECT_EQ(IgnoredBytesText(0), "");
}

// Files left by a save that was cut short (the program killed, the power gone)
// at a byte of its writes, made from the real writer's bytes: the bytes before
// and after the save, joined where the writes stopped. Writes go in order (the
// last record rewritten, then each new one appended), so a file killed after
// k bytes holds the new bytes up to there and the old ones after. A write is
// torn between pages, never inside the 4-byte-aligned count, so the tears
// inside a record's trailer fall just before or after the count.
TEST_F(RecordFileTest, CutShortSavesOpenWithEverySampleOfTheWholeRecords) {
    constexpr std::size_t S = kRecordBlockSize, kAll = ~std::size_t{0};
    struct Case {
        const char* name;
        std::vector<int> saves;  // counts saved in turn; the last save is the one cut short
        std::size_t kept;        // bytes of the last save's writes that reached the file
        std::size_t cutAt;       // the file cut to this length afterwards (a copy cut short)
        std::size_t junk;        // bytes of junk after it
        int count;               // samples read
        int stated;              // the last whole record's count
    };
    const Case cases[] = {
        {"999: rewrite torn before its count", {990, 999}, 32008, kAll, 0, 990, 990},
        {"999: rewrite torn after its count", {990, 999}, 32012, kAll, 0, 999, 999},
        {"1000: rewritten, append not begun", {990, 1000}, S, kAll, 0, 1000, 1000},
        {"1000: append cut", {990, 1000}, S + 20000, kAll, 0, 1000, 1000},
        {"1000: saved", {990, 1000}, kAll, kAll, 0, 1000, 1000},
        {"1001: rewrite torn at its first byte", {995, 1001}, 1, kAll, 0, 995, 995},
        {"1001: rewrite torn in the values", {995, 1001}, 4000, kAll, 0, 995, 995},
        {"1001: rewritten, append not begun", {995, 1001}, S, kAll, 0, 1000, 1001},
        {"1001: append cut in the values", {995, 1001}, S + 100, kAll, 0, 1000, 1001},
        {"1001: append cut before its count", {995, 1001}, S + 32008, kAll, 0, 1000, 1001},
        {"1001: saved", {995, 1001}, kAll, kAll, 0, 1001, 1001},
        {"1999: rewrite torn", {1990, 1999}, 16000, kAll, 0, 1990, 1990},
        {"1999: saved", {1990, 1999}, kAll, kAll, 0, 1999, 1999},
        // After failed saves one save writes several records; each leaves a file that opens.
        {"three records: cut after the first", {500, 2500}, S + 10, kAll, 0, 1000, 2000},
        {"three records: cut after the second", {500, 2500}, 2 * S + 10, kAll, 0, 2000, 2500},
        {"three records: saved", {500, 2500}, kAll, kAll, 0, 2500, 2500},
        {"cut inside the last record", {1010, 1500}, kAll, S + 5000, 0, 1000, 1010},
        {"junk after whole records", {1010, 1500}, kAll, kAll, 7000, 1500, 1500},
    };
    const RecordData live = Recording(3000);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string p = path("torn.lxr");
        RecordFileWriter w;
        RecordData d = live;
        d.count = 0;
        ASSERT_EQ(w.create(p, d), "");
        std::vector<std::uint8_t> before = ReadBytes(p);
        std::size_t start = 0;  // where the last save's writes begin: the record it rewrites
        for (int n : c.saves) {
            before = ReadBytes(p);
            start = static_cast<std::size_t>(w.records() - 1) * S;
            d.count = n;
            ASSERT_EQ(w.save(d), "");
        }
        const std::vector<std::uint8_t> after = ReadBytes(p);
        const std::size_t written = after.size() - start;  // the last save's writes, all of them
        std::vector<std::uint8_t> file(after.begin(), after.begin() + start + std::min(written, c.kept));
        if (file.size() < before.size()) file.insert(file.end(), before.begin() + file.size(), before.end());
        if (c.cutAt != kAll) file.resize(c.cutAt);
        file.resize(file.size() + c.junk, 0xA5);
        WriteBytes(p, file);

        RecordData back;
        const RecordFileRead r = ReadRecordFile(p, back);
        ASSERT_EQ(r.error, "");
        EXPECT_EQ(back.count, c.count);
        EXPECT_EQ(r.statedSamples, c.stated);
        EXPECT_EQ(r.cutShort(), c.stated > c.count);
        for (int i = 0; i < back.count; ++i) {
            ASSERT_EQ(back.channels[5][i], live.channels[5][i]) << i;
            ASSERT_EQ(back.stamps[i], live.stamps[i]) << i;
        }
        if (r.cutShort())
            EXPECT_EQ(ReadNoteText(r), "Recovered " + std::to_string(c.count) + " of " +
                                           std::to_string(c.stated) +
                                           " samples: the file was cut short during a save");
        else
            EXPECT_EQ(ReadNoteText(r), IgnoredBytesText(r.ignoredBytes));
    }
}

TEST_F(RecordFileTest, CreateWritesOneEmptyRecordWithCodesAndStep) {
    RecordFileWriter w;
    RecordData d = Recording(0);
    ASSERT_EQ(w.create(path("new.lxr"), d), "");
    const auto bytes = ReadBytes(path("new.lxr"));
    ASSERT_EQ(bytes.size(), kRecordBlockSize);
    std::vector<std::uint8_t> expected(kRecordBlockSize, 0);
    const std::uint8_t tail[] = {0, 1, 2, 3, 4, 12, 11};
    std::memcpy(&expected[32000], tail, sizeof tail);
    EXPECT_EQ(bytes, expected);
    EXPECT_NE(w.create(dir_.string() + "/no/such/dir.lxr", d), "");
    EXPECT_FALSE(w.active());
}

// Saves across block boundaries, also several at once (after failed saves), and at the limit.
TEST_F(RecordFileTest, SavesKeepTheFileEqualToTheRecording) {
    struct Step {
        int count;
        int records;
    };
    const Step steps[] = {{0, 1},    {999, 1},  {1000, 2},     {1001, 2},
                          {1060, 2}, {3500, 4}, {449999, 450}, {450000, 450}};
    RecordData live = Recording(kMaxSamples);
    RecordFileWriter w;
    live.count = 0;
    ASSERT_EQ(w.create(path("rec.lxr"), live), "");
    for (const Step& s : steps) {
        SCOPED_TRACE(s.count);
        live.count = s.count;
        ASSERT_EQ(w.save(live), "");
        EXPECT_EQ(fs::file_size(path("rec.lxr")), s.records * kRecordBlockSize);
        if (s.count == 0) {
            continue;
        }
        RecordData back;
        ASSERT_EQ(ReadRecordFile(path("rec.lxr"), back).error, "");
        ASSERT_EQ(back.count, s.count);
        for (int i : {0, s.count / 2, s.count - 1}) {
            EXPECT_EQ(back.channels[5][i], live.channels[5][i]);
            EXPECT_EQ(back.stamps[i], live.stamps[i]);
        }
        // The last record carries the count of the save; its slots beyond it are 0.
        const auto bytes = ReadBytes(path("rec.lxr"));
        const std::size_t lastRecord = static_cast<std::size_t>(s.records - 1) * kRecordBlockSize;
        EXPECT_EQ(ReadU32LE(&bytes[lastRecord + 32008]), static_cast<std::uint32_t>(s.count));
        if (s.count < kMaxSamples) {
            EXPECT_EQ(ReadF64LE(&bytes[lastRecord + 24000 + 8 * (s.count % 1000)]), 0.0);
        }
    }
}

TEST_F(RecordFileTest, AFailedSaveIsRepeatedInFullByTheNextOne) {
    RecordData live = Recording(2500);
    RecordFileWriter w;
    live.count = 10;
    ASSERT_EQ(w.create(path("rec.lxr"), live), "");
    ASSERT_EQ(w.save(live), "");
    fs::remove(path("rec.lxr"));
    live.count = 2500;
    EXPECT_EQ(w.save(live), "Cannot open file \"" + path("rec.lxr") + "\". No such file or directory");
    EXPECT_FALSE(fs::exists(path("rec.lxr")));  // not silently made anew
    WriteBytes(path("rec.lxr"), {});            // the user puts a file back
    ASSERT_EQ(w.save(live), "");
    RecordData back;
    ASSERT_EQ(ReadRecordFile(path("rec.lxr"), back).error, "");
    EXPECT_EQ(back.count, 2500);
    EXPECT_EQ(back.channels[0][1234], 1234.0f);
}

TEST(RecordStamps, CivilDatesRoundTrip) {
    struct Case {
        int y, mo, d, h, mi, s;
        double stamp;
    };
    const Case cases[] = {
        {1899, 12, 30, 0, 0, 0, 0.0},
        {1900, 1, 1, 6, 0, 0, 2.25},
        {2026, 12, 9, 12, 0, 0, 46365.5},
        {1899, 12, 29, 6, 0, 0, -1.25},
        {2000, 2, 29, 23, 59, 59, 36585.0 + 86399.0 / 86400.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stamp);
        EXPECT_NEAR(CivilToStamp(c.y, c.mo, c.d, c.h, c.mi, c.s), c.stamp, 1e-9);
        const CivilTime t = StampToCivil(c.stamp);
        ASSERT_TRUE(t.valid);
        EXPECT_EQ((std::array<int, 6>{t.year, t.month, t.day, t.hour, t.minute, t.second}),
                  (std::array<int, 6>{c.y, c.mo, c.d, c.h, c.mi, c.s}));
    }
    for (double bad : {std::nan(""), 1e300, -1e7}) EXPECT_FALSE(StampToCivil(bad).valid);
}

}  // namespace
}  // namespace lxv
