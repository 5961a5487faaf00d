#include "report/standby_test_form.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>

#include "appearance/chart_colours.h"
#include "measure/chart_painter.h"
#include "measure/image_view.h"
#include "measure/standby_test_control.h"
#include "platform/translation.h"
#include "report/standby_test_page.h"
#include "report/standby_test_pdf.h"

namespace lxv {

namespace {

constexpr int kConditionColumns = 4;

}  // namespace

TStandbyTestForm::TStandbyTestForm(StandbyTestControl& control, IniFile& enterInfo,
                                   std::function<std::string()> instrument, QWidget* parent)
    : TProcedureForm(control.observation(), enterInfo, "StandbyTestForm", kStandbyTestWindowTitle, parent),
      control_(control),
      instrument_(std::move(instrument)) {
    resize(1100, 720);
    ShownTexts& texts = this->texts();
    PeriodEdit = addField("PeriodEdit", QT_TRANSLATE_NOOP("lxv", "Period (s, at least 60):"), "600");
    LongestEdit = addField("LongestEdit", QT_TRANSLATE_NOOP("lxv", "Longest time (s; blank = 3 × period):"), "");
    LimitEdit = addField("LimitEdit", QT_TRANSLATE_NOOP("lxv", "Limit (W):"), "0.5");
    NominalVoltageEdit = addField("NominalVoltageEdit", QT_TRANSLATE_NOOP("lxv", "Nominal voltage (V):"), "230");
    NominalFrequencyEdit =
        addField("NominalFrequencyEdit", QT_TRANSLATE_NOOP("lxv", "Nominal frequency (Hz):"), "50");
    texts.refresh(LongestEdit, 101, [this] {
        LongestEdit->setPlaceholderText(Translated(QT_TRANSLATE_NOOP("lxv", "3 × period")));
    });

    SummaryLabel = new QLabel(this);
    SummaryLabel->setObjectName("SummaryLabel");
    SummaryLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    setSummary(SummaryLabel);

    ConditionsTable = new QTableWidget(5, kConditionColumns, this);
    ConditionsTable->setObjectName("ConditionsTable");
    texts.accessibleName(ConditionsTable, QT_TRANSLATE_NOOP("lxv", "Test conditions"));
    ConditionsTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ConditionsTable->verticalHeader()->hide();
    for (int r = 0; r < ConditionsTable->rowCount(); ++r)
        for (int c = 0; c < kConditionColumns; ++c) ConditionsTable->setItem(r, c, new QTableWidgetItem);
    ConditionsTable->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ConditionsTable->setMaximumHeight(6 * 26);
    texts.refresh(ConditionsTable, 100, [this] {
        ShowHeadings();
        ShowConditions();
    });

    TrendChart = new ImageView(chartImage_, [this] { DrawChart(); }, this);
    TrendChart->setObjectName("TrendChart");
    texts.accessibleName(TrendChart, QT_TRANSLATE_NOOP("lxv", "Standby power trend"));
    TrendChart->setMinimumSize(300, 180);
    NotesLabel = new QLabel(this);
    NotesLabel->setObjectName("NotesLabel");
    NotesLabel->setWordWrap(true);

    auto* left = new QVBoxLayout;
    left->addWidget(ConditionsTable);
    left->addWidget(NotesLabel);
    left->addStretch(1);
    auto* views = new QHBoxLayout;
    views->addLayout(left, 0);
    views->addWidget(TrendChart, 1);
    body()->addLayout(views, 1);
    finishLayout();
}

UiText TStandbyTestForm::StartProcedure() {
    const StandbySettingsReading reading = ReadStandbySettings(
        PeriodEdit->text().toStdString(), LongestEdit->text().toStdString(), LimitEdit->text().toStdString(),
        NominalVoltageEdit->text().toStdString(), NominalFrequencyEdit->text().toStdString());
    if (!reading.ok()) return reading.error;
    lastDrawn_.invalidate();  // a new test is drawn at once
    return control_.Start(reading.settings);
}

Verdict TStandbyTestForm::CurrentVerdict() const {
    return control_.verdict();
}

std::string TStandbyTestForm::PdfTitleSuffix() const {
    return kStandbyTestTitleSuffix;
}

bool TStandbyTestForm::WriteCsv(const std::string& path, std::string& error) const {
    return WriteStandbyTestCsv(path, control_.test(), control_.result(), control_.finishedAt(),
                               instrument_ ? instrument_() : std::string("LXV7700"), error);
}

bool TStandbyTestForm::WritePdf(const QString& path, const ReportInfo& info, QString& error) const {
    return WriteStandbyTestPdf(path, control_.test(), control_.result(), info, error);
}

void TStandbyTestForm::ShowProcedure() {
    const bool started = control_.started();
    const StandbyResult& r = control_.result();
    QStringList summary, notes;
    if (started)
        for (const UiText& line : StandbySummary(r)) summary << Translated(line);
    SummaryLabel->setText(summary.join('\n'));
    for (const UiText& note : started ? StandbyNotes(r) : std::vector<UiText>{kStandbyNoteText})
        notes << Translated(note);
    NotesLabel->setText(notes.join('\n'));
    ShowConditions();
    RedrawChartNowAndThen();
}

void TStandbyTestForm::RedrawChartNowAndThen() {
    constexpr qint64 kRedrawMs = 5000;
    if (control_.running() && lastDrawn_.isValid() && lastDrawn_.elapsed() < kRedrawMs) return;
    DrawChart();
}

void TStandbyTestForm::ShowHeadings() {
    ConditionsTable->setHorizontalHeaderLabels(
        {Translated(QT_TRANSLATE_NOOP("lxv", "Condition")), Translated(QT_TRANSLATE_NOOP("lxv", "Required")),
         Translated(QT_TRANSLATE_NOOP("lxv", "Worst")), Translated(QT_TRANSLATE_NOOP("lxv", "State"))});
}

void TStandbyTestForm::ShowConditions() {
    StandbyResult empty;
    const StandbyResult& r = control_.started() ? control_.result() : empty;
    const std::vector<ConditionRow> rows = StandbyConditions(r);
    for (int row = 0; row < static_cast<int>(rows.size()) && row < ConditionsTable->rowCount(); ++row) {
        const ConditionRow& c = rows[static_cast<std::size_t>(row)];
        const UiText cells[kConditionColumns] = {c.name, c.required, c.worst,
                                                 r.readings ? c.state : UiText("-")};
        for (int col = 0; col < kConditionColumns; ++col) {
            QTableWidgetItem* item = ConditionsTable->item(row, col);
            const QString text = Translated(cells[col]);
            if (item->text() != text) item->setText(text);
        }
        // The state in the verdict's colours, black on white where it is told.
        QTableWidgetItem* state = ConditionsTable->item(row, kConditionColumns - 1);
        const Rgb colour = c.ok ? kVerdictGreen : kVerdictRed;
        state->setData(Qt::ForegroundRole,
                       r.readings ? QVariant(QBrush(QColor(colour.r, colour.g, colour.b))) : QVariant());
    }
    ConditionsTable->resizeColumnsToContents();
}

void TStandbyTestForm::DrawChart() {
    const QSize area = TrendChart->size();
    if (area.isEmpty()) return;
    if (chartImage_.size() != area) chartImage_ = QImage(area, QImage::Format_RGB32);
    DrawStandbyChart(chartImage_, area, control_.test(), CurrentChartColours());
    lastDrawn_.start();
    TrendChart->update();
}

}  // namespace lxv
