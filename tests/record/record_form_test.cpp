// The record window and its settings window on a session around a fake port,
// manual timers and fake dialogs (offscreen).
#include "record/record_form.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QScrollBar>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <fstream>
#include <memory>

#include "platform/ini_file.h"
#include "record/rec_set_form.h"
#include "record/record_painter.h"
#include "session/session.h"
#include "support/fake_dialogs.h"
#include "support/fake_serial_port.h"
#include "support/manual_timers.h"

namespace lxv::test {

struct RecordRig {
    QTemporaryDir home;
    FakeSerialPort port;
    FakeDialogs dialogs;
    ManualTimers timers;
    std::unique_ptr<IniFile> sysSet;
    std::unique_ptr<Session> session;
    std::unique_ptr<TRecordForm> form;

    explicit RecordRig(const QString& ini = {}) {
        SetAppDialogs(&dialogs);
        const std::string path = (home.path() + "/SysSet.ini").toStdString();
        std::ofstream(path) << ini.toStdString();
        sysSet = std::make_unique<IniFile>(path);
        session = std::make_unique<Session>(port, *sysSet, timers);
        session->core.record.setScalar(Scalar::URMS, 229.5f);
        form = std::make_unique<TRecordForm>(session->recorder, *sysSet);
        form->FormCreate();
        form->resize(900, 600);
        form->show();
    }
    ~RecordRig() {
        form.reset();
        SetAppDialogs(nullptr);
    }
    QString file(const char* name) const { return home.path() + "/" + name; }
    template <typename T>
    T* find(const char* name) const {
        return form->findChild<T*>(name);
    }
    bool enabled(const char* name) const {
        if (auto* b = find<QAbstractButton>(name)) return b->isEnabled();
        return find<QAction>(name)->isEnabled();
    }
    QString text(const char* label) const { return find<QLabel>(label)->text(); }
    void create(const char* name) {
        dialogs.savePath = file(name);
        form->CreateClick();
    }
    void record(int samples) {
        session->core.state.MeasureMode = MeasureMode::Continuous;
        for (int i = 0; i < samples; ++i) {
            session->core.record.setScalar(Scalar::WRMS, 200.0f + static_cast<float>(i % 97));
            session->core.measurements.publish(session->core.record);
            timers.fire("TRecordForm.Timer1");
        }
    }
    // A recording of `samples` samples, none saved yet, whose file is then removed.
    void recordIntoLostFile(const char* name, int samples) {
        create(name);
        session->core.state.MeasureMode = MeasureMode::Continuous;
        form->StartClick();
        record(samples);
        QFile::remove(file(name));
    }
};

class RecordFormTest : public QObject {
    Q_OBJECT
  private slots:
    void startUpTextsFollowTheSettingsFile_data() {
        QTest::addColumn<QString>("ini");
        QTest::addColumn<QString>("panel0");
        QTest::addColumn<QString>("panel1");
        QTest::addColumn<int>("sampleMs");
        QTest::addColumn<QString>("label6");
        QTest::addColumn<int>("errors");
        QTest::newRow("fresh") << ""
                               << "Step:  3S"
                               << "Save Setp:  20S" << 3000 << "Power" << 0;
        QTest::newRow("30 s") << "[RecordSet]\nSampingSetp=11\nSaveSetp=5\nCh5=7\n"
                              << "Step:  30S"
                              << "Save Setp:  60S" << 30000 << "Power Factor" << 0;
        QTest::newRow("code out of range") << "[RecordSet]\nSampingSetp=0\nCh5=13\n"
                                           << "Step: 1S"
                                           << "Save Setp:  20S" << 1000 << "Power" << 0;
        QTest::newRow("not a number") << "[RecordSet]\nSaveSetp=abc\n"
                                      << ""
                                      << "" << 3000 << "Power" << 1;
    }
    void startUpTextsFollowTheSettingsFile() {
        QFETCH(QString, ini);
        RecordRig rig(ini);
        QTEST(rig.form->statusPanelText(0), "panel0");
        QTEST(rig.form->statusPanelText(1), "panel1");
        QTEST(rig.session->recorder.settings().sampleMs, "sampleMs");
        QTEST(rig.text("QuantityLabel6"), "label6");
        QTEST(static_cast<int>(rig.dialogs.errors.size()), "errors");
        if (!rig.dialogs.errors.isEmpty())
            QCOMPARE(rig.dialogs.errors[0], QString("'abc' is not a valid integer value"));
        QVERIFY(!rig.enabled("ToolStart") && !rig.enabled("MenuStart"));
        QVERIFY(!rig.enabled("ToolStop") && !rig.enabled("MenuStop"));
        QVERIFY(rig.enabled("ToolSettings") && rig.enabled("MenuCreate"));
    }

