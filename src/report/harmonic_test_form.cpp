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

QLineEdit* Field(const char* name, const QString& caption, const QString& text, QGridLayout* grid, int row,
                 QWidget* parent) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    auto* label = new QLabel(caption, parent);
    label->setBuddy(edit);
    edit->setAccessibleName(QString(caption).remove(':'));
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row, 1);
    return edit;
}

QPushButton* Button(const char* name, const QString& caption, const QKeySequence& key, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAccessibleName(caption);
    b->setAutoDefault(false);
    b->setShortcut(key);
    b->setToolTip(QString("%1 (%2)").arg(caption, key.toString(QKeySequence::NativeText)));
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
    setWindowTitle(kHarmonicTestWindowTitle);  // taken up by texts_ below
    resize(1200, 760);

    auto* grid = new QGridLayout;
    ClassBox = new QComboBox(this);
    ClassBox->setObjectName("ClassBox");
    ClassBox->addItems({"A", "B", QT_TRANSLATE_NOOP("lxv", "C (lighting)"), "D"});
    ClassBox->setAccessibleName(QT_TRANSLATE_NOOP("lxv", "Class"));
    auto* classLabel = new QLabel(QT_TRANSLATE_NOOP("lxv", "Class:"), this);
    classLabel->setBuddy(ClassBox);
    grid->addWidget(classLabel, 0, 0);
    grid->addWidget(ClassBox, 0, 1);
    RatedPowerEdit =
        Field("RatedPowerEdit", QT_TRANSLATE_NOOP("lxv", "Rated power (W, class D; blank = measured):"), "",
              grid, 1, this);
    ObservationEdit =
        Field("ObservationEdit", QT_TRANSLATE_NOOP("lxv", "Observation time (s):"), "150", grid, 2, this);
    NominalVoltageEdit =
        Field("NominalVoltageEdit", QT_TRANSLATE_NOOP("lxv", "Nominal voltage (V):"), "230", grid, 3, this);
    NominalFrequencyEdit = Field("NominalFrequencyEdit", QT_TRANSLATE_NOOP("lxv", "Nominal frequency (Hz):"),
                                 "50", grid, 4, this);
    RatedPowerEdit->setPlaceholderText(QT_TRANSLATE_NOOP("lxv", "measured"));
    // The rated power only counts for class D; the field is read when Start runs.
    RatedPowerEdit->setEnabled(false);
    connect(ClassBox, &QComboBox::currentIndexChanged, this,
            [this](int index) { RatedPowerEdit->setEnabled(index == static_cast<int>(EmissionClass::D)); });

    StartButton = Button("StartButton", QT_TRANSLATE_NOOP("lxv", "Start"), QKeySequence(Qt::Key_F9), this);
    StopButton = Button("StopButton", QT_TRANSLATE_NOOP("lxv", "Stop"), QKeySequence(Qt::Key_F10), this);
    SaveCsvButton = Button("SaveCsvButton", QT_TRANSLATE_NOOP("lxv", "Save CSV"),
                           QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), this);
    SavePdfButton = Button("SavePdfButton", QT_TRANSLATE_NOOP("lxv", "Save PDF"),
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
    ObservationProgress->setAccessibleName(QT_TRANSLATE_NOOP("lxv", "Observation progress"));
    ObservationProgress->setFormat(kProgressFormat);

    ResultTable = new QTableWidget(kTestOrderCount, kTestTableColumns, this);
    ResultTable->setObjectName("ResultTable");
    ResultTable->setAccessibleName(QT_TRANSLATE_NOOP("lxv", "Harmonic test results"));
    ResultTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ResultTable->verticalHeader()->hide();
    ResultTable->verticalHeader()->setDefaultSectionSize(20);
    QStringList headings;
    for (const std::string& h : HarmonicTestHeadings()) headings << Q(h).replace(" (", "\n(");
    ResultTable->setHorizontalHeaderLabels(headings);
    for (int r = 0; r < kTestOrderCount; ++r) {
        for (int c = 0; c < kTestTableColumns; ++c) {
            auto* item = new QTableWidgetItem(c == 0 ? QString::number(kFirstTestOrder + r) : "0.0000");
            item->setTextAlignment(c == kTestTableColumns - 1 ? Qt::AlignLeft | Qt::AlignVCenter
                                                              : Qt::AlignRight | Qt::AlignVCenter);
            ResultTable->setItem(r, c, item);
        }
    }
    // Columns as wide as their headings and numbers, and the table as wide as its columns.
    ResultTable->setItem(0, kTestTableColumns - 1, new QTableWidgetItem("pass (POHC)"));
    ResultTable->resizeColumnsToContents();
    ResultTable->setMinimumWidth(ResultTable->horizontalHeader()->length() +
                                 ResultTable->verticalScrollBar()->sizeHint().width() +
                                 2 * ResultTable->frameWidth());
    ResultTable->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    ResultChart = new ImageView(
        chartImage_, [this] { DrawChart(); }, this);
    ResultChart->setObjectName("ResultChart");
    ResultChart->setAccessibleName(QT_TRANSLATE_NOOP("lxv", "Harmonic test chart"));
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

    // Every text above in the language in use; the result's texts are shown again with it.
    texts_ = new ShownTexts(this);
    texts_->adopt(this, {VerdictLabel, SummaryLabel, NotesLabel});
    texts_->refresh(this, 100, [this] { ShowResult(); });

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
        AppDialogs().showMessage(this, Q(reading.error));
        return;
    }
    const std::string refusal = control_.Start(reading.settings);
    if (!refusal.empty()) AppDialogs().showMessage(this, Q(refusal));
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
        AppDialogs().showError(this, e.what());
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

    QString verdict = Translated(kVerdictIdleText);
    QColor colour = palette().color(QPalette::WindowText);
    if (started) {
        const QString word = r.hasVerdict() ? TestVerdictText(r.verdict) : Translated(kNoVerdictText);
        verdict = running ? Translated(kVerdictRunningText).arg(word) : word;
        colour = !r.hasVerdict() || r.verdict == TestVerdict::NotApplicable ? QColor(190, 110, 0)
                 : r.verdict == TestVerdict::Pass                           ? QColor(0, 140, 60)
                                                                            : QColor(210, 30, 30);
    }
    VerdictLabel->setText(verdict);
    VerdictLabel->setStyleSheet(VerdictStyle(colour));
    VerdictLabel->setAccessibleName(
        Translated(UiText(QT_TRANSLATE_NOOP("lxv", "Verdict: %1")).arg(verdict.toStdString())));

    QStringList summary, notes;
    if (started)
        for (const std::string& line : HarmonicTestSummary(r)) summary << Q(line);
    SummaryLabel->setText(summary.join('\n'));
    for (const std::string& note :
         started ? HarmonicTestNotes(r) : std::vector<std::string>{kPreComplianceNoteText})
        notes << Q(note);
    NotesLabel->setText(notes.join('\n'));
    ShowTable();
    DrawChart();
}

void THarmonicTestForm::ShowTable() {
    const bool started = control_.started();
    const HarmonicTestResult& r = control_.result();
    for (int row = 0; row < kTestOrderCount; ++row) {
        const OrderResult& o = r.orders[static_cast<std::size_t>(row)];
        std::array<std::string, kTestTableColumns> cells{std::to_string(kFirstTestOrder + row)};
        if (started) cells = HarmonicTestCells(o);
        const QColor background = started ? RowColour(o.verdict) : QColor();
        for (int c = 0; c < kTestTableColumns; ++c) {
            QTableWidgetItem* item = ResultTable->item(row, c);
            const QString text = Q(cells[static_cast<std::size_t>(c)]);
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
