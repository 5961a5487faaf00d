// The base of a test procedure's window: its fields on the left (each a
// caption and a named, accessible control), Start (F9), Stop (F10), Save CSV
// (Ctrl+Shift+S) and Save PDF (Ctrl+S) below them, the procedure's summary
// beside them, the verdict in large text on the right, the progress bar over
// the observation, and below it the procedure's own views. A view of the
// procedure's ObservationControl: the fields are read when Start runs, the
// procedure goes on while the window is hidden, and the window catches up
// when shown again. Not modal.
//
// A procedure's window derives from it, adds its fields and views in its
// constructor, calls finishLayout() last, and implements the hooks: start
// from the fields, its verdict, its own views, and its two files.
//
// Depends on: measure/observation_control.h, measure/verdict.h,
// report/report_geometry.h (ReportInfo), platform/ (texts, dialogs, INI).
#pragma once

#include <QDialog>
#include <QKeySequence>
#include <QString>
#include <string>

#include "measure/verdict.h"
#include "platform/ui_text.h"

class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QVBoxLayout;

namespace lxv {

class IniFile;
class ObservationControl;
class ShownTexts;
struct ReportInfo;

inline constexpr const char* kCsvFilter = QT_TRANSLATE_NOOP("lxv", "CSV File(*.csv)|*.csv");
inline constexpr const char* kPdfFilter = QT_TRANSLATE_NOOP("lxv", "PDF File(*.pdf)|*.pdf");
// Texts of the verdict label.
inline constexpr const char* kVerdictIdleText = QT_TRANSLATE_NOOP("lxv", "No test yet");
inline constexpr const char* kVerdictRunningText = QT_TRANSLATE_NOOP("lxv", "Observing: %1 so far");
// The progress bar's text: %v the seconds observed, %m the observation's.
inline constexpr const char* kProgressFormat = QT_TRANSLATE_NOOP("lxv", "%v s of %m s");

class TProcedureForm : public QDialog {
    Q_OBJECT
  public:
    ~TProcedureForm() override;

    void StartButtonClick();
    void StopButtonClick();
    void SaveCsvButtonClick();
    void SavePdfButtonClick();
    // Shows the procedure's state: buttons, progress, verdict, then its own views.
    void ShowResult();

  protected:
    // `objectName` and `title` name the window; `enterInfo` is EnterInfo.ini
    // (the report information of the PDF page).
    TProcedureForm(ObservationControl& observation, IniFile& enterInfo, const char* objectName,
                   const char* title, QWidget* parent);

    ShownTexts& texts() { return *texts_; }
    // A typed field in the next row, named by its caption without the colon.
    QLineEdit* addField(const char* objectName, const char* caption, const QString& text);
    // Any control in the next row with its caption (the control is its buddy).
    void addRow(const char* caption, QWidget* field);
    // The widget between the fields and the verdict (a summary), stretched.
    void setSummary(QWidget* summary);
    // Where the procedure's own views go, below the progress bar.
    QVBoxLayout* body() { return body_; }
    // The last call of the derived constructor: the buttons row, the language
    // refresh and the observation's listener.
    void finishLayout();

    // Reads the fields and starts the procedure: empty when it runs, else the sentence that says why not.
    virtual UiText StartProcedure() = 0;
    // The verdict so far (running) or of the ended observation.
    virtual Verdict CurrentVerdict() const = 0;
    // Whether the files can be saved now (default: an ended observation with a verdict).
    virtual bool CanSave() const;
    // The procedure's own views (summary, notes, tables, charts).
    virtual void ShowProcedure() = 0;
    // The files: the CSV's proposed name, the PDF's title suffix after the project name, and their writers.
    virtual std::string CsvFileName() const = 0;
    virtual std::string PdfTitleSuffix() const = 0;
    virtual bool WriteCsv(const std::string& path, std::string& error) const = 0;
    virtual bool WritePdf(const QString& path, const ReportInfo& info, QString& error) const = 0;

    void showEvent(QShowEvent* event) override;

    ObservationControl& observation_;
    IniFile& enterInfo_;

    QPushButton* StartButton;
    QPushButton* StopButton;
    QPushButton* SaveCsvButton;
    QPushButton* SavePdfButton;
    QProgressBar* ObservationProgress;
    QLabel* VerdictLabel;

  private:
    QPushButton* Button(const char* name, const char* caption, const QKeySequence& key);

    ShownTexts* texts_ = nullptr;
    QGridLayout* fields_ = nullptr;
    QVBoxLayout* body_ = nullptr;
    QHBoxLayout* top_ = nullptr;
    int listener_ = 0;
};

}  // namespace lxv
