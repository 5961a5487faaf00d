#include "cli/procedure_task.h"

#include <QString>
#include <cmath>

#include "cli/headless_session.h"
#include "platform/number_format.h"
#include "platform/translation.h"
#include "platform/whole_file.h"
#include "report/report_info.h"

namespace lxv {

namespace {

constexpr const char* kDroppedText = QT_TRANSLATE_NOOP(
    "lxv",
    "stopped after %1 s of the %2 s observation; an incomplete observation gives no verdict, no file was "
    "written");
constexpr const char* kIsFolderText = QT_TRANSLATE_NOOP("lxv", "it is a folder, not a file");
constexpr const char* kCountedText = QT_TRANSLATE_NOOP("lxv", "%1 blocks observed, %2 so far");
constexpr const char* kNoVerdictYetText = QT_TRANSLATE_NOOP("lxv", "no verdict");

}  // namespace

ProcedureTask::ProcedureTask(HeadlessSession& run, ObservationControl& observation, std::string csvPath,
                             std::string pdfPath, PrintFunction print)
    : run_(run),
      observation_(observation),
      csvPath_(std::move(csvPath)),
      pdfPath_(std::move(pdfPath)),
      print_(std::move(print)) {}

ProcedureTask::~ProcedureTask() {
    if (listener_) observation_.unsubscribe(listener_);
}

bool ProcedureTask::prepare() {
    std::string error;
    for (const std::string& path : {csvPath_, pdfPath_})
        if (!path.empty() && !CanWriteBeside(path, Translated(kIsFolderText).toStdString(), error)) {
            run_.failLine(error);
            return false;
        }
    if (!pdfPath_.empty() && !ReadStoredReportInfo(info_, error)) {
        run_.failLine(error);
        return false;
    }
    return true;
}

void ProcedureTask::start() {
    listener_ = observation_.subscribe([this](ObservationControl::Event event) {
        if (event == ObservationControl::Event::Finished && !dropping_ && !run_.finished())
            ObservationEnded();
    });
    run_.showProgress([this] { return counted(); });
    run_.start(MeasureMode::Continuous, [this] {
        const UiText refusal = StartObservation();
        if (!refusal.empty()) run_.fail(refusal);
    });
}

std::string ProcedureTask::counted() const {
    const Verdict verdict = CurrentVerdict();
    // Told on the messages in the run's language.
    UiText counted = UiText(kCountedText).arg(observation_.running() ? observation_.blocks() : 0);
    if (verdict.hasVerdict())
        counted.arg(verdict.text);
    else
        counted.argText(kNoVerdictYetText);
    return Translated(counted).toStdString();
}

void ProcedureTask::stop() {
    if (run_.finished()) return;
    const double elapsed = observation_.elapsedSeconds();
    dropping_ = true;
    observation_.Stop();
    run_.fail(
        UiText(kDroppedText).arg(FormatRounded(std::floor(elapsed), 0)).arg(FormatGeneral(LongestSeconds())));
}

bool ProcedureTask::WriteFiles(
    const std::function<bool(const std::string& path, std::string& error)>& csv,
    const std::function<bool(const QString& path, const ReportInfo& info, QString& error)>& pdf) {
    std::string error;
    if (!csv(csvPath_, error)) {
        run_.failLine(error);
        return false;
    }
    QString pdfError;
    if (!pdfPath_.empty() && !pdf(QString::fromStdString(pdfPath_), info_, pdfError)) {
        run_.failLine(pdfError.toStdString());
        return false;
    }
    return true;
}

}  // namespace lxv
