#include "report/harmonic_test_form.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "appearance/chart_colours.h"
#include "measure/chart_painter.h"
#include "measure/harmonic_test_control.h"
#include "measure/image_view.h"
#include "platform/dialogs.h"
#include "platform/ini_file.h"
#include "platform/translation.h"
#include "report/harmonic_test_page.h"
#include "report/harmonic_test_pdf.h"
#include "report/report_info.h"

namespace lxv {

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

// A typed field and its caption; the field is named by the caption without its colon.
QLineEdit* Field(ShownTexts& texts, const char* name, const char* caption, const QString& text,
                 QGridLayout* grid, int row, QWidget* parent) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    auto* label = new QLabel(parent);
    label->setBuddy(edit);
    texts.text(label, caption);
    texts.refresh(edit, 100, [edit, caption] { edit->setAccessibleName(Translated(caption).remove(':')); });
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row, 1);
    return edit;
}

// A button named by its caption, its shortcut told in its tool tip.
QPushButton* Button(ShownTexts& texts, const char* name, const char* caption, const QKeySequence& key,
                    QWidget* parent) {
    auto* b = new QPushButton(parent);
    b->setObjectName(name);
    texts.text(b, caption);
    texts.accessibleName(b, caption);
    texts.refresh(b, 100, [b, caption, key] {
        b->setToolTip(QString("%1 (%2)").arg(WithoutMnemonics(Translated(caption)),
                                             key.toString(QKeySequence::NativeText)));
    });
    b->setAutoDefault(false);
    b->setShortcut(key);
    return b;
}

QColor RowColour(OrderVerdict v) {
    switch (v) {
        case OrderVerdict::Pass: return QColor(215, 242, 215);
        case OrderVerdict::Fail: return QColor(255, 210, 204);
        case OrderVerdict::Ignored: return QColor(232, 232, 232);
        case OrderVerdict::None: break;
    }
    return QColor();
}

QString VerdictStyle(const QColor& c) {
    return QString("QLabel { color: %1; font-size: 26pt; font-weight: bold; }").arg(c.name());
}

}  // namespace

