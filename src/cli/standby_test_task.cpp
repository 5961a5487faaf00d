#include "cli/standby_test_task.h"

#include <QString>

#include "cli/headless_session.h"
#include "platform/number_format.h"
#include "platform/translation.h"
#include "report/standby_test_page.h"
#include "report/standby_test_pdf.h"

namespace lxv {

namespace {

// The verdict line: %1 the verdict word, %2 the mean, %3 the limit, %4 the slope, %5 readings, %6 seconds.
constexpr const char* kVerdictLineText =
    QT_TRANSLATE_NOOP("lxv", "%1: mean %2 W (limit %3 W), slope %4 W/h, %5 readings over %6 s");

// The options of the test; an error text when one is bad. A blank value would mean the default in the
// window; here it is a mistake.
UiText ReadStandbyTestOptions(const OptionValues& values, StandbyTestOptions& o) {
    if (UiText error = ReadPortChoice(values, o.port); !error.empty()) return error;
    struct Field {
        const char* name;
        const char* allowed;
    };
    static constexpr Field kFields[] = {
        {"seconds", QT_TRANSLATE_NOOP("lxv", "60 to 172800 seconds")},
        {"max-seconds", QT_TRANSLATE_NOOP("lxv", "from the period to 172800 seconds")},
        {"limit", QT_TRANSLATE_NOOP("lxv", "watts above 0")},
        {"nominal-voltage", QT_TRANSLATE_NOOP("lxv", "1 to 1000 V")},
        {"nominal-frequency", QT_TRANSLATE_NOOP("lxv", "40 to 70 Hz")},
    };
    std::string typed[5];
    for (int i = 0; i < 5; ++i) {
        const Field& f = kFields[i];
        if (!values.isSet(f.name)) continue;
        typed[i] = values.value(f.name).toStdString();
        std::string probe[5];
        probe[i] = typed[i];
        if (i == 1) probe[0] = typed[0];  // the longest time is checked against the period
        if (values.value(f.name).trimmed().isEmpty() ||
            !ReadStandbySettings(probe[0], probe[1], probe[2], probe[3], probe[4]).ok())
            return InvalidValueText(f.name, values.value(f.name), f.allowed);
    }
    o.settings = ReadStandbySettings(typed[0], typed[1], typed[2], typed[3], typed[4]).settings;
    const QStringList& files = values.files();
    if (files.isEmpty())
        return QT_TRANSLATE_NOOP("lxv", "--standby-test needs OUT.csv (and, if wanted, OUT.pdf)");
    if (files.size() > 2) return UnexpectedArgumentText(files[2]);
    if (files[0].endsWith(".pdf", Qt::CaseInsensitive))
        return QT_TRANSLATE_NOOP("lxv", "OUT.csv comes before OUT.pdf");
    o.csvPath = files[0].toStdString();
    o.pdfPath = files.size() > 1 ? files[1].toStdString() : std::string();
    return {};
}

}  // namespace

CommandTask StandbyTestCommand(double (*timeScale)()) {
    CommandTask task{
        {"standby-test", nullptr, nullptr, "--standby-test",
         QT_TRANSLATE_NOOP("lxv", "measure the standby power to IEC 62301 (sampling method) against --limit")},
        "--standby-test [--seconds N] [--max-seconds M] [--limit W] OUT.csv [OUT.pdf]\n"
        "               [--nominal-voltage V] [--nominal-frequency HZ]\n"
        "               [--port COMn | --device PATH] [--baud N]",
        "--standby-test [...] OUT.csv [OUT.pdf]",
        {{"seconds", nullptr, "N", "--seconds N",
          QT_TRANSLATE_NOOP("lxv", "standby test: the period N s (60 to 172800, default 600)")},
         {"max-seconds", nullptr, "M", "--max-seconds M",
          QT_TRANSLATE_NOOP("lxv", "standby test: give up unstable after M s (default 3 × the period)")},
         {"limit", nullptr, "W", "--limit W", QT_TRANSLATE_NOOP("lxv", "standby test: the limit in watts (0.5)")},
         {"nominal-voltage", nullptr, "V", "--nominal-voltage V",
          QT_TRANSLATE_NOOP("lxv", "standby test: the nominal supply voltage (230)")},
         {"nominal-frequency", nullptr, "HZ", "--nominal-frequency HZ",
          QT_TRANSLATE_NOOP("lxv", "standby test: the nominal supply frequency (50)")}},
        QT_TRANSLATE_NOOP("lxv",
                          "--standby-test exits with 0 PASS within the test conditions, 5 PASS outside them (the "
                          "supply, or a period shorter than 600 s), 3 FAIL, 6 NOT STABLE, 1 without a verdict."),
        {},
        {},
    };
    for (const OptionRow& row : PortOptionRows()) task.options.push_back(row);
    task.read = [timeScale](const OptionValues& values, std::any& options) -> UiText {
        StandbyTestOptions standby;
        if (UiText error = ReadStandbyTestOptions(values, standby); !error.empty()) return error;
        if (timeScale) standby.timeScale = timeScale();
        options = standby;
        return {};
    };
    task.run = [](const std::any& options) {
        return RunStandbyTestTask(std::any_cast<const StandbyTestOptions&>(options));
    };
    return task;
}

UiText StandbyVerdictLine(const StandbyResult& r) {
    return UiText(kVerdictLineText)
        .arg(StandbyTestVerdict(r).text)
        .arg(StandbyPowerText(r.meanPower))
        .arg(FormatGeneral(r.settings.limitWatts))
        .arg(FormatFixed(r.slope, 4))
        .arg(static_cast<long long>(r.readings))
        .arg(FormatFixed(r.elapsedSeconds, 1));
}

int RunStandbyTestTask(const StandbyTestOptions& options) {
    return RunProcedureTask(options.port, [&options](HeadlessSession& run, PrintFunction print) {
        return std::make_unique<StandbyTestTask>(run, options, std::move(print));
    });
}

StandbyTestTask::StandbyTestTask(HeadlessSession& run, StandbyTestOptions options, PrintFunction print)
    : ProcedureTask(run, run.session().standbyTest.observation(), options.csvPath, options.pdfPath,
                    std::move(print)),
      control_(run.session().standbyTest),
      options_(std::move(options)) {}

UiText StandbyTestTask::StartObservation() {
    if (options_.timeScale != 1.0) {
        // A test's faster clock: the test's seconds run `scale` times as fast as the steady clock's.
        const double origin = SteadySeconds(), scale = options_.timeScale;
        control_.setClock([origin, scale] { return origin + (SteadySeconds() - origin) * scale; });
    }
    return control_.Start(options_.settings);
}

void StandbyTestTask::ObservationEnded() {
    const StandbyResult& r = control_.result();
    if (!r.verdict) {
        run().fail(r.error.empty() ? UiText(StandbyTestVerdict(r).text) : r.error);
        return;
    }
    const StandbyTest& test = control_.test();
    const std::string date = control_.finishedAt();
    const std::string instrument = "LXV7700, " + run().portLabel();
    if (!WriteFiles(
            [&](const std::string& path, std::string& error) {
                return WriteStandbyTestCsv(path, test, r, date, instrument, error);
            },
            [&](const QString& path, const ReportInfo& info, QString& error) {
                return WriteStandbyTestPdf(path, test, r, info, error);
            }))
        return;
    print(Translated(StandbyVerdictLine(r)).toStdString() + "\n");
    // The notes, without the pre-compliance note every report has.
    const std::vector<UiText> notes = StandbyNotes(r);
    for (std::size_t i = 0; i + 1 < notes.size(); ++i) run().tell(Translated(notes[i]).toStdString());
    run().finish(StandbyTestVerdict(r).exitCode);
}

}  // namespace lxv
