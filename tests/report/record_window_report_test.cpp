// The record window as the record report sees it: an opened record file drawn
// with the window's labels, view and status texts.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "platform/ini_file.h"
#include "record/record_form.h"
#include "report/enter_info_form.h"
#include "report/printer_form.h"
#include "report/record_window_source.h"
#include "session/session.h"
#include "support/fake_dialogs.h"
#include "support/fake_serial_port.h"
#include "support/manual_timers.h"

namespace lxv::test {

class RecordWindowReportTest : public QObject {
    Q_OBJECT

    QTemporaryDir home;
    FakeSerialPort port;
    FakeDialogs dialogs;
    ManualTimers timers;
    std::unique_ptr<IniFile> sysSet, enterInfo;
    std::unique_ptr<Session> session;
    std::unique_ptr<TRecordForm> form;

    // 1200 samples one second apart; CH1 Voltage holds the sample number, CH5 a temperature.
    QString writeRecording() {
        RecordData data;
        data.allocate(2000);
        data.codes = {0, 1, 2, 3, 11, 6};
        for (int i = 0; i < 1200; ++i) {
            data.stamps[static_cast<std::size_t>(i)] = CivilToStamp(2026, 12, 9, 10, 0, 0) + i / 86400.0;
            data.channels[0][static_cast<std::size_t>(i)] = static_cast<float>(i);
        }
        const QString path = home.filePath("RECORD.lxr");
        RecordFileWriter writer;
        if (!writer.create(path.toStdString(), data).empty()) return {};
        data.count = 1200;
        return writer.save(data).empty() ? path : QString();
    }

  private slots:
    void init() {
        SetAppDialogs(&dialogs);
        sysSet = std::make_unique<IniFile>(home.filePath("SysSet.ini").toStdString());
        enterInfo = std::make_unique<IniFile>(home.filePath("EnterInfo.ini").toStdString());
        session = std::make_unique<Session>(port, *sysSet, timers);
        form = std::make_unique<TRecordForm>(session->recorder, *sysSet);
        form->FormCreate();
        form->resize(900, 600);
        form->show();
        QVERIFY(form->OpenRecordFile(writeRecording()));
    }
    void cleanup() {
        form.reset();
        session.reset();
        SetAppDialogs(nullptr);
    }

    void recordReportShowsTheChartAndItsTexts() {
        const RecordWindowSource source(*form);
        const RecordReportView view = source.reportView();
        QCOMPARE(view.newest, 1199LL);  // file view: FileLast
        QCOMPARE(view.labels[4], std::string("Temperature 2"));
        QCOMPARE(view.chartWidth, form->chartSize().width());
        QCOMPARE(QString::fromStdString(view.status[3]), form->statusPanelText(4));

        TEnterInfoForm info(*enterInfo);
        TPrinterForm printer(session->core.record, *enterInfo, info);
        printer.SetRecordSource([this] { return form->chartImage(); },
                                [&source] { return source.reportView(); });
        printer.ShowReport(1);
        int images = 0;
        QStringList texts;
        for (const PageItem& item : printer.previewPage().items) {
            images += std::holds_alternative<PageImage>(item);
            if (const auto* t = std::get_if<PageText>(&item)) texts << QString::fromStdString(t->text);
        }
        QCOMPARE(images, 1);
        QVERIFY(texts.contains("CH1: Voltage"));
        QVERIFY(texts.contains(form->statusPanelText(4) + "\u70b9"));
        dialogs.savePath = home.filePath("record.pdf");
        printer.SavePdfButtonClick();
        QVERIFY(QFile(dialogs.savePath).size() > 1000);
        QVERIFY(dialogs.errors.isEmpty());
    }
};

}  // namespace lxv::test

QTEST_MAIN(lxv::test::RecordWindowReportTest)
#include "record_window_report_test.moc"
