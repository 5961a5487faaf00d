// Start-up rules without windows: the command line, the stored chart colours
// and the lines of the test log.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "app/command_line.h"
#include "app/test_hooks.h"
#include "appearance/chart_colours.h"
#include "appearance/skins.h"
#include "cli/instrument_tasks.h"
#include "link/registers.h"
#include "core/measure_block.h"
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

TEST(CommandLine, OneTableForTheWindowAndEveryTask) {
    struct Case {
        QStringList arguments;
        std::string task;
        const char* error;  // a part of the error text; empty for none
    };
    const Case cases[] = {
        {{"--service", "a.lxm"}, kWindowTask, ""},
        {{"--help", "--bogus"}, kHelpTask, ""},
        {{"--report", "a.lxm", "b.pdf"}, "report", ""},
        {{"--measure", "--json", "--port", "com5", "--baud", "115200"}, "measure", ""},
        {{"--log=x.csv", "--count", "3", "--every", "0.5", "--harmonics", "--append", "--device",
          "/dev/ttyUSB0"},
         "log",
         ""},
        {{"--log"}, "log", "Missing value after '--log'"},
        {{"--log", "x", "--seconds", "abc"}, "log", "invalid value for --seconds: \"abc\""},
        {{"--log", "x", "--seconds", "-2"}, "log", "invalid value for --seconds"},
        {{"--log", "x", "--count", "0"}, "log", "invalid value for --count"},
        {{"--log", "x", "--count", "1.5"}, "log", "invalid value for --count"},
        {{"--log", "x", "--every", "nan"}, "log", "invalid value for --every"},
        {{"--log", "x", "--seconds", "5", "--count", "5"}, "log", "--seconds or --count"},
        {{"--measure", "--baud", "12345"}, "measure", "invalid value for --baud"},
        {{"--measure", "--port", "COM256"}, "measure", "invalid value for --port"},
        {{"--measure", "--port", "COM1", "--device", "/dev/x"}, "measure", "--port or --device"},
        {{"--measure", "--log", "x"}, "log", "one task at a time"},
        {{"--measure", "x.lxm"}, "measure", "unexpected argument"},
        {{"--json"}, kWindowTask, "--json goes with --measure"},
        {{"--port", "COM3"}, kWindowTask, "--port goes with --measure or --log"},
        {{"--log", "x", "--json"}, "log", "--json does not go with --log"},
        {{"--harmonic-test", "d", "--seconds", "20", "--rated-power", "150", "o.csv", "o.pdf", "--port",
          "COM4"},
         "harmonic-test",
         ""},
        {{"--harmonic-test", "E", "o.csv"}, "harmonic-test", "invalid value for --harmonic-test: \"E\""},
        {{"--harmonic-test", "A"}, "harmonic-test", "needs OUT.csv"},
        {{"--harmonic-test", "A", "a.csv", "b.pdf", "c"}, "harmonic-test", "unexpected argument \"c\""},
        {{"--harmonic-test", "A", "o.pdf", "o.csv"}, "harmonic-test", "OUT.csv comes before OUT.pdf"},
        {{"--harmonic-test", "A", "--seconds", "9.5", "o.csv"},
         "harmonic-test",
         "invalid value for --seconds"},
        {{"--harmonic-test", "A", "--seconds", "3601", "o.csv"},
         "harmonic-test",
         "invalid value for --seconds"},
        {{"--harmonic-test", "A", "--seconds", " ", "o.csv"}, "harmonic-test", "invalid value for --seconds"},
        {{"--harmonic-test", "A", "--rated-power", "100", "--nominal-voltage", "120", "--nominal-frequency",
          "60", "o.csv"},
         "harmonic-test",
         ""},
        {{"--harmonic-test", "A", "--nominal-voltage", "2000", "o.csv"},
         "harmonic-test",
         "invalid value for --nominal-voltage"},
        {{"--harmonic-test", "A", "--nominal-frequency", "fifty", "o.csv"},
         "harmonic-test",
         "invalid value for --nominal-frequency"},
        {{"--harmonic-test", "D", "--rated-power", "0", "o.csv"},
         "harmonic-test",
         "invalid value for --rated-power"},
        {{"--harmonic-test", "D", "--rated-power", "inf", "o.csv"},
         "harmonic-test",
         "invalid value for --rated-power"},
        {{"--harmonic-test", "D", "--count", "3", "o.csv"},
         "harmonic-test",
         "--count does not go with --harmonic-test"},
        {{"--log", "x", "--rated-power", "3"}, "log", "--rated-power does not go with --log"},
        {{"--harmonic-test", "D", "--log", "x"}, "harmonic-test", "one task at a time"},
        {{"--bogus", "a.lxm"}, kWindowTask, "Unknown option 'bogus'"},
        {{"-style", "fusion"}, kWindowTask, "Unknown option 'style'"},
    };
    for (const Case& c : cases) {
        const CommandLine line = ParseProgramArguments(c.arguments);
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        EXPECT_EQ(line.task, c.task);
        if (*c.error)
            EXPECT_TRUE(line.error.contains(c.error)) << line.error.toStdString();
        else
            EXPECT_TRUE(line.error.isEmpty()) << line.error.toStdString();
    }
    const CommandLine window = ParseProgramArguments({"--service", "a.lxm"});
    EXPECT_TRUE(window.service);
    EXPECT_EQ(window.start.kind, StartFileKind::TestFile);
    const CommandLine measure = ParseProgramArguments(cases[3].arguments);
    const MeasureOptions& measured = measure.optionsOf<MeasureOptions>();
    EXPECT_TRUE(measured.json);
    EXPECT_EQ(measured.port.port, 5);
    EXPECT_EQ(measured.port.baudIndex, 7);
    const LogOptions log = ParseProgramArguments(cases[4].arguments).optionsOf<LogOptions>();
    EXPECT_EQ(log.path, "x.csv");
    EXPECT_EQ(log.count, 3);
    EXPECT_EQ(log.every, 0.5);
    EXPECT_TRUE(log.harmonics && log.append);
    EXPECT_EQ(log.port.device, "/dev/ttyUSB0");
    EXPECT_EQ(log.port.baudIndex, -1);
    const Case* test = std::find_if(std::begin(cases), std::end(cases),
                                    [](const Case& c) { return c.task == "harmonic-test"; });
    const HarmonicTestOptions harmonic =
        ParseProgramArguments(test->arguments).optionsOf<HarmonicTestOptions>();
    EXPECT_EQ(harmonic.settings.emissionClass, EmissionClass::D);
    EXPECT_EQ(harmonic.settings.observationSeconds, 20.0);
    EXPECT_EQ(harmonic.settings.ratedPower, 150.0);
    EXPECT_EQ(harmonic.settings.nominalVoltage, 230.0);
    EXPECT_EQ(harmonic.csvPath, "o.csv");
    EXPECT_EQ(harmonic.pdfPath, "o.pdf");
    EXPECT_EQ(harmonic.port.port, 4);
    const HarmonicTestOptions defaults =
        ParseProgramArguments({"--harmonic-test", "a", "o.csv"}).optionsOf<HarmonicTestOptions>();
    EXPECT_EQ(defaults.settings.observationSeconds, 150.0);
    EXPECT_FALSE(defaults.settings.ratedPower.has_value());
    EXPECT_EQ(defaults.pdfPath, "");
    // Qt's own options go to QApplication, but never with a task.
    EXPECT_TRUE(ParseProgramArguments({"-style", "fusion", "a.lxm"}, true).qtOptions);
    EXPECT_FALSE(ParseProgramArguments({"--measure", "-style", "fusion"}, true).error.isEmpty());
    EXPECT_FALSE(ParseProgramArguments({"--bogus"}, true).error.isEmpty());
}