    void createStartStopFollowTheStateTable() {
        RecordRig rig;
        rig.create("rec.lxr");
        QCOMPARE(rig.dialogs.lastFilter, QString("Tavro Record File (.lxr)|*.lxr"));
        QCOMPARE(rig.dialogs.lastProposedName, QString("RecordFile.lxr"));
        QCOMPARE(rig.form->statusPanelText(5), QString("Recording"));
        QVERIFY(rig.enabled("ToolStart") && rig.enabled("MenuStart"));
        rig.form->StartClick();  // not in continuous measurement
        QCOMPARE(rig.dialogs.messages.value(0), QString(kNotContinuousText));
        rig.session->core.state.MeasureMode = MeasureMode::Continuous;
        rig.form->StartClick();
        // No new file while recording: create is disabled, and so are the settings.
        QVERIFY(!rig.enabled("ToolCreate") && !rig.enabled("MenuCreate"));
        QVERIFY(!rig.enabled("ToolSettings") && !rig.enabled("MenuSettings"));
        QVERIFY(rig.enabled("ToolStop") && rig.enabled("MenuStop"));
        rig.record(3);
        QCOMPARE(rig.form->statusPanelText(4), QString("Length:2"));  // the oldest sample is not drawn
        rig.form->StopClick();
        RecordData d;
        QCOMPARE(QString::fromStdString(ReadRecordFile(rig.file("rec.lxr").toStdString(), d).error),
                 QString());
        QCOMPARE(d.count, 3);
        QCOMPARE(d.channels[2][2], 202.0f);  // Power of the third sample
        QVERIFY(rig.enabled("ToolCreate") && !rig.enabled("ToolStart"));

        // An existing file is overwritten only after a yes.
        rig.dialogs.answerYes = false;
        rig.create("rec.lxr");
        QCOMPARE(rig.dialogs.questions.value(0), QString("File exists|File already exists, overwrite?"));
        QCOMPARE(rig.session->recorder.liveCount(), 3);
    }

    void openingAFileShowsItOrRefusesIt() {
        RecordRig rig;
        // A file of 1500 samples with a cut-short record after it.
        RecordData src;
        src.allocate(2000);
        src.count = 1500;
        src.codes = {0, 1, 6, 7, 8, 99};
        for (int i = 0; i < 1500; ++i) {
            src.channels[0][i] = 200.0f + i / 1000.0f;
            src.stamps[i] = CivilToStamp(2026, 3, 4, 10, 0, 0) + i / 86400.0;
        }
        RecordBlock block;
        {
            std::ofstream out(rig.file("ok.lxr").toStdString(), std::ios::binary);
            for (int k = 0; k < 2; ++k) {
                FillRecordBlock(src, k, block);
                out.write(reinterpret_cast<const char*>(block.data()), kRecordBlockSize);
            }
            out.write("cut", 3);
        }
        std::ofstream(rig.file("empty.lxr").toStdString()).flush();

        rig.dialogs.openPath = rig.file("empty.lxr");
        rig.form->OpenClick();
        QCOMPARE(rig.dialogs.errors.value(0),
                 "Cannot show record file \"" + rig.file("empty.lxr") + "\". The file is empty.");
        QCOMPARE(rig.form->statusPanelText(5), QString());
        QVERIFY(rig.form->view().liveView());

        // A save cut short after rewriting the last record: its 1000 samples are shown.
        {
            src.count = 1012;
            FillRecordBlock(src, 0, block);
            std::ofstream out(rig.file("cut.lxr").toStdString(), std::ios::binary);
            out.write(reinterpret_cast<const char*>(block.data()), kRecordBlockSize);
            src.count = 1500;
        }
        rig.dialogs.openPath = rig.file("cut.lxr");
        rig.form->OpenClick();
        QCOMPARE(rig.form->statusPanelText(5),
                 QString("Inspection: Recovered 1000 of 1012 samples: the file was cut short during a save"));
        QCOMPARE(rig.form->view().fileLast, 999);

        rig.dialogs.openPath = rig.file("ok.lxr");
        rig.form->OpenClick();
        QCOMPARE(rig.form->statusPanelText(5),
                 QString("Inspection: Ignored 3 bytes at the end (an incomplete record)"));
        QCOMPARE(rig.text("QuantityLabel3"), QString("Frequency"));
        QCOMPARE(rig.text("QuantityLabel6"), QString("Power"));  // code 99 keeps the label
        QVERIFY(!rig.enabled("ToolSettings") && !rig.enabled("MenuSettings"));
        QCOMPARE(rig.form->statusPanelText(3), "End:" + StampDateTimeText(src.stamps[1499]));
        // The newest sample sits at the left edge; x = 10 reads sample 1489.
        rig.form->Pic4MouseMove(10);
        QCOMPARE(rig.text("ValueLabel1"), QString("Value: 201.489"));
        QCOMPARE(rig.text("TimeLabel"), "Time: " + StampTimeText(src.stamps[1489]));
        rig.form->Pic4MouseMove(5000);  // beyond the data: unchanged
        QCOMPARE(rig.text("ValueLabel1"), QString("Value: 201.489"));

        // A file named on the command line: one second later the window shows it.
        rig.form->hide();
        rig.form->OpenRecordFileAtStart(rig.file("ok.lxr"));
        auto* openTimer = rig.form->findChild<QTimer*>("OpenTimer");
        QVERIFY(openTimer->isActive() && openTimer->isSingleShot());
        QCOMPARE(openTimer->interval(), 1000);
        rig.form->OpenTimerTimer();
        QVERIFY(rig.form->isVisible());
        QCOMPARE(rig.form->statusPanelText(4),
                 "Length:" + QString::number(std::min(1499, rig.form->chartSize().width())));
    }

