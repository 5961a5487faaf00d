// Every field, radio and check item of every window driven as an assistive
// technology drives it over the accessibility bus: a field's text set through
// its editable-text interface, an item toggled through its accessible action
// (neither is a key press or a click). A choice list is set with the arrow
// keys, as a screen reader's user sets it (Qt's interfaces offer no action
// that chooses an item). Then the window's own action runs, and the test looks
// at what reached the instrument, the settings files, the charts and the
// harmonic test's controller. The table must name every field and item the
// windows hold.
#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSet>
#include <QTest>

#include "app/main_form.h"
#include "app/session_rig.h"
#include "app/windows.h"
#include "appearance/chart_colours.h"
#include "link/byte_order.h"
#include "link/registers.h"
#include "platform/app_paths.h"
#include "platform/ini_file.h"
#include "support/accessibility_walk.h"

namespace lxv::test {

namespace {

// What a step must have done.
struct Effect {
    enum Kind { Float, Byte, SysSet, EnterInfo, Background, Scale, Observes, StandbyObserves } kind;
    int reg = 0;            // Float, Byte: the register written
    int offset = 0;         // and where in its data bytes
    double number = 0;      // the float or byte there
    const char* section{};  // SysSet, EnterInfo: the stored value; Background, Scale: the WaveSet key
    const char* key{};      // Observes: the harmonic test's setting, `number` its value (-1: none)
    const char* value{};
    Rgb colour{};  // Background, Scale: the chart colour drawn at once
};
Effect Sent(int reg, int offset, double value) {
    return {Effect::Float, reg, offset, value};
}
Effect SentByte(int reg, int offset, int value) {
    return {Effect::Byte, reg, offset, double(value)};
}
Effect Stored(const char* section, const char* key, const char* value) {
    return {Effect::SysSet, 0, 0, 0, section, key, value};
}
Effect Info(const char* key, const char* value) {
    return {Effect::EnterInfo, 0, 0, 0, "PrintInfo", key, value};
}
Effect Drawn(Effect::Kind kind, const char* value, Rgb colour) {
    return {kind,  0,     0, 0, "WaveSet", kind == Effect::Background ? "WaveBackground" : "ScaleColor",
            value, colour};
}

// The harmonic test observes with this setting (and is stopped again, so Start is enabled).
Effect Observes(const char* setting, double value) {
    return {Effect::Observes, 0, 0, value, nullptr, setting};
}

// The standby test runs with this setting (and is stopped again).
Effect StandbyRuns(const char* setting, double value) {
    return {Effect::StandbyObserves, 0, 0, value, nullptr, setting};
}

struct Step {
    const char* window;   // the window's object name
    const char* control;  // the field or item: its object name, or what a screen reader reads it as
    const char* text;     // the field's new text or the list's item; nullptr toggles the item
    const char* action;   // the button that runs the window's action; nullptr: the change is the action
    Effect effect;
};

const Step kSteps[] = {
    // Port settings: the address is taken as it changes; a bad one is not kept.
    {"CommForm", "Edit1", "7", nullptr, Stored("CommAddress", "Address", "7")},
    {"CommForm", "Edit1", "0", nullptr, Stored("CommAddress", "Address", "7")},
    {"CommForm", "COM3", nullptr, nullptr, Stored("CommPort", "Port", "3")},
    {"CommForm", "COM2", nullptr, nullptr, Stored("CommPort", "Port", "2")},
    // Instrument settings: one block to register 188.
    {"External_CT_form", "Edit1", "9", "Button1", Sent(SETUP, 0, 9.0 / 360 / 50)},
    {"External_CT_form", "Edit3", "0.5", "Button1", Sent(SETUP, 4, 0.5)},
    {"External_CT_form", "Edit4", "2", "Button1", Sent(SETUP, 8, 2)},
    {"External_CT_form", "Broadband", nullptr, "Button1", SentByte(SETUP, 12, 1)},
    {"External_CT_form", "Narrowband", nullptr, "Button1", SentByte(SETUP, 12, 0)},
    {"External_CT_form", "%R  RMS", nullptr, "Button1", SentByte(SETUP, 13, 1)},
    {"External_CT_form", "%F  Fundamental", nullptr, "Button1", SentByte(SETUP, 13, 0)},
    {"External_CT_form", "CheckBox1", nullptr, "Button1", SentByte(SETUP, 15, 0)},  // filter on
    {"External_CT_form", "RadioButton2", nullptr, "Button1", SentByte(SETUP, 16, 1)},
    {"External_CT_form", "RadioButton1", nullptr, "Button1", SentByte(SETUP, 16, 0)},
    // Alarm limits: the chain writes 118..125, then the enable bits to 126.
    {"AlarmForm", "Edit1", "250", "Button1", Sent(AL1H, 0, 250)},
    {"AlarmForm", "Edit2", "10.5", "Button1", Sent(AL1H + 1, 0, 10.5)},
    {"AlarmForm", "Edit3", "15", "Button1", Sent(AL1H + 2, 0, 15)},
    {"AlarmForm", "Edit4", "0.5", "Button1", Sent(AL1H + 3, 0, 0.5)},
    {"AlarmForm", "Edit5", "5000", "Button1", Sent(AL1H + 4, 0, 5000)},
    {"AlarmForm", "Edit6", "1", "Button1", Sent(AL1H + 5, 0, 1)},
    {"AlarmForm", "Edit7", "0.99", "Button1", Sent(AL1H + 6, 0, 0.99)},
    {"AlarmForm", "Edit8", "0.25", "Button1", Sent(AL1H + 7, 0, 0.25)},
    {"AlarmForm", "CheckBox1", nullptr, "Button1", SentByte(ALSW, 0, 0x01)},
    {"AlarmForm", "CheckBox2", nullptr, "Button1", SentByte(ALSW, 0, 0x03)},
    {"AlarmForm", "CheckBox3", nullptr, "Button1", SentByte(ALSW, 0, 0x07)},
    {"AlarmForm", "CheckBox4", nullptr, "Button1", SentByte(ALSW, 0, 0x0F)},
    {"AlarmForm", "CheckBox5", nullptr, "Button1", SentByte(ALSW, 0, 0x1F)},
    {"AlarmForm", "CheckBox6", nullptr, "Button1", SentByte(ALSW, 0, 0x3F)},
    {"AlarmForm", "CheckBox7", nullptr, "Button1", SentByte(ALSW, 0, 0x7F)},
    {"AlarmForm", "CheckBox8", nullptr, "Button1", SentByte(ALSW, 0, 0xFF)},
    // Calibration: reference values and phase corrections (degrees sent as seconds).
    {"CalibrateForm", "Edit1", "220.5", "SeSkinButton1", Sent(CALU, 0, 220.5)},
    {"CalibrateForm", "Edit2", "1.5", "SeSkinButton2", Sent(CALI, 0, 1.5)},
    {"CalibrateForm", "Edit7", "1", "Button2", Sent(IPHN, 0, 1.0 / 360 * 0.02)},
    {"CalibrateForm", "Edit8", "2", "Button3", Sent(IPHW, 0, 2.0 / 360 * 0.02)},
    // Report information: stored by "Enter".
    {"EnterInfoForm", "Edit1", "Motor 7", "Button1", Info("ProjectName", "Motor 7")},
    {"EnterInfoForm", "Edit2", "Test lab", "Button1", Info("company", "Test lab")},
    {"EnterInfoForm", "Edit3", "Li", "Button1", Info("conner", "Li")},
    {"EnterInfoForm", "Edit4", "2024-05-06", "Button1", Info("date", "2024-05-06")},
    {"EnterInfoForm", "Edit5", "21.5", "Button1", Info("temperature", "21.5")},
    {"EnterInfoForm", "RadioButton1", nullptr, "Button1", Info("units", "1")},
    {"EnterInfoForm", "RadioButton2", nullptr, "Button1", Info("units", "0")},
    // Styles: every item takes effect as it is chosen.
    {"skin", "RadioGroup1Item1", nullptr, nullptr, Stored("SkinSet", "Skin", "1")},
    {"skin", "RadioGroup1Item0", nullptr, nullptr, Stored("SkinSet", "Skin", "0")},
    {"skin", "RadioGroup1Item3", nullptr, nullptr, Stored("SkinSet", "Skin", "3")},
    {"skin", "RadioGroup1Item4", nullptr, nullptr, Stored("SkinSet", "Skin", "4")},
    {"skin", "RadioGroup1Item5", nullptr, nullptr, Stored("SkinSet", "Skin", "5")},
    {"skin", "RadioGroup1Item6", nullptr, nullptr, Stored("SkinSet", "Skin", "6")},
    {"skin", "RadioGroup1Item2", nullptr, nullptr, Stored("SkinSet", "Skin", "2")},
    {"skin", "RadioGroup2Item0", nullptr, nullptr, Drawn(Effect::Background, "0", {0, 0, 0})},
    {"skin", "RadioGroup2Item1", nullptr, nullptr, Drawn(Effect::Background, "1", {255, 255, 255})},
    {"skin", "RadioGroup2Item2", nullptr, nullptr, Drawn(Effect::Background, "2", {238, 238, 238})},
    {"skin", "RadioGroup3Item1", nullptr, nullptr, Drawn(Effect::Scale, "1", {239, 239, 0})},
    {"skin", "RadioGroup3Item0", nullptr, nullptr, Drawn(Effect::Scale, "0", {0, 128, 128})},
    {"skin", "RadioGroup3Item2", nullptr, nullptr, Drawn(Effect::Scale, "2", {170, 170, 170})},
    // Harmonic emissions test: Start reads every field as it shows; the rated power only for class D.
    {"HarmonicTestForm", "ObservationEdit", "20", "StartButton", Observes("observation", 20)},
    {"HarmonicTestForm", "NominalVoltageEdit", "120", "StartButton", Observes("voltage", 120)},
    {"HarmonicTestForm", "NominalFrequencyEdit", "60", "StartButton", Observes("frequency", 60)},
    {"HarmonicTestForm", "ClassBox", "D", "StartButton", Observes("class", 3)},
    {"HarmonicTestForm", "RatedPowerEdit", "150", "StartButton", Observes("rated power", 150)},
    {"HarmonicTestForm", "ClassBox", "C (lighting)", "StartButton", Observes("class", 2)},
    {"HarmonicTestForm", "ClassBox", "B", "StartButton", Observes("class", 1)},
    // Standby power test: Start reads every field as it shows; a blank longest time is three periods.
    {"StandbyTestForm", "PeriodEdit", "120", "StartButton", StandbyRuns("longest", 360)},
    {"StandbyTestForm", "LongestEdit", "500", "StartButton", StandbyRuns("longest", 500)},
    {"StandbyTestForm", "LimitEdit", "1.5", "StartButton", StandbyRuns("limit", 1.5)},
    {"StandbyTestForm", "NominalVoltageEdit", "120", "StartButton", StandbyRuns("voltage", 120)},
    {"StandbyTestForm", "NominalFrequencyEdit", "60", "StartButton", StandbyRuns("frequency", 60)},
    // Language: English at once, and back to the original texts.
    {"LanguageForm", "RadioGroup1Item1", nullptr, nullptr, Stored("Language", "UI", "en")},
    {"LanguageForm", "RadioGroup1Item0", nullptr, nullptr, Stored("Language", "UI", "original")},
};

bool Shows(const QImage& image, Rgb colour) {
    const QRgb wanted = qRgb(colour.r, colour.g, colour.b);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == (wanted & 0xFFFFFF)) return true;
    return false;
}

}  // namespace

class AccessibleActionsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<SessionRig> rig;
    std::unique_ptr<Windows> windows;

    QWidget* window(const char* name) {
        TMainForm& main = windows->main();
        return main.objectName() == name ? &main : main.findChild<QWidget*>(name);
    }

    // The control an assistive technology would pick: by object name, else by what it is read as.
    static QWidget* control(QWidget* window, const char* name) {
        if (auto* w = window->findChild<QWidget*>(name)) return w;
        for (auto* w : window->findChildren<QWidget*>()) {
            QAccessibleInterface* node = QAccessible::queryAccessibleInterface(w);
            if (node && node->text(QAccessible::Name).trimmed() == name) return w;
        }
        return nullptr;
    }

    // Answers every write the step sent (and those the answers pull) as the instrument does.
    void acknowledgeWritesFrom(std::size_t first) {
        for (std::size_t i = first; i < rig->port.written.size() && i < first + 64; ++i) {
            const std::vector<std::uint8_t> frame = rig->port.written[i];
            if (frame.size() < 8 || frame[1] != 0x10) continue;
            const std::vector<std::uint8_t> ack = WithCrc({1, kFnWriteAck, frame[3]});
            rig->session.core.dispatcher.handleReply(ack.data(), ack.size());
        }
    }

    // The data bytes of the last write to `reg` since frame `first`; empty when none.
    std::vector<std::uint8_t> lastWrite(std::size_t first, int reg) const {
        for (std::size_t i = rig->port.written.size(); i > first; --i) {
            const std::vector<std::uint8_t>& f = rig->port.written[i - 1];
            if (f.size() > 9 && f[1] == 0x10 && ((f[2] << 8) | f[3]) == reg)
                return {f.begin() + 7, f.end() - 2};
        }
        return {};
    }

    QString check(const Effect& e, std::size_t first) {
        switch (e.kind) {
            case Effect::Float:
            case Effect::Byte: {
                const std::vector<std::uint8_t> data = lastWrite(first, e.reg);
                const int width = e.kind == Effect::Float ? 4 : 1;
                if (data.size() < std::size_t(e.offset + width)) return QString("no write to %1").arg(e.reg);
                const double got =
                    e.kind == Effect::Float ? ReadF32LE(data.data() + e.offset) : data[std::size_t(e.offset)];
                const double want = e.kind == Effect::Float ? double(float(e.number)) : e.number;
                return got == want ? QString() : QString("register %1 got %2").arg(e.reg).arg(got, 0, 'g', 9);
            }
            case Effect::SysSet:
            case Effect::EnterInfo:
            case Effect::Background:
            case Effect::Scale: {
                const IniFile file(e.kind == Effect::EnterInfo ? EnterInfoPath() : rig->sysSet.path());
                const QString got = QString::fromStdString(file.readString(e.section, e.key, "(none)"));
                if (got != e.value) return QString("%1 stored %2").arg(e.key, got);
                if (e.kind != Effect::Background && e.kind != Effect::Scale) return {};
                const ChartColours& now = CurrentChartColours();
                if (!((e.kind == Effect::Background ? now.background : now.scale) == e.colour))
                    return "the chart colour did not change";
                const QImage chart = windows->main().findChild<QWidget*>("Pic1")->grab().toImage();
                return Shows(chart, e.colour) ? QString() : "the chart was not drawn again";
            }
            case Effect::Observes: {
                HarmonicTestControl& test = rig->session.harmonicTest;
                if (!test.running()) return "the test did not start";
                const HarmonicTestSettings& s = test.settings();
                const QString key = e.key;
                const double got = key == "observation" ? s.observationSeconds
                                   : key == "voltage"   ? s.nominalVoltage
                                   : key == "frequency" ? s.nominalFrequency
                                   : key == "class"     ? static_cast<int>(s.emissionClass)
                                                        : s.ratedPower.value_or(-1);
                test.Stop();
                return got == e.number ? QString() : QString("%1 is %2").arg(key).arg(got);
            }
            case Effect::StandbyObserves: {
                StandbyTestControl& test = rig->session.standbyTest;
                if (!test.running()) return "the test did not start";
                const StandbySettings& s = test.settings();
                const QString key = e.key;
                const double got = key == "longest"   ? s.maxSeconds
                                   : key == "limit"   ? s.limitWatts
                                   : key == "voltage" ? s.nominalVoltage
                                                      : s.nominalFrequency;
                test.Stop();
                return got == e.number ? QString() : QString("%1 is %2").arg(key).arg(got);
            }
        }
        return "?";
    }

    // As with the arrow keys, without opening the list.
    static bool choose(QComboBox* box, const QString& item) {
        box->setFocus();
        for (int tries = 0; box->currentText() != item && tries < 2 * box->count(); ++tries)
            QTest::keyClick(box, box->findText(item) < box->currentIndex() ? Qt::Key_Up : Qt::Key_Down);
        return box->currentText() == item;
    }

  private slots:
    void init() {
        rig = std::make_unique<SessionRig>();
        qputenv("LXV_HOME", rig->home.path().toUtf8());  // EnterInfo.ini is kept there
        rig->port.present = {2, 3};                      // COM2 is the default port
        windows = std::make_unique<Windows>(rig->session, rig->sysSet, QStringList{"--service"});
        rig->timers.fire("ReplyWaitTimer");  // the opening's settings read is not answered here
        windows->main().show();
    }
    void cleanup() {
        windows.reset();
        rig.reset();
    }

    void everyFieldAndItemActsAsItShows() {
        QSet<QWidget*> driven;
        QStringList faults;
        for (const Step& step : kSteps) {
            const QString where = QString("%1 %2").arg(step.window, step.control);
            QWidget* w = control(window(step.window), step.control);
            QVERIFY2(w, qPrintable(where + ": not found"));
            driven.insert(w);
            QAccessibleInterface* node = QAccessible::queryAccessibleInterface(w);
            const std::size_t first = rig->port.written.size();
            if (auto* box = qobject_cast<QComboBox*>(w)) {
                QVERIFY2(choose(box, step.text), qPrintable(where));
            } else if (step.text) {
                QAccessibleEditableTextInterface* editable = node->editableTextInterface();
                QVERIFY2(editable && node->textInterface(), qPrintable(where));
                editable->replaceText(0, node->textInterface()->characterCount(), step.text);
                QCOMPARE(node->textInterface()->text(0, node->textInterface()->characterCount()),
                         QString(step.text));
            } else {
                QAccessibleActionInterface* actions = node->actionInterface();
                QVERIFY2(
                    actions && actions->actionNames().contains(QAccessibleActionInterface::toggleAction()),
                    qPrintable(where));
                actions->doAction(QAccessibleActionInterface::toggleAction());
                QVERIFY2(node->state().checked, qPrintable(where + ": not checked"));
            }
            // The press a bus client asks for clicks the button after 100 ms; the click itself is the same.
            if (step.action) {
                auto* button = window(step.window)->findChild<QAbstractButton*>(step.action);
                QVERIFY2(button, qPrintable(where + " " + step.action));
                if (!button->isEnabled()) faults << where + ": " + step.action + " is not enabled";
                button->click();
            }
            acknowledgeWritesFrom(first);
            if (const QString fault = check(step.effect, first); !fault.isEmpty())
                faults << where + ": " + fault;
        }
        for (const QString& fault : faults) qWarning("%s", qPrintable(fault));
        QCOMPARE(faults.size(), 0);
        QCOMPARE(rig->dialogs.errors.join(", "), QString());

        // Every field and every radio or check item a user can change in any window is in the table.
        QList<QWidget*> all = windows->main().findChildren<QWidget*>();
        for (QWidget* w : all) {
            auto* button = qobject_cast<QAbstractButton*>(w);
            const bool item = button && button->isCheckable() && !w->objectName().startsWith("qt_");
            const bool field = qobject_cast<QLineEdit*>(w) && !w->objectName().startsWith("qt_");
            if ((item || field) && w->isEnabled() && !driven.contains(w))
                QFAIL(qPrintable(
                    QString("%1 %2 in %3 is not driven")
                        .arg(w->metaObject()->className(), w->objectName(), w->window()->objectName())));
        }
    }

    // While a test runs, a screen reader names every control of its window and reads every value shown.
    void theHarmonicTestWindowIsReadWithItsLiveValues() {
        QWidget* form = window("HarmonicTestForm");
        form->show();
        form->findChild<QAbstractButton*>("StartButton")->click();
        QVERIFY(rig->session.harmonicTest.running());
        // A 200 W product: classes A, B and D set no limits at 75 W or less.
        MeasureRecord product;
        ResetMeasurement(product);
        product.setScalar(Scalar::URMS, 231.0f);
        product.setScalar(Scalar::UF, 50.0f);
        product.setScalar(Scalar::WRMS, 200.0f);
        const std::vector<std::uint8_t> reply = WithCrc({product.data(), product.data() + kBlockSize});
        for (int k = 0; k < 12; ++k) {
            rig->port.receive(reply);
            rig->timers.fire("ContinuousReadTimer");  // the next request, 50 ms later
        }
        QCOMPARE(rig->session.harmonicTest.result().blocks, 12);
        QVERIFY(form->findChild<QLabel*>("SummaryLabel")->text().contains("12 blocks"));
        QCOMPARE(UnnamedControls(form), QStringList());
        QCOMPARE(HiddenValues(form), QStringList());
        QCOMPARE(QAccessible::queryAccessibleInterface(form->findChild<QLabel*>("VerdictLabel"))
                     ->text(QAccessible::Name),
                 QString("Verdict: Observing: PASS so far"));
    }

    // The standby window the same way: every control named, every value read, the trend drawn.
    void theStandbyTestWindowIsReadWithItsLiveValues() {
        QWidget* form = window("StandbyTestForm");
        form->show();
        form->findChild<QLineEdit*>("PeriodEdit")->setText("60");
        form->findChild<QAbstractButton*>("StartButton")->click();
        QVERIFY(rig->session.standbyTest.running());
        for (int k = 0; k < 12; ++k) {
            rig->port.receive(MeasureReplyOf(231.0f));
            rig->timers.fire("ContinuousReadTimer");  // the next request, 50 ms later
        }
        QCOMPARE(rig->session.standbyTest.result().readings, std::size_t(12));
        QVERIFY(form->findChild<QLabel*>("SummaryLabel")->text().contains("Readings: 12"));
        QCOMPARE(UnnamedControls(form), QStringList());
        QCOMPARE(HiddenValues(form), QStringList());
        QCOMPARE(QAccessible::queryAccessibleInterface(form->findChild<QLabel*>("VerdictLabel"))
                     ->text(QAccessible::Name),
                 QString("Verdict: Observing: NO VERDICT so far"));
        rig->session.standbyTest.Stop();
        QCOMPARE(rig->session.standbyTest.verdict().kind, VerdictKind::Incomplete);
    }
};

}  // namespace lxv::test

QTEST_MAIN(lxv::test::AccessibleActionsTest)
#include "accessible_actions_test.moc"
