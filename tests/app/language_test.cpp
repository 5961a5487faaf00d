// The English interface over every window the program makes: switched to at
// once, every text a user sees is English (no CJK character but the language
// item's own bilingual words), and in either language no label, button or box
// title is wider than the control that shows it at the window's designed size.
// The choice is kept in SysSet.ini; the command line overrides it for a run.
// Every menu item and menu title has its own accelerator in its menu or menu
// bar; every text keeps the lines of its original, so no message box loses
// one; files (the export's headings) do not change with the language.
#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSet>
#include <QStatusBar>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <QXmlStreamReader>

#include "app/command_line.h"
#include "app/language_form.h"
#include "app/main_form.h"
#include "app/session_rig.h"
#include "app/windows.h"
#include "platform/translation.h"
#include "record/rec_set_form.h"
#include "record/record_form.h"
#include "record/record_settings.h"
#include "report/record_window_source.h"
#include "report/report_geometry.h"

namespace lxv::test {

namespace {

// Written in both languages on purpose, so that a reader of either finds the way back.
const QStringList kBilingual = {"Language / 語言", "原文 / Original"};

bool HasCjk(const QString& text) {
    static const QRegularExpression cjk(
        "[\\x{2E80}-\\x{303F}\\x{3040}-\\x{9FFF}\\x{F900}-\\x{FAFF}\\x{FF00}-\\x{FFEF}]");
    return !kBilingual.contains(WithoutMnemonics(text)) && text.contains(cjk);
}

int Lines(const QString& text) {
    return 1 + static_cast<int>(text.count('\n') + text.count('\r'));
}

// The accelerator of a menu caption, lower case ('\0' for none); `marks` counts its '&' marks.
QChar Accelerator(const QString& caption, int& marks) {
    QChar key;
    marks = 0;
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        ++marks;
        key = caption[i + 1].toLower();
    }
    return key;
}

// "where: caption" of every caption in `captions` without exactly one accelerator or with one that
// another caption of the same menu (bar) has.
QStringList AcceleratorFaults(const QString& where, const QStringList& captions) {
    QStringList faults;
    QMap<QChar, QString> taken;
    for (const QString& caption : captions) {
        int marks = 0;
        const QChar key = Accelerator(caption, marks);
        if (marks != 1)
            faults << QString("%1: '%2' has %3 accelerators").arg(where, caption).arg(marks);
        else if (taken.contains(key))
            faults << QString("%1: '%2' and '%3' share &%4").arg(where, taken[key], caption, key);
        else
            taken[key] = caption;
    }
    return faults;
}

// Every menu bar of `window`: its menus' titles, and each menu's shown items.
QStringList MenuAcceleratorFaults(QMainWindow* window) {
    QStringList faults, titles;
    for (QAction* entry : window->menuBar()->actions()) {
        QMenu* menu = entry->menu();
        if (!menu) continue;
        titles << menu->title();
        QStringList items;
        for (QAction* a : menu->actions())
            if (!a->isSeparator() && a->isVisible()) items << a->text();
        faults << AcceleratorFaults(window->objectName() + " " + menu->objectName(), items);
    }
    faults << AcceleratorFaults(window->objectName() + " menu bar", titles);
    return faults;
}

// Every source text of the English translation (with its disambiguation, if any).
QList<QPair<QString, QString>> TranslationSources() {
    QList<QPair<QString, QString>> sources;
    QFile file(LXV_TRANSLATION_TS);
    if (!file.open(QIODevice::ReadOnly)) return sources;
    QXmlStreamReader xml(&file);
    QString text, comment;
    bool inSource = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"message") {
            text.clear();
            comment.clear();
        } else if (xml.isStartElement() && xml.name() == u"source") {
            inSource = true;
        } else if (xml.isEndElement() && xml.name() == u"source") {
            inSource = false;
        } else if (xml.isStartElement() && xml.name() == u"byte" && inSource) {
            text += QChar(xml.attributes().value("value").mid(1).toInt(nullptr, 16));
        } else if (xml.isCharacters() && inSource) {
            text += xml.text();
        } else if (xml.isStartElement() && xml.name() == u"comment") {
            comment = xml.readElementText();
        } else if (xml.isEndElement() && xml.name() == u"message") {
            sources.append({text, comment});
        }
    }
    return sources;
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

