// The command-line tasks without the program: the texts of a measurement
// (shortest singles, JSON, CSV), and the headless session with the log,
// measure and harmonic test tasks on a fake port and timers the test fires itself.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>

#include "cli/harmonic_test_task.h"
#include "cli/headless_session.h"
#include "cli/instrument_tasks.h"
#include "cli/measurement_text.h"
#include "link/registers.h"
#include "platform/number_format.h"
#include "platform/ini_file.h"
#include "support/fake_serial_port.h"
#include "support/manual_timers.h"

namespace lxv::test {
namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();

float ReadSingle(const std::string& text) {
    float v = -1.0f;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    EXPECT_TRUE(ec == std::errc() && end == text.data() + text.size()) << text;
    return v;
}

std::uint32_t Bits(float v) {
    std::uint32_t b;
    std::memcpy(&b, &v, 4);
    return b;
}

TEST(MeasurementText, EverySingleReadsBackBitForBitFromTheShortestText) {
    const float values[] = {0.1f,
                            230.0f,
                            1e-5f,
                            -0.0f,
                            1.0f / 3.0f,
                            123456792.0f,
                            3.4028235e38f,
                            1.4e-45f,  // the smallest denormal
                            std::nextafter(1.0f, 2.0f),
                            -979.0141f};
    for (const float v : values) {
        const std::string text = FormatShortestSingle(v);
        EXPECT_EQ(Bits(ReadSingle(text)), Bits(v)) << text;
        EXPECT_LE(text.size(), 15u) << text;  // never the 17 digits of a widened double
    }
    EXPECT_EQ(FormatShortestSingle(0.1f), "0.1");
    EXPECT_EQ(FormatShortestSingle(230.0f), "230");
    for (const float v : {kInf, -kInf, std::numeric_limits<float>::quiet_NaN()})
        EXPECT_EQ(FormatShortestSingle(v), "");
}

MeasureRecord SampleRecord() {
    MeasureRecord r;
    ResetMeasurement(r);
    for (int i = 0; i < kScalarCount; ++i)
        r.setScalar(static_cast<Scalar>(i), 0.1f * static_cast<float>(i + 1));
    r.setScalar(Scalar::PQ, kInf);
    r.setUHarmonic(1, 325.26912f);
    r.setIHarmonic(3, -kInf);
    return r;
}

TEST(MeasurementText, JsonLinesAndCsvCarryTheSameValuesInPanelOrder) {
    const MeasureRecord r = SampleRecord();
    const std::string json = MeasurementJson(r, "2026-12-09T10:00:00.123");
    QJsonParseError error{};
    const QJsonObject object = QJsonDocument::fromJson(QByteArray::fromStdString(json), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << json;
    EXPECT_EQ(object.size(), 16);
    EXPECT_EQ(object["time"].toString(), "2026-12-09T10:00:00.123");
    EXPECT_TRUE(object["PQ"].isNull());  // an infinity has no JSON number
    EXPECT_EQ(static_cast<float>(object["KWH"].toDouble()), r.KWH());
    EXPECT_EQ(json.find("{\"time\": \"2026-12-09T10:00:00.123\", \"URMS\": 0.1, \"IRMS\": 0.4, "), 0u)
        << json;

    const std::string lines = ValueLines(r);
    EXPECT_EQ(lines.substr(0, 22), "URMS\t0.1\tV\nIRMS\t0.4\tA\n");
    EXPECT_NE(lines.find("\nPQ\t\tVAR\n"), std::string::npos);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 15);

    for (const bool harmonics : {false, true}) {
        const std::string header = CsvHeader(harmonics);
        const std::string row = CsvRow(r, "2026-12-09T10:00:00.123", harmonics);
        const auto columns = [](const std::string& s) { return std::count(s.begin(), s.end(), ',') + 1; };
        EXPECT_EQ(columns(header), harmonics ? 118 : 16);
        EXPECT_EQ(columns(row), columns(header));
        EXPECT_EQ(header.substr(header.size() - 2), "\r\n");
        EXPECT_EQ(row.substr(row.size() - 2), "\r\n");
        EXPECT_EQ(header.find("time,URMS (V),IRMS (A),WRMS (W),PF,IKF,UPP (V)"), 0u);
        EXPECT_EQ(row.find("2026-12-09T10:00:00.123,0.1,0.4,0.8,0.7,1.4,0.2,0.5,0.90000004,"), 0u) << row;
    }
    const std::string row = CsvRow(r, "t", true);
    // The fundamental's RMS as the harmonic report divides it; an infinite amplitude is left empty.
    EXPECT_NE(row.find("," + FormatShortestSingle(static_cast<float>(325.26912f / 1.41421)) + ","),
              std::string::npos);
    EXPECT_NE(row.find(",,"), std::string::npos);
}

TEST(MeasurementText, LocalTimeHasMillisecondsAlsoBefore1970) {
    const char* old = std::getenv("TZ");
    const std::string saved = old ? old : "";
    setenv("TZ", "UTC", 1);
    tzset();
    using namespace std::chrono;
    const system_clock::time_point t{milliseconds(1796810400123LL)};  // 2026-12-09 10:00:00.123 UTC
    EXPECT_EQ(LocalIsoTime(t), "2026-12-09T10:00:00.123");
    EXPECT_EQ(LocalIsoTime(system_clock::time_point{milliseconds(-1)}), "1969-12-31T23:59:59.999");
    if (old)
        setenv("TZ", saved.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}

// A headless run on a fake port (COM3 present) and manual timers.
struct HeadlessRig : ::testing::Test {
    QTemporaryDir home;
    FakeSerialPort port;
    ManualTimers timers;
    std::unique_ptr<IniFile> sysSet;
    std::vector<std::string> messages;
    std::unique_ptr<HeadlessSession> run;
    int exitCode = -1;

    void SetUp() override {
        port.present = {3};
        sysSet = std::make_unique<IniFile>((home.path() + "/SysSet.ini").toStdString());
        sysSet->writeInteger("CommPort", "Port", 3);
        sysSet->writeInteger("CommAddress", "Address", 1);
        run = std::make_unique<HeadlessSession>(
            port, *sysSet, timers, [this](const std::string& line) { messages.push_back(line); });
        run->setClock([] { return std::chrono::system_clock::time_point{std::chrono::hours(500004)}; });
        run->addFinishedHandler([this](int code) { exitCode = code; });
    }
    void usbBridge() {
        port.ports = {{3, "/dev/ttyUSB0", "USB\\VID_1A86&PID_5736\\1", "USB-UART Adapter (COM3)"}};
    }
    int count(std::uint16_t reg, std::uint16_t n) const {
        int k = 0;
        for (const auto& f : port.written) k += IsRead(f, reg, n);
        return k;
    }
    void answerSettings() {
        std::vector<std::uint8_t> reply = Hex("01 03 13");
        reply.resize(3 + 19, 0);
        port.receive(WithCrc(reply));
        run->session().receiver.silenceElapsed();
    }
    void block(float urms) {
        port.receive(MeasureReplyOf(urms));
        timers.fire("ContinuousReadTimer");
    }
    std::string path(const char* name) const { return (home.path() + "/" + name).toStdString(); }
    static std::string Contents(const std::string& file) {
        QFile f(QString::fromStdString(file));
        return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : "<none>";
    }
};

TEST_F(HeadlessRig, MeasuringWaitsForTheSettingsReadThenPrintsOneBlockAndSaysLinkEndOnUsb) {
    usbBridge();
    std::string printed;
    MeasureTask task(*run, true, [&](const std::string& text) { printed += text; });
    ASSERT_TRUE(run->open());
    EXPECT_EQ(run->portLabel(), "COM3 (/dev/ttyUSB0)");
    task.start();
    // The settings read is answered first: a measurement request now would take its route.
    EXPECT_EQ(count(MEAS, 2), 0);
    answerSettings();
    EXPECT_EQ(count(MEAS, 2), 1);
    port.receive(MeasureReplyOf(231.5f));
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(printed.find("{\"time\": \"2027-01-15T"), 0u) << printed;  // the clock's hour in local time
    EXPECT_NE(printed.find("\"URMS\": 231.5, "), std::string::npos);
    EXPECT_EQ(printed.back(), '\n');
    EXPECT_TRUE(IsRead(port.lastWritten(), LINKEND, 0));
    EXPECT_FALSE(timers.find("ReReadTimer")->isActive());
    EXPECT_TRUE(messages.empty());
}

TEST_F(HeadlessRig, FailuresNameThePortAndTheCause) {
    // No port at all, then a silent instrument that is asked again and again.
    sysSet->writeInteger("CommPort", "Port", 9);
    EXPECT_FALSE(run->open());
    EXPECT_EQ(exitCode, 1);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "COM9: there is no such port (ports found: COM3)");

    messages.clear();
    exitCode = -1;
    HeadlessSession silent(port, *sysSet, timers, [this](const std::string& l) { messages.push_back(l); });
    silent.addFinishedHandler([this](int code) { exitCode = code; });
    ASSERT_TRUE(silent.open(3));  // the override wins over the stored COM9
    silent.start(MeasureMode::Single);
    timers.fire("ReplyWaitTimer");  // the settings read is not answered in its wait
    timers.fire("TCommForm.Timer1");
    EXPECT_EQ(count(MEAS, 2), 1);
    for (int i = 0; i < 3; ++i) timers.fire("ReReadTimer");
    EXPECT_EQ(count(MEAS, 2), 4);
    EXPECT_EQ(silent.reRequests(), 3);
    EXPECT_EQ(exitCode, -1);
    timers.fire("FirstBlockTimer");
    EXPECT_EQ(timers.find("FirstBlockTimer")->interval(), 10000);
    EXPECT_EQ(exitCode, 1);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "COM3 (/dev/fake3): no measurement came from the instrument within 10 s");
    EXPECT_EQ(sysSet->readInteger("CommPort", "Port", 0), 9);  // nothing stored for the run
}

