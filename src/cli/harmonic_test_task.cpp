#include "cli/harmonic_test_task.h"

#include <QString>
#include <cmath>
#include <cstdio>
#include <optional>

#include "cli/headless_session.h"
#include "platform/number_format.h"
#include "platform/translation.h"
#include "report/harmonic_test_page.h"
#include "report/harmonic_test_pdf.h"
#include "report/report_info.h"

namespace lxv {

namespace {

// The verdict lines: %1 the class, %2 blocks, %3 seconds, %4 watts, %5 the failing orders.
constexpr const char* kPassLineText =
    QT_TRANSLATE_NOOP("lxv", "PASS class %1: %2 blocks over %3 s, mean power %4 W");
constexpr const char* kPassOutsideLineText = QT_TRANSLATE_NOOP(
    "lxv", "PASS (supply outside the conditions) class %1: %2 blocks over %3 s, mean power %4 W");
constexpr const char* kFailLineText =
    QT_TRANSLATE_NOOP("lxv", "FAIL class %1: %2 blocks over %3 s, mean power %4 W; orders %5 fail");
constexpr const char* kFailOneLineText =
    QT_TRANSLATE_NOOP("lxv", "FAIL class %1: %2 blocks over %3 s, mean power %4 W; order %5 fails");
constexpr const char* kNotApplicableLineText = QT_TRANSLATE_NOOP("lxv", "NOT APPLICABLE class %1: %2");

// The harmonic test's class, observation time, rated power, nominal supply and files; an error text
// when one is bad.
UiText ReadHarmonicTestOptions(const OptionValues& values, HarmonicTestOptions& h) {
    if (UiText error = ReadPortChoice(values, h.port); !error.empty()) return error;
    const QString classText = values.value("harmonic-test");
    const std::optional<EmissionClass> emissionClass = ParseEmissionClass(classText.trimmed().toStdString());
    if (!emissionClass)
        return InvalidValueText("harmonic-test", classText, QT_TRANSLATE_NOOP("lxv", "A, B, C or D"));
    // The rules are the window's: a blank value would mean the default there, here it is a mistake.
    const auto blank = [&values](const char* name) { return values.value(name).trimmed().isEmpty(); };
    const std::string seconds = values.value("seconds").toStdString();
    if (values.isSet("seconds") &&
        (blank("seconds") || !ReadHarmonicTestSettings(*emissionClass, "", seconds, "", "").ok()))
        return InvalidValueText("seconds", values.value("seconds"),
                                QT_TRANSLATE_NOOP("lxv", "10 to 3600 seconds"));
    const std::string rated = values.value("rated-power").toStdString();
    if (values.isSet("rated-power") &&
        (blank("rated-power") || !ReadHarmonicTestSettings(*emissionClass, rated, "", "", "").ok()))
        return InvalidValueText("rated-power", values.value("rated-power"),
                                QT_TRANSLATE_NOOP("lxv", "watts above 0"));
    const std::string volts = values.value("nominal-voltage").toStdString();
    if (values.isSet("nominal-voltage") &&
        (blank("nominal-voltage") || !ReadHarmonicTestSettings(*emissionClass, "", "", volts, "").ok()))
        return InvalidValueText("nominal-voltage", values.value("nominal-voltage"),
                                QT_TRANSLATE_NOOP("lxv", "1 to 1000 volts"));
    const std::string hertz = values.value("nominal-frequency").toStdString();
    if (values.isSet("nominal-frequency") &&
        (blank("nominal-frequency") || !ReadHarmonicTestSettings(*emissionClass, "", "", "", hertz).ok()))
        return InvalidValueText("nominal-frequency", values.value("nominal-frequency"),
                                QT_TRANSLATE_NOOP("lxv", "40 to 70 hertz"));
    h.settings = ReadHarmonicTestSettings(*emissionClass, rated, seconds, volts, hertz).settings;
    const QStringList& files = values.files();
    if (files.isEmpty())
        return QT_TRANSLATE_NOOP("lxv", "--harmonic-test needs OUT.csv (and, if wanted, OUT.pdf)");
    if (files.size() > 2) return UnexpectedArgumentText(files[2]);
    if (files[0].endsWith(".pdf", Qt::CaseInsensitive))
        return QT_TRANSLATE_NOOP("lxv", "OUT.csv comes before OUT.pdf");
    h.csvPath = files[0].toStdString();
    h.pdfPath = files.size() > 1 ? files[1].toStdString() : std::string();
    return {};
}

}  // namespace

CommandTask HarmonicTestCommand() {
    CommandTask task{
        {"harmonic-test", nullptr, "CLASS", "--harmonic-test CLASS",
         QT_TRANSLATE_NOOP("lxv",
                           "check the harmonic currents against IEC 61000-3-2 class CLASS (A, B, C, D)")},
        "--harmonic-test CLASS [--seconds N] [--rated-power W] [--nominal-voltage V]\n"
        "               [--nominal-frequency HZ] OUT.csv [OUT.pdf] [--port COMn | --device PATH] [--baud N]",
        "--harmonic-test CLASS [...] OUT.csv [OUT.pdf]",
        {{"seconds", nullptr, "N", "--seconds N",
          QT_TRANSLATE_NOOP("lxv", "harmonic test: observe N s (10 to 3600, default 150)")},
         {"rated-power", nullptr, "W", "--rated-power W",
          QT_TRANSLATE_NOOP(
              "lxv",
              "the rated power in watts, used within 10 % of the mean measured power (class D's "
              "limits, every class's power boundaries)")},
         {"nominal-voltage", nullptr, "V", "--nominal-voltage V",
          QT_TRANSLATE_NOOP("lxv", "the supply's nominal voltage for its test conditions (default 230)")},
         {"nominal-frequency", nullptr, "HZ", "--nominal-frequency HZ",
          QT_TRANSLATE_NOOP("lxv", "the supply's nominal frequency for its test conditions (default 50)")}},
        QT_TRANSLATE_NOOP(
            "lxv", "A harmonic test that passes on a supply outside its test conditions exits with 5."),
    };
    for (const OptionRow& row : PortOptionRows()) task.options.push_back(row);
    task.read = [](const OptionValues& values, std::any& options) -> UiText {
        HarmonicTestOptions harmonic;
        if (UiText error = ReadHarmonicTestOptions(values, harmonic); !error.empty()) return error;
        options = harmonic;
        return {};
    };
    task.run = [](const std::any& options) {
        return RunHarmonicTestTask(std::any_cast<const HarmonicTestOptions&>(options));
    };
    return task;
}

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
    UiText line(pass          ? (r.supply.outside() ? kPassOutsideLineText : kPassLineText)
                : failed == 1 ? kFailOneLineText
                              : kFailLineText);
    line.arg(emissionClass)
        .arg(r.blocks)
        .arg(FormatFixed(r.observedSeconds, 1))
        .arg(FormatFixed(r.meanPower, 1));
    if (!pass) line.arg(failing);
    return line;
}

