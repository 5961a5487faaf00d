// The harmonic emissions test window "Harmonic emissions test": the class,
// rated power (class D; blank = measured), observation time and nominal
// supply; Start and Stop; a progress bar over the observation; the table of
// orders 2..40 (limit, mean, maximum, percent of the limit, verdict,
// coloured); the bar chart `ResultChart`; the verdict in large text; the
// summary and notes; Save CSV and Save PDF. A procedure window
// (procedure_form.h) over HarmonicTestControl. Not modal.
#pragma once

#include <QImage>

#include "report/procedure_form.h"

class QComboBox;
class QTableWidget;

namespace lxv {

class HarmonicTestControl;

inline constexpr const char* kHarmonicTestWindowTitle =
    QT_TRANSLATE_NOOP("lxv", "Harmonic emissions test (IEC 61000-3-2, pre-compliance)");

class THarmonicTestForm : public TProcedureForm {
    Q_OBJECT
  public:
    // `enterInfo` is EnterInfo.ini (the report information of the PDF page).
    THarmonicTestForm(HarmonicTestControl& control, IniFile& enterInfo, QWidget* parent = nullptr);

    const QImage& chartImage() const { return chartImage_; }

  protected:
    UiText StartProcedure() override;
    Verdict CurrentVerdict() const override;
    void ShowProcedure() override;
    std::string CsvFileName() const override { return "HarmonicTest.csv"; }
    std::string PdfTitleSuffix() const override;
    bool WriteCsv(const std::string& path, std::string& error) const override;
    bool WritePdf(const QString& path, const ReportInfo& info, QString& error) const override;

  private:
    void ShowHeadings();
    void ShowTable();
    void DrawChart();

    HarmonicTestControl& control_;
    QImage chartImage_;

    QComboBox* ClassBox;
    QLineEdit* RatedPowerEdit;
    QLineEdit* ObservationEdit;
    QLineEdit* NominalVoltageEdit;
    QLineEdit* NominalFrequencyEdit;
    QLabel* SummaryLabel;
    QLabel* NotesLabel;
    QTableWidget* ResultTable;
    QWidget* ResultChart;
};

}  // namespace lxv
