// The main window's measurement cycle through its controls: single, continuous,
// stop, re-requests, failures, the progress bar and the notice at closing.
#include <QDialog>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include "main_form_fixture.h"

namespace lxv::test {

namespace {

// Runs a timer out as if its interval had passed.
void Fire(ManualTimer* timer) {
    QVERIFY(timer && timer->isActive());
    timer->fireNow();
}

}  // namespace

class MainFormCycleTest : public QObject {
    Q_OBJECT

    std::unique_ptr<MainFormRig> rig;

    QToolButton* button(int n) const {
        return rig->find<QToolButton>(QString("SeSkinSpeedButton%1").arg(n).toUtf8().constData());
    }
    QAction* item(const char* name) const { return rig->find<QAction>(name); }
    // The measurement cycle's timers are MeasureControl's, made by the session's timer factory.
    ManualTimer* timer(const char* name) const { return rig->timers.find(name); }
    ManualTimer* next() const { return rig->timers.find("ContinuousReadTimer"); }
    int measRequests() const {
        int n = 0;
        for (const auto& f : rig->port.written) n += IsRead(f, MEAS, 2);
        return n;
    }

  private slots:
    void init() {
        rig = std::make_unique<MainFormRig>();
        rig->form->setMeasureActionsEnabled(true);  // what the port settings do after opening the port
    }
    void cleanup() { rig.reset(); }

    void startsIdleWithTheInitialControlStates() {
        MainFormRig fresh;
        auto b = [&](int n) {
            return fresh.find<QToolButton>(QString("SeSkinSpeedButton%1").arg(n).toUtf8().constData());
        };
        QVERIFY(!b(7)->isEnabled());
        QVERIFY(!b(8)->isEnabled());
        QVERIFY(!b(9)->isEnabled());
        QVERIFY(!fresh.find<QAction>("N14")->isEnabled());
        QVERIFY(fresh.find<QAction>("N12")->isEnabled());
        QVERIFY(fresh.find<QAction>("N13")->isEnabled());
        // Windows this build lacks are not offered.
        for (const char* absent : {"N5", "N9", "N15", "N18", "N20", "N30", "C1", "N21"})
            QVERIFY2(!fresh.find<QAction>(absent)->isEnabled(), absent);
        for (int absent : {3, 4, 5, 6, 10}) QVERIFY(!b(absent)->isEnabled());
        QVERIFY(!fresh.find<QAction>("N25")->isVisible());
        QVERIFY(!fresh.find<QAction>("N34")->isVisible());
        QCOMPARE(fresh.form->statusPanelText(0), QString("Connection: Connecting"));
        QCOMPARE(fresh.form->statusPanelText(1), QString("Status: not synchronized"));
        QCOMPARE(fresh.form->statusPanelText(2), QString("Communication:"));
        QCOMPARE(fresh.form->statusPanelText(4), QString("Date:"));
        QCOMPARE(fresh.find<QProgressBar>("ProgressBar1")->maximum(), 50);
        QCOMPARE(fresh.core->state.MeasureMode, MeasureMode::Idle);
        QVERIFY(fresh.port.written.empty());

        QDialog versionForm, commForm;
        fresh.form->SetVersionForm(&versionForm);
        fresh.form->SetCommForm(&commForm);
        QVERIFY(fresh.find<QAction>("N21")->isEnabled());
        QVERIFY(b(4)->isEnabled());
        QVERIFY(fresh.find<QAction>("C1")->isEnabled());
    }

