// The harmonic emissions test window in the program's windows, on a session
// around a fake port: opened from its menu item and tool button, fields read
// when Start runs, the live table, the verdict, the files, and a test that
// goes on while the window is hidden.
#include "report/harmonic_test_form.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTranslator>
#include <cmath>

#include "app/main_form.h"
#include "app/windows.h"
#include "link/registers.h"
#include "platform/ini_file.h"
#include "platform/translation.h"
#include "session/session.h"
#include "support/fake_dialogs.h"
#include "support/fake_serial_port.h"
#include "support/manual_timers.h"

namespace lxv::test {

namespace {

// A 200 W product: 1 A input current, `third` RMS amperes of third harmonic.
std::vector<std::uint8_t> ProductReply(float third) {
    MeasureRecord r;
    ResetMeasurement(r);
    r.setScalar(Scalar::URMS, 230.0f);
    r.setScalar(Scalar::UPP, 325.27f);  // a sine's crest factor
    r.setScalar(Scalar::UF, 50.0f);
    r.setScalar(Scalar::IRMS, 1.0f);
    r.setScalar(Scalar::WRMS, 200.0f);
    r.setScalar(Scalar::PF, 0.87f);
    r.setIHarmonic(1, 0.9f * static_cast<float>(std::sqrt(2.0)));
    r.setIHarmonic(3, third * static_cast<float>(std::sqrt(2.0)));
    return WithCrc({r.data(), r.data() + kBlockSize});
}

// Shows every text of the program in brackets: a text shown without them never went through the translation.
class BracketTranslator : public QTranslator {
  public:
    QString translate(const char* context, const char* source, const char* = nullptr,
                      int = -1) const override {
        return QString(context) == kTextContext ? "[" + QString::fromUtf8(source) + "]" : QString();
    }
    bool isEmpty() const override { return false; }
};

// "objectName: text" of every text (every line of a label) the window shows that is not in brackets; the
// typed fields aside.
QStringList UnbracketedTexts(QWidget* window) {
    QStringList found;
    const auto check = [&found](const QObject* o, const QString& text) {
        for (const QString& line : text.split('\n', Qt::SkipEmptyParts))
            if (!line.startsWith('[')) found << o->objectName() + ": " + line;
    };
    check(window, window->windowTitle());
    for (QWidget* w : window->findChildren<QWidget*>()) {
        check(w, w->toolTip());
        check(w, w->accessibleName());
        if (auto* l = qobject_cast<QLabel*>(w)) check(w, l->text());
        if (auto* b = qobject_cast<QAbstractButton*>(w)) check(w, b->text());
        if (auto* p = qobject_cast<QProgressBar*>(w)) check(w, p->text());
        if (auto* e = qobject_cast<QLineEdit*>(w)) check(w, e->placeholderText());
        if (auto* c = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < c->count(); ++i) check(w, c->itemText(i));
        if (auto* t = qobject_cast<QTableWidget*>(w))
            for (int c = 0; c < t->columnCount(); ++c) {
                check(w, t->horizontalHeaderItem(c)->text().replace('\n', ' '));  // one text on two lines
                for (int r = 0; r < t->rowCount(); ++r) check(w, t->item(r, c)->text());
            }
    }
    return found;
}

}  // namespace

class HarmonicTestFormTest : public QObject {
    Q_OBJECT

    QTemporaryDir home;
    FakeDialogs dialogs;
    FakeSerialPort port;
    ManualTimers timers;
    std::unique_ptr<IniFile> sysSet;
    std::unique_ptr<Session> session;
    std::unique_ptr<Windows> windows;
    THarmonicTestForm* form = nullptr;

    template <class T>
    T* child(const char* name) {
        T* w = form->findChild<T*>(name);
        if (!w) qFatal("no %s", name);
        return w;
    }
    void observe(float third, int blocks) {
        for (int k = 0; k < blocks; ++k) {
            port.receive(ProductReply(third));
            timers.fire("ContinuousReadTimer");  // the next request, 50 ms later
        }
    }
    QString cell(int order, int column) {
        return child<QTableWidget>("ResultTable")->item(order - 2, column)->text();
    }

