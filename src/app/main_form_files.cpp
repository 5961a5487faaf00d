// The main window's file and help actions: test files, the manual, the
// support page, closing.
#include <QDialog>
#include <QFileInfo>
#include <QUrl>

#include "app/command_line.h"
#include "app/main_form.h"
#include "cycle/test_file.h"
#include "platform/app_paths.h"
#include "platform/dialogs.h"
#include "platform/shell.h"
#include "platform/translation.h"
#include "session/session.h"

namespace lxv {

namespace {

constexpr const char* kFileExistsCaption = QT_TRANSLATE_NOOP("lxv", "File exists");
constexpr const char* kFileExistsText = QT_TRANSLATE_NOOP("lxv", "  File already exists, overwrite?  ");
constexpr const char* kManualPath = "PdfDoc/Handbook.pdf";
constexpr const char* kSupportPage = "support/index.html";

}  // namespace

void TMainForm::SeSkinSpeedButton1Click() {
    const QString path = AppDialogs().openFileName(this, Translated(kTestFileOpenFilter));
    if (path.isEmpty()) return;
    ReadTestFileAndShow(path);
}

bool TMainForm::ReadTestFileAndShow(const QString& path) {
    // The record changes only when the whole of it was read.
    const UiText error = ReadTestFile(path.toStdString(), session_.core.record);
    if (!error.empty()) {
        AppDialogs().showError(this, Translated(error));
        return false;
    }
    ShowMeasurement();
    return true;
}

void TMainForm::SeSkinSpeedButton2Click() {
    const QString path =
        AppDialogs().saveFileName(this, Translated(kTestFileSaveFilter), kTestFileProposedName);
    if (path.isEmpty()) return;
    if (QFileInfo::exists(path) &&
        !AppDialogs().askYesNo(this, Translated(kFileExistsCaption), Translated(kFileExistsText)))
        return;
    const UiText error = WriteTestFile(path.toStdString(), session_.core.record);
    if (!error.empty()) AppDialogs().showError(this, Translated(error));
}

void TMainForm::ApplyStartFile(const StartFile& start) {
    session_.core.state.StartedWithFile = start.startedWithFile;
    if (start.kind == StartFileKind::TestFile) {
        ReadTestFileAndShow(start.path);
    } else if (start.kind == StartFileKind::RecordFile) {
        startRecordFile_ = start.path;
        MOpenTimer_.start();
    }
}

void TMainForm::MOpenTimerTimer() {
    MOpenTimer_.stop();
    if (recordOpener_) recordOpener_(startRecordFile_);
}

void TMainForm::N7Click() {
    close();
}

void TMainForm::N23Click() {
    const QString path = QString::fromStdString(DataFilePath(kManualPath));
    if (!QFileInfo::exists(path)) {
        AppDialogs().showError(
            this, Translated(UiText(QT_TRANSLATE_NOOP("lxv", "The instrument manual was not found:\n%1"))
                                 .arg(path.toStdString())));
        return;
    }
    if (!AppShell().openDocument(path))
        AppDialogs().showError(
            this, Translated(UiText(QT_TRANSLATE_NOOP(
                                        "lxv", "No program is set up to show PDF files; the manual is:\n%1"))
                                 .arg(path.toStdString())));
}

void TMainForm::Tavro1Click() {
    // Our own support page, shipped with the program: it works without a network.
    const QString page = QString::fromStdString(DataFilePath(kSupportPage));
    if (!AppShell().openUrl(QUrl::fromLocalFile(page).toString()))
        AppDialogs().showError(
            this,
            Translated(UiText(QT_TRANSLATE_NOOP("lxv", "No web browser could open the support page:\n%1"))
                           .arg(page.toStdString())));
}

}  // namespace lxv