TEST_F(HeadlessRig, LogWritesWholeRowsKeepsTheLatestPerPeriodAndEndsOnTheCount) {
    LogOptions options;
    options.path = path("log.csv");
    options.every = 2.0;
    options.count = 2;
    LogTask task(*run, options);
    ASSERT_TRUE(task.prepare());
    ASSERT_TRUE(run->open());
    task.start();
    answerSettings();
    block(230.0f);
    block(231.0f);  // the latest of the period is the one written
    timers.fire("EveryTimer");
    EXPECT_EQ(timers.find("EveryTimer")->interval(), 2000);
    timers.fire("EveryTimer");  // nothing new: no row
    block(232.0f);
    // A damaged reply counts as a re-request and writes nothing.
    std::vector<std::uint8_t> damaged = MeasureReplyOf(999.0f);
    damaged[100] ^= 1;
    port.receive(damaged);
    EXPECT_EQ(run->reRequests(), 1);
    timers.fire("EveryTimer");
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(run->rows(), 2);
    const std::string text = Contents(options.path);
    const std::string stamp = LocalIsoTime(run->now());
    EXPECT_EQ(text.find(CsvHeader(false)), 0u);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3);
    EXPECT_NE(text.find(stamp + ",231,"), std::string::npos) << text;
    EXPECT_NE(text.find(stamp + ",232,"), std::string::npos) << text;
    EXPECT_EQ(text.find(",230,"), std::string::npos) << text;
}

