#include "app/command_line.h"

#include <QCommandLineParser>
#include <algorithm>
#include <cstring>

#include "app/command_tasks.h"

namespace lxv {

namespace {

QString StripQuotes(QString text) {
    text = text.trimmed();
    if (text.size() >= 2 && text.startsWith('"') && text.endsWith('"')) text = text.mid(1, text.size() - 2);
    return text;
}

// The window's own option, and the options that go with every form.
const OptionRow kServiceRow{"service", nullptr, nullptr, "--service",
                            QT_TRANSLATE_NOOP("lxv", "show the calibration (設置 → 校正) in the window")};
const OptionRow kLanguageRow{
    "language", nullptr, "original|en", "--language original|en",
    QT_TRANSLATE_NOOP("lxv", "show the windows and messages in the original texts or in English")};
const OptionRow kVersionRow{"version", nullptr, nullptr, "--version",
                            QT_TRANSLATE_NOOP("lxv", "print the version and exit")};
const OptionRow kHelpRow{"help", "h", nullptr, "--help",
                         QT_TRANSLATE_NOOP("lxv", "print this text and exit")};

constexpr const char* kWindowForm = "[--service] [FILE.lxm | FILE.lxr]";
constexpr const char* kWindowBrief = "[FILE.lxm | FILE.lxr]";

// One option as --help lists it: its row, the descriptions of every task that
// brings it, and the tasks it goes with.
struct Option {
    OptionRow row;
    std::vector<const char*> descriptions;
    std::vector<const CommandTask*> tasks;  // none: the window's
    bool everyForm = false;                 // --language, --version, --help
    const CommandTask* names = nullptr;     // the task it asks for
};

// The options in the order --help lists them: the window's, each task's, then those of every form.
std::vector<Option> Options(const std::vector<CommandTask>& tasks) {
    std::vector<Option> options{{kServiceRow, {kServiceRow.description}, {}, false, nullptr}};
    const auto add = [&options](const OptionRow& row, const CommandTask& task, bool names) {
        for (Option& o : options)
            if (std::strcmp(o.row.name, row.name) == 0) {
                if (std::find_if(o.descriptions.begin(), o.descriptions.end(), [&row](const char* d) {
                        return std::strcmp(d, row.description) == 0;
                    }) == o.descriptions.end())
                    o.descriptions.push_back(row.description);
                o.tasks.push_back(&task);
                return;
            }
        options.push_back({row, {row.description}, {&task}, false, names ? &task : nullptr});
    };
    for (const CommandTask& task : tasks) {
        add(task.option, task, true);
        for (const OptionRow& row : task.options) add(row, task, false);
    }
    for (const OptionRow& row : {kLanguageRow, kVersionRow, kHelpRow})
        options.push_back({row, {row.description}, {}, true, nullptr});
    return options;
}

QString Dashed(const char* name) {
    return QString("--") + name;
}

bool GoesWith(const Option& o, const CommandTask* task) {
    if (o.everyForm) return true;
    if (!task) return o.tasks.empty();
    return std::find(o.tasks.begin(), o.tasks.end(), task) != o.tasks.end();
}

// "--json goes with --measure" / "... with --measure or --log".
UiText GoesWithText(const Option& o) {
    QStringList names;
    for (const CommandTask* t : o.tasks) names << Dashed(t->option.name);
    return UiText(QT_TRANSLATE_NOOP("lxv", "%1 goes with %2"))
        .arg(Dashed(o.row.name).toStdString())
        .arg(names.join(" or ").toStdString());
}

void Fail(CommandLine& line, const UiText& text) {
    line.errorText = text;
    line.error = QString::fromStdString(text.original());
}

// The parsed command line as a task's reader sees it.
class ParsedValues : public OptionValues {
  public:
    ParsedValues(const QCommandLineParser& parser, const QStringList& files)
        : parser_(parser), files_(files) {}
    bool isSet(const char* name) const override { return parser_.isSet(name); }
    QString value(const char* name) const override { return parser_.value(name); }
    const QStringList& files() const override { return files_; }

