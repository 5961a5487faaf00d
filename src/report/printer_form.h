// The report window (TPrinterForm, "PrinterForm"): a one-page report previewed
// in a page buffer and printed on the current printer without a dialog. The
// opener chooses the kind: the power analysis report of the measurement block
// or the record report of the record window's chart. "Printer Setup" opens
// Qt's printer dialog, "Environmental data" the report information window,
// "Save PDF" writes the printed page to an A4 PDF file.
#pragma once

#include <QDialog>
#include <QImage>
#include <QPrinter>
#include <functional>

#include "report/report_geometry.h"

class QScrollArea;
class QWidget;

namespace lxv {

class ShownTexts;

class IniFile;
class MeasureRecord;
class TEnterInfoForm;

class TPrinterForm : public QDialog {
    Q_OBJECT
  public:
    TPrinterForm(const MeasureRecord& record, IniFile& enterInfo, TEnterInfoForm& infoForm,
                 QWidget* parent = nullptr);
    ~TPrinterForm() override;

    // The record report's source: the record window's chart picture and its view.
    void SetRecordSource(std::function<QImage()> chart, std::function<RecordReportView()> view);

    // Sets ReportKind (0 power analysis, 1 record report; others draw an empty page) and shows the window
    // modally.
    void ShowReport(int kind);
    void SetReportKind(int kind) { kind_ = kind; }

    // Clears the page buffer, scrolls to the top and draws the page of ReportKind;
    // a bad EnterInfo.ini is reported when `reportErrors` (the page stays white).
    void DrawPreview(bool reportErrors = false);
    // The page drawn last in the preview (tests read its geometry).
    const ReportPage& previewPage() const { return preview_; }
    const QImage& pageBuffer() const { return buffer_; }
    QPrinter& printer() { return printer_; }
    // The document title: ProjectName + "TestReport" or "RecordReport".
    QString DocumentTitle(const ReportInfo& info) const;

    void SeSkinButton1Click();  // "Print"
    void SeSkinButton3Click();  // "Printer Setup"
    void SeSkinButton2Click();  // "Environmental data"
    void SavePdfButtonClick();  // "Save PDF"

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    ShownTexts* texts_ = nullptr;
    bool ReadInfo(ReportInfo& info, bool reportErrors);
    ReportPage PrintedPage(int width, int height, bool landscape, const ReportInfo& info) const;

    const MeasureRecord& record_;
    IniFile& enterInfo_;
    TEnterInfoForm& infoForm_;
    std::function<QImage()> recordChart_;
    std::function<RecordReportView()> recordView_;
    int kind_ = 0;
    QPrinter printer_;
    QImage buffer_;
    ReportPage preview_;
    QScrollArea* rongqi_ = nullptr;
    QWidget* page_ = nullptr;
    QWidget* image1_ = nullptr;
    QWidget* imageDi_ = nullptr;
};

}  // namespace lxv