TEST(CommandLine, HelpAndTheManualPageListEveryOption) {
    const QString help = HelpText();
    QFile page(LXV_MAN_PAGE);
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString manual = QString::fromUtf8(page.readAll()).replace("\\-", "-");
    const QRegularExpression option("--[a-z-]+");
    int options = 0;
    for (auto m = option.globalMatch(help); m.hasNext(); ++options) {
        const QString name = m.next().captured();
        EXPECT_TRUE(manual.contains(name)) << name.toStdString();
    }
    EXPECT_GE(options, 19);
    for (const char* form : {"--report TEST.lxm OUT.pdf", "--log OUT.csv", "--measure [--json]",
                             "--harmonic-test CLASS [--seconds N] [--rated-power W] [--nominal-voltage V]"})
        EXPECT_TRUE(help.contains(form)) << form;
}

// Two made-up tasks that share --seconds: the parser, --help and the usage
// line come from their rows alone, and each task reads only its own options.
TEST(CommandLine, ATaskBringsItsRowsItsReaderAndItsRun) {
    const auto counted = [](const char* name) {
        return [name](const OptionValues& values, std::any& options) -> UiText {
            if (values.value("seconds") == "0") return InvalidValueText("seconds", "0", "above 0");
            options = std::string(name) + ":" + values.value("seconds").toStdString() + ":" +
                      values.files().join(",").toStdString();
            return {};
        };
    };
    std::vector<CommandTask> tasks(2);
    tasks[0] = {
        {"soak", nullptr, "OUT", "--soak OUT", "soak a product"},
        "--soak OUT [--seconds N]",
        "--soak OUT [...]",
        {{"seconds", nullptr, "N", "--seconds N", "soak: N s"}, {"hot", nullptr, nullptr, "--hot", "hot"}},
        "Soak exit codes: 7 too hot."};
    tasks[1] = {{"idle", nullptr, nullptr, "--idle", "idle a product"},
                "--idle [--seconds N] FILE",
                "--idle [...]",
                {{"seconds", nullptr, "N", "--seconds N", "idle: N s"}}};
    tasks[0].read = counted("soak");
    tasks[1].read = counted("idle");
    tasks[0].run = [](const std::any& options) {
        return std::any_cast<std::string>(options).size() > 0 ? 7 : 1;
    };
    tasks[1].run = [](const std::any&) { return 0; };

    struct Case {
        QStringList arguments;
        std::string task;
        const char* error;    // a part of the error text; empty for none
        const char* options;  // what the reader kept
    };
    const Case cases[] = {
        {{"--soak", "o", "--seconds", "5", "--hot"}, "soak", "", "soak:5:"},
        {{"--idle", "--seconds", "3", "f"}, "idle", "", "idle:3:f"},
        {{"--idle", "--hot"}, "idle", "--hot does not go with --idle", nullptr},
        {{"--hot"}, "", "--hot goes with --soak", nullptr},
        {{"--seconds", "3"}, "", "--seconds goes with --soak or --idle", nullptr},
        {{"--soak", "o", "--idle"}, "idle", "one task at a time: --soak, --idle", nullptr},
        {{"--soak", "o", "--seconds", "0"}, "soak", "invalid value for --seconds: \"0\" (above 0)", nullptr},
        {{"--soak", "o", "--service"}, "soak", "--service does not go with --soak", nullptr},
        {{"--measure"}, "", "Unknown option 'measure'", nullptr},  // not a task of this table
        {{"--idle", "--help"}, kHelpTask, "", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const CommandLine line = ParseProgramArguments(tasks, c.arguments);
        EXPECT_EQ(line.task, c.task);
        if (*c.error) {
            EXPECT_TRUE(line.error.contains(c.error)) << line.error.toStdString();
        } else {
            EXPECT_TRUE(line.error.isEmpty()) << line.error.toStdString();
        }
        if (c.options) {
            EXPECT_EQ(line.optionsOf<std::string>(), c.options);
            ASSERT_NE(line.command, nullptr);
            EXPECT_EQ(line.command->run(line.options), c.task == "soak" ? 7 : 0);
        }
    }
    const QString help = HelpText(tasks);
    for (const char* part :
         {"lxv7700 --soak OUT [--seconds N]\n", "lxv7700 --idle [--seconds N] FILE\n",
          "soak: N s; idle: N s\n", "--hot", "Soak exit codes: 7 too hot.\n", "--language"})
        EXPECT_TRUE(help.contains(part)) << part;
    EXPECT_EQ(help.count("--seconds N "), 1);  // one option, listed once
    EXPECT_FALSE(help.contains("--measure"));
    EXPECT_TRUE(
        UsageLine(tasks).contains("[FILE.lxm | FILE.lxr] | --soak OUT [...] | --idle [...] | --help"));
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