  private slots:
    void init() {
        qputenv("LXV_HOME", home.path().toLocal8Bit());
        dialogs.clear();
        SetAppDialogs(&dialogs);
        port.present = {3};
        sysSet = std::make_unique<IniFile>((home.path() + "/SysSet.ini").toStdString());
        sysSet->writeInteger("CommPort", "Port", 3);  // the port scan opens it
        session = std::make_unique<Session>(port, *sysSet, timers);
        windows = std::make_unique<Windows>(*session, *sysSet, QStringList{});
        timers.fire("ReplyWaitTimer");  // the opening's settings read is not answered here
        QVERIFY(port.isOpen());
        QVERIFY2(dialogs.messages.isEmpty(), qPrintable(dialogs.messages.join('|')));
        form = windows->main().findChild<THarmonicTestForm*>("HarmonicTestForm");
        QVERIFY(form);
    }
    void cleanup() {
        windows.reset();
        session.reset();
        sysSet.reset();
        port = FakeSerialPort();
        SetAppDialogs(nullptr);
    }

    void opensFromItsMenuItemAndToolButton() {
        TMainForm& main = windows->main();
        auto* item = main.findChild<QAction*>("N41");
        QVERIFY(item && item->isEnabled());
        QCOMPARE(item->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_H));
        QVERIFY(!form->isVisible());
        item->trigger();
        QVERIFY(form->isVisible());
        form->hide();
        QToolButton* button = main.toolButton(11);
        QVERIFY(button && button->isEnabled());
        QCOMPARE(button->objectName(), QString("SeSkinSpeedButton11"));
        button->click();
        QVERIFY(form->isVisible());
        QCOMPARE(child<QLabel>("VerdictLabel")->text(), QString(kVerdictIdleText));
        QVERIFY(!child<QPushButton>("SaveCsvButton")->isEnabled());
    }

