// The starting-test window against an in-memory port: its controls, the range
// lists, start and refusals, a whole transfer, the view buttons and saving.
#include "measure/starting_form.h"

#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "link/registers.h"
#include "measure/starting_control.h"
#include "core/session_core.h"
#include "support/fake_dialogs.h"
#include "support/fake_serial_port.h"
#include "support/manual_timers.h"

namespace lxv {

// A port that is open, the session core, the transfer and its window; built anew for each test.
struct Rig {
    test::FakeSerialPort port;
    test::ManualTimers timers;
    SessionCore core{port, timers};
    StartingControl control{core};
    std::unique_ptr<TStartingForm> form;
    Rig() {
        port.present = {3};
        port.open(3, 14400);
        ResetMeasurement(core.record);
        form = std::make_unique<TStartingForm>(control, core.record);
        form->resize(900, 600);
        form->show();
    }
};

class StartingFormTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Rig> rig;
    test::FakeDialogs dialogs;
    TStartingForm* form = nullptr;

    template <class T>
    T* child(const char* name) {
        T* w = form->findChild<T*>(name);
        if (!w) qFatal("no %s", name);
        return w;
    }
    int lastCount() const {
        const auto& f = rig->port.lastWritten();
        return f.size() == 8 && f[3] == STEST ? f[4] << 8 | f[5] : -1;
    }
    void reply(const std::vector<std::uint8_t>& bytes) {
        rig->core.dispatcher.handleReply(bytes.data(), bytes.size());
    }

  private slots:
    void init() {
        dialogs.clear();
        dialogs.answerYes = true;
        SetAppDialogs(&dialogs);
        rig = std::make_unique<Rig>();
        form = rig->form.get();
        QVERIFY(QTest::qWaitForWindowExposed(form));
    }
    void cleanup() {
        rig.reset();
        SetAppDialogs(nullptr);
    }

    void controlsRangeListsAndViewButtons() {
        QCOMPARE(form->windowTitle(), QString("Starting test"));
        QCOMPARE(form->statusText(), QString("Tavro"));
        QCOMPARE(form->chartImage().size(), QSize(2400, 1600));
        auto* current = child<QComboBox>("ComboBox1");
        auto* voltage = child<QComboBox>("ComboBox2");
        QCOMPARE(current->itemText(3), QString("1 (小電流)"));
        QVERIFY(!current->isEnabled() && !voltage->isEnabled());
        // The mouse over a range box (or the Tab key into it) enables its list; over the chart both go off.
        QEvent enter(QEvent::Enter);
        QFocusEvent tab(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(child<QGroupBox>("GroupBox1"), &enter);
        QApplication::sendEvent(child<QGroupBox>("GroupBox2"), &tab);
        QVERIFY(current->isEnabled() && voltage->isEnabled());
        QApplication::sendEvent(child<QWidget>("StartingPic"), &enter);
        QVERIFY(!current->isEnabled() && !voltage->isEnabled());

        const char* names[] = {"Earlier", "Later", "Compress", "Stretch"};
        for (int i = 0; i < 4; ++i) {
            auto* b = child<QToolButton>(QString("SeSkinSpeedButton%1").arg(i + 2).toLatin1());
            QCOMPARE(b->accessibleName(), QString(names[i]));
            QCOMPARE(b->toolTip(), QString(names[i]));
        }
        auto* later = child<QToolButton>("SeSkinSpeedButton3");
        for (int i = 0; i < 8; ++i) QTest::mouseClick(later, Qt::LeftButton);
        QCOMPARE(form->view().offset(), 2240);
        QVERIFY(!later->isEnabled());
    }

    void startAsksThenSendsTheChosenRangesAndRedrawsTheCapture() {
        child<QComboBox>("ComboBox1")->setCurrentIndex(3);
        child<QComboBox>("ComboBox2")->setCurrentIndex(3);
        dialogs.answerYes = false;
        form->SeSkinSpeedButton1Click();
        QCOMPARE(dialogs.questions, QStringList{QString(kStartQuestionCaption) + "|" + kStartQuestionText});
        QVERIFY(rig->port.written.empty());
        dialogs.answerYes = true;
        form->SeSkinSpeedButton1Click();
        QCOMPARE(lastCount(), 51);
        QCOMPARE(form->statusText(), QString("发送测试请求"));

        const QImage before = form->chartImage().copy();
        reply(test::WithCrc({1, kFnStartAck, kStartAckCode, 0}));
        QCOMPARE(form->statusText(), QString("Successfully triggered"));
        std::vector<std::uint8_t> chunk(kChunkSize, 0);
        for (std::size_t i = 0; i < kChunkSize; i += 2) chunk[i] = static_cast<std::uint8_t>(i * 7);
        for (int k = 1; k <= 6; ++k) reply(test::WithCrc(chunk));
        QCOMPARE(form->statusText(), QString("Testing completed"));
        QVERIFY(form->chartImage() != before);
    }

    void savesTheChartAsBmpOrPng() {
        QTemporaryDir dir;
        dialogs.savePath = dir.filePath("chart.bmp");
        form->SeSkinSpeedButton6Click();
        QCOMPARE(dialogs.lastProposedName, QString("StartingTestFile.bmp"));
        QVERIFY(dialogs.lastFilter.contains("*.png"));
        QFile bmp(dialogs.savePath);
        QVERIFY(bmp.open(QIODevice::ReadOnly));
        const QByteArray header = bmp.read(30);
        QCOMPARE(header.left(2), QByteArray("BM"));
        QCOMPARE(ReadU16LE(reinterpret_cast<const std::uint8_t*>(header.constData()) + 28),
                 24);  // bits per pixel
        QCOMPARE(QImage(dialogs.savePath).size(), child<QWidget>("StartingPic")->size());
        dialogs.savePath = dir.filePath("chart.png");
        form->SeSkinSpeedButton6Click();
        QCOMPARE(QImageReader(dialogs.savePath).format(), QByteArray("png"));
        dialogs.savePath = dir.filePath("missing/chart.bmp");
        form->SeSkinSpeedButton6Click();
        QCOMPARE(dialogs.errors.size(), 1);
    }
};

}  // namespace lxv

QTEST_MAIN(lxv::StartingFormTest)
#include "starting_form_test.moc"
