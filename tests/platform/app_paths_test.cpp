// Where the settings files live and where data files are found.
#include "platform/app_paths.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace lxv {
namespace {

namespace fs = std::filesystem;

struct PathsFixture : ::testing::Test {
    fs::path root;
    void SetUp() override {
        root = fs::temp_directory_path() / ("lxv_paths_" + std::to_string(::getpid()));
        fs::remove_all(root);
        fs::create_directories(root / "bin");
        ::unsetenv("LXV_HOME");
        ::setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
        SetProgramFolder((root / "bin").string());
    }
    void TearDown() override {
        ::unsetenv("LXV_HOME");
        ::unsetenv("XDG_CONFIG_HOME");
        SetProgramFolder("");
        fs::remove_all(root);
    }
};

TEST_F(PathsFixture, SettingsBesideTheProgramUnlessLxvHomeSaysOtherwise) {
    EXPECT_EQ(SettingsFolder(), (root / "bin").string());
    EXPECT_EQ(SysSetPath(), (root / "bin" / "SysSet.ini").string());
    EXPECT_EQ(EnterInfoPath(), (root / "bin" / "EnterInfo.ini").string());
    ::setenv("LXV_HOME", (root / "home" / "demo").c_str(), 1);
    EXPECT_EQ(SysSetPath(), (root / "home" / "demo" / "SysSet.ini").string());
    EXPECT_TRUE(fs::is_directory(root / "home" / "demo"));  // made, so the first write succeeds
}

TEST_F(PathsFixture, UnwritableProgramFolderFallsBackToTheUserConfiguration) {
    SetProgramFolder((root / "not-there").string());
    EXPECT_EQ(SettingsFolder(), (root / "config" / "lxv7700").string());
    EXPECT_TRUE(fs::is_directory(root / "config" / "lxv7700"));
}

TEST_F(PathsFixture, DataFilesBesideTheProgramInWindowsSpelling) {
    fs::create_directories(root / "bin" / "PenData");
    fs::create_directories(root / "bin" / "PdfDoc");
    std::ofstream(root / "bin" / "PenData" / "green.dat") << "x";
    std::ofstream(root / "bin" / "PdfDoc" / "Handbook.pdf") << "x";
    EXPECT_EQ(DataFilePath("PenData\\green.dat"), (root / "bin" / "PenData" / "green.dat").string());
    EXPECT_EQ(DataFilePath("/PdfDoc/Handbook.pdf"), (root / "bin" / "PdfDoc" / "Handbook.pdf").string());
    // Not found anywhere: the place beside the program, never a path outside it.
    EXPECT_EQ(DataFilePath("/SkinsFile/09.ats"), (root / "bin" / "SkinsFile" / "09.ats").string());
}

TEST_F(PathsFixture, AnInstalledTreeIsKnownByItsShareFolderWhateverItsPrefix) {
    fs::create_directories(root / "share" / "lxv7700" / "SkinsFile");
    std::ofstream(root / "share" / "lxv7700" / "SkinsFile" / "02.ats") << "x";
    // A writable <prefix>/bin holds no settings, and data files come from <prefix>/share/lxv7700.
    EXPECT_EQ(SettingsFolder(), (root / "config" / "lxv7700").string());
    EXPECT_EQ(DataFilePath("SkinsFile\\02.ats"),
              (root / "share" / "lxv7700" / "SkinsFile" / "02.ats").string());
}

}  // namespace
}  // namespace lxv