HarmonicTestTask::HarmonicTestTask(HeadlessSession& run, HarmonicTestOptions options, PrintFunction print)
    : ProcedureTask(run, run.session().harmonicTest.observation(), options.csvPath, options.pdfPath,
                    std::move(print)),
      control_(run.session().harmonicTest),
      options_(std::move(options)) {}

UiText HarmonicTestTask::StartObservation() {
    return control_.Start(options_.settings);
}

void HarmonicTestTask::ObservationEnded() {
    const HarmonicTestResult& r = control_.result();
    if (!r.hasVerdict()) {
        run().fail(r.error);
        return;
    }
    if (!WriteFiles([&r](const std::string& path,
                         std::string& error) { return WriteHarmonicTestCsv(path, r, error); },
                    [&r](const QString& path, const ReportInfo& info, QString& error) {
                        return WriteHarmonicTestPdf(path, r, info, error);
                    }))
        return;
    print(Translated(HarmonicVerdictLine(r)).toStdString() + "\n");
    // The notes that the verdict line does not carry, without the pre-compliance note every report has.
    const std::vector<UiText> notes = HarmonicTestNotes(r);
    for (std::size_t i = 0; i + 1 < notes.size(); ++i)
        if (notes[i] != r.notApplicable) run().tell(Translated(notes[i]).toStdString());
    run().finish(HarmonicTestVerdict(r).exitCode);
}

}  // namespace lxv
