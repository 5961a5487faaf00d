// Start-up rules without windows: the command line, the stored chart colours
// and the lines of the test log.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "app/command_line.h"
#include "app/test_hooks.h"
#include "appearance/chart_colours.h"
#include "appearance/skins.h"
#include "link/registers.h"
#include "measure/measure_block.h"
#include "platform/ini_file.h"
#include "support/fake_serial_port.h"

namespace lxv {
namespace {

TEST(CommandLine, OnlyTheThreeSpellingsOfEachExtensionCount) {
    EXPECT_EQ(ParseCommandLine({"a.lxm"}).kind, StartFileKind::TestFile);
    EXPECT_EQ(ParseCommandLine({"a.LXM"}).kind, StartFileKind::TestFile);
    EXPECT_EQ(ParseCommandLine({"a.Lxm"}).kind, StartFileKind::TestFile);
    EXPECT_EQ(ParseCommandLine({"a.lxr"}).kind, StartFileKind::RecordFile);
    EXPECT_EQ(ParseCommandLine({"a.LXR"}).kind, StartFileKind::RecordFile);
    EXPECT_EQ(ParseCommandLine({"a.Lxr"}).kind, StartFileKind::RecordFile);
    for (const char* mixed : {"a.lXm", "a.LxM", "a.lxM", "a.LXm", "a.lXR", "a.lxR", "a.txt"}) {
        const StartFile s = ParseCommandLine({mixed});
        EXPECT_EQ(s.kind, StartFileKind::None) << mixed;
        EXPECT_TRUE(s.startedWithFile) << mixed;  // any parameter still counts as started with a file
    }
}

TEST(CommandLine, QuotesAndBlanksAroundTheNameAreStripped) {
    const StartFile quoted = ParseCommandLine({"\"/home/u/My Tests/run 1.lxm\""});
    EXPECT_EQ(quoted.kind, StartFileKind::TestFile);
    EXPECT_EQ(quoted.path, "/home/u/My Tests/run 1.lxm");
    const StartFile padded = ParseCommandLine({"  run.lxr  "});
    EXPECT_EQ(padded.kind, StartFileKind::RecordFile);
    EXPECT_EQ(padded.path, "run.lxr");
    // A name that ends in a quote inside is not stripped twice.
    EXPECT_EQ(ParseCommandLine({"\"a.lxm\"\""}).kind, StartFileKind::None);
}

TEST(CommandLine, NoParameterLeavesEverythingOff) {
    const StartFile none = ParseCommandLine({});
    EXPECT_FALSE(none.startedWithFile);
    EXPECT_EQ(none.kind, StartFileKind::None);
    EXPECT_TRUE(none.path.isEmpty());
}

struct ColourFixture : ::testing::Test {
    QTemporaryDir dir;
    IniFile ini{(dir.path() + "/SysSet.ini").toStdString()};
    ChartColours colours;
};

TEST_F(ColourFixture, FreshSettingsGiveGrayAndLightBlack) {
    LoadChartColours(ini, colours);
    EXPECT_EQ(colours.background, (Rgb{238, 238, 238}));
    EXPECT_EQ(colours.scale, (Rgb{170, 170, 170}));
}

TEST_F(ColourFixture, StoredChoicesAndOutOfRangeValues) {
    ini.writeString("wavesET", "WAVEBACKGROUND", "1");  // names match without regard to case
    ini.writeString("WaveSet", "ScaleColor", "3");
    LoadChartColours(ini, colours);
    EXPECT_EQ(colours.background, (Rgb{255, 255, 255}));
    EXPECT_EQ(colours.scale, (Rgb{0, 0, 0}));  // outside 0..2: stays black
}

TEST_F(ColourFixture, ATextThatIsNoNumberIsReportedAfterTheOtherColour) {
    ini.writeString("WaveSet", "WaveBackground", "grey");
    ini.writeString("WaveSet", "ScaleColor", "1");
    EXPECT_THROW(LoadChartColours(ini, colours), ConversionError);
    EXPECT_EQ(colours.background, (Rgb{0, 0, 0}));
    EXPECT_EQ(colours.scale, (Rgb{239, 239, 0}));
}

TEST(TestLogLines, BlockCrcAndSetupReplies) {
    MeasureRecord r;
    ResetMeasurement(r);
    const auto reply = test::WithCrc({r.data(), r.data() + kBlockSize});
    const QByteArray bytes(reinterpret_cast<const char*>(reply.data()), static_cast<qsizetype>(reply.size()));
    const QString line = TestHooks::ReplyLine(ReplyKind::MeasureBlock, bytes, MEAS);
    // The block's CRC is the reply's last two bytes, low byte first.
    EXPECT_EQ(line, QString("block %1").arg(reply[2530] | (reply[2531] << 8), 4, 16, QChar('0')));

    const auto setup = test::WithCrc(test::Hex("01 03 04 00 00 00 00"));
    const QByteArray setupBytes(reinterpret_cast<const char*>(setup.data()),
                                static_cast<qsizetype>(setup.size()));
    EXPECT_EQ(TestHooks::ReplyLine(ReplyKind::Ignored, setupBytes, SETUP), "setup");
    EXPECT_EQ(TestHooks::ReplyLine(ReplyKind::RegisterReply, setupBytes, SETUP), "setup");
    EXPECT_EQ(TestHooks::ReplyLine(ReplyKind::RegisterReply, setupBytes, AL1H), "");
    EXPECT_EQ(TestHooks::ReplyLine(ReplyKind::Damaged, setupBytes, SETUP), "");
}

}  // namespace
}  // namespace lxv
