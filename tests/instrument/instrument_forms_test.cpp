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
#include <QTemporaryDir>
#include <QTest>
#include <clocale>

#include "app/main_form.h"
#include "app/windows.h"
#include "instrument/alarm_control.h"
#include "instrument/alarm_form.h"
#include "instrument/calibrate_control.h"
#include "instrument/calibrate_form.h"
#include "instrument/external_ct_form.h"
#include "instrument/settings_control.h"
#include "instrument_fixture.h"
#include "link/byte_order.h"
#include "platform/ini_file.h"
#include "session/session.h"
#include "support/fake_dialogs.h"

namespace lxv {

class InstrumentFormsTest : public QObject {
    Q_OBJECT

    test::InstrumentRig rig;
    test::FakeSerialPort& port = rig.port;
    SettingsControl settings{rig.core};
    AlarmControl alarm{rig.core};
    CalibrateControl calibrate{rig.core, settings, [] {}};
    test::FakeDialogs dialogs;

  private slots:
    void initTestCase() {
        // The comma run must really have a comma locale (QApplication took it from LC_ALL).
        if (qgetenv("LC_ALL") == "de_DE.UTF-8")
            QCOMPARE(QString(std::localeconv()->decimal_point), QString(","));
        SetAppDialogs(&dialogs);
    }
    void cleanupTestCase() { SetAppDialogs(nullptr); }

    void settingsWindowSavesWhatIsTypedAndShowsWhatIsRead() {
        TExternal_CT_form form(settings);
        auto* edit3 = form.findChild<QLineEdit*>("Edit3");
        auto* button1 = form.findChild<QPushButton*>("Button1");
        edit3->clear();
        QTest::keyClicks(edit3, "0.1x");  // the key filter drops "x"
        QCOMPARE(edit3->text(), QString("0.1"));
        form.findChild<QRadioButton*>("RadioButton1")->click();  // "Auto  " hides the range
        QVERIFY(!form.findChild<QLabel*>("Label11")->isVisibleTo(&form));
        button1->click();
        const std::vector<std::uint8_t> frame = port.lastWritten();
        QCOMPARE(ReadF32LE(frame.data() + 7 + 4), 0.1f);
        QCOMPARE(frame[7 + 16], std::uint8_t{0});  // automatic range
        QVERIFY(!button1->isEnabled());
        rig.ack(SETUP);
        QVERIFY(button1->isEnabled());
        QCOMPARE(form.findChild<QStatusBar*>("StatusBar1")->currentMessage(),
                 QString("Successfully write data to the instrument"));
        // The read-back shows the single's rounding and chooses "Lock".
        form.findChild<QPushButton*>("Button2")->click();
        std::vector<std::uint8_t> block(frame.begin() + 7, frame.end() - 2);
        block[16] = 1;
        rig.reply(block);
        QCOMPARE(edit3->text(), QString("0.100000001490116"));
        QVERIFY(form.findChild<QRadioButton*>("RadioButton2")->isChecked());
        QVERIFY(form.findChild<QLabel*>("Label11")->isVisibleTo(&form));
    }

    void alarmWindowFollowsItsChains() {
        TAlarmForm form(alarm);
        auto* edit1 = form.findChild<QLineEdit*>("Edit1");
        QTest::keyClicks(edit1, "-5");  // no minus in the limits
        QCOMPARE(edit1->text(), QString("3005"));
        form.Open();
        QVERIFY(form.isVisible() && form.isModal());
        QCOMPARE(form.findChild<QLabel*>("Label7")->text(), QString("Request data!......"));
        QVERIFY(!form.findChild<QPushButton*>("Button1")->isEnabled());
        for (int k = 0; k < 8; ++k) rig.replyFloat(0.95f);
        rig.reply({0x05, 0, 0, 0});
        QCOMPARE(edit1->text(), QString("0.95"));
        QVERIFY(form.findChild<QCheckBox*>("CheckBox3")->isChecked());
        QVERIFY(!form.findChild<QCheckBox*>("CheckBox2")->isChecked());
        QVERIFY(form.findChild<QPushButton*>("Button3")->isEnabled());
        // A read of the chain that cannot be sent shows its box once the reply is handled.
        form.findChild<QPushButton*>("Button3")->click();
        rig.port.refuseWrites = true;
        rig.replyFloat(1.0f);
        QVERIFY(dialogs.messages.isEmpty());
        QTRY_COMPARE(dialogs.messages, QStringList{kReadRequestFailedText});
        rig.port.refuseWrites = false;
        form.findChild<QPushButton*>("Button2")->click();
        QVERIFY(!form.isVisible());
    }

    void calibrationWindowRunsItsButtons() {
        for (bool service : {false, true}) {
            TCalibrateForm form(calibrate, {}, service);
            QCOMPARE(form.findChild<QGroupBox*>("TemperatureGroup")->isVisibleTo(&form), service);
        }
        int singles = 0;
        TCalibrateForm form(calibrate, {[&] { ++singles; }, {}, {}}, false);
        form.findChild<QPushButton*>("SeSkinButton31")->click();  // "0.02A"
        QCOMPARE(form.findChild<QLineEdit*>("Edit2")->text(), QString("0.02"));
        QCOMPARE(ReadF32LE(port.lastWritten().data() + 7), 0.02f);
        form.findChild<QPushButton*>("SeSkinButton17")->click();
        QCOMPARE(singles, 1);
        form.findChild<QPushButton*>("Button8")->click();  // read the narrowband phase; never answered
        for (int k = 0; k < 4; ++k) rig.timers.fire("PhaseReadRetryTimer");
        QCOMPARE(form.findChild<QStatusBar*>("StatusBar1")->currentMessage(),
                 QString("Transfer failed at IPHN"));
    }

    // The settings menu: Ctrl+I, Ctrl+L (which starts the alarm read) and, only in service mode, the
    // calibration.
    void windowsAreWiredToTheSettingsMenu() {
        QTemporaryDir home;
        for (bool service : {false, true}) {
            test::FakeSerialPort port2;
            port2.present = {2};  // the default port
            test::ManualTimers timers2;
            IniFile sysSet((home.path() + "/SysSet.ini").toStdString());
            Session session(port2, sysSet, timers2);
            Windows windows(session, sysSet, service ? QStringList{"--service"} : QStringList{});
            timers2.fire("ReplyWaitTimer");  // the opening's settings read is not answered here
            TMainForm& main = windows.main();
            QCOMPARE(main.findChild<QAction*>("N25")->isVisible(), service);
            auto* calibrate = main.findChild<TCalibrateForm*>();
            QCOMPARE(calibrate->findChild<QGroupBox*>("TemperatureGroup")->isVisibleTo(calibrate), service);
            QCOMPARE(main.findChild<QAction*>("N30")->shortcut(), QKeySequence("Ctrl+I"));
            main.findChild<QAction*>("N30")->trigger();
            QVERIFY(main.findChild<TExternal_CT_form*>()->isVisible());
            auto* n40 = main.findChild<QAction*>("N40");
            QCOMPARE(n40->shortcut(), QKeySequence("Ctrl+L"));
            n40->trigger();
            QVERIFY(main.findChild<TAlarmForm*>()->isVisible());
            QCOMPARE(port2.lastWritten(), test::WithCrc({2, 3, 0, AL1H, 0, 2}));  // station 2 by default
        }
    }
};

}  // namespace lxv

QTEST_MAIN(lxv::InstrumentFormsTest)
#include "instrument_forms_test.moc"