    void runsAFailingProductAndSavesItsFiles() {
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        // Set as an assistive tool would: no typing, the fields are read when Start runs.
        child<QComboBox>("ClassBox")->setCurrentIndex(3);
        child<QLineEdit>("ObservationEdit")->setText("12");
        child<QPushButton>("StartButton")->click();
        QVERIFY2(dialogs.messages.isEmpty(), qPrintable(dialogs.messages.join('|')));
        QCOMPARE(session->core.state.MeasureMode, MeasureMode::Continuous);
        QVERIFY(IsRead(port.lastWritten(), MEAS, kMeasCount));
        QCOMPARE(timers.find("HarmonicTest.ObservationTimer")->interval(), 12000);
        child<QLineEdit>("ObservationEdit")->setText("50");  // too late for this test
        QVERIFY(!child<QPushButton>("StartButton")->isEnabled());
        QCOMPARE(child<QProgressBar>("ObservationProgress")->maximum(), 12);

        observe(0.9f, 30);  // 0.9 A against 3.4 mA/W x 200 W = 0.68 A
        QCOMPARE(cell(3, 1), QString("0.6800"));
        QCOMPARE(cell(3, 2), QString("0.9000"));
        QCOMPARE(cell(3, 6), QString("fail"));
        QCOMPARE(cell(2, 6), QString("no limit"));
        QCOMPARE(child<QTableWidget>("ResultTable")->item(1, 6)->background().color(), QColor(255, 210, 204));
        QCOMPARE(child<QLabel>("VerdictLabel")->text(), QString("Observing: FAIL so far"));

        QVERIFY(timers.fire("HarmonicTest.ObservationTimer"));
        auto* verdict = child<QLabel>("VerdictLabel");
        QCOMPARE(verdict->text(), QString("FAIL"));
        QCOMPARE(verdict->accessibleName(), QString("Verdict: FAIL"));
        QVERIFY(child<QLabel>("SummaryLabel")->text().contains("Limits from: 200.0 W (measured)"));
        QVERIFY(child<QLabel>("NotesLabel")->text().endsWith(kPreComplianceNoteText));
        QVERIFY(child<QPushButton>("StartButton")->isEnabled());
        QCOMPARE(session->harmonicTest.result().blocks, 30);
        {
            // Every text of the finished test goes through the translation (the verdict, summary, notes,
            // cells).
            BracketTranslator brackets;
            QCoreApplication::installTranslator(&brackets);
            QCoreApplication::processEvents();
            const QStringList untranslated = UnbracketedTexts(form);
            QCoreApplication::removeTranslator(&brackets);
            QCoreApplication::processEvents();
            QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join(" | ")));
            QCOMPARE(verdict->text(), QString("FAIL"));
        }

        dialogs.savePath = home.filePath("product.csv");
        child<QPushButton>("SaveCsvButton")->click();
        QFile csv(dialogs.savePath);
        QVERIFY(csv.open(QIODevice::ReadOnly));
        QCOMPARE(csv.readAll().toStdString(), HarmonicTestCsv(session->harmonicTest.result()));
        QCOMPARE(dialogs.lastFilter, QString(kCsvFilter));

        dialogs.savePath = home.filePath("product.pdf");
        child<QPushButton>("SavePdfButton")->click();
        QCOMPARE(dialogs.lastProposedName,
                 QString("2HarmonicTest.pdf"));  // ProjectName "2" of a fresh EnterInfo.ini
        QFile pdf(dialogs.savePath);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.read(5) == "%PDF-");
        QVERIFY(dialogs.errors.isEmpty());
    }

    void badFieldsStartNothingAndAHiddenWindowCatchesUp() {
        child<QLineEdit>("ObservationEdit")->setText("abc");
        child<QPushButton>("StartButton")->click();
        QCOMPARE(dialogs.messages,
                 QStringList{"Observation time: 'abc' is not a valid floating point value"});
        QVERIFY(!session->harmonicTest.started());
        QCOMPARE(session->core.state.MeasureMode, MeasureMode::Idle);

        // Class A, a passing product, while the window is hidden.
        child<QLineEdit>("ObservationEdit")->setText("10");
        child<QPushButton>("StartButton")->click();
        QVERIFY(session->harmonicTest.running());
        observe(0.5f, 20);
        QVERIFY(timers.fire("HarmonicTest.ObservationTimer"));
        QCOMPARE(session->harmonicTest.result().verdict, TestVerdict::Pass);
        form->show();
        QCOMPARE(child<QLabel>("VerdictLabel")->text(), QString("PASS"));
        QCOMPARE(cell(3, 1), QString("2.3000"));
        QCOMPARE(cell(3, 6), QString("pass"));
        QCOMPARE(child<QProgressBar>("ObservationProgress")->value(), 10);
        QVERIFY(!form->chartImage().isNull());
    }

    void stoppedBeforeItsEndATestPassesNothingAndIsSavedAsIncomplete() {
        double now = 0;
        session->harmonicTest.setClock([&now] { return now; });
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        // Class A, a product well within its limits, stopped after 10 s of 100 s.
        child<QLineEdit>("ObservationEdit")->setText("100");
        child<QPushButton>("StartButton")->click();
        for (int k = 0; k < 20; ++k) {
            now += 0.5;
            observe(0.5f, 1);
        }
        QCOMPARE(child<QLabel>("VerdictLabel")->text(), QString("Observing: PASS so far"));
        child<QPushButton>("StopButton")->click();
        QVERIFY(!session->harmonicTest.running());
        QCOMPARE(child<QLabel>("VerdictLabel")->text(), QString("INCOMPLETE after 10 s of 100 s"));
        QCOMPARE(child<QLabel>("VerdictLabel")->accessibleName(),
                 QString("Verdict: INCOMPLETE after 10 s of 100 s"));
        QVERIFY(
            child<QLabel>("NotesLabel")->text().contains("The observation was stopped after 10 s of 100 s."));
        QVERIFY(child<QPushButton>("SaveCsvButton")->isEnabled());
        dialogs.savePath = home.filePath("stopped.csv");
        child<QPushButton>("SaveCsvButton")->click();
        QFile csv(dialogs.savePath);
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(csv.readAll());
        QVERIFY2(text.contains("\n# verdict,INCOMPLETE\n"), qPrintable(text));
        QVERIFY(text.contains("\n# note,The observation was stopped after 10 s of 100 s.\n"));

        // Class D, 1.2 A against 0.68 A: above 150 % already, so stopped early it still fails.
        child<QComboBox>("ClassBox")->setCurrentIndex(3);
        child<QPushButton>("StartButton")->click();
        for (int k = 0; k < 20; ++k) {
            now += 0.5;
            observe(1.2f, 1);
        }
        child<QPushButton>("StopButton")->click();
        QCOMPARE(child<QLabel>("VerdictLabel")->text(), QString("FAIL"));
    }
};

}  // namespace lxv::test

QTEST_MAIN(lxv::test::HarmonicTestFormTest)
#include "harmonic_test_form_test.moc"