  private:
    const QCommandLineParser& parser_;
    const QStringList& files_;
};

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
    return ParseProgramArguments(CommandTasks(), arguments, leaveSingleDashToQt);
}

CommandLine ParseProgramArguments(const std::vector<CommandTask>& tasks, const QStringList& arguments,
                                  bool leaveSingleDashToQt) {
    const std::vector<Option> options = Options(tasks);
    QCommandLineParser parser;
    // "-h" and Qt's "-style" are single-dash words, not bundles of letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const Option& o : options) {
        QStringList names{o.row.name};
        if (o.row.alias) names << o.row.alias;
        parser.addOption(o.row.valueName ? QCommandLineOption(names, o.row.description, o.row.valueName)
                                         : QCommandLineOption(names, o.row.description));
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
        line.task = kHelpTask;
        return line;
    }
    if (parser.isSet("version")) {
        line.task = kVersionTask;
        return line;
    }
    QStringList asked;
    for (const Option& o : options)
        if (o.names && parser.isSet(o.row.name)) {
            line.task = o.row.name;
            line.command = o.names;
            asked << Dashed(o.row.name);
        }
    if (asked.size() > 1) {
        Fail(line,
             UiText(QT_TRANSLATE_NOOP("lxv", "one task at a time: %1")).arg(asked.join(", ").toStdString()));
        return line;
    }
    if (!parsed) {
        bool allQt = !line.command && leaveSingleDashToQt && !parser.unknownOptionNames().isEmpty();
        for (const QString& name : parser.unknownOptionNames()) allQt = allQt && SingleDash(arguments, name);
        // A missing value is told in the error text, not as an unknown option.
        if (!allQt || parser.errorText().startsWith("Missing value")) {
            Fail(line, parser.errorText().trimmed().toStdString());  // Qt's own words
            return line;
        }
        line.qtOptions = true;
    }
    for (const Option& o : options) {
        if (!parser.isSet(o.row.name) || GoesWith(o, line.command)) continue;
        Fail(line, !line.command ? GoesWithText(o)
                                 : UiText(QT_TRANSLATE_NOOP("lxv", "%1 does not go with %2"))
                                       .arg(Dashed(o.row.name).toStdString())
                                       .arg(Dashed(line.command->option.name).toStdString()));
        return line;
    }
    if (line.languageGiven && !knownLanguage) {
        Fail(line, InvalidValueText("language", parser.value("language"),
                                    QT_TRANSLATE_NOOP("lxv", "original or en")));
        return line;
    }

    if (!line.command) {
        line.service = parser.isSet("service");
        if (!line.qtOptions) line.start = ParseCommandLine(line.files);
        return line;
    }
    if (const UiText error = line.command->read(ParsedValues(parser, line.files), line.options);
        !error.empty())
        Fail(line, error);
    return line;
}

QString HelpText() {
    return HelpText(CommandTasks(), kCommandTasksHelp);
}

QString HelpText(const std::vector<CommandTask>& tasks, const char* epilogue) {
    std::vector<const char*> forms{kWindowForm};
    for (const CommandTask& t : tasks) forms.push_back(t.form);
    forms.push_back("--help | --version");
    QString text;
    for (const char* form : forms)
        text += (text.isEmpty() ? Translated(QT_TRANSLATE_NOOP("lxv", "Usage: ")) : QString("       ")) +
                "lxv7700 " + form + "\n";
    text +=
        Translated(QT_TRANSLATE_NOOP("lxv", "The companion program of the LXV7700 power analyser.")) + "\n";
    const auto row = [&text](const QString& synopsis, const QString& description) {
        text += "  " + synopsis.leftJustified(38) + (synopsis.size() > 38 ? "\n  " + QString(38, ' ') : "") +
                description + "\n";
    };
    row("FILE.lxm", Translated(QT_TRANSLATE_NOOP("lxv", "open a test file at start")));
    row("FILE.lxr", Translated(QT_TRANSLATE_NOOP("lxv", "open a record file in the record window")));
    for (const Option& o : Options(tasks)) {
        QStringList descriptions;
        for (const char* d : o.descriptions) descriptions << Translated(d);
        row(o.row.synopsis, descriptions.join("; "));
    }
    if (epilogue) text += Translated(epilogue);
    for (const CommandTask& t : tasks)
        if (t.note) text += Translated(t.note) + "\n";
    return text;
}

QString UsageLine() {
    return UsageLine(CommandTasks());
}

QString UsageLine(const std::vector<CommandTask>& tasks) {
    QStringList forms{kWindowBrief};
    for (const CommandTask& t : tasks) forms << t.brief;
    forms << "--help";
    return Translated(QT_TRANSLATE_NOOP("lxv", "Usage: lxv7700 %1  (lxv7700 --help lists the options)"))
        .arg(forms.join(" | "));
}

}  // namespace lxv
