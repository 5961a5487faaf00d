#include "app/windows.h"

#include <QAction>
#include <QApplication>
#include <QTimer>
#include <memory>
#include <utility>

#include "app/command_line.h"
#include "app/main_form.h"
#include "app/test_hooks.h"
#include "app/version_form.h"
#include "appearance/skin_form.h"
#include "instrument/alarm_form.h"
#include "instrument/calibrate_form.h"
#include "instrument/external_ct_form.h"
#include "link/comm_form.h"
#include "measure/harmonic_form.h"
#include "measure/starting_form.h"
#include "platform/app_paths.h"
#include "platform/dialogs.h"
#include "platform/ini_file.h"
#include "record/record_form.h"
#include "report/enter_info_form.h"
#include "report/harmonic_test_form.h"
#include "report/printer_form.h"
#include "report/record_window_source.h"
#include "session/session.h"

namespace lxv {

namespace {

// A settings file that could not be written says so with the system's reason,
// in a message box over the window in use, once for all the keys of one action
// (shown after it, so the action is not interrupted halfway).
void ReportWriteFailures(IniFile& file, QObject* context) {
    auto pending = std::make_shared<QStringList>();
    file.setWriteFailureHandler([pending, context](const std::string& message) {
        const QString text = QString::fromStdString(message);
        if (pending->contains(text)) return;
        pending->append(text);
        if (pending->size() > 1) return;
        QTimer::singleShot(0, context, [pending] {
            const QStringList texts = std::exchange(*pending, {});
            for (const QString& t : texts) AppDialogs().showError(QApplication::activeWindow(), t);
        });
    });
}

}  // namespace

Windows::Windows(Session& session, IniFile& sysSet, const QStringList& arguments) : sysSet_(sysSet) {
    // "--service" makes the calibration reachable; the files are the start file.
    const CommandLine line = ParseProgramArguments(arguments);
    const bool service = line.service;
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
        AppDialogs().showError(nullptr, e.what());
    }
    main.ApplyStartFile(line.start);

    // The style window sets the chart colours; the main window's charts follow every change.
    auto* skin = new Tskin(session.style, &main);
    skin->FormCreate();
    session.style.setChartsRedraw([&main] { main.ShowMeasurement(); });
    main.ShowMeasurement();
    main.AttachWindow("N9", 0, [skin] { skin->exec(); });
    if (auto* item = main.findChild<QAction*>("N9"))
        item->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Y));

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
    main.AttachWindow("N5", 3, [this] { printer_->ShowReport(0); });

    // The record window and its settings (not blocking; Ctrl+R). It loads the record settings.
    record_ = new TRecordForm(session.recorder, sysSet, &main);
    TRecordForm* record = record_;
    record->FormCreate();
    main.AttachWindow("N20", 5, [record] {
        record->show();
        record->raise();
        record->activateWindow();
    });
    if (auto* n20 = main.findChild<QAction*>("N20")) n20->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
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
    if (service) {
        main.AttachWindow("N25", 0, showWindow(calibrate));
        main.findChild<QAction*>("N25")->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    }
    auto* alarm = new TAlarmForm(session.alarm, &main);
    main.AddMenuItem("MenuSettings", "N40", QString::fromUtf8("報警值設定"),
                     QKeySequence(Qt::CTRL | Qt::Key_L));
    main.AttachWindow("N40", 0, [alarm] { alarm->Open(); });
    auto* instrumentSettings = new TExternal_CT_form(session.settings, &main);
    main.AttachWindow("N30", 0, showWindow(instrumentSettings));
    main.findChild<QAction*>("N30")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    TestHooks* hooks = TestHooks::FromEnvironment(session, main, &main);
    if (hooks) hooks->AttachRecorder(*record);
    comm->FormCreate();

    auto* harmonic = new THarmonicForm(session.core.record, &main);
    main.AttachWindow("N18", 6, [harmonic] { harmonic->show(); });

    auto* starting = new TStartingForm(session.starting, session.core.record, &main);
    main.AttachWindow("N15", 10, [starting] {
        starting->show();
        starting->raise();
        starting->activateWindow();
    });
    // Shortcuts of the two windows, shown in the menu.
    for (const auto& [item, key] : {std::pair{"N15", Qt::Key_T}, std::pair{"N18", Qt::Key_H}})
        if (auto* action = main.findChild<QAction*>(item)) action->setShortcut(QKeySequence(Qt::CTRL | key));

    // The harmonic emissions test (not blocking; Ctrl+Shift+H), its PDF with the report information.
    auto* harmonicTest = new THarmonicTestForm(session.harmonicTest, *enterInfo_, &main);
    main.AddMenuItem("MenuMeasure", "N41", QString::fromUtf8("諧波發射測試"),
                     QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_H));
    main.AttachWindow("N41", 11, showWindow(harmonicTest));

    // The record window exports what its chart shows and prints the record report.
    auto shown = std::make_shared<RecordWindowSource>(*record);
    record->SetExportHandler([shown, record] { ExportRecordWithDialogs(record, *shown); });
    printer_->SetRecordSource([record] { return record->chartImage(); },
                              [shown] { return shown->reportView(); });
    record->SetPrintHandler([this] { printer_->ShowReport(int(ReportKind::Record)); });

    // A skin file that could not be read is told in the status bar once the port scan has spoken.
    session.skinEngine.setReport([&session](const std::string& text) { session.core.status.set(0, text); });
}

Windows::~Windows() {
    sysSet_.setWriteFailureHandler({});
    if (enterInfo_) enterInfo_->setWriteFailureHandler({});
}

}  // namespace lxv
