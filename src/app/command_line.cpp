#include "app/command_line.h"

#include <QCommandLineParser>
#include <array>
#include <charconv>
#include <cmath>

#include "link/link_state.h"
#include "measure/harmonic_test.h"
#include "platform/number_format.h"

namespace lxv {

namespace {

QString StripQuotes(QString text) {
    text = text.trimmed();
    if (text.size() >= 2 && text.startsWith('"') && text.endsWith('"')) text = text.mid(1, text.size() - 2);
    return text;
}

constexpr unsigned Bit(Task task) {
    return 1u << static_cast<unsigned>(task);
}
constexpr unsigned kAllTasks = ~0u;
constexpr unsigned kInstrumentTasks = Bit(Task::Measure) | Bit(Task::Log) | Bit(Task::HarmonicTest);

// One option of the command line. A task's own option names its task.
struct OptionRow {
    const char* name;  // without the dashes
    const char* alias;
    const char* valueName;  // nullptr for a switch
    const char* synopsis;   // as --help shows it
    const char* description;
    unsigned tasks;  // the tasks it goes with
    Task names;      // the task it asks for; Window for none
};

constexpr std::array<OptionRow, 20> kOptions = {{
    {"service", nullptr, nullptr, "--service",
     QT_TRANSLATE_NOOP("lxv", "show the calibration (設置 → 校正) in the window"), Bit(Task::Window),
     Task::Window},
    {"measure", nullptr, nullptr, "--measure",
     QT_TRANSLATE_NOOP("lxv", "take one measurement, print the fifteen values: name, value, unit"),
     Bit(Task::Measure), Task::Measure},
    {"json", nullptr, nullptr, "--json",
     QT_TRANSLATE_NOOP("lxv", "print the measurement as one JSON object instead"), Bit(Task::Measure),
     Task::Window},
    {"log", nullptr, "OUT.csv", "--log OUT.csv",
     QT_TRANSLATE_NOOP("lxv", "measure continuously and add one CSV row per accepted block"), Bit(Task::Log),
     Task::Log},
    {"harmonic-test", nullptr, "CLASS", "--harmonic-test CLASS",
     QT_TRANSLATE_NOOP("lxv", "check the harmonic currents against IEC 61000-3-2 class CLASS (A, B, C, D)"),
     Bit(Task::HarmonicTest), Task::HarmonicTest},
    {"seconds", nullptr, "N", "--seconds N",
     QT_TRANSLATE_NOOP("lxv", "log: end after N s; harmonic test: observe N s (10 to 3600, default 150)"),
     Bit(Task::Log) | Bit(Task::HarmonicTest), Task::Window},
    {"rated-power", nullptr, "W", "--rated-power W",
     QT_TRANSLATE_NOOP("lxv", "class D: the rated power in watts (default: the mean measured power)"),
     Bit(Task::HarmonicTest), Task::Window},
    {"count", nullptr, "N", "--count N", QT_TRANSLATE_NOOP("lxv", "end the log after N rows"), Bit(Task::Log),
     Task::Window},
    {"every", nullptr, "S", "--every S",
     QT_TRANSLATE_NOOP("lxv", "at most one row per S seconds (the latest block)"), Bit(Task::Log),
     Task::Window},
    {"harmonics", nullptr, nullptr, "--harmonics",
     QT_TRANSLATE_NOOP("lxv", "add the 51 voltage and 51 current harmonic RMS values"), Bit(Task::Log),
     Task::Window},
    {"append", nullptr, nullptr, "--append",
     QT_TRANSLATE_NOOP("lxv", "add the rows to an existing OUT.csv of the same columns"), Bit(Task::Log),
     Task::Window},
    {"port", nullptr, "COMn", "--port COMn",
     QT_TRANSLATE_NOOP("lxv", "use port COMn for this run instead of the stored one"), kInstrumentTasks,
     Task::Window},
    {"device", nullptr, "PATH", "--device PATH",
     QT_TRANSLATE_NOOP("lxv", "use the serial device PATH for this run"), kInstrumentTasks, Task::Window},
    {"baud", nullptr, "N", "--baud N",
     QT_TRANSLATE_NOOP("lxv", "use N baud for this run (4800 to 115200, as in the port settings)"),
     kInstrumentTasks, Task::Window},
    {"report", nullptr, nullptr, "--report TEST.lxm OUT.pdf",
     QT_TRANSLATE_NOOP("lxv", "write the power analysis report of a test file as PDF"), Bit(Task::Report),
     Task::Report},
    {"export", nullptr, nullptr, "--export RECORD.lxr OUT.xlsx|OUT.csv",
     QT_TRANSLATE_NOOP("lxv", "write the whole recording as a spreadsheet"), Bit(Task::Export), Task::Export},
    {"record-report", nullptr, nullptr, "--record-report RECORD.lxr OUT.pdf",
     QT_TRANSLATE_NOOP("lxv", "write the record report of a recording as PDF"), Bit(Task::RecordReport),
     Task::RecordReport},
    {"language", nullptr, "original|en", "--language original|en",
     QT_TRANSLATE_NOOP("lxv", "show the windows and messages in the original texts or in English"), kAllTasks,
     Task::Window},
    {"version", nullptr, nullptr, "--version", QT_TRANSLATE_NOOP("lxv", "print the version and exit"),
     kAllTasks, Task::Version},
    {"help", "h", nullptr, "--help", QT_TRANSLATE_NOOP("lxv", "print this text and exit"), kAllTasks,
     Task::Help},
}};

// The forms of the command line, in the order --help lists them.
struct FormSpec {
    Task task;
    const char* synopsis;
    const char* brief;  // in the usage line
};

constexpr std::array<FormSpec, 8> kForms = {{
    {Task::Window, "[--service] [FILE.lxm | FILE.lxr]", "[FILE.lxm | FILE.lxr]"},
    {Task::Measure, "--measure [--json] [--port COMn | --device PATH] [--baud N]", "--measure [...]"},
    {Task::Log,
     "--log OUT.csv [--seconds N | --count N] [--every S] [--harmonics] [--append]\n"
     "               [--port COMn | --device PATH] [--baud N]",
     "--log OUT.csv [...]"},
    {Task::HarmonicTest,
     "--harmonic-test CLASS [--seconds N] [--rated-power W] OUT.csv [OUT.pdf]\n"
     "               [--port COMn | --device PATH] [--baud N]",
     "--harmonic-test CLASS [...] OUT.csv [OUT.pdf]"},
    {Task::Report, "--report TEST.lxm OUT.pdf", "--report TEST.lxm OUT.pdf"},
    {Task::Export, "--export RECORD.lxr OUT.xlsx|OUT.csv", "--export RECORD.lxr OUT"},
    {Task::RecordReport, "--record-report RECORD.lxr OUT.pdf", "--record-report RECORD.lxr OUT.pdf"},
    {Task::Help, "--help | --version", "--help"},
}};

const OptionRow& TaskOption(Task task) {
    for (const OptionRow& o : kOptions)
        if (o.names == task) return o;
    return kOptions[0];
}

const OptionRow& Named(const char* name) {
    for (const OptionRow& o : kOptions)
        if (QString(o.name) == name) return o;
    return kOptions[0];
}

QString Dashed(const OptionRow& o) {
    return QString("--") + o.name;
}

// "--json goes with --measure" / "... with --measure or --log".
UiText GoesWith(const OptionRow& o) {
    QStringList names;
    for (const OptionRow& t : kOptions)
        if (t.names != Task::Window && t.names != Task::Help && t.names != Task::Version &&
            (o.tasks & Bit(t.names)))
            names << Dashed(t);
    const bool window = o.tasks & Bit(Task::Window);
    const std::string option = Dashed(o).toStdString(), tasks = names.join(" or ").toStdString();
    if (window && names.isEmpty())
        return UiText(QT_TRANSLATE_NOOP("lxv", "%1 goes with the window")).arg(option);
    if (window)
        return UiText(QT_TRANSLATE_NOOP("lxv", "%1 goes with %2 or the window")).arg(option).arg(tasks);
    return UiText(QT_TRANSLATE_NOOP("lxv", "%1 goes with %2")).arg(option).arg(tasks);
}

// `allowed` is a design text.
UiText InvalidValue(const OptionRow& o, const QString& value, const char* allowed) {
    return UiText(QT_TRANSLATE_NOOP("lxv", "invalid value for %1: \"%2\" (%3)"))
        .arg(Dashed(o).toStdString())
        .arg(value.toStdString())
        .argText(allowed);
}

void Fail(CommandLine& line, const UiText& text) {
    line.errorText = text;
    line.error = QString::fromStdString(text.original());
}

bool ParsePort(const QString& text, int& port) {
    QString digits = text.trimmed();
    if (digits.startsWith("COM", Qt::CaseInsensitive)) digits = digits.mid(3);
    bool ok = false;
    const int n = digits.toInt(&ok, 10);
    if (!ok || digits.isEmpty() || !digits[0].isDigit() || n < 1 || n > 255) return false;
    port = n;
    return true;
}

bool ParseBaud(const QString& text, int& index) {
    bool ok = false;
    const int baud = text.trimmed().toInt(&ok, 10);
    for (int i = 0; ok && i < 8; ++i)
        if (kBaudRates[i] == baud) {
            index = i;
            return true;
        }
    return false;
}

bool ParseSeconds(const QString& text, double& seconds) {
    const std::optional<double> value = ParseNumber(text.toStdString());
    if (!value || !(*value > 0.0) || *value > 1e9) return false;
    seconds = *value;
    return true;
}

bool ParseCount(const QString& text, long long& count) {
    const std::string s = text.trimmed().toStdString();
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), count);
    return !s.empty() && ec == std::errc() && end == s.data() + s.size() && count >= 1;
}