TEST_F(HeadlessRig, LogFilesAreNeverOverwrittenAndAFailedRunLeavesNoneOfItsOwn) {
    struct Case {
        const char* name;
        const char* before;  // the file before the run; nullptr for none
        bool append;
        bool prepared;
        const char* message;  // the failure line's cause, when prepare() refuses
    };
    const std::string header = CsvHeader(false);
    const std::string oldRow = "2026-01-01T00:00:00.000,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15\r\n";
    const std::string kept = header + oldRow;
    const std::string torn = header + "2026-01-01T00:00";
    const Case cases[] = {
        {"exists", kept.c_str(), false, false, "the file exists; --append adds the rows to it"},
        {"other columns", "time,URMS (V)\r\n", true, false,
         "its first line is not the header of this log (with or without --harmonics); no rows were added"},
        {"append", kept.c_str(), true, true, nullptr},
        {"torn last row", torn.c_str(), true, true, nullptr},
        {"new", nullptr, false, true, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = path(c.name);
        if (c.before) {
            QFile f(QString::fromStdString(file));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(c.before);
        }
        HeadlessSession session(port, *sysSet, timers,
                                [this](const std::string& l) { messages.push_back(l); });
        messages.clear();
        LogOptions options;
        options.path = file;
        options.append = c.append;
        LogTask task(session, options);
        ASSERT_EQ(task.prepare(), c.prepared);
        if (!c.prepared) {
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0], file + ": " + c.message);
            EXPECT_EQ(Contents(file), c.before);
            continue;
        }
        // The instrument never answers: the run fails; rows already there stay, a new file goes.
        ASSERT_TRUE(session.open());
        task.start();
        timers.fire("FirstBlockTimer");
        EXPECT_EQ(session.exitCode(), 1);
        if (!c.before)
            EXPECT_FALSE(QFile::exists(QString::fromStdString(file)));
        else if (std::string(c.name) == "torn last row")
            EXPECT_EQ(Contents(file),
                      std::string(c.before) + "\r\n");  // the next row starts a line of its own
        else
            EXPECT_EQ(Contents(file), c.before);
        port.close();
    }
}

