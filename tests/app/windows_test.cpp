// The windows made at start-up: the starting test and the harmonic report are
// reached from their menu items, tool buttons and shortcuts.
#include "app/windows.h"

#include <QAction>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "app/main_form.h"
#include "measure/harmonic_form.h"
#include "measure/starting_form.h"
#include "platform/ini_file.h"
#include "session/session.h"
#include "support/fake_dialogs.h"
#include "support/fake_serial_port.h"
#include "support/manual_timers.h"

namespace lxv::test {

class WindowsTest : public QObject {
    Q_OBJECT

  private slots:
    void startingTestAndHarmonicReportAreAttached() {
        QTemporaryDir home;
        FakeSerialPort port;
        FakeDialogs dialogs;
        ManualTimers timers;
        SetAppDialogs(&dialogs);
        IniFile sysSet((home.path() + "/SysSet.ini").toStdString());
        Session session(port, sysSet, timers);
        {
            Windows windows(session, sysSet, {});
            TMainForm& main = windows.main();
            struct Case {
                const char* item;
                int button;
                QKeySequence key;
                const char* window;
            };
            for (const Case& c : {Case{"N15", 10, QKeySequence(Qt::CTRL | Qt::Key_T), "StartingForm"},
                                  Case{"N18", 6, QKeySequence(Qt::CTRL | Qt::Key_H), "HarmonicForm"}}) {
                auto* item = main.findChild<QAction*>(c.item);
                QVERIFY(item && item->isEnabled());
                QCOMPARE(item->shortcut(), c.key);
                QVERIFY(main.toolButton(c.button)->isEnabled());
                auto* window = main.findChild<QDialog*>(c.window);
                QVERIFY2(window && !window->isVisible(), c.window);
                item->trigger();
                QVERIFY(window->isVisible());
                window->hide();
                main.toolButton(c.button)->click();
                QVERIFY(window->isVisible());
                window->hide();
            }
            QCOMPARE(main.findChild<TStartingForm*>()->windowTitle(), QString("Starting test"));
            QVERIFY(main.findChild<THarmonicForm*>()->isModal());
        }
        SetAppDialogs(nullptr);
    }
};

}  // namespace lxv::test

QTEST_MAIN(lxv::test::WindowsTest)
#include "windows_test.moc"
