// The tasks run from a shell: the real program, started without a display.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

namespace {

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

TEST_F(CommandLineTaskTest, BadInputOrOutputExitsWithOneLineAndNoFile) {
    write("SHORT.lxm", QByteArray(8051, '\0'));
    write("TEST.lxm", QByteArray(8052, '\0'));
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