    // Stop frees the settings, also when a file was opened for viewing while recording.
    void stopEnablesTheSettingsAfterAFileWasOpened() {
        RecordRig rig;
        rig.create("rec.lxr");
        rig.form->StartClick();  // not continuous: refused
        rig.session->core.state.MeasureMode = MeasureMode::Continuous;
        rig.form->StartClick();
        rig.record(3);
        rig.form->StopClick();
        rig.dialogs.openPath = rig.file("rec.lxr");
        rig.form->OpenClick();
        QVERIFY(!rig.enabled("ToolSettings") && !rig.enabled("MenuSettings"));
        rig.create("again.lxr");  // back to a file ready: settings free
        rig.form->StartClick();
        rig.dialogs.openPath = rig.file("rec.lxr");
        rig.form->OpenClick();  // viewed while recording
        QVERIFY(!rig.enabled("ToolSettings") && !rig.enabled("MenuSettings"));
        rig.form->StopClick();
        QVERIFY(rig.enabled("ToolSettings") && rig.enabled("MenuSettings"));
        QVERIFY(!rig.form->view().liveView());  // still viewing the file
    }

    // Program end with a save that fails: retry or quit anyway with a display, one retry without.
    // A step without a new block stores nothing and says so in the live view's panel 5.
    void aStepWithoutABlockShowsNoNewMeasurement() {
        RecordRig rig;
        rig.create("rec.lxr");
        rig.session->core.state.MeasureMode = MeasureMode::Continuous;
        rig.form->StartClick();
        rig.record(2);
        QVERIFY(rig.timers.fire("TRecordForm.Timer1"));  // no block since the last sample
        QCOMPARE(rig.session->recorder.liveCount(), 2);
        QCOMPARE(rig.form->statusPanelText(5), QString("No new measurement"));
        rig.form->ViewSwitchClick();
        QCOMPARE(rig.form->statusPanelText(5), QString("Inspection"));
        rig.form->ViewSwitchClick();
        QCOMPARE(rig.form->statusPanelText(5), QString("No new measurement"));
        rig.record(1);
        QCOMPARE(rig.form->statusPanelText(5), QString("Recording"));
        QCOMPARE(rig.session->recorder.liveCount(), 3);
    }

    // A new file while the old one cannot take its last samples asks: cancel keeps them, discard drops them.
    void aNewFileAfterAFailedSaveAsksFirst() {
        RecordRig rig;
        rig.recordIntoLostFile("rec.lxr", 3);
        rig.form->StopClick();  // its save fails: told once
        QCOMPARE(rig.dialogs.messages.size(), 1);
        rig.create("new.lxr");  // no answer given: "Cancel"
        const QString question =
            "Recording not saved|The last 3 samples of the recording are not in its file: "
            "Cannot open file \"" +
            rig.file("rec.lxr") +
            "\". No such file or directory\r\rRetry the save, discard them and create the "
            "new file, or cancel?|Discard 3 samples";
        QCOMPARE(rig.dialogs.questions, QStringList{question});
        QVERIFY(!QFile::exists(rig.file("new.lxr")));
        QCOMPARE(rig.session->recorder.liveCount(), 3);
        QVERIFY(rig.dialogs.errors.isEmpty());
        rig.dialogs.retryAnswers = {RetryAnswer::Retry, RetryAnswer::Discard};
        rig.create("new.lxr");
        QCOMPARE(rig.dialogs.questions.size(), 3);
        QVERIFY(QFile::exists(rig.file("new.lxr")));
        QCOMPARE(rig.session->recorder.liveCount(), 0);
        QCOMPARE(rig.form->statusPanelText(5), QString("Recording"));
    }

