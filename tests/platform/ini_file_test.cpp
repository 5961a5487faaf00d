// SysSet.ini access: names without regard to case, untouched neighbours,
// strict numbers, and several writers on one file.
#include "platform/ini_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/comma_locale.h"

namespace lxv {
namespace {

namespace fs = std::filesystem;

struct IniFixture : ::testing::Test {
    fs::path dir;
    std::string path;

    void SetUp() override {
        dir = fs::temp_directory_path() / ("lxv_ini_" + std::to_string(::getpid()) + "_" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        path = (dir / "SysSet.ini").string();
    }
    void TearDown() override { fs::remove_all(dir); }
    void put(const std::string& text) { std::ofstream(path, std::ios::binary) << text; }
    std::string text() const {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
};

TEST_F(IniFixture, NamesMatchWithoutRegardToCase) {
    put("[COMMPORT]\r\nPORT=5\r\n[commaddress]\r\naddress = 9\r\n");
    IniFile ini(path);
    EXPECT_EQ(ini.readInteger("CommPort", "Port", 2), 5);
    EXPECT_EQ(ini.readInteger("CommAddress", "Address", 2), 9);
    EXPECT_TRUE(ini.hasKey("commPORT", "port"));
    EXPECT_FALSE(ini.hasKey("CommPort", "Baudrate"));
    EXPECT_EQ(ini.readInteger("CommBaudrate", "Baudrate", 2), 2);
    EXPECT_EQ(ini.readString("CommPort", "Missing", "x"), "x");
    // Writing through another spelling changes the existing key, not a second one.
    ASSERT_TRUE(ini.writeInteger("commport", "port", 7));
    EXPECT_EQ(ini.readInteger("CommPort", "Port", 2), 7);
    const std::string t = text();
    EXPECT_EQ(t.find("port=7"), std::string::npos) << t;
    EXPECT_NE(t.find("PORT=7"), std::string::npos) << t;
}

TEST_F(IniFixture, WritingKeepsOtherSectionsKeysAndComments) {
    put("; written by the instrument's installer\n[RecordSet]\nItem0=3\nItem1=12\n[PrintInfo]\n"
        "Company=深圳市\n[CommPort]\nPort=2\nExtra=keep\n");
    IniFile ini(path);
    ASSERT_TRUE(ini.writeString("CommPort", "Port", "4"));
    ASSERT_TRUE(ini.writeString("CommBaudrate", "Baudrate", "7"));
    IniFile again(path);
    EXPECT_EQ(again.readString("RecordSet", "Item0", ""), "3");
    EXPECT_EQ(again.readString("RecordSet", "Item1", ""), "12");
    EXPECT_EQ(again.readString("PrintInfo", "Company", ""), "深圳市");
    EXPECT_EQ(again.readString("CommPort", "Extra", ""), "keep");
    EXPECT_EQ(again.readInteger("CommPort", "Port", 0), 4);
    EXPECT_EQ(again.readInteger("CommBaudrate", "Baudrate", 0), 7);
    EXPECT_NE(text().find("; written by the instrument's installer"), std::string::npos);
    EXPECT_FALSE(fs::exists(path + ".new"));
}

TEST_F(IniFixture, MissingFileReadsAsDefaultsAndIsCreatedOnWrite) {
    IniFile ini(path);
    EXPECT_EQ(ini.readInteger("CommPort", "Port", 2), 2);
    ASSERT_TRUE(ini.writeInteger("CommPort", "Port", -3));
    EXPECT_EQ(text(), "[CommPort]\nPort=-3\n");
}

TEST_F(IniFixture, TwoHoldersOfOneFileDoNotUndoEachOther) {
    IniFile a(path);
    IniFile b(path);
    ASSERT_TRUE(a.writeString("CommPort", "Port", "3"));
    ASSERT_TRUE(b.writeString("RecordSet", "Item0", "5"));  // b loaded the file before a wrote
    EXPECT_EQ(b.readString("CommPort", "Port", ""), "3");
    ASSERT_TRUE(a.writeString("CommAddress", "Address", "17"));
    EXPECT_EQ(a.readString("RecordSet", "Item0", ""), "5");
    EXPECT_EQ(b.readString("CommAddress", "Address", ""), "17");
    IniFile c(path);
    EXPECT_EQ(c.readString("CommPort", "Port", ""), "3");
    EXPECT_EQ(c.readString("RecordSet", "Item0", ""), "5");
    EXPECT_EQ(c.readString("CommAddress", "Address", ""), "17");
}

TEST_F(IniFixture, ReadingSeesAChangeMadeOnDisk) {
    put("[CommPort]\nPort=2\n");
    IniFile ini(path);
    EXPECT_EQ(ini.readInteger("CommPort", "Port", 0), 2);
    put("[CommPort]\nPort=12\n");  // another size, so seen even within one clock tick
    EXPECT_EQ(ini.readInteger("CommPort", "Port", 0), 12);
    fs::remove(path);
    EXPECT_EQ(ini.readInteger("CommPort", "Port", 0), 0);
}

// A failed write says why, with the system's reason, to the handler and in writeError();
// the file keeps what it held, and nothing is left beside it.
TEST_F(IniFixture, AFailedWriteTellsTheSystemsReasonAndKeepsTheFile) {
    struct Case {
        std::string path;
        const char* reason;
    };
    fs::create_directory(dir / "folder.ini");  // a folder of that name: renaming over it fails
    const Case cases[] = {
        {(dir / "no" / "SysSet.ini").string(), "No such file or directory"},
        {(dir / "folder.ini").string(), "Is a directory"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        IniFile ini(c.path);
        std::vector<std::string> told;
        ini.setWriteFailureHandler([&](const std::string& m) { told.push_back(m); });
        EXPECT_FALSE(ini.writeStrings("RecordSet", {{"Ch0", "1"}, {"Ch1", "4"}}));
        const std::string message = "Cannot write file \"" + c.path + "\". " + c.reason;
        EXPECT_EQ(ini.writeError(), message);
        EXPECT_EQ(told, std::vector<std::string>{message});
        EXPECT_EQ(ini.readString("RecordSet", "Ch0", "none"), "none");
        EXPECT_FALSE(fs::exists(c.path + ".new"));
    }
    // Several keys in one rewrite; a write that succeeds clears the message.
    put("[RecordSet]\nCh0=2\n[Other]\nKey=1\n");
    IniFile ini(path);
    EXPECT_TRUE(ini.writeStrings("RecordSet", {{"Ch0", "1"}, {"Ch1", "4"}}));
    EXPECT_EQ(ini.writeError(), "");
    const IniFile back(path);
    EXPECT_EQ(back.readString("RecordSet", "Ch0", "") + back.readString("RecordSet", "Ch1", "") +
                  back.readString("Other", "Key", ""),
              "141");
}

TEST_F(IniFixture, FileIsWrittenInPlaceWhenNoSiblingCanBeMade) {
    put("[CommPort]\nPort=2\n");
    fs::create_directory(path + ".new");  // the sibling name is taken (even root cannot write a folder)
    IniFile ini(path);
    EXPECT_TRUE(ini.writeString("CommPort", "Port", "3"));
    EXPECT_EQ(IniFile(path).readString("CommPort", "Port", ""), "3");
}

TEST_F(IniFixture, PresentValueThatIsNotANumberThrowsTheStandardMessage) {
    put("[CommPort]\nPort=abc\nEmpty=\nHex=0x10\nFloat=2.0\n");
    IniFile ini(path);
    try {
        ini.readInteger("CommPort", "Port", 2);
        FAIL() << "no conversion error";
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "'abc' is not a valid integer value");
    }
    EXPECT_THROW(ini.readInteger("CommPort", "Empty", 2), ConversionError);
    EXPECT_THROW(ini.readInteger("CommPort", "Hex", 2), ConversionError);
    EXPECT_THROW(ini.readInteger("CommPort", "Float", 2), ConversionError);
}

TEST(StrictConversion, Integers) {
    EXPECT_EQ(StrictToInt("42"), 42);
    EXPECT_EQ(StrictToInt(" -7 "), -7);
    EXPECT_EQ(StrictToInt("+0"), 0);
    EXPECT_EQ(StrictToInt("2147483647"), 2147483647);
    EXPECT_EQ(StrictToInt("-2147483648"), -2147483647 - 1);
    for (const char* bad : {"", " ", "+", "-", "1 2", "12a", "$1F", "0x1F", "1e3", "2147483648",
                            "-2147483649", "99999999999999999999", "１２"})
        EXPECT_THROW(StrictToInt(bad), ConversionError) << bad;
    EXPECT_EQ(InvalidIntegerMessage("12a"), "'12a' is not a valid integer value");
}

TEST(StrictConversion, Floats) {
    EXPECT_DOUBLE_EQ(StrictToDouble("1.5"), 1.5);
    EXPECT_DOUBLE_EQ(StrictToDouble("-.5"), -0.5);
    EXPECT_DOUBLE_EQ(StrictToDouble("5."), 5.0);
    EXPECT_DOUBLE_EQ(StrictToDouble("1E-5"), 1e-5);
    EXPECT_DOUBLE_EQ(StrictToDouble(" 2e+3 "), 2000.0);
    for (const char* bad :
         {"", ".", "1,5", "1.2.3", "e5", "1e", "1e+", "nan", "inf", "1e999", "0x1p3", "1.5x"})
        EXPECT_THROW(StrictToDouble(bad), ConversionError) << bad;
    try {
        StrictToDouble("1,5");
        FAIL();
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "'1,5' is not a valid floating point value");
    }
}

TEST(StrictConversion, PointUnderACommaLocale) {
    if (!test::UseCommaLocale())
        GTEST_SKIP() << "no de_DE locale could be made (localedef or locale data missing)";
    EXPECT_DOUBLE_EQ(StrictToDouble("1.5"), 1.5);
    EXPECT_DOUBLE_EQ(StrictToDouble("-2.25e1"), -22.5);
    EXPECT_THROW(StrictToDouble("1,5"), ConversionError);
    std::setlocale(LC_ALL, "C");
}

}  // namespace
}  // namespace lxv
