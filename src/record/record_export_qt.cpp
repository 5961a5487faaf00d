#include "record/record_export_qt.h"

#include <QDate>
#include <QEventLoop>
#include <QLocale>
#include <QProgressDialog>
#include <QTime>
#include <QTimer>

#include "platform/dialogs.h"
#include "platform/translation.h"

namespace lxv {

namespace {

constexpr std::size_t kRowsPerSlice = 5000;

// The locale's long time format without its time zone: the short one lacks the seconds.
QString TimeFormatWithSeconds(const QLocale& locale) {
    QString format;
    bool quoted = false;
    for (QChar c : locale.timeFormat(QLocale::LongFormat)) {
        if (c == QLatin1Char('\'')) quoted = !quoted;
        if (quoted || c != QLatin1Char('t')) format += c;
    }
    return format.trimmed();
}

struct StampText {
    // The system's formats, written with the data of its language: asking the
    // system for each text costs more than the whole CSV line.
    QString dateFormat = QLocale::system().dateFormat(QLocale::ShortFormat);
    QString timeFormat = TimeFormatWithSeconds(QLocale::system());
    QLocale locale = QLocale(QLocale::system().name());
    long long lastDay = -1;
    QString lastDate;

    QString operator()(double stamp) {
        const CivilTime t = StampToCivil(stamp);
        if (!t.valid) return QString();
        const long long day = (t.year * 13LL + t.month) * 32 + t.day;
        if (day != lastDay) {
            lastDate = locale.toString(QDate(t.year, t.month, t.day), dateFormat);
            lastDay = day;
        }
        return lastDate + QLatin1Char(' ') +
               locale.toString(QTime(t.hour, t.minute, t.second, t.millisecond), timeFormat);
    }
};

}  // namespace

StampFormatter SystemStampFormatter() {
    auto text = std::make_shared<StampText>();
    return [text](double stamp) { return (*text)(stamp).toStdString(); };
}

RecordExportTask::RecordExportTask(QWidget* parent, const RecordExportSource& source, const QString& path)
    : parent_(parent), path_(path), job_(source, SystemStampFormatter()) {}

RecordExportTask::~RecordExportTask() = default;

RecordExportTask::Outcome RecordExportTask::run() {
    const auto failed = [this] {
        AppDialogs().showError(parent_, Translated(job_.error()));
        return Outcome::Failed;
    };
    if (!job_.begin(path_.toStdString(), ExportFormatForPath(path_.toStdString()))) return failed();

    const int total = static_cast<int>(job_.total());
    progress_ =
        std::make_unique<QProgressDialog>(Translated(QT_TRANSLATE_NOOP("lxv", "Exporting the recording...")),
                                          Translated(QT_TRANSLATE_NOOP("lxv", "Cancel")), 0, total, parent_);
    progress_->setWindowModality(Qt::WindowModal);
    progress_->setMinimumDuration(500);  // appears only for an export that takes longer
    progress_->setAutoReset(false);
    progress_->setAutoClose(false);

    QEventLoop loop;
    QTimer slices;
    connect(&slices, &QTimer::timeout, this, [&] {
        const bool ok = job_.writeRows(kRowsPerSlice);
        if (ok) progress_->setValue(static_cast<int>(job_.written()));
        emit stepped(job_.written());
        if (progress_->wasCanceled())
            loop.exit(static_cast<int>(Outcome::Cancelled));
        else if (!ok)
            loop.exit(static_cast<int>(Outcome::Failed));
        else if (job_.written() >= job_.total())
            loop.exit(static_cast<int>(Outcome::Saved));
    });
    connect(progress_.get(), &QProgressDialog::canceled, &loop,
            [&] { loop.exit(static_cast<int>(Outcome::Cancelled)); });
    slices.start(0);
    const auto outcome = static_cast<Outcome>(loop.exec());
    slices.stop();
    if (outcome != Outcome::Cancelled && outcome != Outcome::Failed && !job_.finish()) {
        progress_.reset();
        return failed();
    }
    progress_.reset();
    if (outcome == Outcome::Failed) return failed();
    if (outcome == Outcome::Cancelled) {
        job_.discard();
        return outcome;
    }
    if (!AppDialogs().askYesNo(parent_, Translated(kExportQuestionCaption), Translated(kExportQuestion))) {
        job_.discard();
        return Outcome::Declined;
    }
    return job_.commit() ? Outcome::Saved : failed();
}

RecordExportTask::Outcome ExportRecordWithDialogs(QWidget* parent, const RecordExportSource& source) {
    const QString path = AppDialogs().saveFileName(parent, Translated(kExportFilter), QString());
    if (path.isEmpty()) return RecordExportTask::Outcome::Declined;
    RecordExportTask task(parent, source, path);
    return task.run();
}

}  // namespace lxv
