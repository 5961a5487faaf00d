// The record window's "Export EXCEL file" on Qt: the save dialog, the export
// in slices with a progress dialog (shown when it takes over half a second,
// with a cancel button), the question "Data export to complete. Sure to save
// it?" and the rename or removal of the written file. Also the platform's
// short date-and-time text (with seconds) of a record stamp.
#pragma once

#include <QObject>
#include <QString>
#include <memory>

#include "platform/ui_text.h"
#include "record/record_export.h"

class QProgressDialog;
class QWidget;

namespace lxv {

inline constexpr const char* kExportFilter =
    QT_TRANSLATE_NOOP("lxv", "Excel File(*.xlsx)|*.xlsx|CSV (*.csv)|*.csv");
inline constexpr const char* kExportQuestion =
    QT_TRANSLATE_NOOP("lxv", "Data export to complete. Sure to save it?");
inline constexpr const char* kExportQuestionCaption = QT_TRANSLATE_NOOP("lxv", "Save the file");

// The export's first column: the system's short date format and its time
// format with seconds ("3/4/26 1:05:09 PM"), as a formatter that remembers
// the last day's date text.
StampFormatter SystemStampFormatter();

// One export to a chosen path, run on the event loop.
class RecordExportTask : public QObject {
    Q_OBJECT
  public:
    RecordExportTask(QWidget* parent, const RecordExportSource& source, const QString& path);
    ~RecordExportTask() override;

    enum class Outcome { Saved, Declined, Cancelled, Failed };
    // Writes with progress, asks the question, then keeps or removes the file.
    // Failures are shown with the library's or the system's message.
    Outcome run();
    QProgressDialog* progressDialog() const { return progress_.get(); }

  signals:
    void stepped(qulonglong written);  // after each slice of rows

  private:
    QWidget* parent_;
    QString path_;
    RecordExport job_;
    std::unique_ptr<QProgressDialog> progress_;
};

// "Export EXCEL file": asks for the path, then runs the export. Nothing happens on a cancelled dialog.
RecordExportTask::Outcome ExportRecordWithDialogs(QWidget* parent, const RecordExportSource& source);

}  // namespace lxv