THarmonicTestForm::THarmonicTestForm(HarmonicTestControl& control, IniFile& enterInfo, QWidget* parent)
    : QDialog(parent), control_(control), enterInfo_(enterInfo) {
    setObjectName("HarmonicTestForm");
    resize(1200, 760);
    // Every text in the language in use, shown again when it changes.
    texts_ = new ShownTexts(this);
    ShownTexts& texts = *texts_;
    texts.windowTitle(this, kHarmonicTestWindowTitle);

    auto* grid = new QGridLayout;
    ClassBox = new QComboBox(this);
    ClassBox->setObjectName("ClassBox");
    texts.items(ClassBox, {"A", "B", QT_TRANSLATE_NOOP("lxv", "C (lighting)"), "D"});
    texts.accessibleName(ClassBox, QT_TRANSLATE_NOOP("lxv", "Class"));
    auto* classLabel = new QLabel(this);
    texts.text(classLabel, QT_TRANSLATE_NOOP("lxv", "Class:"));
    classLabel->setBuddy(ClassBox);
    grid->addWidget(classLabel, 0, 0);
    grid->addWidget(ClassBox, 0, 1);
    RatedPowerEdit =
        Field(texts, "RatedPowerEdit",
              QT_TRANSLATE_NOOP("lxv", "Rated power (W, class D; blank = measured):"), "", grid, 1, this);
    ObservationEdit = Field(texts, "ObservationEdit", QT_TRANSLATE_NOOP("lxv", "Observation time (s):"),
                            "150", grid, 2, this);
    NominalVoltageEdit = Field(texts, "NominalVoltageEdit", QT_TRANSLATE_NOOP("lxv", "Nominal voltage (V):"),
                               "230", grid, 3, this);
    NominalFrequencyEdit = Field(texts, "NominalFrequencyEdit",
                                 QT_TRANSLATE_NOOP("lxv", "Nominal frequency (Hz):"), "50", grid, 4, this);
    texts.refresh(RatedPowerEdit, 101, [this] {
        RatedPowerEdit->setPlaceholderText(Translated(QT_TRANSLATE_NOOP("lxv", "measured")));
    });
    // The rated power only counts for class D; the field is read when Start runs.
    RatedPowerEdit->setEnabled(false);
    connect(ClassBox, &QComboBox::currentIndexChanged, this,
            [this](int index) { RatedPowerEdit->setEnabled(index == static_cast<int>(EmissionClass::D)); });

    StartButton =
        Button(texts, "StartButton", QT_TRANSLATE_NOOP("lxv", "Start"), QKeySequence(Qt::Key_F9), this);
    StopButton =
        Button(texts, "StopButton", QT_TRANSLATE_NOOP("lxv", "Stop"), QKeySequence(Qt::Key_F10), this);
    SaveCsvButton = Button(texts, "SaveCsvButton", QT_TRANSLATE_NOOP("lxv", "Save CSV"),
                           QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), this);
    SavePdfButton = Button(texts, "SavePdfButton", QT_TRANSLATE_NOOP("lxv", "Save PDF"),
                           QKeySequence(Qt::CTRL | Qt::Key_S), this);
    connect(StartButton, &QPushButton::clicked, this, &THarmonicTestForm::StartButtonClick);
    connect(StopButton, &QPushButton::clicked, this, &THarmonicTestForm::StopButtonClick);
    connect(SaveCsvButton, &QPushButton::clicked, this, &THarmonicTestForm::SaveCsvButtonClick);
    connect(SavePdfButton, &QPushButton::clicked, this, &THarmonicTestForm::SavePdfButtonClick);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {StartButton, StopButton, SaveCsvButton, SavePdfButton}) buttons->addWidget(b);
    buttons->addStretch(1);
    grid->addLayout(buttons, 5, 0, 1, 2);

    VerdictLabel = new QLabel(this);
    VerdictLabel->setObjectName("VerdictLabel");
    VerdictLabel->setAlignment(Qt::AlignCenter);
    VerdictLabel->setMinimumWidth(360);
    SummaryLabel = new QLabel(this);
    SummaryLabel->setObjectName("SummaryLabel");
    SummaryLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* top = new QHBoxLayout;
    top->addLayout(grid);
    top->addWidget(SummaryLabel, 1);
    top->addWidget(VerdictLabel);

    ObservationProgress = new QProgressBar(this);
    ObservationProgress->setObjectName("ObservationProgress");
    texts.accessibleName(ObservationProgress, QT_TRANSLATE_NOOP("lxv", "Observation progress"));
    texts.refresh(ObservationProgress, 100,
                  [this] { ObservationProgress->setFormat(Translated(kProgressFormat)); });

    ResultTable = new QTableWidget(kTestOrderCount, kTestTableColumns, this);
    ResultTable->setObjectName("ResultTable");
    texts.accessibleName(ResultTable, QT_TRANSLATE_NOOP("lxv", "Harmonic test results"));
    ResultTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ResultTable->verticalHeader()->hide();
    ResultTable->verticalHeader()->setDefaultSectionSize(20);
    for (int r = 0; r < kTestOrderCount; ++r) {
        for (int c = 0; c < kTestTableColumns; ++c) {
            auto* item = new QTableWidgetItem(c == 0 ? QString::number(kFirstTestOrder + r) : "0.0000");
            item->setTextAlignment(c == kTestTableColumns - 1 ? Qt::AlignLeft | Qt::AlignVCenter
                                                              : Qt::AlignRight | Qt::AlignVCenter);
            ResultTable->setItem(r, c, item);
        }
    }
    ResultTable->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    texts.refresh(ResultTable, 100, [this] { ShowHeadings(); });

    ResultChart = new ImageView(
        chartImage_, [this] { DrawChart(); }, this);
    ResultChart->setObjectName("ResultChart");
    texts.accessibleName(ResultChart, QT_TRANSLATE_NOOP("lxv", "Harmonic test chart"));
    ResultChart->setMinimumSize(300, 160);
    NotesLabel = new QLabel(this);
    NotesLabel->setObjectName("NotesLabel");
    NotesLabel->setWordWrap(true);

    auto* right = new QVBoxLayout;
    right->addWidget(ResultChart, 1);
    right->addWidget(NotesLabel);
    auto* body = new QHBoxLayout;
    body->addWidget(ResultTable, 0);
    body->addLayout(right, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(ObservationProgress);
    layout->addLayout(body, 1);

    // The result's texts are shown again in the language in use.
    texts.refresh(this, 100, [this] { ShowResult(); });

    listener_ = control_.subscribe([this](HarmonicTestControl::Event event) {
        // Hidden, the window only catches up when shown again; the end is always shown.
        if (isVisible() || event == HarmonicTestControl::Event::Finished) ShowResult();
    });
}

THarmonicTestForm::~THarmonicTestForm() {
    control_.unsubscribe(listener_);
}

void THarmonicTestForm::StartButtonClick() {
    const auto emissionClass = static_cast<EmissionClass>(std::clamp(ClassBox->currentIndex(), 0, 3));
    const SettingsReading reading = ReadHarmonicTestSettings(
        emissionClass, emissionClass == EmissionClass::D ? RatedPowerEdit->text().toStdString() : "",
        ObservationEdit->text().toStdString(), NominalVoltageEdit->text().toStdString(),
        NominalFrequencyEdit->text().toStdString());
    if (!reading.ok()) {
        AppDialogs().showMessage(this, Translated(reading.error));
        return;
    }
    const UiText refusal = control_.Start(reading.settings);
    if (!refusal.empty()) AppDialogs().showMessage(this, Translated(refusal));
    ShowResult();
}

void THarmonicTestForm::StopButtonClick() {
    control_.Stop();
    ShowResult();
}

void THarmonicTestForm::SaveCsvButtonClick() {
    const QString path = AppDialogs().saveFileName(this, Translated(kCsvFilter), "HarmonicTest.csv");
    if (path.isEmpty()) return;
    std::string error;
    if (!WriteHarmonicTestCsv(path.toStdString(), control_.result(), error))
        AppDialogs().showError(this, Q(error));
}

