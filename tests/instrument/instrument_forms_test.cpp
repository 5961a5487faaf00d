// The three configuration windows as views of their controllers, on a fake
// port (Qt Test, offscreen). Also run under a comma locale.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>
#include <clocale>

#include "instrument/alarm_control.h"
#include "instrument/alarm_form.h"
#include "instrument/calibrate_control.h"
#include "instrument/calibrate_form.h"
#include "instrument/external_ct_form.h"
#include "instrument/settings_control.h"
#include "link/byte_order.h"
#include "link/frame_codec.h"
#include "session/session_core.h"
#include "support/fake_dialogs.h"
#include "support/fake_serial_port.h"
#include "support/manual_timers.h"

namespace lxv {

using test::WithCrc;

class InstrumentFormsTest : public QObject {
    Q_OBJECT

    test::FakeSerialPort port;
    test::ManualTimers timers;
    SessionCore core{port, timers};
    SettingsControl settings{core};
    AlarmControl alarm{core};
    CalibrateControl calibrate{core, settings, [] {}};
    test::FakeDialogs dialogs;

    void reply(const std::vector<std::uint8_t>& data) {
        std::vector<std::uint8_t> body{1, 3, static_cast<std::uint8_t>(data.size())};
        body.insert(body.end(), data.begin(), data.end());
        const auto bytes = WithCrc(body);
        core.dispatcher.handleReply(bytes.data(), bytes.size());
    }
    void ack(std::uint8_t reg) {
        const auto bytes = WithCrc({1, 9, reg});
        core.dispatcher.handleReply(bytes.data(), bytes.size());
    }

  private slots:
    void initTestCase() {
        // The comma run must really have a comma locale (QApplication took it from LC_ALL).
        if (qgetenv("LC_ALL") == "de_DE.UTF-8")
            QCOMPARE(QString(std::localeconv()->decimal_point), QString(","));
        port.open_ = true;
        SetAppDialogs(&dialogs);
    }
    void cleanupTestCase() { SetAppDialogs(nullptr); }

    void settingsWindowSavesWhatIsTypedAndShowsWhatIsRead() {
        TExternal_CT_form form(settings);
        auto* edit3 = form.findChild<QLineEdit*>("Edit3");
        auto* button1 = form.findChild<QPushButton*>("Button1");
        QCOMPARE(form.findChild<QStatusBar*>("StatusBar1")->currentMessage(),
                 QString("还没有与仪器同步数据！"));
        edit3->clear();
        QTest::keyClicks(edit3, "0.1x");  // the key filter drops "x"
        QCOMPARE(edit3->text(), QString("0.1"));
        form.findChild<QRadioButton*>("RadioButton1")->click();  // "Auto  " hides the range
        QVERIFY(!form.findChild<QLabel*>("Label11")->isVisibleTo(&form));
        button1->click();
        QVERIFY(dialogs.messages.isEmpty());
        const std::vector<std::uint8_t> frame = port.lastWritten();
        QCOMPARE(frame.size(), std::size_t{28});
        QCOMPARE(ReadF32LE(frame.data() + 7 + 4), 0.1f);
        QCOMPARE(frame[7 + 16], std::uint8_t{0});  // automatic range
        QVERIFY(!button1->isEnabled());
        ack(SETUP);
        QVERIFY(button1->isEnabled());
        QCOMPARE(form.findChild<QStatusBar*>("StatusBar1")->currentMessage(),
                 QString("Successfully write data to the instrument"));
        // The read-back shows the single's rounding and chooses "Lock".
        form.findChild<QPushButton*>("Button2")->click();
        std::vector<std::uint8_t> block(frame.begin() + 7, frame.end() - 2);
        block[16] = 1;
        reply(block);
        QCOMPARE(edit3->text(), QString("0.100000001490116"));
        QVERIFY(form.findChild<QRadioButton*>("RadioButton2")->isChecked());
        QVERIFY(form.findChild<QLabel*>("Label11")->isVisibleTo(&form));
        // A field that is not a number: the message, nothing sent.
        const std::size_t frames = port.written.size();
        edit3->setText("1.2.3");
        emit edit3->textEdited(edit3->text());
        button1->click();
        QCOMPARE(dialogs.messages.value(0),
                 QString("Current transformer ratio: '1.2.3' is not a valid floating point value"));
        QCOMPARE(port.written.size(), frames);
        dialogs.clear();
    }

    void alarmWindowFollowsItsChains() {
        TAlarmForm form(alarm);
        auto* edit1 = form.findChild<QLineEdit*>("Edit1");
        QTest::keyClicks(edit1, "-5");  // no minus in the limits
        QCOMPARE(edit1->text(), QString("3005"));
        form.Open();
        QVERIFY(form.isVisible());
        QVERIFY(form.isModal());
        QCOMPARE(form.findChild<QLabel*>("Label7")->text(), QString("Request data!......"));
        QVERIFY(!form.findChild<QPushButton*>("Button1")->isEnabled());
        std::vector<std::uint8_t> value(4);
        for (int k = 0; k < 8; ++k) {
            WriteF32LE(value.data(), 0.95f);
            reply(value);
        }
        reply({0x05, 0, 0, 0});
        QCOMPARE(edit1->text(), QString("0.95"));
        QVERIFY(form.findChild<QCheckBox*>("CheckBox3")->isChecked());
        QVERIFY(!form.findChild<QCheckBox*>("CheckBox2")->isChecked());
        QVERIFY(form.findChild<QPushButton*>("Button3")->isEnabled());
        form.findChild<QPushButton*>("Button2")->click();
        QVERIFY(!form.isVisible());
    }

    void calibrationWindowRunsItsButtons() {
        for (bool service : {false, true}) {
            TCalibrateForm form(calibrate, {}, service);
            QCOMPARE(form.findChild<QGroupBox*>("GroupBox4")->isVisibleTo(&form), service);
        }
        int singles = 0;
        TCalibrateForm form(calibrate, {[&] { ++singles; }, {}, {}}, false);
        form.findChild<QPushButton*>("SeSkinButton31")->click();  // "0.02A"
        QCOMPARE(form.findChild<QLineEdit*>("Edit2")->text(), QString("0.02"));
        QCOMPARE(ReadF32LE(port.lastWritten().data() + 7), 0.02f);
        form.findChild<QLineEdit*>("Edit8")->setText("-0.2");
        emit form.findChild<QLineEdit*>("Edit8")->textEdited("-0.2");
        form.findChild<QPushButton*>("SeSkinButton35")->click();  // "+1.3"
        QCOMPARE(form.findChild<QLineEdit*>("Edit7")->text(), QString("1.1"));
        form.findChild<QPushButton*>("SeSkinButton17")->click();
        QCOMPARE(singles, 1);
        form.findChild<QPushButton*>("Button8")->click();  // read the narrowband phase; never answered
        for (int k = 0; k < 4; ++k) timers.fire("PhaseReadRetryTimer");
        QCOMPARE(form.findChild<QStatusBar*>("StatusBar1")->currentMessage(),
                 QString("Transfer failed at IPHN"));
    }
};

}  // namespace lxv

QTEST_MAIN(lxv::InstrumentFormsTest)
#include "instrument_forms_test.moc"