    void menuShortcutsAreTheUsualKeys() {
        QCOMPARE(item("N12")->shortcut(), QKeySequence(Qt::Key_F5));
        QCOMPARE(item("N13")->shortcut(), QKeySequence(Qt::Key_F6));
        QCOMPARE(item("N14")->shortcut(), QKeySequence(Qt::Key_F7));
        QCOMPARE(item("N2")->shortcut(), QKeySequence(QKeySequence::Open));
        QCOMPARE(item("N3")->shortcut(), QKeySequence(QKeySequence::Save));
        QCOMPARE(item("N5")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
        QCOMPARE(item("N23")->shortcut(), QKeySequence(Qt::Key_F1));
        QCOMPARE(item("N7")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    }

    void singleMeasurementReturnsToIdleOnItsReply() {
        QDialog commForm;
        rig->form->SetCommForm(&commForm);
        rig->core->state.BaudIndex = 7;  // 115200 baud
        item("N12")->trigger();
        QCOMPARE(rig->port.written.size(), std::size_t{1});
        QVERIFY(IsRead(rig->port.lastWritten(), MEAS, 2));
        QCOMPARE(rig->core->state.MeasureMode, MeasureMode::Single);
        QCOMPARE(rig->core->state.LastRegister, std::uint8_t{MEAS});
        QCOMPARE(rig->core->state.LastCount, std::uint16_t{2});
        QVERIFY(!button(7)->isEnabled());
        QVERIFY(!button(8)->isEnabled());
        QVERIFY(button(9)->isEnabled());
        QVERIFY(timer("ReReadTimer")->isActive());
        QCOMPARE(timer("ReReadTimer")->interval(), 2000);
        QVERIFY(item("C1")->isEnabled());  // only continuous measurement locks the port settings

        rig->receive(SampleMeasurement(230.0f));
        QCOMPARE(rig->core->state.MeasureMode, MeasureMode::Idle);
        QVERIFY(!timer("ReReadTimer")->isActive());
        QVERIFY(!next()->isActive());
        QVERIFY(button(7)->isEnabled());
        QVERIFY(button(8)->isEnabled());
        QVERIFY(item("N13")->isEnabled());
        QVERIFY(item("N14")->isEnabled());
        QCOMPARE(rig->form->statusPanelText(0), QString("Communication success!"));
        QVERIFY(rig->form->statusPanelText(4).startsWith("Date: "));
        QVERIFY(rig->form->statusPanelText(4).size() > 8);
        QCOMPARE(rig->find<QLabel>("Panel_URMS")->text(), QString("230.0V"));
        QCOMPARE(measRequests(), 1);  // nothing more is asked
    }

    void continuousMeasurementAsksOncePerReplyAfter50ms() {
        QDialog commForm;
        rig->form->SetCommForm(&commForm);
        button(8)->click();
        QCOMPARE(rig->core->state.MeasureMode, MeasureMode::Continuous);
        QVERIFY(!item("C1")->isEnabled());
        QVERIFY(!item("N12")->isEnabled());
        QVERIFY(!item("N13")->isEnabled());
        QVERIFY(item("N14")->isEnabled());
        QVERIFY(button(9)->isEnabled());
        QCOMPARE(measRequests(), 1);

        // A one-shot of 50 ms, counted from the reply (the window draws afterwards).
        ManualTimer* wait = next();
        for (int round = 0; round < 3; ++round) {
            rig->receive(SampleMeasurement(100.0f + round));
            QVERIFY(wait->isActive());
            QCOMPARE(wait->interval(), 50);
            QVERIFY(!timer("ReReadTimer")->isActive());
            QCOMPARE(measRequests(), round + 1);  // not before the 50 ms are over
            Fire(wait);
            QCOMPARE(rig->form->statusPanelText(0), QString("Request data!"));
            QCOMPARE(measRequests(), round + 2);
            QVERIFY(IsRead(rig->port.lastWritten(), MEAS, 2));
            QVERIFY(!wait->isActive());
            QVERIFY(timer("ReReadTimer")->isActive());
        }
        QCOMPARE(rig->core->state.MeasureMode, MeasureMode::Continuous);
        QCOMPARE(rig->find<QLabel>("Panel_URMS")->text(), QString("102.0V"));
    }

    void stopEndsBothTimersAndALateReplyStartsNothing() {
        QDialog commForm;
        rig->form->SetCommForm(&commForm);
        button(8)->click();
        rig->receive(SampleMeasurement(50.0f));
        QVERIFY(next()->isActive());
        Fire(next());  // the next request goes out, then the user stops
        item("N14")->trigger();
        QCOMPARE(rig->core->state.MeasureMode, MeasureMode::Idle);
        QVERIFY(!next()->isActive());
        QVERIFY(!timer("ReReadTimer")->isActive());
        QVERIFY(button(7)->isEnabled());
        QVERIFY(button(8)->isEnabled());
        for (const char* name : {"N12", "N13", "N14", "C1"}) QVERIFY2(item(name)->isEnabled(), name);

        // A reply that was still on its way is shown but asks for nothing more.
        const auto sent = rig->port.written.size();
        rig->receive(SampleMeasurement(77.0f));
        QCOMPARE(rig->find<QLabel>("Panel_URMS")->text(), QString("77.0V"));
        QVERIFY(!next()->isActive());
        QVERIFY(!timer("ReReadTimer")->isActive());
        QCOMPARE(rig->port.written.size(), sent);
        QCOMPARE(rig->core->state.MeasureMode, MeasureMode::Idle);
    }

    void missingReplyIsRequestedAgainEvery2s() {
        button(7)->click();
        ManualTimer* reRead = timer("ReReadTimer");
        for (int tick = 1; tick <= 3; ++tick) {
            Fire(reRead);
            QCOMPARE(rig->form->statusPanelText(0), QString("Communication failure, re-request data!"));
            QCOMPARE(measRequests(), 1 + tick);
            QVERIFY(reRead->isActive());  // repeats until stopped
        }
        QCOMPARE(rig->core->state.MeasureMode, MeasureMode::Single);
        button(9)->click();
        QVERIFY(!reRead->isActive());
    }

    void continuousRequestRestoresTheMeasurementCount() {
        button(8)->click();
        rig->receive(SampleMeasurement(50.0f));
        // A settings read in between left its own register and count.
        rig->core->state.LastRegister = SETUP;
        rig->core->state.LastCount = 18;
        Fire(next());
        QCOMPARE(rig->core->state.LastRegister, std::uint8_t{MEAS});
        QCOMPARE(rig->core->state.LastCount, std::uint16_t{2});
        Fire(timer("ReReadTimer"));
        QVERIFY(IsRead(rig->port.lastWritten(), MEAS, 2));
    }

    void reRequestWaitFitsTheBaudRate() {
        // index of the baud list, ReReadTimer's interval: a block's time on the wire + 0.5 s, at least 2 s
        const std::pair<int, int> rows[] = {{0, 5775}, {1, 3138}, {2, 2259}, {3, 2000}, {7, 2000}};
        for (const auto& [index, interval] : rows) {
            rig->core->state.BaudIndex = index;
            button(8)->click();
            QCOMPARE(timer("ReReadTimer")->interval(), interval);
            rig->receive(SampleMeasurement(1.0f));
            Fire(next());  // the next request restarts it with the same wait
            QVERIFY(timer("ReReadTimer")->isActive());
            QCOMPARE(timer("ReReadTimer")->interval(), interval);
            button(9)->click();
        }
    }

    void failedSendIsReportedButTheModeIsEntered() {
        rig->port.close();
        button(8)->click();
        QCOMPARE(rig->dialogs.messages,
                 QStringList{"Read the request failed, instruments and computers have not connected."});
        QCOMPARE(rig->core->state.MeasureMode, MeasureMode::Continuous);
        QVERIFY(timer("ReReadTimer")->isActive());
        Fire(timer("ReReadTimer"));  // the port is closed: nothing is tried
        QVERIFY(rig->port.written.empty());
        QCOMPARE(rig->form->statusPanelText(0), QString("Communication failure, re-request data!"));
    }

    void damagedReplyIsAskedForAgainOnceTheLineIsQuietAndNotShown() {
        button(7)->click();
        auto reply = MeasureReply(SampleMeasurement(99.0f));
        reply[100] ^= 0x04;
        rig->port.receive(reply);
        QCOMPARE(measRequests(), 1);
        QVERIFY(rig->session->receiver.silenceTimer().isActive());
        rig->session->receiver.silenceElapsed();
        QCOMPARE(measRequests(), 2);
        QCOMPARE(rig->find<QLabel>("Panel_URMS")->text(), QString("0.0V"));
        QCOMPARE(rig->core->state.MeasureMode, MeasureMode::Single);
    }

    void progressBarFollowsTheReplyUnderWay() {
        auto* bar = rig->find<QProgressBar>("ProgressBar1");
        button(7)->click();
        const auto reply = MeasureReply(SampleMeasurement(10.0f));
        rig->port.receive({reply.begin(), reply.begin() + 1266});
        QCOMPARE(bar->value(), 25);
        rig->port.receive({reply.begin() + 1266, reply.end()});
        QCOMPARE(bar->value(), 50);
        QCOMPARE(ProgressSteps(10, 0), 50);  // size not known beforehand: full at once
    }

    void portSettingsSwitchTheMeasurementActions() {
        rig->form->setMeasureActionsEnabled(false);
        QVERIFY(!button(7)->isEnabled());
        QVERIFY(!button(8)->isEnabled());
        QVERIFY(!item("N12")->isEnabled());
        QVERIFY(!item("N13")->isEnabled());
        rig->form->setStatusPanelText(1, "Status: 2 kHz");
        QCOMPARE(rig->form->statusPanelText(1), QString("Status: 2 kHz"));
    }

    void linkEndGoesOutAtCloseOnlyOnTheUsbLink() {
        QSignalSpy closed(rig->form.get(), &TMainForm::closed);
        rig->form->close();
        QVERIFY(rig->port.written.empty());
        QCOMPARE(closed.count(), 1);

        init();
        rig->core->state.LinkKind = LinkKind::Usb;
        button(8)->click();
        item("N7")->trigger();
        QVERIFY(IsRead(rig->port.lastWritten(), LINKEND, 0));
        QVERIFY(!timer("ReReadTimer")->isActive());
    }
};

}  // namespace lxv::test

QTEST_MAIN(lxv::test::MainFormCycleTest)
#include "main_form_cycle_test.moc"