TEST_F(HeadlessRig, APlainPortThatGoesAwayEndsTheRunAndTheProgressCountsPerPeriod) {
    LogOptions options;
    options.path = path("gone.csv");
    options.seconds = 25.0;
    LogTask task(*run, options);
    ASSERT_TRUE(task.prepare());
    ASSERT_TRUE(run->open());
    task.start();
    answerSettings();
    for (int i = 0; i < 20; ++i) block(230.0f);
    timers.fire("ProgressTimer");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "0:00:10 elapsed, 20 rows, 2.00 blocks/s, 0 re-requests");
    EXPECT_EQ(timers.find("EndTimer")->interval(), 25000);
    port.loseDevice();
    timers.fire("TCommForm.Timer1");
    EXPECT_EQ(exitCode, 1);
    EXPECT_EQ(messages.back(), "COM3 (/dev/fake3): the port closed (the device went away)");
    const std::string text = Contents(options.path);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 21);
}

// A 200 W product on 230 V: 1 A input current, 0.9 A fundamental and `third` RMS amperes of third
// harmonic (the class D limit there is 3.4 mA/W x 200 W = 0.68 A).
std::vector<std::uint8_t> ProductReply(float third, float watts = 200.0f, float volts = 230.0f) {
    MeasureRecord r;
    ResetMeasurement(r);
    r.setScalar(Scalar::URMS, volts);
    r.setScalar(Scalar::UPP, volts * static_cast<float>(std::sqrt(2.0)));  // a sine: crest factor 1.414
    r.setScalar(Scalar::UF, 50.0f);
    r.setScalar(Scalar::IRMS, 1.0f);
    r.setScalar(Scalar::WRMS, watts);
    r.setScalar(Scalar::PF, 0.87f);
    r.setIHarmonic(1, 0.9f * static_cast<float>(std::sqrt(2.0)));
    r.setIHarmonic(3, third * static_cast<float>(std::sqrt(2.0)));
    return WithCrc({r.data(), r.data() + kBlockSize});
}

struct HarmonicRig : HeadlessRig {
    std::string printed;
    HarmonicTestOptions options;
    std::unique_ptr<HarmonicTestTask> task;
    double seconds = 0;  // the observation's clock

