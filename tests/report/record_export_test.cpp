// The spreadsheet export: cells of the xlsx (read back with unzip) and of the
// CSV, the temporary file and its rename or removal, failures that leave no file.
#include "record/record_export.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "record/fast_deflate.h"
#include "tests/report/export_fixture.h"

namespace lxv::test {
namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string SheetXml(const fs::path& xlsx) {
    std::string xml;
    std::FILE* pipe = ::popen(("unzip -p '" + xlsx.string() + "' xl/worksheets/sheet1.xml").c_str(), "r");
    if (!pipe) return xml;
    char buf[4096];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, pipe)) > 0;) xml.append(buf, n);
    ::pclose(pipe);
    return xml;
}

int CountOf(const std::string& text, const std::string& part) {
    int n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

TEST(SingleText, ShortestTextOfTheSingle) {
    EXPECT_EQ(SingleText(0.1f), "0.1");
    EXPECT_EQ(SingleText(-2.5f), "-2.5");
    EXPECT_EQ(SingleText(230.0f), "230");
    EXPECT_EQ(SingleText(-0.0f), "0");
    EXPECT_EQ(std::stof(SingleText(1e-5f)), 1e-5f);
    EXPECT_EQ(SingleText(std::numeric_limits<float>::infinity()), "INF");
}

class RecordExportTest : public ::testing::Test {
  protected:
    TempFolder folder;
    FakeRecording recording = FakeRecording::Ramp(3);
    StampFormatter stamps = [](double s) { return "day " + SingleText(static_cast<float>(s)); };
};

TEST_F(RecordExportTest, CsvHoldsHeadingAndOneRowPerSample) {
    recording.labels[4] = "Temperature 2";
    recording.values[1][4] = 0.1f;
    UiText error;
    const fs::path out = folder.path / "out.csv";
    ASSERT_TRUE(ExportRecord(recording, stamps, out.string(), error)) << error;
    EXPECT_EQ(Slurp(out),
              "Recording time,CH1:Voltage,CH2:Current,CH3:Power,CH4:Apparent power,CH5:Temperature "
              "2,CH6:Frequency\r\n"
              "day 45000,0,1,2,3,4,5\r\n"
              "day 45000.5,10,11,12,13,0.1,15\r\n"
              "day 45001,20,21,22,23,24,25\r\n");
    EXPECT_EQ(folder.entries(), 1);  // no temporary file left
}

TEST_F(RecordExportTest, CsvQuotesStampsWithCommas) {
    stamps = [](double) { return std::string("9 Dec 2025, \"noon\""); };
    recording = FakeRecording::Ramp(1);
    UiText error;
    ASSERT_TRUE(ExportRecord(recording, stamps, (folder.path / "q.csv").string(), error));
    EXPECT_NE(Slurp(folder.path / "q.csv").find("\"9 Dec 2025, \"\"noon\"\"\",0,1"), std::string::npos);
}

TEST_F(RecordExportTest, XlsxCellsReadBack) {
    recording.values[2][0] = -1.5f;
    UiText error;
    const fs::path out = folder.path / "out.xlsx";
    ASSERT_TRUE(ExportRecord(recording, stamps, out.string(), error)) << error;
    const std::string xml = SheetXml(out);
    ASSERT_FALSE(xml.empty());
    EXPECT_NE(xml.find("<c r=\"A1\" t=\"inlineStr\"><is><t>Recording time</t></is></c>"), std::string::npos);
    EXPECT_NE(xml.find("<t>CH1:Voltage</t>"), std::string::npos);
    EXPECT_NE(xml.find("<t>CH6:Frequency</t>"), std::string::npos);
    EXPECT_NE(xml.find("<c r=\"A3\" t=\"inlineStr\"><is><t>day 45000.5</t></is></c>"), std::string::npos);
    EXPECT_NE(xml.find("<c r=\"B4\"><v>-1.5</v></c>"), std::string::npos);
    EXPECT_NE(xml.find("<c r=\"G4\"><v>25</v></c>"), std::string::npos);
    EXPECT_EQ(CountOf(xml, "<row "), 4);  // heading and three samples, nothing else
    EXPECT_EQ(folder.entries(), 1);
}

TEST_F(RecordExportTest, OneSampleGivesTwoRows) {
    recording = FakeRecording::Ramp(1);
    UiText error;
    ASSERT_TRUE(ExportRecord(recording, stamps, (folder.path / "one.xlsx").string(), error));
    EXPECT_EQ(CountOf(SheetXml(folder.path / "one.xlsx"), "<row "), 2);
}

TEST_F(RecordExportTest, CommitReplacesAnExistingFileAndDiscardLeavesItAlone) {
    for (bool keep : {false, true}) {
        const fs::path out = folder.path / "kept.csv";
        std::ofstream(out) << "old";
        RecordExport job(recording, stamps);
        ASSERT_TRUE(job.begin(out.string(), ExportFormat::Csv));
        ASSERT_TRUE(job.finish());
        EXPECT_TRUE(fs::exists(job.tempPath()));
        EXPECT_EQ(fs::path(job.tempPath()).parent_path(), folder.path);
        EXPECT_EQ(Slurp(out), "old");  // untouched until the answer
        if (keep)
            ASSERT_TRUE(job.commit());
        else
            job.discard();
        EXPECT_EQ(Slurp(out).substr(0, 3), keep ? "Rec" : "old");
        EXPECT_EQ(folder.entries(), 1);
    }
}

TEST_F(RecordExportTest, AnAbandonedExportLeavesNoFile) {
    {
        RecordExport job(recording, stamps);
        ASSERT_TRUE(job.begin((folder.path / "gone.xlsx").string(), ExportFormat::Xlsx));
        ASSERT_TRUE(job.writeRows(1));
        EXPECT_EQ(job.written(), 1u);
    }
    EXPECT_EQ(folder.entries(), 0);
}

TEST_F(RecordExportTest, UnwritableFolderFailsWithTheSystemsMessage) {
    for (const char* name : {"missing/out.csv", "missing/out.xlsx"}) {
        UiText error;
        EXPECT_FALSE(ExportRecord(recording, stamps, (folder.path / name).string(), error));
        EXPECT_NE(error.original().find("No such file or directory"), std::string::npos) << error;
        EXPECT_EQ(folder.entries(), 0);
    }
}

// The fast level holds inside its scope only: the same data compressed at level
// 9 comes out larger inside it, and as small as before once it is closed.
TEST(FastDeflate, LowersTheLevelInsideItsScopeOnly) {
    std::string text;
    for (int i = 0; i < 20000; ++i)
        text += "<c r=\"B" + std::to_string(i) + "\"><v>" + std::to_string(i % 977) + "</v></c>";
    auto compressedSize = [&] {
        z_stream z{};
        EXPECT_EQ(deflateInit2(&z, 9, Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY), Z_OK);
        std::vector<unsigned char> out(deflateBound(&z, text.size()));
        z.next_in = reinterpret_cast<Bytef*>(text.data());
        z.avail_in = static_cast<uInt>(text.size());
        z.next_out = out.data();
        z.avail_out = static_cast<uInt>(out.size());
        EXPECT_EQ(deflate(&z, Z_FINISH), Z_STREAM_END);
        deflateEnd(&z);
        return z.total_out;
    };
    const auto before = compressedSize();
    {
        const ScopedFastDeflate fast;
        EXPECT_TRUE(ScopedFastDeflate::active());
        EXPECT_GT(compressedSize(), before);
    }
    EXPECT_FALSE(ScopedFastDeflate::active());
    EXPECT_EQ(compressedSize(), before);
}

}  // namespace
}  // namespace lxv::test
