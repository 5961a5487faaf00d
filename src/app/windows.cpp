#include "app/windows.h"

#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <memory>
#include <utility>

#include "app/command_line.h"
#include "app/language_form.h"
#include "app/main_form.h"
#include "app/test_hooks.h"
#include "app/version_form.h"
#include "appearance/skin_form.h"
#include "instrument/alarm_form.h"
#include "instrument/calibrate_form.h"
#include "instrument/external_ct_form.h"
#include "port/comm_form.h"
#include "measure/harmonic_form.h"
#include "measure/starting_form.h"
#include "platform/app_paths.h"
#include "platform/dialogs.h"
#include "platform/ini_file.h"
#include "platform/translation.h"
#include "record/record_form.h"
#include "report/enter_info_form.h"
#include "report/harmonic_test_form.h"
#include "report/standby_test_form.h"
#include "report/printer_form.h"
#include "report/record_window_source.h"
#include "session/session.h"

namespace lxv {

namespace {
// 關閉 quits the program here; in the record window it closes that window.
struct MarkedText {
    const char* source;
    const char* meaning;
};
constexpr MarkedText kQuitCaption = QT_TRANSLATE_NOOP3("lxv", "關閉", "quits the program");
}  // namespace

const std::vector<MainControl>& MainWindowControls() {
    using C = MainControl;
    using K = QKeyCombination;
    static const std::vector<MainControl> controls = {
        {C::Menu, "MenuFile", QT_TRANSLATE_NOOP("lxv", "檔案")},
        {C::Item, "N2", QT_TRANSLATE_NOOP("lxv", "開啟舊檔"), Qt::CTRL | Qt::Key_O, nullptr,
         Command::OpenTestFile},
        {C::Item, "N3", QT_TRANSLATE_NOOP("lxv", "保存"), Qt::CTRL | Qt::Key_S, nullptr,
         Command::SaveTestFile},
        {C::Item, "N5", QT_TRANSLATE_NOOP("lxv", "列印"), Qt::CTRL | Qt::Key_P, nullptr, Command::Report},
        {C::MenuSeparator},
        {C::Item,
         "N7",
         kQuitCaption.source,
         Qt::CTRL | Qt::Key_Q,
         nullptr,
         Command::Close,
         {},
         false,
         kQuitCaption.meaning},
        {C::Menu, "MenuMeasure", QT_TRANSLATE_NOOP("lxv", "測量")},
        {C::Item, "N12", QT_TRANSLATE_NOOP("lxv", "單次測量"), K(Qt::Key_F5), nullptr, Command::Single},
        {C::Item, "N13", QT_TRANSLATE_NOOP("lxv", "連續測量"), K(Qt::Key_F6), nullptr, Command::Continuous},
        {C::Item, "N14", QT_TRANSLATE_NOOP("lxv", "停止"), K(Qt::Key_F7), nullptr, Command::Stop},
        {C::MenuSeparator},
        {C::Item, "N15", QT_TRANSLATE_NOOP("lxv", "啟動測量"), Qt::CTRL | Qt::Key_T, nullptr,
         Command::StartingTest},
        {C::Item, "N18", QT_TRANSLATE_NOOP("lxv", "諧波報告"), Qt::CTRL | Qt::Key_H, nullptr,
         Command::HarmonicReport},
        {C::Item, "N20", QT_TRANSLATE_NOOP("lxv", "記錄"), Qt::CTRL | Qt::Key_R, nullptr, Command::Record},
        {C::Item, "N41", QT_TRANSLATE_NOOP("lxv", "諧波發射測試"), Qt::CTRL | Qt::SHIFT | Qt::Key_H, nullptr,
         Command::HarmonicTest},
        {C::Item, "N43", QT_TRANSLATE_NOOP("lxv", "待機功耗測試"), Qt::CTRL | Qt::SHIFT | Qt::Key_B, nullptr,
         Command::StandbyTest},
        {C::Menu, "MenuSettings", QT_TRANSLATE_NOOP("lxv", "設置")},
        {C::Item, "C1", QT_TRANSLATE_NOOP("lxv", "程式通訊設置 "), Qt::CTRL | Qt::Key_K, nullptr,
         Command::PortSettings},
        {C::Item, "N9", QT_TRANSLATE_NOOP("lxv", "風格"), Qt::CTRL | Qt::SHIFT | Qt::Key_Y, nullptr,
         Command::Style},
        {C::Item, "N30", QT_TRANSLATE_NOOP("lxv", "儀器設置"), Qt::CTRL | Qt::Key_I, nullptr,
         Command::InstrumentSettings},
        {C::Item,
         "N25",
         QT_TRANSLATE_NOOP("lxv", "校正"),
         Qt::CTRL | Qt::SHIFT | Qt::Key_C,
         nullptr,
         Command::Calibration,
         {},
         true},
        {C::Item,
         "N34",
         QT_TRANSLATE_NOOP("lxv", "儀器通訊設置"),
         {},
         nullptr,
         Command::InstrumentAddress,
         {},
         true},
        {C::Item, "N40", QT_TRANSLATE_NOOP("lxv", "報警值設定"), Qt::CTRL | Qt::Key_L, nullptr,
         Command::AlarmLimits},
        // Both languages' words, so a reader of either finds the way back.
        {C::Item, "N42", QT_TRANSLATE_NOOP("lxv", "Language / 語言"), Qt::CTRL | Qt::SHIFT | Qt::Key_L,
         nullptr, Command::Language},
        {C::Menu, "MenuHelp", QT_TRANSLATE_NOOP("lxv", "說明")},
        {C::Item, "N23", QT_TRANSLATE_NOOP("lxv", "儀器手冊"), K(Qt::Key_F1), nullptr, Command::Manual},
        {C::Item, "Tavro1", QT_TRANSLATE_NOOP("lxv", "支援網路"), {}, nullptr, Command::Support},
        {C::Item, "N21", QT_TRANSLATE_NOOP("lxv", "版本號"), Qt::SHIFT | Qt::Key_F1, nullptr,
         Command::Version},
        {C::Button,
         "SeSkinSpeedButton1",
         QT_TRANSLATE_NOOP("lxv", "開啟舊檔"),
         {},
         nullptr,
         Command::OpenTestFile,
         Glyph::Open},
        {C::Button,
         "SeSkinSpeedButton2",
         QT_TRANSLATE_NOOP("lxv", "保存"),
         {},
         nullptr,
         Command::SaveTestFile,
         Glyph::Save},
        {C::Button,
         "SeSkinSpeedButton3",
         QT_TRANSLATE_NOOP("lxv", "列印"),
         {},
         nullptr,
         Command::Report,
         Glyph::Print},
        {C::ToolSeparator},
        {C::Button,
         "SeSkinSpeedButton7",
         QT_TRANSLATE_NOOP("lxv", "單次測量"),
         {},
         nullptr,
         Command::Single,
         Glyph::Single},
        {C::Button,
         "SeSkinSpeedButton8",
         QT_TRANSLATE_NOOP("lxv", "連續測量"),
         {},
         nullptr,
         Command::Continuous,
         Glyph::Continuous},
        {C::Button,
         "SeSkinSpeedButton9",
         QT_TRANSLATE_NOOP("lxv", "停止"),
         {},
         nullptr,
         Command::Stop,
         Glyph::Stop},
        {C::ToolSeparator},
        {C::Button,
         "SeSkinSpeedButton10",
         QT_TRANSLATE_NOOP("lxv", "啟動測量"),
         {},
         nullptr,
         Command::StartingTest,
         Glyph::Starting},
        {C::Button,
         "SeSkinSpeedButton6",
         QT_TRANSLATE_NOOP("lxv", "諧波報告"),
         {},
         nullptr,
         Command::HarmonicReport,
         Glyph::Harmonic},
        {C::Button,
         "SeSkinSpeedButton11",
         QT_TRANSLATE_NOOP("lxv", "諧波測試"),
         {},
         nullptr,
         Command::HarmonicTest,
         Glyph::HarmonicTest},
        {C::Button,
         "SeSkinSpeedButton12",
         QT_TRANSLATE_NOOP("lxv", "待機功耗測試"),
         {},
         nullptr,
         Command::StandbyTest,
         Glyph::StandbyTest},
        {C::Button,
         "SeSkinSpeedButton5",
         QT_TRANSLATE_NOOP("lxv", "記錄"),
         {},
         nullptr,
         Command::Record,
         Glyph::Record},
        {C::ToolSeparator},
        {C::Button,
         "SeSkinSpeedButton4",
         QT_TRANSLATE_NOOP("lxv", "版本號"),
         {},
         nullptr,
         Command::Version,
         Glyph::Version},
    };
    return controls;
}

namespace {

// A settings file that could not be written says so with the system's reason,
// in a message box over the window in use, once for all the keys of one action
// (shown after it, so the action is not interrupted halfway).
void ReportWriteFailures(IniFile& file, QObject* context) {
    auto pending = std::make_shared<std::vector<UiText>>();
    file.setWriteFailureHandler([pending, context, &file](const std::string&) {
        const UiText text = file.writeErrorText();
        if (std::find(pending->begin(), pending->end(), text) != pending->end()) return;
        pending->push_back(text);
        if (pending->size() > 1) return;
        // Shown in the language in use when the box opens.
        QTimer::singleShot(0, context, [pending] {
            const std::vector<UiText> texts = std::exchange(*pending, {});
            for (const UiText& t : texts) AppDialogs().showError(QApplication::activeWindow(), Translated(t));
        });
    });
}

// Switches every window to `language`; a translation that cannot be loaded is
// told (over `parent`) and the original texts stay.
bool ApplyLanguage(UiLanguage language, QWidget* parent) {
    if (SetUiLanguage(language)) return true;
    AppDialogs().showError(
        parent, Translated(UiText(QT_TRANSLATE_NOOP("lxv", "The English translation could not be loaded: %1"))
                               .arg(TranslationFilePath())));
    return false;
}

}  // namespace

Windows::Windows(Session& session, IniFile& sysSet, const QStringList& arguments)
    : Windows(ParseProgramArguments(arguments), session, sysSet) {}

Windows::Windows(const CommandLine& line, Session& session, IniFile& sysSet) : sysSet_(sysSet) {
    // "--service" makes the calibration reachable; the files are the start file.
    const bool service = line.service;
    // The language: --language for this run, else the stored choice.
    ApplyLanguage(line.languageGiven ? line.language : StoredLanguage(sysSet), nullptr);
    // The main window first: it sets the start values of the display and looks at the command line.
    main_ = std::make_unique<TMainForm>(session);
    TMainForm& main = *main_;
    ReportWriteFailures(sysSet, &main);
    // The saved skin, before the main window shows; a skin restyles every window at once.
    session.skinEngine.setApply(
        [](const std::string& sheet) { qApp->setStyleSheet(QString::fromStdString(sheet)); });
    try {
        session.style.ApplyStoredSkin();
    } catch (const ConversionError& e) {
        AppDialogs().showError(nullptr, Translated(e.text()));
    }
    main.ApplyStartFile(line.start);

    // The style window sets the chart colours; the main window's charts follow every change.
    auto* skin = new Tskin(session.style, &main);
    skin->FormCreate();
    session.style.setChartsRedraw([&main] { main.ShowMeasurement(); });
    main.ShowMeasurement();
    main.Attach(Command::Style, [skin] { skin->exec(); });

    // The language of every window, chosen at once and kept in SysSet.ini.
    auto* language = new TLanguageForm(&main);
    QObject::connect(language, &TLanguageForm::chosen, &main, [this, language](UiLanguage chosen) {
        if (ApplyLanguage(chosen, language)) StoreLanguage(sysSet_, chosen);
    });
    main.Attach(Command::Language, [language] { language->exec(); });

    auto* version = new TVForm(&main);
    main.SetVersionForm(version);

    // The port settings: the scan opens the instrument's port and asks for its settings block.
    auto* comm = new TCommForm(session.linkControl, &main);
    main.SetCommForm(comm);

    // The report window and its report information (EnterInfo.ini); print (Ctrl+P) shows the
    // power analysis report of the current measurement.
    enterInfo_ = std::make_unique<IniFile>(EnterInfoPath());
    ReportWriteFailures(*enterInfo_, &main);
    enterInfoForm_ = new TEnterInfoForm(*enterInfo_, &main);
    printer_ = new TPrinterForm(session.core.record, *enterInfo_, *enterInfoForm_, &main);
    enterInfoForm_->SetStoredHandler([this] { printer_->DrawPreview(); });
    enterInfoForm_->FormCreate();
    main.Attach(Command::Report, [this] { printer_->ShowReport(0); });

    // The record window and its settings (not blocking; Ctrl+R). It loads the record settings.
    record_ = new TRecordForm(session.recorder, sysSet, &main);
    TRecordForm* record = record_;
    record->FormCreate();
    main.Attach(Command::Record, [record] {
        record->show();
        record->raise();
        record->activateWindow();
    });
    main.SetRecordFileOpener([record](const QString& path) { record->OpenRecordFileAtStart(path); });
    // Closing the program (also on SIGTERM) saves what the recorder has not saved yet; a save
    // that fails is told, and may be retried, before the program goes.
    QObject::connect(&main, &TMainForm::closed, record, [this, record] {
        if (closing_) return;
        closing_ = true;
        if (!record->SaveBeforeExit(HasDisplay())) exitCode_ = 1;
    });

    // Instrument configuration: calibration (service mode only), alarm limits, instrument settings.
    auto showWindow = [](QWidget* w) {
        return [w] {
            w->show();
            w->raise();
            w->activateWindow();
        };
    };
    auto* calibrate = new TCalibrateForm(
        session.calibrate,
        {[&main] { main.SeSkinSpeedButton7Click(); }, [&main] { main.SeSkinSpeedButton8Click(); },
         [&main] { main.SeSkinSpeedButton9Click(); }},
        service, &main);
    if (service) main.Attach(Command::Calibration, showWindow(calibrate));
    auto* alarm = new TAlarmForm(session.alarm, &main);
    main.Attach(Command::AlarmLimits, [alarm] { alarm->Open(); });
    auto* instrumentSettings = new TExternal_CT_form(session.settings, &main);
    main.Attach(Command::InstrumentSettings, showWindow(instrumentSettings));
    TestHooks* hooks = TestHooks::FromEnvironment(session, main, &main);
    if (hooks) hooks->AttachRecorder(*record);
    comm->FormCreate();

    auto* harmonic = new THarmonicForm(session.core.record, &main);
    main.Attach(Command::HarmonicReport, [harmonic] { harmonic->show(); });

    auto* starting = new TStartingForm(session.starting, session.core.record, &main);
    main.Attach(Command::StartingTest, [starting] {
        starting->show();
        starting->raise();
        starting->activateWindow();
    });

    // The harmonic emissions test (not blocking; Ctrl+Shift+H), its PDF with the report information.
    auto* harmonicTest = new THarmonicTestForm(session.harmonicTest, *enterInfo_, &main);
    main.Attach(Command::HarmonicTest, showWindow(harmonicTest));
    // The standby power test (not blocking; Ctrl+Shift+B), built the same way.
    auto* standbyTest = new TStandbyTestForm(
        session.standbyTest, *enterInfo_,
        [&session] { return "LXV7700, address " + std::to_string(session.core.state.InstrumentAddress); }, &main);
    main.Attach(Command::StandbyTest, showWindow(standbyTest));

    // The record window exports what its chart shows and prints the record report.
    auto shown = std::make_shared<RecordWindowSource>(*record);
    record->SetExportHandler([shown, record] { ExportRecordWithDialogs(record, *shown); });
    printer_->SetRecordSource([record] { return record->chartImage(); },
                              [shown] { return shown->reportView(); });
    record->SetPrintHandler([this] { printer_->ShowReport(int(ReportKind::Record)); });

    // A skin file that could not be read is told in the status bar once the port scan has spoken.
    session.skinEngine.setReport([&session](const std::string&) {
        session.core.status.set(0, SkinFailureText(session.skinEngine.skinFile()));
    });
}

Windows::~Windows() {
    sysSet_.setWriteFailureHandler({});
    if (enterInfo_) enterInfo_->setWriteFailureHandler({});
}

}  // namespace lxv