    void SetUp() override {
        HeadlessRig::SetUp();
        options.settings.emissionClass = EmissionClass::D;
        options.settings.observationSeconds = 20;
        options.csvPath = path("out.csv");
    }
    // A new run for the next case of a table.
    void fresh() {
        task.reset();
        port.close();
        messages.clear();
        printed.clear();
        exitCode = -1;
        run.reset();  // first: a session going clears the port's handlers
        run = std::make_unique<HeadlessSession>(
            port, *sysSet, timers, [this](const std::string& line) { messages.push_back(line); });
        run->addFinishedHandler([this](int code) { exitCode = code; });
    }
    void make() {
        seconds = 0;
        run->session().harmonicTest.setClock([this] { return seconds; });
        task = std::make_unique<HarmonicTestTask>(*run, options,
                                                  [this](const std::string& text) { printed += text; });
    }
    // Prepared, opened and started, the settings read answered: the observation runs.
    void observing() {
        make();
        ASSERT_TRUE(task->prepare());
        ASSERT_TRUE(run->open());
        task->start();
        EXPECT_FALSE(run->session().harmonicTest.running());  // not before measuring has started
        answerSettings();
        ASSERT_TRUE(run->session().harmonicTest.running());
    }
    // One block every 1.5 s, the first 1.5 s after the start.
    void products(float third, int blocks, float watts = 200.0f, float volts = 230.0f) {
        for (int k = 0; k < blocks; ++k) {
            seconds += 1.5;
            port.receive(ProductReply(third, watts, volts));
            timers.fire("ContinuousReadTimer");
        }
    }
    std::vector<std::string> lines(const std::string& file) const {
        std::vector<std::string> result;
        std::string text = Contents(file);
        for (std::size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1)
            result.push_back(text.substr(at, end - at));
        return result;
    }
};

TEST_F(HarmonicRig, TheObservationEndsInBothFilesTheVerdictLineAndItsExitCode) {
    struct Case {
        const char* name;
        float third, watts, volts;
        int exitCode;
        const char* verdict;  // the CSV's
        const char* line;     // the printed line
        const char* note;     // on standard error; nullptr for none
    };
    const Case cases[] = {
        {"pass", 0.60f, 200, 230, 0, "PASS", "PASS class D: 12 blocks over 16.5 s, mean power 200.0 W\n",
         nullptr},
        {"pass on a low supply", 0.60f, 200, 220, 5, "PASS",
         "PASS (supply outside the conditions) class D: 12 blocks over 16.5 s, mean power 200.0 W\n",
         "The supply was outside the test conditions in 12 of 12 blocks; worst: voltage 220.0 V: 4.3 % from "
         "230 V > 2.0 %."},
        {"fail on a low supply", 0.80f, 200, 220, 3, "FAIL",
         "FAIL class D: 12 blocks over 16.5 s, mean power 200.0 W; order 3 fails\n",
         "The supply was outside the test conditions in 12 of 12 blocks; worst: voltage 220.0 V: 4.3 % from "
         "230 V > 2.0 %."},
        {"not applicable", 0.60f, 40, 230, 4, "NOT APPLICABLE",
         "NOT APPLICABLE class D: Class D sets no limits at an active power of 75 W or less (40.0 W).\n",
         nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fresh();
        options.pdfPath = path("out.pdf");
        observing();
        EXPECT_EQ(timers.find("HarmonicTest.ObservationTimer")->interval(), 20000);
        products(c.third, 12, c.watts, c.volts);
        EXPECT_EQ(exitCode, -1);
        timers.fire("HarmonicTest.ObservationTimer");
        EXPECT_EQ(exitCode, c.exitCode);
        EXPECT_EQ(printed, c.line);
        const auto csv = lines(options.csvPath);
        ASSERT_GT(csv.size(), 1u + 39u + 6u);
        EXPECT_EQ(csv[0], "order,limit_A,mean_A,max_A,mean_pct,max_pct,verdict");
        // 3.4 mA/W x 200 W; no limits where class D does not apply.
        EXPECT_EQ(csv[2].rfind(c.exitCode == 4 ? "3,,0.6000," : "3,0.6800,", 0), 0u) << csv[2];
        EXPECT_EQ(csv[40], std::string("# verdict,") + c.verdict);
        EXPECT_EQ(csv[41], "# class,D");
        EXPECT_EQ(csv[42], "# blocks,12");
        // The supply's own line qualifies the verdict's word.
        const bool low = c.volts < 225;
        EXPECT_NE(
            std::find(csv.begin(), csv.end(),
                      low ? "# supply,outside: voltage 220.0 V: 4.3 % from 230 V > 2.0 % (12 of 12 blocks)"
                          : "# supply,ok"),
            csv.end());
        EXPECT_EQ(Contents(options.pdfPath).rfind("%PDF-", 0), 0u);
        EXPECT_TRUE(IsRead(port.lastWritten(), MEAS, 2) || IsRead(port.lastWritten(), LINKEND, 0));
        EXPECT_FALSE(timers.find("ContinuousReadTimer")->isActive());
        EXPECT_EQ(messages, c.note ? std::vector<std::string>{c.note} : std::vector<std::string>{});
        QFile::remove(QString::fromStdString(options.pdfPath));
    }
}

TEST_F(HarmonicRig, WithoutAVerdictNoFileIsWrittenAndTheRunFails) {
    struct Case {
        const char* name;
        std::function<void(HarmonicRig&)> end;
        const char* told;  // the failure line after the port's name
    };
    const Case cases[] = {
        {"too few blocks",
         [](HarmonicRig& r) {
             r.products(0.6f, 9);
             r.timers.fire("HarmonicTest.ObservationTimer");
         },
         "Only 9 measurement blocks arrived during the observation; the test needs at least 10."},
        {"SIGTERM",
         [](HarmonicRig& r) {
             r.products(0.6f, 5);
             r.seconds = 7.9;
             r.task->stop();
             r.timers.fire("HarmonicTest.ObservationTimer");  // too late: nothing more happens
         },
         "stopped after 7 s of the 20 s observation; an incomplete observation gives no verdict, no file "
         "was written"},
        {"no block", [](HarmonicRig& r) { r.timers.fire("FirstBlockTimer"); },
         "no measurement came from the instrument within 10 s"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fresh();
        {
            QFile old(QString::fromStdString(options.csvPath));
            ASSERT_TRUE(old.open(QIODevice::WriteOnly));
            old.write("an earlier result\n");
        }
        options.pdfPath = path("out.pdf");
        observing();
        c.end(*this);
        EXPECT_EQ(exitCode, 1);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0], std::string("COM3 (/dev/fake3): ") + c.told);
        EXPECT_EQ(printed, "");
        EXPECT_EQ(Contents(options.csvPath), "an earlier result\n");
        EXPECT_FALSE(QFile::exists(QString::fromStdString(options.pdfPath)));
        EXPECT_EQ(QDir(home.path()).entryList(QDir::Files | QDir::Hidden).join(",").toStdString(),
                  "out.csv,SysSet.ini");  // no temporary file left either
    }
}

