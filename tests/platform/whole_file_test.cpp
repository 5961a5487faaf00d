// Writing a file whole: the new content replaces the old only when complete;
// any failure leaves the old file as it was and no temporary file behind.
#include "platform/whole_file.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace lxv {
namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

int Entries(const fs::path& folder) {
    int n = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(folder)) ++n;
    return n;
}

struct WholeFile : ::testing::Test {
    QTemporaryDir dir;
    fs::path folder{dir.path().toStdString()};
    std::string target = (folder / "out.csv").string();
    std::string error;
    void SetUp() override { std::ofstream(target) << "old\n"; }
};

TEST_F(WholeFile, ReplacesTheOldFileOnlyWhenTheNewOneIsComplete) {
    EXPECT_TRUE(WriteTextFileWhole(target, "a,b\n1,2\n", error)) << error;
    EXPECT_EQ(Read(target), "a,b\n1,2\n");
    EXPECT_EQ(Entries(folder), 1);
    // A writer that fails half way: the old file stays, the half-written one goes.
    std::string seen;
    const bool written = WriteFileWhole(
        target,
        [&seen](const std::string& temp, std::string& reason) {
            std::ofstream(temp) << "cut";
            seen = temp;
            reason = "out.csv: No space left on device";
            return false;
        },
        error);
    EXPECT_FALSE(written);
    EXPECT_EQ(error, "out.csv: No space left on device");
    EXPECT_EQ(fs::path(seen).parent_path(), folder);  // beside the target: a rename, never a copy
    EXPECT_EQ(Read(target), "a,b\n1,2\n");
    EXPECT_EQ(Entries(folder), 1);
}

TEST_F(WholeFile, AFolderInTheWayOrMissingIsToldAndTouchesNothing) {
    const fs::path taken = folder / "taken.csv";
    fs::create_directory(taken);
    std::ofstream(taken / "inside") << "keep";
    EXPECT_FALSE(WriteTextFileWhole(taken.string(), "x", error));
    EXPECT_EQ(error.rfind(taken.string() + ": ", 0), 0u) << error;
    EXPECT_EQ(Read(taken / "inside"), "keep");
    EXPECT_FALSE(CanWriteBeside(taken.string(), "it is a folder, not a file", error));
    EXPECT_EQ(error, taken.string() + ": it is a folder, not a file");
    EXPECT_EQ(Entries(folder), 2);  // out.csv and the folder: no temporary file left

    const std::string nowhere = (folder / "missing" / "out.csv").string();
    EXPECT_FALSE(WriteTextFileWhole(nowhere, "x", error));
    EXPECT_EQ(error.rfind(nowhere + ": ", 0), 0u) << error;
    EXPECT_FALSE(CanWriteBeside(nowhere, "", error));
    EXPECT_TRUE(CanWriteBeside(target, "", error));
    EXPECT_EQ(Read(target), "old\n");
    EXPECT_EQ(Entries(folder), 2);
}

}  // namespace
}  // namespace lxv
