// The English interface over every window the program makes: switched to at
// once, every text a user sees is English (no CJK character but the language
// item's own bilingual words), and in either language no label, button or box
// title is wider than the control that shows it at the window's designed size.
// The choice is kept in SysSet.ini; the command line overrides it for a run.
#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTableWidget>
#include <QTest>

#include "app/command_line.h"
#include "app/language_form.h"
#include "app/main_form.h"
#include "app/session_rig.h"
#include "app/windows.h"
#include "platform/translation.h"
#include "record/record_form.h"

namespace lxv::test {

namespace {

// Written in both languages on purpose, so that a reader of either finds the way back.
const QStringList kBilingual = {"Language / 語言", "原文 / Original"};

bool HasCjk(const QString& text) {
    static const QRegularExpression cjk(
        "[\\x{2E80}-\\x{303F}\\x{3040}-\\x{9FFF}\\x{F900}-\\x{FAFF}\\x{FF00}-\\x{FFEF}]");
    return !kBilingual.contains(text) && text.contains(cjk);
}

// Every window the program makes: the main window and the windows it owns.
QList<QWidget*> AllWindows(TMainForm& main) {
    QList<QWidget*> windows{&main};
    for (QWidget* w : main.findChildren<QWidget*>())
        if (w->isWindow() && !qobject_cast<QMenu*>(w)) windows << w;
    return windows;
}

// "Window Class objectName: 'text'" of every shown text with a CJK character.
QStringList CjkTexts(QWidget* window) {
    QStringList found;
    const auto check = [&](const QObject* o, const QString& text) {
        if (HasCjk(text))
            found << QString("%1 %2 %3: '%4'")
                         .arg(window->objectName(), o->metaObject()->className(), o->objectName(), text);
    };
    check(window, window->windowTitle());
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets << window;
    for (QWidget* w : widgets) {
        if (w != window && w->window() != window) continue;  // another window's
        check(w, w->toolTip());
        check(w, w->accessibleName());
        if (auto* l = qobject_cast<QLabel*>(w)) check(w, l->text());
        if (auto* b = qobject_cast<QAbstractButton*>(w)) check(w, b->text());
        if (auto* g = qobject_cast<QGroupBox*>(w)) check(w, g->title());
        if (auto* s = qobject_cast<QStatusBar*>(w)) check(w, s->currentMessage());
        if (auto* c = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < c->count(); ++i) check(w, c->itemText(i));
        if (auto* t = qobject_cast<QTableWidget*>(w)) {
            for (int c = 0; c < t->columnCount(); ++c)
                if (t->horizontalHeaderItem(c)) check(w, t->horizontalHeaderItem(c)->text());
        }
        if (auto* m = qobject_cast<QMenu*>(w)) {
            check(w, m->title());
            for (QAction* a : m->actions()) check(a, a->text());
        }
    }
    return found;
}

// "Window Class objectName: text needs N of W pixels" of every shown label,
// button and box title that its control cuts off.
QStringList CutTexts(QWidget* window) {
    QStringList cut;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisible() || w->window() != window) continue;
        QString text;
        int room = w->width();
        if (auto* l = qobject_cast<QLabel*>(w); l && !l->wordWrap() && l->pixmap().isNull()) {
            text = l->text();
            room = l->contentsRect().width();
        } else if (auto* b = qobject_cast<QAbstractButton*>(w); b && !b->text().isEmpty()) {
            text = b->text();
        } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
            text = g->title();
        }
        if (auto* bar = qobject_cast<QStatusBar*>(w)) {
            // The panels of a status bar side by side, none over the next.
            QList<QWidget*> panels;
            for (QWidget* p : bar->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                if (p->isVisible() && !p->geometry().isEmpty()) panels << p;
            for (int i = 0; i < panels.size(); ++i)
                for (int k = i + 1; k < panels.size(); ++k)
                    if (panels[i]->geometry().intersects(panels[k]->geometry()))
                        cut << QString("%1 %2: %3 overlaps %4")
                                   .arg(window->objectName(), bar->objectName(), panels[i]->objectName(),
                                        panels[k]->objectName());
        }
        if (text.isEmpty() || Qt::mightBeRichText(text)) continue;
        for (const QString& line : text.remove('&').split('\n')) {
            const int needs = w->fontMetrics().horizontalAdvance(line);
            if (needs > room)
                cut << QString("%1 %2 %3: '%4' needs %5 of %6 pixels")
                           .arg(window->objectName(), w->metaObject()->className(), w->objectName(), line)
                           .arg(needs)
                           .arg(room);
        }
    }
    return cut;
}

}  // namespace