TEST_F(HarmonicRig, OutputsThatCannotBeWrittenAreRefusedBeforeThePortOpens) {
    ASSERT_TRUE(QDir(home.path()).mkdir("folder.csv"));
    const std::string missing = path("no/such/out.csv");
    struct Case {
        std::string csv, pdf, told;
    };
    const Case cases[] = {
        {path("folder.csv"), "", path("folder.csv") + ": it is a folder, not a file"},
        {missing, "", missing + ": No such file or directory"},
        {path("out.csv"), missing, missing + ": No such file or directory"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.told);
        fresh();
        options.csvPath = c.csv;
        options.pdfPath = c.pdf;
        make();
        EXPECT_FALSE(task->prepare());
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0], c.told);
        EXPECT_TRUE(port.written.empty());
    }
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path("out.csv"))));
}

TEST_F(HarmonicRig, ProgressTellsTheBlocksObservedAndTheVerdictSoFar) {
    options.settings.observationSeconds = 60;
    observing();
    products(0.8f, 5);
    timers.fire("ProgressTimer");
    products(0.8f, 15);
    timers.fire("ProgressTimer");
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0],
              "0:00:10 elapsed, 5 blocks observed, no verdict so far, 0.50 blocks/s, 0 re-requests");
    EXPECT_EQ(messages[1], "0:00:20 elapsed, 20 blocks observed, FAIL so far, 1.50 blocks/s, 0 re-requests");
}

}  // namespace
}  // namespace lxv::test

int main(int argc, char** argv) {
    // The harmonic test's PDF page has text: fonts need a (display-less) GUI application.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
