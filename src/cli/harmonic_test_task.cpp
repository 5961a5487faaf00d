#include "cli/harmonic_test_task.h"

#include <QFileInfo>
#include <QString>
#include <cmath>
#include <cstdio>

#include "cli/headless_session.h"
#include "platform/number_format.h"
#include "platform/translation.h"
#include "record/record_export.h"
#include "report/harmonic_test_page.h"
#include "report/harmonic_test_pdf.h"
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
// The verdict lines: %1 the class, %2 blocks, %3 seconds, %4 watts, %5 the failing orders.
constexpr const char* kPassLineText =
    QT_TRANSLATE_NOOP("lxv", "PASS class %1: %2 blocks over %3 s, mean power %4 W");
constexpr const char* kFailLineText =
    QT_TRANSLATE_NOOP("lxv", "FAIL class %1: %2 blocks over %3 s, mean power %4 W; orders %5 fail");
constexpr const char* kFailOneLineText =
    QT_TRANSLATE_NOOP("lxv", "FAIL class %1: %2 blocks over %3 s, mean power %4 W; order %5 fails");
constexpr const char* kNotApplicableLineText = QT_TRANSLATE_NOOP("lxv", "NOT APPLICABLE class %1: %2");

// Whether a new file can be made beside `path` (it is made and removed again).
bool Writable(const std::string& path, std::string& error) {
    if (QFileInfo(QString::fromStdString(path)).isDir()) {
        error = path + ": " + Translated(kIsFolderText).toStdString();
        return false;
    }
    const std::string temp = CreateTempFileBeside(path, error);
    if (temp.empty()) return false;
    std::remove(temp.c_str());
    return true;
}

}  // namespace

UiText HarmonicVerdictLine(const HarmonicTestResult& r) {
    const char* emissionClass = EmissionClassText(r.settings.emissionClass);
    if (r.verdict == TestVerdict::NotApplicable)
        return UiText(kNotApplicableLineText).arg(emissionClass).arg(r.notApplicable);
    std::string failing;
    int failed = 0;
    for (const OrderResult& o : r.orders)
        if (o.verdict == OrderVerdict::Fail) {
            failing += (failing.empty() ? "" : ", ") + std::to_string(o.order);
            ++failed;
        }
    const bool pass = r.verdict == TestVerdict::Pass;
    UiText line(pass ? kPassLineText : failed == 1 ? kFailOneLineText : kFailLineText);
    line.arg(emissionClass)
        .arg(r.blocks)
        .arg(FormatFixed(r.observedSeconds, 1))
        .arg(FormatFixed(r.meanPower, 1));
    if (!pass) line.arg(failing);
    return line;
}

HarmonicTestTask::HarmonicTestTask(HeadlessSession& run, HarmonicTestOptions options,
                                   std::function<void(const std::string&)> print)
    : run_(run),
      control_(run.session().harmonicTest),
      options_(std::move(options)),
      print_(std::move(print)) {}

HarmonicTestTask::~HarmonicTestTask() {
    if (listener_) control_.unsubscribe(listener_);
}

bool HarmonicTestTask::prepare() {
    std::string error;
    for (const std::string& path : {options_.csvPath, options_.pdfPath})
        if (!path.empty() && !Writable(path, error)) {
            run_.failLine(error);
            return false;
        }
    if (!options_.pdfPath.empty() && !ReadStoredReportInfo(info_, error)) {
        run_.failLine(error);
        return false;
    }
    return true;
}

void HarmonicTestTask::start() {
    listener_ = control_.subscribe([this](HarmonicTestControl::Event event) {
        if (event == HarmonicTestControl::Event::Finished && !dropping_) observationEnded();
    });
    run_.showProgress([this] { return counted(); });
    run_.start(MeasureMode::Continuous, [this] { observe(); });
}

void HarmonicTestTask::observe() {
    // Continuous measurement runs by now: the controller starts nothing of its own.
    const UiText refusal = control_.Start(options_.settings);
    if (!refusal.empty()) run_.fail(refusal);
}

std::string HarmonicTestTask::counted() const {
    const HarmonicTestResult& r = control_.result();
    // Told on the messages in the run's language.
    UiText counted = UiText(kCountedText).arg(control_.running() ? r.blocks : 0);
    if (r.hasVerdict())
        counted.arg(VerdictWord(r));
    else
        counted.argText(kNoVerdictYetText);
    return Translated(counted).toStdString();
}

void HarmonicTestTask::stop() {
    if (run_.finished()) return;
    const double elapsed = control_.elapsedSeconds();
    dropping_ = true;
    control_.Stop();
    run_.fail(UiText(kDroppedText)
                  .arg(FormatRounded(std::floor(elapsed), 0))
                  .arg(FormatGeneral(options_.settings.observationSeconds)));
}

void HarmonicTestTask::observationEnded() {
    if (run_.finished()) return;
    const HarmonicTestResult& r = control_.result();
    if (!r.hasVerdict()) {
        run_.fail(r.error);
        return;
    }
    if (!writeFiles(r)) return;
    print_(Translated(HarmonicVerdictLine(r)).toStdString() + "\n");
    // The notes that the verdict line does not carry, without the pre-compliance note every report has.
    const std::vector<UiText> notes = HarmonicTestNotes(r);
    for (std::size_t i = 0; i + 1 < notes.size(); ++i)
        if (notes[i] != r.notApplicable) run_.tell(Translated(notes[i]).toStdString());
    run_.finish(HarmonicTestExitCode(r));
}

bool HarmonicTestTask::writeFiles(const HarmonicTestResult& r) {
    std::string error;
    if (!WriteHarmonicTestCsv(options_.csvPath, r, error)) {
        run_.failLine(error);
        return false;
    }
    QString pdfError;
    if (!options_.pdfPath.empty() &&
        !WriteHarmonicTestPdf(QString::fromStdString(options_.pdfPath), r, info_, pdfError)) {
        run_.failLine(pdfError.toStdString());
        return false;
    }
    return true;
}

}  // namespace lxv