class LanguageTest : public QObject {
    Q_OBJECT

    // Shows each window at its own size, as a user opens it, and collects what `look` finds.
    static QStringList LookAtEveryWindow(TMainForm& main, const std::function<QStringList(QWidget*)>& look) {
        QStringList found;
        main.show();
        for (QWidget* window : AllWindows(main)) {
            window->show();
            QCoreApplication::processEvents();
            found << look(window);
            if (window != &main) window->hide();
        }
        return found;
    }

  private slots:
    void cleanup() { SetUiLanguage(UiLanguage::Original); }

    void everyWindowSpeaksEnglishAtOnceAndNothingIsCutOff() {
        SessionRig rig;
        Windows windows(rig.session, rig.sysSet, {"--service"});
        TMainForm& main = windows.main();
        // A recording of two samples, so the record window's status bar shows its start and end stamps.
        auto* record = main.findChild<TRecordForm*>();
        QVERIFY(record->CreateRecordFileAt(rig.home.filePath("shown.lxr")));
        rig.session.core.state.MeasureMode = MeasureMode::Continuous;
        record->StartClick();
        for (int i = 0; i < 2; ++i) {
            rig.session.core.measurements.publish(rig.session.core.record);
            QVERIFY(rig.timers.fire("TRecordForm.Timer1"));
        }
        // The design's own texts first: nothing cut off there either.
        const QStringList cutInOriginal = LookAtEveryWindow(main, CutTexts);
        QVERIFY(record->statusPanelText(2).startsWith("Start:") && record->statusPanelText(2).size() > 12);
        for (const QString& fault : cutInOriginal) qWarning("original: %s", qPrintable(fault));

        auto* language = main.findChild<TLanguageForm*>();
        QVERIFY(language);
        language->RadioGroup1Click(1);      // English, from the language window
        QCoreApplication::processEvents();  // the windows hear of it
        QCOMPARE(CurrentUiLanguage(), UiLanguage::English);
        QCOMPARE(QString::fromStdString(rig.sysSet.readString("Language", "UI", "")), QString("en"));
        QCOMPARE(main.findChild<QAction*>("N12")->text(), QString("Single"));
        QCOMPARE(main.findChild<QLabel*>("StatusPanel1")->text(), QString("Status: not synchronized"));

        QStringList faults = LookAtEveryWindow(main, CjkTexts);
        faults << LookAtEveryWindow(main, CutTexts);
        for (const QString& fault : faults) qWarning("English: %s", qPrintable(fault));
        QCOMPARE(faults.size(), 0);
        QCOMPARE(cutInOriginal.size(), 0);

        language->RadioGroup1Click(0);  // and back
        QCoreApplication::processEvents();
        QCOMPARE(main.findChild<QAction*>("N12")->text(), QString("單次測量"));
        QCOMPARE(QString::fromStdString(rig.sysSet.readString("Language", "UI", "")), QString("original"));
    }

    // The stored choice holds at the next start; --language overrides it for one run; no choice is the
    // original.
    void theChoiceIsKeptAndTheCommandLineOverridesIt() {
        {
            SessionRig rig;
            Windows windows(rig.session, rig.sysSet, {});
            QCOMPARE(CurrentUiLanguage(), UiLanguage::Original);
        }
        {
            SessionRig rig;
            rig.sysSet.writeString("Language", "UI", "en");
            Windows windows(rig.session, rig.sysSet, {});
            QCOMPARE(CurrentUiLanguage(), UiLanguage::English);
            QCOMPARE(windows.main().findChild<QMenu*>("MenuFile")->title(), QString("File"));
        }
        {
            SessionRig rig;
            rig.sysSet.writeString("Language", "UI", "en");
            Windows windows(rig.session, rig.sysSet, {"--language", "original"});
            QCOMPARE(CurrentUiLanguage(), UiLanguage::Original);
            QCOMPARE(windows.main().findChild<QMenu*>("MenuFile")->title(), QString("檔案"));
            QCOMPARE(QString::fromStdString(rig.sysSet.readString("Language", "UI", "")), QString("en"));
        }
        QVERIFY(!ParseProgramArguments({"--language", "de"}).error.isEmpty());
        QVERIFY(ParseProgramArguments({"--export", "a.lxr", "b.csv", "--language", "en"}).error.isEmpty());
    }
};

}  // namespace lxv::test

QTEST_MAIN(lxv::test::LanguageTest)
#include "language_test.moc"
