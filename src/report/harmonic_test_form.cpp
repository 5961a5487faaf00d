#include "report/harmonic_test_form.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "appearance/chart_colours.h"
#include "measure/chart_painter.h"
#include "measure/harmonic_test_control.h"
#include "measure/image_view.h"
#include "platform/translation.h"
#include "report/harmonic_test_page.h"
#include "report/harmonic_test_pdf.h"

namespace lxv {

namespace {

QColor RowColour(OrderVerdict v) {
    switch (v) {
        case OrderVerdict::Pass: return QColor(215, 242, 215);
        case OrderVerdict::Fail: return QColor(255, 210, 204);
        case OrderVerdict::Ignored: return QColor(232, 232, 232);
        case OrderVerdict::None: break;
    }
    return QColor();
}

}  // namespace

THarmonicTestForm::THarmonicTestForm(HarmonicTestControl& control, IniFile& enterInfo, QWidget* parent)
    : TProcedureForm(control.observation(), enterInfo, "HarmonicTestForm", kHarmonicTestWindowTitle, parent),
      control_(control) {
    resize(1200, 760);
    ShownTexts& texts = this->texts();

    ClassBox = new QComboBox(this);
    ClassBox->setObjectName("ClassBox");
    texts.items(ClassBox, {"A", "B", QT_TRANSLATE_NOOP("lxv", "C (lighting)"), "D"});
    texts.accessibleName(ClassBox, QT_TRANSLATE_NOOP("lxv", "Class"));
    addRow(QT_TRANSLATE_NOOP("lxv", "Class:"), ClassBox);
    RatedPowerEdit =
        addField("RatedPowerEdit", QT_TRANSLATE_NOOP("lxv", "Rated power (W; blank = measured):"), "");
    ObservationEdit = addField("ObservationEdit", QT_TRANSLATE_NOOP("lxv", "Observation time (s):"), "150");
    NominalVoltageEdit =
        addField("NominalVoltageEdit", QT_TRANSLATE_NOOP("lxv", "Nominal voltage (V):"), "230");
    NominalFrequencyEdit =
        addField("NominalFrequencyEdit", QT_TRANSLATE_NOOP("lxv", "Nominal frequency (Hz):"), "50");
    texts.refresh(RatedPowerEdit, 101, [this] {
        RatedPowerEdit->setPlaceholderText(Translated(QT_TRANSLATE_NOOP("lxv", "measured")));
    });
    // The rated power gives class D its limits and every class its power boundaries (when within 10 % of
    // the measured power); the fields are read when Start runs.

    SummaryLabel = new QLabel(this);
    SummaryLabel->setObjectName("SummaryLabel");
    SummaryLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    setSummary(SummaryLabel);

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
    auto* views = new QHBoxLayout;
    views->addWidget(ResultTable, 0);
    views->addLayout(right, 1);
    body()->addLayout(views, 1);
    finishLayout();
}

UiText THarmonicTestForm::StartProcedure() {
    const auto emissionClass = static_cast<EmissionClass>(std::clamp(ClassBox->currentIndex(), 0, 3));
    const SettingsReading reading = ReadHarmonicTestSettings(
        emissionClass, RatedPowerEdit->text().toStdString(), ObservationEdit->text().toStdString(),
        NominalVoltageEdit->text().toStdString(), NominalFrequencyEdit->text().toStdString());
    if (!reading.ok()) return reading.error;
    return control_.Start(reading.settings);
}

Verdict THarmonicTestForm::CurrentVerdict() const {
    return control_.verdict();
}

bool THarmonicTestForm::CanSave() const {
    // A stopped test with enough blocks may be saved too, its verdict marked incomplete.
    return control_.started() && !control_.running() && control_.result().hasVerdict();
}

std::string THarmonicTestForm::PdfTitleSuffix() const {
    return kHarmonicTestTitleSuffix;
}

bool THarmonicTestForm::WriteCsv(const std::string& path, std::string& error) const {
    return WriteHarmonicTestCsv(path, control_.result(), error);
}

bool THarmonicTestForm::WritePdf(const QString& path, const ReportInfo& info, QString& error) const {
    return WriteHarmonicTestPdf(path, control_.result(), info, error);
}

void THarmonicTestForm::ShowProcedure() {
    const bool started = control_.started();
    const HarmonicTestResult& r = control_.result();
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
    verdict->setText(Translated(QT_TRANSLATE_NOOP("lxv", "pass (200 % rule)")));
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

}  // namespace lxv