// "Window Class objectName: 'text'" of every tool tip, accessible name, button text, box title and window
// title that shows a menu accelerator's '&' (a caption shared with a menu shows its accelerator only there).
QStringList AcceleratorLeaks(QWidget* window) {
    QStringList found;
    const auto check = [&](const QObject* o, const QString& text) {
        if (WithoutMnemonics(text) != text)
            found << QString("%1 %2 %3: '%4'")
                         .arg(window->objectName(), o->metaObject()->className(), o->objectName(), text);
    };
    check(window, window->windowTitle());
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->window() != window) continue;
        check(w, w->toolTip());
        check(w, w->accessibleName());
        if (auto* b = qobject_cast<QAbstractButton*>(w)) check(w, b->text());
        if (auto* g = qobject_cast<QGroupBox*>(w)) check(w, g->title());
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
        QCOMPARE(main.findChild<QAction*>("N12")->text(), QString("&Single"));
        QCOMPARE(main.findChild<QLabel*>("StatusPanel1")->text(), QString("Status: not synchronized"));

        QStringList faults = LookAtEveryWindow(main, CjkTexts);
        faults << LookAtEveryWindow(main, CutTexts);
        faults << LookAtEveryWindow(main, AcceleratorLeaks);
        for (const QString& fault : faults) qWarning("English: %s", qPrintable(fault));
        QCOMPARE(faults.size(), 0);
        QCOMPARE(cutInOriginal.size(), 0);

        // Accelerators in every menu bar, none shared within a bar or a menu.
        QStringList accelerators = MenuAcceleratorFaults(&main);
        accelerators << MenuAcceleratorFaults(record);
        for (const QString& fault : accelerators) qWarning("English: %s", qPrintable(fault));
        QCOMPARE(accelerators.size(), 0);
        // The quit item and the record window's close item: one original text, two meanings.
        QCOMPARE(main.findChild<QAction*>("N7")->text(), QString("E&xit"));
        QCOMPARE(record->findChild<QAction*>("MenuClose")->text(), QString("&Close"));
        // A caption that is also a tool button's shows no accelerator there.
        QCOMPARE(main.findChild<QToolButton*>("SeSkinSpeedButton1")->text(), QString("Open"));
        QVERIFY(main.findChild<QToolButton*>("SeSkinSpeedButton1")->toolTip().startsWith("Open ("));

        language->RadioGroup1Click(0);  // and back
        QCoreApplication::processEvents();
        QCOMPARE(main.findChild<QAction*>("N12")->text(), QString("單次測量"));
        QCOMPARE(main.findChild<QAction*>("N7")->text(), QString("關閉"));
        QCOMPARE(record->findChild<QMenu*>("MenuFile")->title(), QString("檔案(&F)"));
        QCOMPARE(QString::fromStdString(rig.sysSet.readString("Language", "UI", "")), QString("original"));
    }

    // Every text keeps the lines of its original in English (a message box shows all of them), from
    // the compiled translation; the record settings' temperature notice is followed into its box.
    void everyTextKeepsTheLinesOfItsOriginal() {
        const auto sources = TranslationSources();
        QVERIFY(sources.size() > 600);
        QVERIFY(SetUiLanguage(UiLanguage::English));
        QStringList faults;
        int changed = 0;
        for (const auto& [source, meaning] : sources) {
            const QByteArray utf8 = source.toUtf8();
            const QByteArray disambiguation = meaning.toUtf8();
            const QString english = QCoreApplication::translate(
                kTextContext, utf8.constData(), meaning.isEmpty() ? nullptr : disambiguation.constData());
            changed += english != source;
            if (Lines(english) != Lines(source)) faults << QString("'%1' -> '%2'").arg(source, english);
        }
        for (const QString& fault : faults) qWarning("lines differ: %s", qPrintable(fault));
        QCOMPARE(faults.size(), 0);
        QVERIFY(changed > 200);  // the translation was loaded and is in use

        // The message boxes of a start without an instrument and of a temperature input, in both languages.
        const auto shownMessages = [](const char* language) {
            SessionRig rig;
            Windows windows(rig.session, rig.sysSet, {"--language", language});
            TRecSetForm* set = windows.main().findChild<TRecordForm*>()->settingsForm();
            set->FormCreate();
            set->channelList(5)->setCurrentIndex(11);  // a temperature input
            set->Button1Click();
            return rig.dialogs.shown;
        };
        const QStringList original = shownMessages("original");
        const QStringList english = shownMessages("en");
        QCOMPARE(english.size(), original.size());
        QVERIFY(english.size() >= 2);
        for (qsizetype i = 0; i < english.size(); ++i) {
            QVERIFY2(Lines(english[i]) == Lines(original[i]), qPrintable(english[i]));
            QVERIFY2(english[i] != original[i], qPrintable(english[i]));
        }
        QVERIFY(original.contains("info: " + QString::fromUtf8(kTemperatureMessage)));
        QCOMPARE(Lines(QString::fromUtf8(kTemperatureMessage)), 3);
    }

    // Every text of the report pages, as the painter translates it, is a text of the translation (a label
    // or unit changed or joined on its way to the page would stay in the design's words in English).
    void everyReportTextHasItsTranslation() {
        QSet<QString> sources;
        for (const auto& [source, meaning] : TranslationSources()) sources << source;
        const MeasureRecord record;
        const ReportInfo info;
        const RecordReportView view;
        const QRegularExpression symbol("^ ?\\S{1,2}$");  // a unit symbol, the same in every language ("V")
        const QRegularExpression words("[A-Za-z\\x{4E00}-\\x{9FFF}]");
        QStringList missing;
        for (const ReportPage& page :
             {PowerReportPreview(600, record, info), PowerReportPrinted(4800, 6800, false, record, info),
              RecordReportPreview(800, view, info), RecordReportPrinted(6800, 4800, true, view, info)}) {
            for (const PageItem& item : page.items) {
                const auto* text = std::get_if<PageText>(&item);
                if (!text) continue;
                QStringList shown{QString::fromStdString(text->text.source())};
                for (const UiText::Arg& a : text->text.args())
                    if (a.translated) shown << QString::fromStdString(a.text);
                for (const QString& s : shown)
                    if (s.contains(words) && !s.contains(symbol) && !sources.contains(s)) missing << s;
            }
        }
        for (const QString& s : missing) qWarning("not translated: '%s'", qPrintable(s));
        QCOMPARE(missing.size(), 0);
    }

    // The export's headings are the design's words in either language ("Active power" is shown).
    void theExportHeadingsDoNotChangeWithTheLanguage() {
        SessionRig rig;
        Windows windows(rig.session, rig.sysSet, {"--language", "en"});
        auto* record = windows.main().findChild<TRecordForm*>();
        QCOMPARE(record->findChild<QLabel*>("QuantityLabel1")->text(), QString("Active power"));
        const RecordWindowSource source(*record);
        QCOMPARE(ExportHeadings(source)[1], std::string("CH1:Power"));
        QCOMPARE(ExportHeadings(source)[0], std::string("Recording time"));
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
            QCOMPARE(windows.main().findChild<QMenu*>("MenuFile")->title(), QString("&File"));
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