// The values of an instrument task's options; an error text when one is bad.
UiText ReadInstrumentOptions(const QCommandLineParser& parser, CommandLine& line) {
    PortChoice port;
    if (parser.isSet("port") && parser.isSet("device"))
        return QT_TRANSLATE_NOOP("lxv", "give --port or --device, not both");
    if (parser.isSet("port") && !ParsePort(parser.value("port"), port.port))
        return InvalidValue(Named("port"), parser.value("port"), QT_TRANSLATE_NOOP("lxv", "COM1 to COM255"));
    if (parser.isSet("device")) {
        port.device = parser.value("device").toStdString();
        if (port.device.empty())
            return InvalidValue(Named("device"), "", QT_TRANSLATE_NOOP("lxv", "a device path"));
    }
    if (parser.isSet("baud") && !ParseBaud(parser.value("baud"), port.baudIndex))
        return InvalidValue(
            Named("baud"), parser.value("baud"),
            QT_TRANSLATE_NOOP("lxv", "4800, 9600, 14400, 19200, 38400, 57600, 76800 or 115200"));
    line.measure.port = port;
    line.harmonic.port = port;
    line.measure.json = parser.isSet("json");
    LogOptions& log = line.log;
    log.port = port;
    if (line.task != Task::Log) return {};
    log.path = parser.value("log").toStdString();
    if (log.path.empty()) return InvalidValue(Named("log"), "", QT_TRANSLATE_NOOP("lxv", "a file name"));
    if (parser.isSet("seconds") && parser.isSet("count"))
        return QT_TRANSLATE_NOOP("lxv", "give --seconds or --count, not both");
    if (parser.isSet("seconds") && !ParseSeconds(parser.value("seconds"), log.seconds))
        return InvalidValue(Named("seconds"), parser.value("seconds"),
                            QT_TRANSLATE_NOOP("lxv", "a number of seconds above 0"));
    if (parser.isSet("count") && !ParseCount(parser.value("count"), log.count))
        return InvalidValue(Named("count"), parser.value("count"),
                            QT_TRANSLATE_NOOP("lxv", "a whole number from 1"));
    if (parser.isSet("every") && !ParseSeconds(parser.value("every"), log.every))
        return InvalidValue(Named("every"), parser.value("every"),
                            QT_TRANSLATE_NOOP("lxv", "a number of seconds above 0"));
    log.harmonics = parser.isSet("harmonics");
    log.append = parser.isSet("append");
    return {};
}

