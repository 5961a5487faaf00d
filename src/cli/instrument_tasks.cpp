#include "cli/instrument_tasks.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <charconv>
#include <cstdio>
#include <optional>
#include <utility>

#include "cli/harmonic_test_task.h"
#include "cli/headless_session.h"
#include "cli/measurement_text.h"
#include "link/link_state.h"
#include "platform/number_format.h"
#include "platform/app_paths.h"
#include "platform/dialogs.h"
#include "platform/ini_file.h"
#include "platform/qt_serial_port.h"
#include "platform/termination_signals.h"
#include "session/qt_timers.h"

namespace lxv {

namespace {

constexpr const char* kStoppedText = QT_TRANSLATE_NOOP("lxv", "stopped before a measurement came");
constexpr const char* kFileExistsText =
    QT_TRANSLATE_NOOP("lxv", "the file exists; --append adds the rows to it");
constexpr const char* kOtherColumnsText = QT_TRANSLATE_NOOP(
    "lxv", "its first line is not the header of this log (with or without --harmonics); no rows were added");
constexpr const char* kNoFreeNumberText = QT_TRANSLATE_NOOP("lxv", "no port number is free for this device");

void MessageLine(const std::string& line) {
    std::fprintf(stderr, "lxv7700: %s\n", line.c_str());
    std::fflush(stderr);
}

void Print(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

// Nobody is there to answer a message box: the run reports what matters itself.
class QuietDialogs : public Dialogs {
  public:
    void showMessage(QWidget*, const QString&) override {}
    void showError(QWidget*, const QString&) override {}
    bool askYesNo(QWidget*, const QString&, const QString&) override { return false; }
    QString openFileName(QWidget*, const QString&) override { return {}; }
    QString saveFileName(QWidget*, const QString&, const QString&) override { return {}; }
};

// The program's own port, settings and timers for one run.
struct RunPlatform {
    RunPlatform() { SetAppDialogs(&dialogs); }
    ~RunPlatform() { SetAppDialogs(nullptr); }
    RunPlatform(const RunPlatform&) = delete;
    RunPlatform& operator=(const RunPlatform&) = delete;

    QuietDialogs dialogs;
    IniFile sysSet{SysSetPath()};
    QtSerialPort port{sysSet};
    QtTimers timers;
};

// Opens the instrument, starts the task and runs the event loop until the run ends.
int RunOnInstrument(HeadlessSession& run, QtSerialPort& port, const PortChoice& choice,
                    const std::function<void()>& start, std::function<void()> stop) {
    int number = choice.port;
    std::string label;
    if (!choice.device.empty()) {
        label = choice.device;
        number = port.UseDeviceForThisRun(choice.device);
        if (number == 0) {
            run.fail(kNoFreeNumberText, label);
            return run.exitCode();
        }
    }
    // Ctrl+C and SIGTERM end the run from the event loop, between two replies.
    WatchTerminationSignals(std::move(stop));
    run.addFinishedHandler([](int exitCode) { QCoreApplication::exit(exitCode); });
    if (!run.open(number, choice.baudIndex, label)) return run.exitCode();
    start();
    if (run.finished()) return run.exitCode();
    return QCoreApplication::exec();
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

// The log's file, length, period and columns; an error text when one is bad.
UiText ReadLogOptions(const OptionValues& values, LogOptions& log) {
    if (UiText error = ReadPortChoice(values, log.port); !error.empty()) return error;
    log.path = values.value("log").toStdString();
    if (log.path.empty()) return InvalidValueText("log", "", QT_TRANSLATE_NOOP("lxv", "a file name"));
    if (values.isSet("seconds") && values.isSet("count"))
        return QT_TRANSLATE_NOOP("lxv", "give --seconds or --count, not both");
    if (values.isSet("seconds") && !ParseSeconds(values.value("seconds"), log.seconds))
        return InvalidValueText("seconds", values.value("seconds"),
                                QT_TRANSLATE_NOOP("lxv", "a number of seconds above 0"));
    if (values.isSet("count") && !ParseCount(values.value("count"), log.count))
        return InvalidValueText("count", values.value("count"),
                                QT_TRANSLATE_NOOP("lxv", "a whole number from 1"));
    if (values.isSet("every") && !ParseSeconds(values.value("every"), log.every))
        return InvalidValueText("every", values.value("every"),
                                QT_TRANSLATE_NOOP("lxv", "a number of seconds above 0"));
    log.harmonics = values.isSet("harmonics");
    log.append = values.isSet("append");
    return {};
}

}  // namespace

std::vector<OptionRow> PortOptionRows() {
    return {{"port", nullptr, "COMn", "--port COMn",
             QT_TRANSLATE_NOOP("lxv", "use port COMn for this run instead of the stored one")},
            {"device", nullptr, "PATH", "--device PATH",
             QT_TRANSLATE_NOOP("lxv", "use the serial device PATH for this run")},
            {"baud", nullptr, "N", "--baud N",
             QT_TRANSLATE_NOOP("lxv", "use N baud for this run (4800 to 115200, as in the port settings)")}};
}

UiText ReadPortChoice(const OptionValues& values, PortChoice& port) {
    if (values.isSet("port") && values.isSet("device"))
        return QT_TRANSLATE_NOOP("lxv", "give --port or --device, not both");
    if (values.isSet("port") && !ParsePort(values.value("port"), port.port))
        return InvalidValueText("port", values.value("port"), QT_TRANSLATE_NOOP("lxv", "COM1 to COM255"));
    if (values.isSet("device")) {
        port.device = values.value("device").toStdString();
        if (port.device.empty())
            return InvalidValueText("device", "", QT_TRANSLATE_NOOP("lxv", "a device path"));
    }
    if (values.isSet("baud") && !ParseBaud(values.value("baud"), port.baudIndex))
        return InvalidValueText(
            "baud", values.value("baud"),
            QT_TRANSLATE_NOOP("lxv", "4800, 9600, 14400, 19200, 38400, 57600, 76800 or 115200"));
    return {};
}

CommandTask MeasureCommand() {
    CommandTask task{
        {"measure", nullptr, nullptr, "--measure",
         QT_TRANSLATE_NOOP("lxv", "take one measurement, print the fifteen values: name, value, unit")},
        "--measure [--json] [--port COMn | --device PATH] [--baud N]",
        "--measure [...]",
        {{"json", nullptr, nullptr, "--json",
          QT_TRANSLATE_NOOP("lxv", "print the measurement as one JSON object instead")}},
    };
    for (const OptionRow& row : PortOptionRows()) task.options.push_back(row);
    task.read = [](const OptionValues& values, std::any& options) -> UiText {
        if (!values.files().isEmpty()) return UnexpectedArgumentText(values.files().first());
        MeasureOptions measure;
        if (UiText error = ReadPortChoice(values, measure.port); !error.empty()) return error;
        measure.json = values.isSet("json");
        options = measure;
        return {};
    };
    task.run = [](const std::any& options) {
        return RunMeasureTask(std::any_cast<const MeasureOptions&>(options));
    };
    return task;
}

CommandTask LogCommand() {
    CommandTask task{
        {"log", nullptr, "OUT.csv", "--log OUT.csv",
         QT_TRANSLATE_NOOP("lxv", "measure continuously and add one CSV row per accepted block")},
        "--log OUT.csv [--seconds N | --count N] [--every S] [--harmonics] [--append]\n"
        "               [--port COMn | --device PATH] [--baud N]",
        "--log OUT.csv [...]",
        {{"seconds", nullptr, "N", "--seconds N", QT_TRANSLATE_NOOP("lxv", "log: end after N s")},
         {"count", nullptr, "N", "--count N", QT_TRANSLATE_NOOP("lxv", "end the log after N rows")},
         {"every", nullptr, "S", "--every S",
          QT_TRANSLATE_NOOP("lxv", "at most one row per S seconds (the latest block)")},
         {"harmonics", nullptr, nullptr, "--harmonics",
          QT_TRANSLATE_NOOP("lxv", "add the 51 voltage and 51 current harmonic RMS values")},
         {"append", nullptr, nullptr, "--append",
          QT_TRANSLATE_NOOP("lxv", "add the rows to an existing OUT.csv of the same columns")}},
    };
    for (const OptionRow& row : PortOptionRows()) task.options.push_back(row);
    task.read = [](const OptionValues& values, std::any& options) -> UiText {
        if (!values.files().isEmpty()) return UnexpectedArgumentText(values.files().first());
        LogOptions log;
        if (UiText error = ReadLogOptions(values, log); !error.empty()) return error;
        options = log;
        return {};
    };
    task.run = [](const std::any& options) { return RunLogTask(std::any_cast<const LogOptions&>(options)); };
    return task;
}

int RunMeasureTask(const MeasureOptions& options) {
    RunPlatform platform;
    HeadlessSession run(platform.port, platform.sysSet, platform.timers, MessageLine);
    MeasureTask task(run, options.json, Print);
    return RunOnInstrument(
        run, platform.port, options.port, [&task] { task.start(); }, [&task] { task.stop(); });
}

int RunLogTask(const LogOptions& options) {
    RunPlatform platform;
    HeadlessSession run(platform.port, platform.sysSet, platform.timers, MessageLine);
    LogTask task(run, options);
    if (!task.prepare()) return run.exitCode();
    return RunOnInstrument(
        run, platform.port, options.port, [&task] { task.start(); }, [&task] { task.stop(); });
}

int RunProcedureTask(
    const PortChoice& port,
    const std::function<std::unique_ptr<ProcedureTask>(HeadlessSession&, PrintFunction)>& make) {
    RunPlatform platform;
    HeadlessSession run(platform.port, platform.sysSet, platform.timers, MessageLine);
    const std::unique_ptr<ProcedureTask> task = make(run, Print);
    if (!task->prepare()) return run.exitCode();
    return RunOnInstrument(
        run, platform.port, port, [&task] { task->start(); }, [&task] { task->stop(); });
}

int RunHarmonicTestTask(const HarmonicTestOptions& options) {
    return RunProcedureTask(options.port, [&options](HeadlessSession& run, PrintFunction print) {
        return std::make_unique<HarmonicTestTask>(run, options, std::move(print));
    });
}

MeasureTask::MeasureTask(HeadlessSession& run, bool json, std::function<void(const std::string&)> print)
    : run_(run), json_(json), print_(std::move(print)) {}

MeasureTask::~MeasureTask() {
    if (listener_) run_.session().core.measurements.unsubscribe(listener_);
}

void MeasureTask::start() {
    listener_ = run_.session().core.measurements.subscribe([this](const MeasureRecord& r) { onBlock(r); });
    run_.start(MeasureMode::Single);
}

void MeasureTask::stop() {
    run_.fail(kStoppedText);
}

void MeasureTask::onBlock(const MeasureRecord& record) {
    if (run_.finished()) return;
    print_(json_ ? MeasurementJson(record, LocalIsoTime(run_.now())) + "\n" : ValueLines(record));
    run_.finish(0);
}

LogTask::LogTask(HeadlessSession& run, LogOptions options) : run_(run), options_(std::move(options)) {
    file_.setFileName(QString::fromStdString(options_.path));
    run_.addFinishedHandler([this](int exitCode) { finished(exitCode); });
}

LogTask::~LogTask() {
    if (listener_) run_.session().core.measurements.unsubscribe(listener_);
}

bool LogTask::prepare() {
    const std::string header = CsvHeader(options_.harmonics);
    const bool exists = QFileInfo::exists(file_.fileName());
    if (exists && !options_.append) {
        run_.fail(kFileExistsText, options_.path);
        return false;
    }
    bool needsHeader = true;
    bool needsLineEnd = false;
    if (exists) {
        QFile existing(file_.fileName());
        if (!existing.open(QIODevice::ReadOnly)) {
            run_.fail(existing.errorString().toStdString(), options_.path);
            return false;
        }
        QByteArray first = existing.readLine(static_cast<qint64>(header.size()) + 2);
        if (!first.isEmpty()) {
            needsHeader = false;
            while (first.endsWith('\n') || first.endsWith('\r')) first.chop(1);
            if (first.toStdString() != header.substr(0, header.size() - 2)) {
                run_.fail(kOtherColumnsText, options_.path);
                return false;
            }
            // A last line cut short by another program is ended first, so no row joins it.
            existing.seek(existing.size() - 1);
            needsLineEnd = existing.read(1) != "\n";
        }
    }
    const QIODevice::OpenMode mode =
        QIODevice::WriteOnly | QIODevice::Unbuffered | (exists ? QIODevice::Append : QIODevice::NewOnly);
    if (!file_.open(mode)) {
        run_.fail(file_.errorString().toStdString(), options_.path);
        return false;
    }
    created_ = !exists;
    if (needsLineEnd && !write("\r\n")) return false;
    return !needsHeader || write(header);
}

void LogTask::start() {
    listener_ = run_.session().core.measurements.subscribe([this](const MeasureRecord& r) { onBlock(r); });
    if (options_.every > 0.0) {
        every_ = run_.timers().create("EveryTimer", false);
        every_->setHandler([this] {
            if (!pending_.empty()) writeRow(std::exchange(pending_, {}));
        });
        every_->start(std::max(1, static_cast<int>(options_.every * 1000.0 + 0.5)));
    }
    if (options_.seconds > 0.0) run_.endAfter(options_.seconds);
    run_.showProgress();
    run_.start(MeasureMode::Continuous);
}

void LogTask::stop() {
    run_.finish(0);
}

void LogTask::onBlock(const MeasureRecord& record) {
    if (run_.finished()) return;
    std::string row = CsvRow(record, LocalIsoTime(run_.now()), options_.harmonics);
    if (every_)
        pending_ = std::move(row);
    else
        writeRow(row);
}

bool LogTask::write(const std::string& text) {
    // One write straight to the file (unbuffered): a row is in it whole or not at all.
    if (file_.write(text.data(), static_cast<qint64>(text.size())) == static_cast<qint64>(text.size()))
        return true;
    run_.fail(file_.errorString().toStdString(), options_.path);
    return false;
}

void LogTask::writeRow(const std::string& row) {
    if (!write(row)) return;
    run_.countRow();
    if (options_.count > 0 && run_.rows() >= options_.count) run_.finish(0);
}

void LogTask::finished(int exitCode) {
    if (every_) every_->stop();
    // The latest block of the period under way is kept too.
    if (exitCode == 0 && !pending_.empty() && file_.isOpen() && write(std::exchange(pending_, {})))
        run_.countRow();
    // A run that failed before its first row leaves no file of its own behind.
    if (created_ && run_.rows() == 0 && exitCode != 0)
        file_.remove();
    else
        file_.close();
}

}  // namespace lxv
