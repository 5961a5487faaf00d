// Test files: the whole 8052-byte record goes out and comes back unchanged,
// and a file that is short or cannot be opened changes nothing.
#include "cycle/test_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace lxv {
namespace {

namespace fs = std::filesystem;

class TestFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ =
            fs::temp_directory_path() /
            ("lxv_test_file_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string PathOf(const char* name) const { return (dir_ / name).string(); }

    static void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }

    // A record with a different byte in every position, reserved tail included.
    static MeasureRecord Patterned(std::uint8_t seed) {
        MeasureRecord r;
        for (std::size_t i = 0; i < kRecordSize; ++i) r.bytes()[i] = static_cast<std::uint8_t>(i * 7 + seed);
        return r;
    }

    fs::path dir_;
};

TEST_F(TestFileTest, RoundTripKeepsEveryByteIncludingTheReservedTail) {
    MeasureRecord saved = Patterned(3);
    saved.setScalar(Scalar::URMS, 230.5f);
    saved.bytes()[kRecordSize - 1] = 0xA5;  // reserved bytes travel too
    const std::string path = PathOf("TestFile.lxm");

    ASSERT_EQ(WriteTestFile(path, saved), "");
    EXPECT_EQ(fs::file_size(path), kRecordSize);

    MeasureRecord loaded;
    ASSERT_EQ(ReadTestFile(path, loaded), "");
    EXPECT_EQ(loaded.bytes(), saved.bytes());
    EXPECT_EQ(loaded.URMS(), 230.5f);

    // Saving onto an existing, longer file truncates it to one record.
    WriteBytes(path, std::vector<std::uint8_t>(20000, 0x11));
    ASSERT_EQ(WriteTestFile(path, saved), "");
    EXPECT_EQ(fs::file_size(path), kRecordSize);
}

TEST_F(TestFileTest, ShortFileChangesNothingAndReportsTheError) {
    const std::string path = PathOf("short.lxm");
    WriteBytes(path, std::vector<std::uint8_t>(100, 0xFF));

    MeasureRecord record = Patterned(9);
    const MeasureRecord before = record;
    const std::string error = ReadTestFile(path, record);
    EXPECT_NE(error.find("Read beyond end of file"), std::string::npos) << error;
    EXPECT_NE(error.find(path), std::string::npos) << error;
    EXPECT_EQ(record.bytes(), before.bytes());

    // One byte short of a record is still short.
    WriteBytes(path, std::vector<std::uint8_t>(kRecordSize - 1, 0xFF));
    EXPECT_NE(ReadTestFile(path, record), "");
    EXPECT_EQ(record.bytes(), before.bytes());
}

TEST_F(TestFileTest, MissingOrUnusablePathsReportTheError) {
    MeasureRecord record = Patterned(1);
    const MeasureRecord before = record;

    const std::string missing = PathOf("missing.lxm");
    EXPECT_EQ(ReadTestFile(missing, record),
              "Cannot open file \"" + missing + "\". No such file or directory");
    EXPECT_EQ(record.bytes(), before.bytes());

    const std::string unwritable = PathOf("no/such/folder/TestFile.lxm");
    const std::string error = WriteTestFile(unwritable, record);
    EXPECT_EQ(error, "Cannot create file \"" + unwritable + "\". No such file or directory");
    EXPECT_FALSE(fs::exists(unwritable));

    // A folder opens but cannot be read as a record.
    EXPECT_NE(ReadTestFile(dir_.string(), record), "");
    EXPECT_EQ(record.bytes(), before.bytes());
}

TEST_F(TestFileTest, LongerFileReadsOnlyTheFirstRecord) {
    const MeasureRecord first = Patterned(5);
    std::vector<std::uint8_t> bytes(first.bytes().begin(), first.bytes().end());
    bytes.resize(2 * kRecordSize + 17, 0xEE);
    const std::string path = PathOf("long.lxm");
    WriteBytes(path, bytes);

    MeasureRecord loaded;
    ASSERT_EQ(ReadTestFile(path, loaded), "");
    EXPECT_EQ(loaded.bytes(), first.bytes());
}

}  // namespace
}  // namespace lxv
