// The command-line tasks without the program: the texts of a measurement
// (shortest singles, JSON, CSV), and the headless session with the log and
// measure tasks on a fake port and timers the test fires itself.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>

#include "cli/headless_session.h"
#include "cli/instrument_tasks.h"
#include "cli/measurement_text.h"
#include "link/registers.h"
#include "measure/number_format.h"
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
    for (int t = 0; t < RequestTracker::kOutstandingTicks; ++t)
        timers.fire("Watchdog");  // the settings read is given up
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
    timers.fire("Watchdog");
    EXPECT_EQ(exitCode, 1);
    EXPECT_EQ(messages.back(), "COM3 (/dev/fake3): the port closed (the device went away)");
    const std::string text = Contents(options.path);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 21);
}

}  // namespace
}  // namespace lxv::test

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
