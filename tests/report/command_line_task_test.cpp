// The tasks run from a shell: the real program, started without a display.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include "record/record_file.h"

namespace {

using namespace lxv;

struct TaskRun {
    int exitCode = -1;
    QByteArray out, err;
};

class CommandLineTaskTest : public ::testing::Test {
  protected:
    QTemporaryDir dir;

    QString path(const QString& name) const { return dir.filePath(name); }
    void write(const QString& name, const QByteArray& bytes) const {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    // A record file of n samples, one second apart, CH1 holding the sample number.
    void writeRecording(const QString& name, int n) const {
        RecordData data;
        data.allocate(RecordsFor(n) * kSamplesPerRecord);
        data.codes = {0, 1, 2, 3, 11, 6};
        for (int i = 0; i < n; ++i) {
            data.stamps[static_cast<std::size_t>(i)] = CivilToStamp(2026, 12, 9, 10, 0, 0) + i / 86400.0;
            data.channels[0][static_cast<std::size_t>(i)] = static_cast<float>(i);
        }
        RecordFileWriter writer;
        ASSERT_EQ(writer.create(path(name).toStdString(), data), "");
        data.count = n;
        ASSERT_EQ(writer.save(data), "");
    }
    TaskRun run(const QStringList& arguments) const {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LXV_HOME", dir.path());  // EnterInfo.ini is read from here
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        env.remove("QT_QPA_PLATFORM");
        process.setProcessEnvironment(env);
        process.start(LXV_PROGRAM, arguments);
        TaskRun result;
        if (!process.waitForFinished(60000)) return result;
        result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
        result.out = process.readAllStandardOutput();
        result.err = process.readAllStandardError();
        return result;
    }
};

TEST_F(CommandLineTaskTest, ReportOfATestFileIsAPdf) {
    write("TEST.lxm", QByteArray(8052, '\0'));
    write("EnterInfo.ini", "[PrintInfo]\nProjectName=Pump\nunits=1\n");
    const TaskRun r = run({"--report", path("TEST.lxm"), path("OUT.pdf")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
    QFile pdf(path("OUT.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.readAll().startsWith("%PDF"));
}

TEST_F(CommandLineTaskTest, ExportAndRecordReportOfARecordFile) {
    writeRecording("RECORD.lxr", 1500);
    for (const char* out : {"OUT.csv", "OUT.xlsx", "OUT.pdf"}) {
        const bool report = QString(out).endsWith(".pdf");
        const TaskRun r = run({report ? "--record-report" : "--export", path("RECORD.lxr"), path(out)});
        EXPECT_EQ(r.exitCode, 0) << out;
        EXPECT_TRUE(r.out.isEmpty() && r.err.isEmpty()) << r.err.toStdString();
        QFile file(path(out));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << out;
        const QByteArray bytes = file.readAll();
        if (report)
            EXPECT_TRUE(bytes.startsWith("%PDF"));
        else if (QString(out).endsWith(".xlsx"))
            EXPECT_TRUE(bytes.startsWith("PK"));
        else {
            const QList<QByteArray> lines = bytes.split('\n');
            EXPECT_EQ(lines.size(), 1502);  // heading, 1500 samples, the empty rest after the last line end
            EXPECT_TRUE(
                lines[0].startsWith("Recording time,CH1:Voltage,CH2:Current,CH3:Power,CH4:Apparent power,"
                                    "CH5:Temperature 2,CH6:Frequency"));
            EXPECT_TRUE(lines[1500].endsWith(",1499,0,0,0,0,0\r"));
        }
    }
}

// A save cut short after rewriting the last record and before appending the next:
// the export and the record report take every whole record.
TEST_F(CommandLineTaskTest, ExportAndRecordReportOpenACutShortRecording) {
    writeRecording("CUT.lxr", 1012);
    QFile file(path("CUT.lxr"));
    ASSERT_TRUE(file.resize(kRecordBlockSize + 500));
    const TaskRun csv = run({"--export", path("CUT.lxr"), path("OUT.csv")});
    EXPECT_EQ(csv.exitCode, 0) << csv.err.toStdString();
    QFile sheet(path("OUT.csv"));
    ASSERT_TRUE(sheet.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = sheet.readAll().split('\n');
    EXPECT_EQ(lines.size(), 1002);  // heading, the 1000 samples of record 0, the empty rest
    EXPECT_TRUE(lines[1000].endsWith(",999,0,0,0,0,0\r"));
    const TaskRun pdf = run({"--record-report", path("CUT.lxr"), path("OUT.pdf")});
    EXPECT_EQ(pdf.exitCode, 0) << pdf.err.toStdString();
}

TEST_F(CommandLineTaskTest, BadInputOrOutputExitsWithOneLineAndNoFile) {
    write("SHORT.lxm", QByteArray(8051, '\0'));
    write("TEST.lxm", QByteArray(8052, '\0'));
    write("EMPTY.lxr", QByteArray());
    write("ZERO.lxr", QByteArray(32016, '\0'));  // a last TotalSamples of 0
    writeRecording("RECORD.lxr", 10);
    struct Case {
        QStringList arguments;
        QString named;  // the file the message names
        QByteArray iniText;
    };
    const Case cases[] = {
        {{"--report", path("MISSING.lxm"), path("OUT.pdf")}, "MISSING.lxm", ""},
        {{"--report", path("SHORT.lxm"), path("OUT.pdf")}, "SHORT.lxm", ""},
        {{"--report", path("TEST.lxm"), path("no/OUT.pdf")}, "no/OUT.pdf", ""},
        {{"--report", path("TEST.lxm"), path("OUT.pdf")}, "EnterInfo.ini", "[PrintInfo]\nunits=C\n"},
        {{"--report", path("TEST.lxm")}, "--report", ""},
        {{"--export", path("EMPTY.lxr"), path("OUT.pdf")}, "EMPTY.lxr", ""},
        {{"--export", path("ZERO.lxr"), path("OUT.pdf")}, "ZERO.lxr", ""},
        {{"--export", path("RECORD.lxr"), path("no/OUT.pdf")}, "no/OUT.pdf", ""},
        {{"--record-report", path("MISSING.lxr"), path("OUT.pdf")}, "MISSING.lxr", ""},
        {{"--record-report", path("RECORD.lxr"), path("OUT.pdf")}, "EnterInfo.ini", "[PrintInfo]\nunits=x\n"},
    };
    for (const Case& c : cases) {
        write("EnterInfo.ini", c.iniText);
        const TaskRun r = run(c.arguments);
        EXPECT_EQ(r.exitCode, 1) << c.named.toStdString();
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
        EXPECT_TRUE(r.err.startsWith("lxv7700: ")) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(c.named.toUtf8())) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_FALSE(QFile::exists(path("OUT.pdf")));
    }
}

TEST_F(CommandLineTaskTest, HelpListsTheTasks) {
    const TaskRun r = run({"--help"});
    EXPECT_EQ(r.exitCode, 0);
    for (const char* task : {"--report TEST.lxm OUT.pdf", "--export RECORD.lxr OUT.xlsx|OUT.csv",
                             "--record-report RECORD.lxr OUT.pdf"})
        EXPECT_TRUE(r.out.contains(task)) << task;
}

}  // namespace