    void aFailedSaveAtExitIsToldAndRetried() {
        RecordRig rig;
        rig.recordIntoLostFile("rec.lxr", 3);
        rig.dialogs.retries = 1;
        QVERIFY(!rig.form->SaveBeforeExit(true));
        QCOMPARE(rig.dialogs.questions.size(), 2);  // retried once, then quit anyway
        QCOMPARE(rig.dialogs.questions[0],
                 "Recording not saved|The last 3 samples of the recording are not in the file: Cannot open "
                 "file \"" +
                     rig.file("rec.lxr") +
                     "\". No such file or directory\r\rRetry the save, or quit anyway without them?");
        QVERIFY(!rig.form->SaveBeforeExit(false));
        QCOMPARE(rig.dialogs.questions.size(), 2);                 // no display: no box
        std::ofstream(rig.file("rec.lxr").toStdString()).flush();  // the file is back
        QVERIFY(rig.form->SaveBeforeExit(true));
        RecordData d;
        QCOMPARE(QString::fromStdString(ReadRecordFile(rig.file("rec.lxr").toStdString(), d).error),
                 QString());
        QCOMPARE(d.count, 3);
        QCOMPARE(rig.dialogs.questions.size(), 2);

        // One sample left out has a sentence of its own.
        RecordRig one;
        one.recordIntoLostFile("one.lxr", 1);
        QVERIFY(!one.form->SaveBeforeExit(true));
        QCOMPARE(
            one.dialogs.questions.value(0),
            "Recording not saved|The last sample of the recording is not in the file: Cannot open file \"" +
                one.file("one.lxr") +
                "\". No such file or directory\r\rRetry the save, or quit anyway without it?");
    }

    void scrollAndTrackChangesAreFoldedIntoOneRedraw() {
        RecordRig rig;
        rig.create("rec.lxr");
        rig.session->core.state.MeasureMode = MeasureMode::Continuous;
        rig.form->StartClick();
        rig.record(1500);
        auto* timer = rig.form->findChild<QTimer*>("ScrollBar1ChangeTimer");
        QVERIFY(timer && !timer->isActive());
        QCOMPARE(timer->interval(), 100);
        const QImage before = rig.form->chartImage().copy();
        rig.find<QScrollBar>("ScrollBar1")->setValue(60);
        rig.find<QScrollBar>("ScrollBar1")->setValue(90);
        QVERIFY(timer->isActive());
        QCOMPARE(rig.form->view().liveOffset, 300);
        QVERIFY(rig.form->chartImage() == before);  // not drawn yet
        rig.form->ScrollBar1ChangeTimerTimer();
        QVERIFY(!timer->isActive());
        QVERIFY(rig.form->chartImage() != before);
        rig.find<QSlider>("TrackBar1")->setValue(148);
        QCOMPARE(rig.form->view().liveZoom, 3);
        QCOMPARE(rig.timers.find("TRecordForm.GridTimer")->interval(), 3000);
        QVERIFY(timer->isActive());
        rig.form->RangeButtonClick();
        QCOMPARE(rig.form->statusPanelText(6), QString("Range: P and N"));
    }

    void settingsEnterWritesKeysAndTakesHold() {
        RecordRig rig;
        TRecSetForm* set = rig.form->settingsForm();
        QVERIFY(set->FormCreate());
        QCOMPARE(set->channelList(0)->currentIndex(), 2);
        QCOMPARE(set->channelList(0)->itemText(7), QString(" Power Factor"));
        set->channelList(5)->setCurrentIndex(11);  // Temperature 2
        set->sampleList()->setCurrentIndex(4);
        set->saveList()->setCurrentIndex(5);
        set->Button1Click();
        QCOMPARE(rig.dialogs.messages, QStringList{kTemperatureMessage});
        QCOMPARE(rig.form->statusPanelText(0), QString("Step: 5S"));
        QCOMPARE(rig.form->statusPanelText(1), QString("SaveSetp:60S"));
        QCOMPARE(rig.text("QuantityLabel6"), QString("Temperature 2"));
        QCOMPARE(rig.session->recorder.settings().saveMs, 60000);
        QCOMPARE(rig.sysSet->readString("RecordSet", "Ch5", ""), std::string("11"));
        QCOMPARE(rig.sysSet->readString("RecordSet", "TInCommNO", ""), std::string("-1"));
        QCOMPARE(rig.sysSet->readString("recordset", "saveSETP", ""), std::string("5"));
        // An index outside a list leaves it without selection.
        rig.sysSet->writeInteger("RecordSet", "SampingSetp", 11);
        QVERIFY(set->FormCreate());
        QCOMPARE(set->sampleList()->currentIndex(), -1);
    }

