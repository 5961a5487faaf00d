// The standby power test window "Standby power test": the period, the longest
// time, the limit and the nominal supply; Start and Stop; a progress bar; the
// figures; the test conditions as they stand (`ConditionsTable`); the live
// trend `TrendChart` with the discarded first third shaded, the regression
// line, the mean and the limit; the verdict in large text; the notes; Save
// CSV and Save PDF. A procedure window (procedure_form.h) over
// StandbyTestControl. Not modal.
#pragma once

#include <QElapsedTimer>
#include <QImage>

#include "report/procedure_form.h"

class QTableWidget;

namespace lxv {

class StandbyTestControl;

inline constexpr const char* kStandbyTestWindowTitle =
    QT_TRANSLATE_NOOP("lxv", "Standby power test (IEC 62301, pre-compliance)");

class TStandbyTestForm : public TProcedureForm {
    Q_OBJECT
  public:
    // `enterInfo` is EnterInfo.ini (the report information of the PDF page);
    // `instrument` names the instrument in the CSV.
    TStandbyTestForm(StandbyTestControl& control, IniFile& enterInfo, std::function<std::string()> instrument,
                     QWidget* parent = nullptr);

    const QImage& chartImage() const { return chartImage_; }

  protected:
    UiText StartProcedure() override;
    Verdict CurrentVerdict() const override;
    void ShowProcedure() override;
    std::string CsvFileName() const override { return "StandbyTest.csv"; }
    std::string PdfTitleSuffix() const override;
    bool WriteCsv(const std::string& path, std::string& error) const override;
    bool WritePdf(const QString& path, const ReportInfo& info, QString& error) const override;

  private:
    void ShowHeadings();
    void ShowConditions();
    void DrawChart();
    // The live trend is painted again at most every 5 s while a test runs (a block comes every 0.27 s at
    // 115200 baud): the window then costs under a tenth of the main window's redraw per block.
    void RedrawChartNowAndThen();

    StandbyTestControl& control_;
    std::function<std::string()> instrument_;
    QImage chartImage_;
    QElapsedTimer lastDrawn_;

    QLineEdit* PeriodEdit;
    QLineEdit* LongestEdit;
    QLineEdit* LimitEdit;
    QLineEdit* NominalVoltageEdit;
    QLineEdit* NominalFrequencyEdit;
    QLabel* SummaryLabel;
    QLabel* NotesLabel;
    QTableWidget* ConditionsTable;
    QWidget* TrendChart;
};

}  // namespace lxv