// The harmonic test's class, observation time, rated power and files; an error text when one is bad.
UiText ReadHarmonicTestOptions(const QCommandLineParser& parser, CommandLine& line) {
    HarmonicTestOptions& h = line.harmonic;
    const QString classText = parser.value("harmonic-test");
    const std::optional<EmissionClass> emissionClass = ParseEmissionClass(classText.trimmed().toStdString());
    if (!emissionClass)
        return InvalidValue(Named("harmonic-test"), classText, QT_TRANSLATE_NOOP("lxv", "A, B, C or D"));
    // The rules are the window's: a blank value would mean the default there, here it is a mistake.
    const auto blank = [&parser](const char* name) { return parser.value(name).trimmed().isEmpty(); };
    const std::string seconds = parser.value("seconds").toStdString();
    if (parser.isSet("seconds") &&
        (blank("seconds") || !ReadHarmonicTestSettings(*emissionClass, "", seconds, "", "").ok()))
        return InvalidValue(Named("seconds"), parser.value("seconds"),
                            QT_TRANSLATE_NOOP("lxv", "10 to 3600 seconds"));
    const std::string rated = parser.value("rated-power").toStdString();
    if (parser.isSet("rated-power") && *emissionClass != EmissionClass::D)
        return QT_TRANSLATE_NOOP("lxv", "--rated-power is for class D only");
    if (parser.isSet("rated-power") &&
        (blank("rated-power") || !ReadHarmonicTestSettings(*emissionClass, rated, "", "", "").ok()))
        return InvalidValue(Named("rated-power"), parser.value("rated-power"),
                            QT_TRANSLATE_NOOP("lxv", "watts above 0"));
    h.settings = ReadHarmonicTestSettings(*emissionClass, rated, seconds, "", "").settings;
    const QStringList& files = line.files;
    if (files.isEmpty())
        return QT_TRANSLATE_NOOP("lxv", "--harmonic-test needs OUT.csv (and, if wanted, OUT.pdf)");
    if (files.size() > 2)
        return UiText(QT_TRANSLATE_NOOP("lxv", "unexpected argument \"%1\"")).arg(files[2].toStdString());
    if (files[0].endsWith(".pdf", Qt::CaseInsensitive))
        return QT_TRANSLATE_NOOP("lxv", "OUT.csv comes before OUT.pdf");
    h.csvPath = files[0].toStdString();
    h.pdfPath = files.size() > 1 ? files[1].toStdString() : std::string();
    return {};
}

