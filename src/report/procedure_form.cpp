#include "report/procedure_form.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "measure/observation_control.h"
#include "platform/dialogs.h"
#include "platform/ini_file.h"
#include "platform/translation.h"
#include "report/report_info.h"

namespace lxv {

namespace {

QString VerdictStyle(const QColor& c) {
    return QString("QLabel { color: %1; font-size: 26pt; font-weight: bold; }").arg(c.name());
}

}  // namespace

TProcedureForm::TProcedureForm(ObservationControl& observation, IniFile& enterInfo, const char* objectName,
                               const char* title, QWidget* parent)
    : QDialog(parent), observation_(observation), enterInfo_(enterInfo) {
    setObjectName(objectName);
    // Every text in the language in use, shown again when it changes.
    texts_ = new ShownTexts(this);
    texts_->windowTitle(this, title);

    fields_ = new QGridLayout;
    StartButton = Button("StartButton", QT_TRANSLATE_NOOP("lxv", "Start"), QKeySequence(Qt::Key_F9));
    StopButton = Button("StopButton", QT_TRANSLATE_NOOP("lxv", "Stop"), QKeySequence(Qt::Key_F10));
    SaveCsvButton = Button("SaveCsvButton", QT_TRANSLATE_NOOP("lxv", "Save CSV"),
                           QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    SavePdfButton =
        Button("SavePdfButton", QT_TRANSLATE_NOOP("lxv", "Save PDF"), QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(StartButton, &QPushButton::clicked, this, &TProcedureForm::StartButtonClick);
    connect(StopButton, &QPushButton::clicked, this, &TProcedureForm::StopButtonClick);
    connect(SaveCsvButton, &QPushButton::clicked, this, &TProcedureForm::SaveCsvButtonClick);
    connect(SavePdfButton, &QPushButton::clicked, this, &TProcedureForm::SavePdfButtonClick);

    VerdictLabel = new QLabel(this);
    VerdictLabel->setObjectName("VerdictLabel");
    VerdictLabel->setAlignment(Qt::AlignCenter);
    VerdictLabel->setMinimumWidth(360);
    top_ = new QHBoxLayout;
    top_->addLayout(fields_);

    ObservationProgress = new QProgressBar(this);
    ObservationProgress->setObjectName("ObservationProgress");
    texts_->accessibleName(ObservationProgress, QT_TRANSLATE_NOOP("lxv", "Observation progress"));
    texts_->refresh(ObservationProgress, 100,
                    [this] { ObservationProgress->setFormat(Translated(kProgressFormat)); });

    body_ = new QVBoxLayout;
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top_);
    layout->addWidget(ObservationProgress);
    layout->addLayout(body_, 1);
}

TProcedureForm::~TProcedureForm() {
    if (listener_) observation_.unsubscribe(listener_);
}

QPushButton* TProcedureForm::Button(const char* name, const char* caption, const QKeySequence& key) {
    auto* b = new QPushButton(this);
    b->setObjectName(name);
    texts_->text(b, caption);
    texts_->accessibleName(b, caption);
    // A button named by its caption, its shortcut told in its tool tip.
    texts_->refresh(b, 100, [b, caption, key] {
        b->setToolTip(QString("%1 (%2)").arg(WithoutMnemonics(Translated(caption)),
                                             key.toString(QKeySequence::NativeText)));
    });
    b->setAutoDefault(false);
    b->setShortcut(key);
    return b;
}

QLineEdit* TProcedureForm::addField(const char* objectName, const char* caption, const QString& text) {
    auto* edit = new QLineEdit(text, this);
    edit->setObjectName(objectName);
    addRow(caption, edit);
    texts_->refresh(edit, 100, [edit, caption] { edit->setAccessibleName(Translated(caption).remove(':')); });
    return edit;
}

void TProcedureForm::addRow(const char* caption, QWidget* field) {
    auto* label = new QLabel(this);
    label->setBuddy(field);
    texts_->text(label, caption);
    const int row = fields_->rowCount();
    fields_->addWidget(label, row, 0);
    fields_->addWidget(field, row, 1);
}

void TProcedureForm::setSummary(QWidget* summary) {
    top_->addWidget(summary, 1);
}

void TProcedureForm::finishLayout() {
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {StartButton, StopButton, SaveCsvButton, SavePdfButton}) buttons->addWidget(b);
    buttons->addStretch(1);
    fields_->addLayout(buttons, fields_->rowCount(), 0, 1, 2);
    top_->addWidget(VerdictLabel);

    // The result's texts are shown again in the language in use.
    texts_->refresh(this, 100, [this] { ShowResult(); });
    listener_ = observation_.subscribe([this](ObservationControl::Event event) {
        // Hidden, the window only catches up when shown again; the end is always shown.
        if (isVisible() || event == ObservationControl::Event::Finished) ShowResult();
    });
}

bool TProcedureForm::CanSave() const {
    return observation_.started() && !observation_.running() && CurrentVerdict().hasVerdict();
}

void TProcedureForm::StartButtonClick() {
    const UiText refusal = StartProcedure();
    if (!refusal.empty()) AppDialogs().showMessage(this, Translated(refusal));
    ShowResult();
}

void TProcedureForm::StopButtonClick() {
    observation_.Stop();
    ShowResult();
}

void TProcedureForm::SaveCsvButtonClick() {
    const QString path =
        AppDialogs().saveFileName(this, Translated(kCsvFilter), QString::fromStdString(CsvFileName()));
    if (path.isEmpty()) return;
    std::string error;
    if (!WriteCsv(path.toStdString(), error)) AppDialogs().showError(this, QString::fromStdString(error));
}

void TProcedureForm::SavePdfButtonClick() {
    ReportInfo info;
    try {
        info = ReadReportInfo(enterInfo_);
    } catch (const ConversionError& e) {
        AppDialogs().showError(this, Translated(e.text()));
        return;
    }
    const QString path = AppDialogs().saveFileName(
        this, Translated(kPdfFilter), QString::fromStdString(info.projectName + PdfTitleSuffix() + ".pdf"));
    if (path.isEmpty()) return;
    QString error;
    if (!WritePdf(path, info, error)) AppDialogs().showError(this, error);
}

void TProcedureForm::ShowResult() {
    const bool running = observation_.running(), started = observation_.started();
    StartButton->setEnabled(!running);
    StopButton->setEnabled(running);
    const bool save = CanSave();
    SaveCsvButton->setEnabled(save);
    SavePdfButton->setEnabled(save);

    const int seconds = started ? static_cast<int>(std::ceil(observation_.longestSeconds())) : 100;
    ObservationProgress->setRange(0, seconds);
    ObservationProgress->setValue(
        std::clamp(static_cast<int>(std::floor(observation_.elapsedSeconds() + 1e-9)), 0, seconds));

    UiText shown = kVerdictIdleText;
    QColor colour = palette().color(QPalette::WindowText);
    if (started) {
        const Verdict verdict = CurrentVerdict();
        shown = running ? UiText(kVerdictRunningText).arg(verdict.text) : verdict.text;
        colour = QColor(verdict.colour.r, verdict.colour.g, verdict.colour.b);
    }
    VerdictLabel->setText(Translated(shown));
    VerdictLabel->setStyleSheet(VerdictStyle(colour));
    VerdictLabel->setAccessibleName(Translated(UiText(QT_TRANSLATE_NOOP("lxv", "Verdict: %1")).arg(shown)));
    ShowProcedure();
}

void TProcedureForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    ShowResult();
}

}  // namespace lxv
