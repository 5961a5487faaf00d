// The windows made at start-up: the starting test and the harmonic report open
// from their menu items (with their shortcuts) and tool buttons.
#include "app/windows.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolButton>

#include "app/main_form.h"
#include "app/session_rig.h"
#include "appearance/skin_form.h"
#include "record/rec_set_form.h"
#include "support/accessibility_walk.h"

namespace lxv::test {

class WindowsTest : public QObject {
    Q_OBJECT

  private slots:
    void startingTestAndHarmonicReportAreAttached() {
        SessionRig rig;
        {
            Windows windows(rig.session, rig.sysSet, {});
            TMainForm& main = windows.main();
            for (const auto& [item, button, key, window] :
                 {std::tuple{"N15", 10, Qt::Key_T, "StartingForm"},
                  std::tuple{"N18", 6, Qt::Key_H, "HarmonicForm"}}) {
                auto* action = main.findChild<QAction*>(item);
                QVERIFY(action && action->isEnabled());
                QCOMPARE(action->shortcut(), QKeySequence(Qt::CTRL | key));
                auto* form = main.findChild<QDialog*>(window);
                QVERIFY2(form && !form->isVisible(), window);
                main.toolButton(button)->click();
                QVERIFY(form->isVisible());
                form->hide();
            }
        }
    }

    // Every window the program makes (calibration included, with --service) is
    // reachable from a menu item with a shortcut, and a screen reader finds a
    // name for each of its controls and reads every value it shows.
    void everyWindowHasAShortcutAndNamedControls() {
        SessionRig rig;
        {
            Windows windows(rig.session, rig.sysSet, {"--service"});
            TMainForm& main = windows.main();
            for (QMenu* menu : main.menuBar()->findChildren<QMenu*>()) {
                for (QAction* action : menu->actions()) {
                    if (action->menu() || action->isSeparator() || !action->isVisible()) continue;
                    if (action->objectName() == "Tavro1") continue;  // a page, not a window
                    QVERIFY2(!action->shortcut().isEmpty(),
                             qPrintable(action->objectName() + " " + action->text()));
                }
            }
            int windowsWalked = 0;
            QStringList faults;
            QList<QWidget*> all = main.findChildren<QWidget*>();
            all.prepend(&main);
            for (QWidget* window : all) {
                if (!window->isWindow() || qobject_cast<QMenu*>(window)) continue;
                window->show();
                QCoreApplication::processEvents();  // laid out: scroll bars shown as they are needed
                for (const QString& control : UnnamedControls(window))
                    faults << window->objectName() + ": unnamed " + control;
                for (const QString& label : HiddenValues(window))
                    faults << window->objectName() + ": " + label;
                window->hide();
                ++windowsWalked;
            }
            for (const QString& fault : faults) qWarning("%s", qPrintable(fault));
            QCOMPARE(faults.size(), 0);
            QVERIFY(windowsWalked >= 13);
        }
    }

    // A settings file that cannot be written is told with the system's reason, once an
    // action, whichever window wrote it; a failed last save at program end makes the exit
    // code 1 (no display here: the reason goes to standard error).
    void failedWritesAndTheLastSaveAreTold() {
        SessionRig rig;
        const QString sysSet = rig.home.path() + "/SysSet.ini";
        QVERIFY(QDir().mkdir(sysSet));  // renaming over a folder fails, also for root
        Windows windows(rig.session, rig.sysSet, {});
        QCoreApplication::processEvents();
        rig.dialogs.clear();
        const QString failure = "Cannot write file \"" + sysSet + "\". Is a directory";
        windows.main().findChild<TRecSetForm*>()->Button1Click();  // "Enter": nine keys
        QTRY_COMPARE(rig.dialogs.errors, QStringList{failure});
        windows.main().findChild<Tskin*>()->RadioGroup2Click(1);
        QTRY_COMPARE(rig.dialogs.errors, (QStringList{failure, failure}));
        QVERIFY(!QFileInfo::exists(sysSet + ".new"));

        Recorder& recorder = rig.session.recorder;
        const QString record = rig.home.path() + "/rec.lxr";
        QVERIFY(recorder.CreateRecordFile(record.toStdString()).fileCreated);
        rig.session.core.state.MeasureMode = MeasureMode::Continuous;
        recorder.StartRecording();
        rig.session.core.measurements.publish(rig.session.core.record);
        rig.timers.fire("TRecordForm.Timer1");
        QFile::remove(record);
        QCOMPARE(windows.exitCode(), 0);
        windows.main().close();
        QCOMPARE(windows.exitCode(), 1);
        QVERIFY(rig.dialogs.questions.isEmpty());
    }
};

}  // namespace lxv::test

QTEST_MAIN(lxv::test::WindowsTest)
#include "windows_test.moc"
