// The harmonic emissions test window "Harmonic emissions test": the class,
// rated power (class D; blank = measured), observation time and nominal
// supply; Start and Stop; a progress bar over the observation; the table of
// orders 2..40 (limit, mean, maximum, percent of the limit, verdict,
// coloured); the bar chart `ResultChart`; the verdict in large text; the
// summary and notes; Save CSV and Save PDF. A view of HarmonicTestControl:
// the fields are read when Start runs, and the test goes on while the
// window is hidden. Not modal.
#pragma once

#include <QDialog>
#include <QImage>

#include "platform/ui_text.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace lxv {

class ShownTexts;

class HarmonicTestControl;
class IniFile;

inline constexpr const char* kHarmonicTestWindowTitle =
    QT_TRANSLATE_NOOP("lxv", "Harmonic emissions test (IEC 61000-3-2, pre-compliance)");
inline constexpr const char* kCsvFilter = QT_TRANSLATE_NOOP("lxv", "CSV File(*.csv)|*.csv");
inline constexpr const char* kPdfFilter = QT_TRANSLATE_NOOP("lxv", "PDF File(*.pdf)|*.pdf");
// Texts of the verdict label.
inline constexpr const char* kVerdictIdleText = QT_TRANSLATE_NOOP("lxv", "No test yet");
inline constexpr const char* kVerdictRunningText = QT_TRANSLATE_NOOP("lxv", "Observing: %1 so far");
// The progress bar's text: %v the seconds observed, %m the observation's.
inline constexpr const char* kProgressFormat = QT_TRANSLATE_NOOP("lxv", "%v s of %m s");

class THarmonicTestForm : public QDialog {
    Q_OBJECT
  public:
    // `enterInfo` is EnterInfo.ini (the report information of the PDF page).
    THarmonicTestForm(HarmonicTestControl& control, IniFile& enterInfo, QWidget* parent = nullptr);
    ~THarmonicTestForm() override;

    void StartButtonClick();
    void StopButtonClick();
    void SaveCsvButtonClick();
    void SavePdfButtonClick();
    // Shows the controller's state: buttons, progress, verdict, table, chart, notes.
    void ShowResult();

    const QImage& chartImage() const { return chartImage_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    ShownTexts* texts_ = nullptr;
    void ShowHeadings();
    void ShowTable();
    void DrawChart();

    HarmonicTestControl& control_;
    IniFile& enterInfo_;
    int listener_ = 0;
    QImage chartImage_;

    QComboBox* ClassBox;
    QLineEdit* RatedPowerEdit;
    QLineEdit* ObservationEdit;
    QLineEdit* NominalVoltageEdit;
    QLineEdit* NominalFrequencyEdit;
    QPushButton* StartButton;
    QPushButton* StopButton;
    QPushButton* SaveCsvButton;
    QPushButton* SavePdfButton;
    QProgressBar* ObservationProgress;
    QLabel* VerdictLabel;
    QLabel* SummaryLabel;
    QLabel* NotesLabel;
    QTableWidget* ResultTable;
    QWidget* ResultChart;
};

}  // namespace lxv
