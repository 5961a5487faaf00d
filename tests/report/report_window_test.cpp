// The report information window and the report window (offscreen): the
// EnterInfo.ini keys and their order, the preview's page, print and PDF.
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QLocale>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include "core/measure_block.h"
#include "platform/dialogs.h"
#include "platform/ini_file.h"
#include "record/record_export_qt.h"
#include "report/enter_info_form.h"
#include "report/printer_form.h"
#include "report/report_info.h"
#include "support/fake_dialogs.h"
#include "tests/report/export_fixture.h"

namespace lxv::test {

class ReportWindowTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    FakeDialogs dialogs;
    MeasureRecord record;

    QString iniPath() const { return dir.filePath("EnterInfo.ini"); }
    QByteArray iniText() const {
        QFile file(iniPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void writeIni(const QByteArray& text) {
        QFile file(iniPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    static QString text(QWidget& form, const char* name) { return form.findChild<QLineEdit*>(name)->text(); }
    static void click(QWidget& form, const char* name) { form.findChild<QPushButton*>(name)->click(); }

  private slots:
    void init() {
        QFile::remove(iniPath());
        dialogs = FakeDialogs();
        SetAppDialogs(&dialogs);
        ResetMeasurement(record);
    }
    void cleanup() { SetAppDialogs(nullptr); }

    void freshInstallationShowsDefaults() {
        IniFile ini(iniPath().toStdString());
        TEnterInfoForm form(ini);
        form.FormCreate();
        for (const char* name : {"Edit1", "Edit2", "Edit3", "Edit5"})
            QCOMPARE(text(form, name), QString("2"));
        QCOMPARE(text(form, "Edit4"), QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat));
        QVERIFY(form.findChild<QRadioButton*>("RadioButton2")->isChecked());
        QCOMPARE(form.windowTitle(), QString("Enter the print information"));
    }

    void enterWritesTheKeysInOrder_data() {
        QTest::addColumn<QString>("radio");
        QTest::addColumn<QByteArray>("units");
        QTest::newRow("celsius") << "RadioButton1" << QByteArray("units=1");
        QTest::newRow("fahrenheit") << "RadioButton2" << QByteArray("units=0");
    }
    void enterWritesTheKeysInOrder() {
        QFETCH(QString, radio);
        QFETCH(QByteArray, units);
        IniFile ini(iniPath().toStdString());
        TEnterInfoForm form(ini);
        form.FormCreate();
        int stored = 0;
        form.SetStoredHandler([&] { ++stored; });
        form.findChild<QLineEdit*>("Edit1")->setText("Motor");
        form.findChild<QLineEdit*>("Edit4")->setText("9.12.2026");
        form.findChild<QRadioButton*>(radio)->setChecked(true);
        form.show();
        click(form, "Button1");
        QVERIFY(!form.isVisible());
        QCOMPARE(stored, 1);
        const QByteArray saved = iniText();
        int last = -1;
        for (const char* key : {"ProjectName=Motor", "company=2", "conner=2", "date=9.12.2026",
                                "temperature=2", units.constData()}) {
            const int at = saved.indexOf(key);
            QVERIFY2(at > last, key);
            last = at;
        }
    }

    void cancelAndExitStoreNothing() {
        for (const char* button : {"Button2", "Button3"}) {
            IniFile ini(iniPath().toStdString());
            TEnterInfoForm form(ini);
            form.FormCreate();
            form.findChild<QLineEdit*>("Edit2")->setText("Lab");
            form.show();
            click(form, button);
            QVERIFY(!form.isVisible());
            QVERIFY(!QFile::exists(iniPath()));
            QCOMPARE(text(form, "Edit2"), QString("Lab"));  // kept for the next opening
        }
    }

    void nonIntegerUnitsShowsTheMessageAndStaysUsable() {
        writeIni("[PrintInfo]\nProjectName=Pump\nunits=abc\n");
        IniFile ini(iniPath().toStdString());
        TEnterInfoForm form(ini);
        form.FormCreate();
        QCOMPARE(dialogs.errors, QStringList{"'abc' is not a valid integer value"});
        QCOMPARE(text(form, "Edit1"), QString("Pump"));
        click(form, "Button1");
        QVERIFY(iniText().contains("units=1"));  // the window's own start choice
    }

    void previewShowsTheReportAndItsInformation() {
        writeIni("[PrintInfo]\nProjectName=Fan\nunits=1\ntemperature=21\n");
        IniFile ini(iniPath().toStdString());
        TEnterInfoForm info(ini);
        TPrinterForm form(record, ini, info);
        form.ShowReport(0);
        QCOMPARE(form.size(), QSize(747, 500));
        const ReportPage& page = form.previewPage();
        QCOMPARE(page.width, 747 - 33);
        QCOMPARE(page.height, int(714 * 1.414));
        QStringList texts;
        for (const PageItem& item : page.items)
            if (const auto* t = std::get_if<PageText>(&item)) texts << QString::fromStdString(t->text);
        QVERIFY(texts.contains("Power Analysis Report"));
        QVERIFY(texts.contains("Project Name:Fan"));
        QVERIFY(texts.contains("Temperature:21\u2103"));
        QCOMPARE(form.pageBuffer().pixelColor(60, 70 + 0), QColor(128, 128, 128));  // the upper rule
        QCOMPARE(form.pageBuffer().pixelColor(3, 3), QColor(Qt::white));

        form.ShowReport(1);
        QCOMPARE(form.previewPage().height, int(714 / 1.414));
        form.ShowReport(7);  // any other kind: the empty page
        QVERIFY(form.previewPage().items.empty());
        QVERIFY(dialogs.errors.isEmpty());
    }

    void environmentalDataOpensTheInformationAndEnterRedraws() {
        IniFile ini(iniPath().toStdString());
        TEnterInfoForm info(ini);
        TPrinterForm form(record, ini, info);
        info.SetStoredHandler([&] { form.DrawPreview(); });
        info.FormCreate();
        form.ShowReport(0);
        const auto hasText = [&](const std::string& text) {
            for (const PageItem& item : form.previewPage().items)
                if (const auto* t = std::get_if<PageText>(&item); t && t->text == text) return true;
            return false;
        };
        QVERIFY(hasText("Date:2"));  // the stored date, not the one the window shows
        click(form, "SeSkinButton2");
        QVERIFY(info.isVisible());
        info.findChild<QLineEdit*>("Edit4")->setText("24.12.2026");
        QVERIFY(hasText("Date:2"));
        click(info, "Button1");
        QVERIFY(hasText("Date:24.12.2026"));
    }

    void savePdfAndPrintWriteTheTitledPage() {
        writeIni("[PrintInfo]\nProjectName=Fan\n");
        IniFile ini(iniPath().toStdString());
        TEnterInfoForm info(ini);
        TPrinterForm form(record, ini, info);
        form.ShowReport(0);
        QCOMPARE(form.DocumentTitle(ReadReportInfo(ini)), QString("FanTestReport"));
        dialogs.savePath = dir.filePath("report.pdf");
        click(form, "SavePdfButton");
        QFile pdf(dialogs.savePath);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.readAll().startsWith("%PDF"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);  // no temporary left

        form.printer().setOutputFileName(dir.filePath("printed.pdf"));
        click(form, "SeSkinButton1");
        QVERIFY(QFileInfo(dir.filePath("printed.pdf")).size() > 1000);
        QCOMPARE(form.printer().docName(), QString("FanTestReport"));
        QVERIFY(dialogs.errors.isEmpty());
    }

    void failuresLeaveNoFile() {
        IniFile ini(iniPath().toStdString());
        TEnterInfoForm info(ini);
        TPrinterForm form(record, ini, info);
        form.ShowReport(1);
        dialogs.savePath = dir.filePath("missing/report.pdf");
        click(form, "SavePdfButton");
        QCOMPARE(dialogs.errors.size(), 1);
        QVERIFY(dialogs.errors[0].contains("No such file or directory"));

        writeIni("[PrintInfo]\nunits=1.5\n");
        dialogs.savePath = dir.filePath("bad.pdf");
        click(form, "SavePdfButton");
        form.printer().setOutputFileName(dir.filePath("badprint.pdf"));
        click(form, "SeSkinButton1");
        QCOMPARE(dialogs.errors.mid(1),
                 (QStringList{"'1.5' is not a valid integer value", "'1.5' is not a valid integer value"}));
        QVERIFY(!QFile::exists(dir.filePath("bad.pdf")));
        QVERIFY(!QFile::exists(dir.filePath("badprint.pdf")));
    }

    void exportAsksThenKeepsOrRemovesTheFile_data() {
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("name");
        QTest::newRow("yes xlsx") << true << "rec.xlsx";
        QTest::newRow("no xlsx") << false << "rec.xlsx";
        QTest::newRow("yes csv") << true << "rec.csv";
        QTest::newRow("no csv") << false << "rec.csv";
    }
    void exportAsksThenKeepsOrRemovesTheFile() {
        QFETCH(bool, yes);
        QFETCH(QString, name);
        QTemporaryDir out;
        const FakeRecording recording = FakeRecording::Ramp(12000);  // several slices
        dialogs.answerYes = yes;
        dialogs.savePath = out.filePath(name);
        const auto outcome = ExportRecordWithDialogs(nullptr, recording);
        QCOMPARE(outcome, yes ? RecordExportTask::Outcome::Saved : RecordExportTask::Outcome::Declined);
        QCOMPARE(dialogs.lastFilter, QString("Excel File(*.xlsx)|*.xlsx|CSV (*.csv)|*.csv"));
        QCOMPARE(dialogs.questions, QStringList{"Save the file|Data export to complete. Sure to save it?"});
        QCOMPARE(QFile::exists(dialogs.savePath), yes);
        QCOMPARE(QDir(out.path()).entryList(QDir::Files | QDir::Hidden).size(), yes ? 1 : 0);
        QVERIFY(dialogs.errors.isEmpty());
    }

    void cancelledExportLeavesNoFile() {
        QTemporaryDir out;
        const FakeRecording recording = FakeRecording::Ramp(12000);
        RecordExportTask task(nullptr, recording, out.filePath("rec.xlsx"));
        QList<qulonglong> steps;
        connect(&task, &RecordExportTask::stepped, this, [&](qulonglong written) {
            steps << written;
            task.progressDialog()->cancel();
        });
        QCOMPARE(task.run(), RecordExportTask::Outcome::Cancelled);
        QCOMPARE(steps, QList<qulonglong>{5000});
        QVERIFY(dialogs.questions.isEmpty());
        QCOMPARE(QDir(out.path()).entryList(QDir::Files | QDir::Hidden).size(), 0);
    }
};

}  // namespace lxv::test

QTEST_MAIN(lxv::test::ReportWindowTest)
#include "report_window_test.moc"