// An unknown option given with a single dash ("-style"), which may be Qt's own.
bool SingleDash(const QStringList& arguments, const QString& name) {
    for (const QString& a : arguments) {
        if (a == "--") break;
        if (a == "-" + name || a.startsWith("-" + name + "=")) return true;
    }
    return false;
}

}  // namespace

StartFile ParseCommandLine(const QStringList& arguments) {
    StartFile result;
    if (arguments.isEmpty()) return result;
    result.startedWithFile = true;
    // The ending is judged on the whole rest of the command line, as typed.
    const QString line = StripQuotes(arguments.join(' '));
    const QString ending = line.right(3);
    if (ending == "lxm" || ending == "LXM" || ending == "Lxm")
        result.kind = StartFileKind::TestFile;
    else if (ending == "lxr" || ending == "LXR" || ending == "Lxr")
        result.kind = StartFileKind::RecordFile;
    if (result.kind != StartFileKind::None) result.path = StripQuotes(arguments.first());
    return result;
}

CommandLine ParseProgramArguments(const QStringList& arguments, bool leaveSingleDashToQt) {
    QCommandLineParser parser;
    // "-h" and Qt's "-style" are single-dash words, not bundles of letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const OptionRow& o : kOptions) {
        QStringList names{o.name};
        if (o.alias) names << o.alias;
        parser.addOption(o.valueName ? QCommandLineOption(names, o.description, o.valueName)
                                     : QCommandLineOption(names, o.description));
    }
    CommandLine line;
    const bool parsed = parser.parse(QStringList{"lxv7700"} + arguments);
    line.files = parser.positionalArguments();

    // The language first: --help answers in it.
    line.languageGiven = parser.isSet("language");
    const bool knownLanguage =
        !line.languageGiven || ParseLanguageKey(parser.value("language").toStdString(), line.language);

    // --help and --version answer whatever else is given.
    if (parser.isSet("help")) {
        line.task = Task::Help;
        return line;
    }
    if (parser.isSet("version")) {
        line.task = Task::Version;
        return line;
    }
    QStringList asked;
    for (const OptionRow& o : kOptions)
        if (o.names != Task::Window && parser.isSet(o.name)) {
            line.task = o.names;
            asked << Dashed(o);
        }
    if (asked.size() > 1) {
        Fail(line,
             UiText(QT_TRANSLATE_NOOP("lxv", "one task at a time: %1")).arg(asked.join(", ").toStdString()));
        return line;
    }
    if (!parsed) {
        bool allQt =
            line.task == Task::Window && leaveSingleDashToQt && !parser.unknownOptionNames().isEmpty();
        for (const QString& name : parser.unknownOptionNames()) allQt = allQt && SingleDash(arguments, name);
        // A missing value is told in the error text, not as an unknown option.
        if (!allQt || parser.errorText().startsWith("Missing value")) {
            Fail(line, parser.errorText().trimmed().toStdString());  // Qt's own words
            return line;
        }
        line.qtOptions = true;
    }
    for (const OptionRow& o : kOptions) {
        if (!parser.isSet(o.name) || (o.tasks & Bit(line.task)) ||
            (o.names != Task::Window && o.names == line.task))
            continue;
        Fail(line, line.task == Task::Window ? GoesWith(o)
                                             : UiText(QT_TRANSLATE_NOOP("lxv", "%1 does not go with %2"))
                                                   .arg(Dashed(o).toStdString())
                                                   .arg(Dashed(TaskOption(line.task)).toStdString()));
        return line;
    }
    if (line.languageGiven && !knownLanguage) {
        Fail(line, InvalidValue(Named("language"), parser.value("language"),
                                QT_TRANSLATE_NOOP("lxv", "original or en")));
        return line;
    }

    switch (line.task) {
        case Task::Window:
            line.service = parser.isSet("service");
            if (!line.qtOptions) line.start = ParseCommandLine(line.files);
            break;
        case Task::Measure:
        case Task::Log:
            if (!line.files.isEmpty()) {
                Fail(line, UiText(QT_TRANSLATE_NOOP("lxv", "unexpected argument \"%1\""))
                               .arg(line.files.first().toStdString()));
                return line;
            }
            if (const UiText error = ReadInstrumentOptions(parser, line); !error.empty()) Fail(line, error);
            break;
        case Task::HarmonicTest:
            if (UiText error = ReadInstrumentOptions(parser, line); !error.empty())
                Fail(line, error);
            else if (error = ReadHarmonicTestOptions(parser, line); !error.empty())
                Fail(line, error);
            break;
        default: break;  // the report tasks check their two files themselves, as they always did
    }
    return line;
}

