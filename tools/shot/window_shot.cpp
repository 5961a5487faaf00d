// lxv7700-window-shot: the picture of one of the program's windows for the
// documentation, taken offscreen with the program's own session and windows
// against an instrument (the simulator, as scripts/run.sh starts it):
//
//   lxv7700-window-shot [--set NAME=TEXT]... [--click NAME]... [--seconds S] WINDOW OUT.png
//
// The settings are those of LXV_HOME, as for the program. WINDOW is a window's
// object name (HarmonicTestForm, AlarmForm, ...). One second after start (the
// instrument's settings read by then) --set fills a field or chooses a list's
// item by its text and --click presses a button, in the order given; S seconds
// later (default 2) the window is grabbed and saved. Exit 0, or 1 with a line
// on standard error.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTimer>
#include <cstdio>
#include <vector>

#include "app/main_form.h"
#include "app/windows.h"
#include "platform/app_paths.h"
#include "platform/ini_file.h"
#include "platform/qt_serial_port.h"
#include "session/qt_timers.h"
#include "session/session.h"

namespace {

struct Step {
    bool click;
    QString name, text;
};

int Fail(const QString& line) {
    std::fprintf(stderr, "lxv7700-window-shot: %s\n", qPrintable(line));
    return 1;
}

// Sets or clicks one control of `window`; an error text when it cannot.
QString Apply(QWidget* window, const Step& step) {
    QWidget* w = window->findChild<QWidget*>(step.name);
    if (!w) return "no control " + step.name;
    if (step.click) {
        auto* button = qobject_cast<QAbstractButton*>(w);
        if (!button || !button->isEnabled()) return step.name + " is no button that can be pressed";
        button->click();
    } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        edit->setText(step.text);
    } else if (auto* box = qobject_cast<QComboBox*>(w)) {
        const int index = box->findText(step.text);
        if (index < 0) return step.name + " has no item " + step.text;
        box->setCurrentIndex(index);
    } else {
        return step.name + " is no field or list";
    }
    return {};
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setApplicationName("LXV7700");
    lxv::SetProgramFolder(QCoreApplication::applicationDirPath().toStdString());

    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    std::vector<Step> steps;
    double seconds = 2.0;
    QStringList files;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        const bool valued = a == "--set" || a == "--click" || a == "--seconds";
        if (valued && i + 1 >= arguments.size()) return Fail(a + " needs a value");
        if (a == "--set") {
            const QString value = arguments[++i];
            const int at = value.indexOf('=');
            if (at <= 0) return Fail("--set takes NAME=TEXT");
            steps.push_back({false, value.left(at), value.mid(at + 1)});
        } else if (a == "--click") {
            steps.push_back({true, arguments[++i], {}});
        } else if (a == "--seconds") {
            bool ok = false;
            seconds = arguments[++i].toDouble(&ok);
            if (!ok || seconds < 0) return Fail("--seconds takes a number of seconds");
        } else {
            files << a;
        }
    }
    if (files.size() != 2)
        return Fail(
            "usage: lxv7700-window-shot [--set NAME=TEXT]... [--click NAME]... [--seconds S] WINDOW OUT.png");

    lxv::IniFile sysSet(lxv::SysSetPath());
    lxv::QtSerialPort port(sysSet);
    lxv::QtTimers timers;
    lxv::Session session(port, sysSet, timers);
    lxv::Windows windows(session, sysSet, {});
    lxv::TMainForm& main = windows.main();
    QWidget* window = main.objectName() == files[0] ? &main : main.findChild<QWidget*>(files[0]);
    if (!window || !window->isWindow()) return Fail("no window " + files[0]);
    main.show();
    window->show();

    int exitCode = 0;
    QTimer::singleShot(1000, [&] {
        for (const Step& step : steps)
            if (const QString error = Apply(window, step); !error.isEmpty()) {
                exitCode = Fail(error);
                QCoreApplication::exit(exitCode);
                return;
            }
        QTimer::singleShot(static_cast<int>(seconds * 1000), [&] {
            if (!window->grab().save(files[1])) exitCode = Fail("cannot write " + files[1]);
            QCoreApplication::exit(exitCode);
        });
    });
    QApplication::exec();
    return exitCode;
}