void THarmonicTestForm::SavePdfButtonClick() {
    ReportInfo info;
    try {
        info = ReadReportInfo(enterInfo_);
    } catch (const ConversionError& e) {
        AppDialogs().showError(this, Translated(e.text()));
        return;
    }
    const QString path = AppDialogs().saveFileName(this, Translated(kPdfFilter),
                                                   Q(info.projectName + kHarmonicTestTitleSuffix + ".pdf"));
    if (path.isEmpty()) return;
    QString error;
    if (!WriteHarmonicTestPdf(path, control_.result(), info, error)) AppDialogs().showError(this, error);
}

void THarmonicTestForm::ShowResult() {
    const bool running = control_.running(), started = control_.started();
    const HarmonicTestResult& r = control_.result();
    StartButton->setEnabled(!running);
    StopButton->setEnabled(running);
    // The files hold a finished observation with a verdict.
    SaveCsvButton->setEnabled(started && !running && r.hasVerdict());
    SavePdfButton->setEnabled(started && !running && r.hasVerdict());

    const int seconds = started ? static_cast<int>(std::ceil(r.settings.observationSeconds)) : 100;
    ObservationProgress->setRange(0, seconds);
    ObservationProgress->setValue(
        std::clamp(static_cast<int>(std::floor(control_.elapsedSeconds() + 1e-9)), 0, seconds));

    UiText verdict = kVerdictIdleText;
    QColor colour = palette().color(QPalette::WindowText);
    if (started) {
        const UiText word = VerdictWord(r);
        verdict = running ? UiText(kVerdictRunningText).arg(word) : word;
        colour = !r.hasVerdict() || r.verdict == TestVerdict::NotApplicable ? QColor(190, 110, 0)
                 : r.verdict == TestVerdict::Pass                           ? QColor(0, 140, 60)
                                                                            : QColor(210, 30, 30);
    }
    VerdictLabel->setText(Translated(verdict));
    VerdictLabel->setStyleSheet(VerdictStyle(colour));
    VerdictLabel->setAccessibleName(Translated(UiText(QT_TRANSLATE_NOOP("lxv", "Verdict: %1")).arg(verdict)));

    QStringList summary, notes;
    if (started)
        for (const UiText& line : HarmonicTestSummary(r)) summary << Translated(line);
    SummaryLabel->setText(summary.join('\n'));
    for (const UiText& note : started ? HarmonicTestNotes(r) : std::vector<UiText>{kPreComplianceNoteText})
        notes << Translated(note);
    NotesLabel->setText(notes.join('\n'));
    ShowTable();
    DrawChart();
}

void THarmonicTestForm::ShowTable() {
    const bool started = control_.started();
    const HarmonicTestResult& r = control_.result();
    for (int row = 0; row < kTestOrderCount; ++row) {
        const OrderResult& o = r.orders[static_cast<std::size_t>(row)];
        std::array<UiText, kTestTableColumns> cells{UiText("%1").arg(kFirstTestOrder + row)};
        if (started) cells = HarmonicTestCells(o);
        const QColor background = started ? RowColour(o.verdict) : QColor();
        for (int c = 0; c < kTestTableColumns; ++c) {
            QTableWidgetItem* item = ResultTable->item(row, c);
            const QString text = Translated(cells[static_cast<std::size_t>(c)]);
            if (item->text() != text) item->setText(text);
            // Black on the light row colours, whatever the skin's text colour.
            const QVariant shade = background.isValid() ? QVariant(QBrush(background)) : QVariant();
            if (item->data(Qt::BackgroundRole) == shade) continue;
            item->setData(Qt::BackgroundRole, shade);
            item->setData(Qt::ForegroundRole,
                          background.isValid() ? QVariant(QBrush(Qt::black)) : QVariant());
        }
    }
}

void THarmonicTestForm::ShowHeadings() {
    QStringList headings;
    for (const char* h : HarmonicTestHeadings()) headings << Translated(h).replace(" (", "\n(");
    ResultTable->setHorizontalHeaderLabels(headings);
    // Columns as wide as their headings, numbers and verdicts, and the table as wide as its columns.
    QTableWidgetItem* verdict = ResultTable->item(0, kTestTableColumns - 1);
    const QString shown = verdict->text();
    verdict->setText(Translated(QT_TRANSLATE_NOOP("lxv", "pass (POHC)")));
    ResultTable->resizeColumnsToContents();
    verdict->setText(shown);
    ResultTable->setMinimumWidth(ResultTable->horizontalHeader()->length() +
                                 ResultTable->verticalScrollBar()->sizeHint().width() +
                                 2 * ResultTable->frameWidth());
}

void THarmonicTestForm::DrawChart() {
    const QSize area = ResultChart->size();
    if (area.isEmpty()) return;
    if (chartImage_.size() != area) chartImage_ = QImage(area, QImage::Format_RGB32);
    HarmonicTestResult empty;
    const HarmonicTestResult& shown = control_.started() ? control_.result() : empty;
    DrawHarmonicTestChart(chartImage_, area, shown, CurrentChartColours());
    ResultChart->update();
}

void THarmonicTestForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    ShowResult();
}

}  // namespace lxv