QString HelpText() {
    QString text;
    for (const FormSpec& f : kForms)
        text += (text.isEmpty() ? Translated(QT_TRANSLATE_NOOP("lxv", "Usage: ")) : QString("       ")) +
                "lxv7700 " + f.synopsis + "\n";
    text +=
        Translated(QT_TRANSLATE_NOOP("lxv", "The companion program of the LXV7700 power analyser.")) + "\n";
    const auto row = [&text](const QString& synopsis, const QString& description) {
        text += "  " + synopsis.leftJustified(38) + (synopsis.size() > 38 ? "\n  " + QString(38, ' ') : "") +
                description + "\n";
    };
    row("FILE.lxm", Translated(QT_TRANSLATE_NOOP("lxv", "open a test file at start")));
    row("FILE.lxr", Translated(QT_TRANSLATE_NOOP("lxv", "open a record file in the record window")));
    for (const OptionRow& o : kOptions) row(o.synopsis, Translated(o.description));
    text += Translated(QT_TRANSLATE_NOOP(
        "lxv",
        "The tasks open no window. The report and export tasks need no port. --measure, --log and\n"
        "--harmonic-test open the instrument's port as the window would (SysSet.ini: [CommPort],\n"
        "[CommBaudrate], [PortMap]). --log and --harmonic-test print a progress line every 10 s on standard\n"
        "error; on Ctrl+C or SIGTERM a log ends at once, its file whole, and a harmonic test ends without a\n"
        "verdict and without files. The harmonic test prints its verdict line on standard output.\n"
        "Exit codes: 0 done (a harmonic test: PASS), 3 FAIL, 4 NOT APPLICABLE, 1 a failure (one line on\n"
        "standard error), 2 a bad option (and the usage line).\n"));
    return text;
}

QString UsageLine() {
    QStringList forms;
    for (const FormSpec& f : kForms) forms << f.brief;
    return Translated(QT_TRANSLATE_NOOP("lxv", "Usage: lxv7700 %1  (lxv7700 --help lists the options)"))
        .arg(forms.join(" | "));
}

}  // namespace lxv