    // A key that is not a number: the window opens all the same, says so once, shows the
    // default for that key, and "Enter" writes every key, which repairs the file.
    void settingsWindowOpensWithABadKeyAndEnterRepairsIt() {
        RecordRig rig("[RecordSet]\nCh2=abc\nCh4=7\nSaveSetp=x\n");
        rig.dialogs.clear();  // the record window's own start-up message
        TRecSetForm* set = rig.form->settingsForm();
        // What the shown window selects: CH3, CH5, the save step.
        std::array<int, 3> shown{-1, -1, -1};
        bool visible = false;
        QTimer::singleShot(0, set, [&] {
            visible = set->isVisible();
            shown = {set->channelList(2)->currentIndex(), set->channelList(4)->currentIndex(),
                     set->saveList()->currentIndex()};
            set->Button1Click();
        });
        rig.form->SettingsClick();
        QVERIFY(visible);
        QCOMPARE(shown, (std::array<int, 3>{2, 7, 2}));
        QCOMPARE(rig.dialogs.errors, QStringList{"'abc' is not a valid integer value"});
        QCOMPARE(rig.sysSet->readString("RecordSet", "Ch2", ""), std::string("2"));
        QCOMPARE(rig.sysSet->readString("RecordSet", "SaveSetp", ""), std::string("2"));
        QCOMPARE(rig.sysSet->readString("RecordSet", "Ch4", ""), std::string("7"));
        QCOMPARE(rig.form->statusPanelText(1), QString("Save Setp:20S"));
        QVERIFY(set->FormCreate());  // repaired
        QCOMPARE(rig.dialogs.errors.size(), 1);
    }

    void painterSetsExactlyTheTracePixels() {
        struct Case {
            std::vector<ChartPoint> points;
            QVector<QPoint> set;  // pixels of the channel colour
        };
        const Case cases[] = {
            {{{1, 1}, {3, 1}}, {{1, 1}, {2, 1}, {3, 1}, {4, 1}, {1, 2}, {2, 2}, {3, 2}, {4, 2}}},
            {{{0, 0}, {1, 3}},
             {{0, 0}, {1, 0}, {0, 1}, {1, 1}, {0, 2}, {1, 2}, {2, 2}, {1, 3}, {2, 3}, {1, 4}, {2, 4}}},
            {{{5, -100000}, {5, 100000}}, {{5, 0}, {6, 0}, {5, 5}, {6, 5}}},  // far off: clipped, still drawn
        };
        for (const Case& c : cases) {
            QImage image(8, 6, QImage::Format_RGB32);
            image.fill(Qt::white);
            PaintRecordDrawing(image, {RecordPolyline{RecordColour::Channel3, 2, c.points}}, ChartColours{});
            for (const QPoint& p : c.set) QCOMPARE(image.pixel(p), qRgb(0, 0, 255));
            if (c.points[0].y >= 0) {
                int count = 0;
                for (int y = 0; y < 6; ++y)
                    for (int x = 0; x < 8; ++x) count += image.pixel(x, y) == qRgb(0, 0, 255);
                QCOMPARE(count, static_cast<int>(c.set.size()));
            }
        }
    }

    void everyControlHasAName() {
        RecordRig rig;
        for (QAbstractButton* b : rig.form->findChildren<QAbstractButton*>())
            if (!b->objectName().startsWith("qt_"))  // Qt's own menu bar extension
                QVERIFY2(!b->accessibleName().isEmpty() || !b->text().isEmpty(), qPrintable(b->objectName()));
        for (QAbstractButton* b : rig.form->settingsForm()->findChildren<QAbstractButton*>())
            QVERIFY2(!b->text().isEmpty(), qPrintable(b->objectName()));
    }
};

}  // namespace lxv::test

QTEST_MAIN(lxv::test::RecordFormTest)
#include "record_form_test.moc"
