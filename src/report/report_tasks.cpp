#include "report/report_tasks.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QString>
#include <cstdio>
#include <cstring>
#include <string>

#include "cycle/test_file.h"
#include "measure/measure_block.h"
#include "platform/app_paths.h"
#include "platform/ini_file.h"
#include "record/record_chart.h"
#include "record/record_export_qt.h"
#include "record/record_file.h"
#include "record/record_form.h"
#include "report/report_info.h"
#include "report/report_painter.h"

namespace lxv {

namespace {

constexpr const char* kUsage =
    "Usage: lxv7700 [FILE.lxm | FILE.lxr]\n"
    "The companion program of the LXV7700 power analyser.\n"
    "  FILE.lxm     open a test file at start\n"
    "  FILE.lxr     open a record file in the record window\n"
    "  --version    print the version and exit\n"
    "  --report TEST.lxm OUT.pdf             write the power analysis report of a test file as PDF\n"
    "  --export RECORD.lxr OUT.xlsx|OUT.csv  write the whole recording as a spreadsheet\n"
    "  --record-report RECORD.lxr OUT.pdf    write the record report of a recording as PDF\n"
    "  --help       print this text and exit\n"
    "The report and export tasks open no window and no port, print only errors and exit with 0 on success.\n";

int Fail(const std::string& message) {
    std::fprintf(stderr, "lxv7700: %s\n", message.c_str());
    return 1;
}

bool ReadInfo(ReportInfo& info, std::string& error) {
    const IniFile file(EnterInfoPath());
    try {
        info = ReadReportInfo(file);
        return true;
    } catch (const ConversionError& e) {
        error = file.path() + ": " + e.what();
        return false;
    }
}

int PowerReport(const std::string& input, const QString& output) {
    MeasureRecord record;
    ResetMeasurement(record);
    std::string error = ReadTestFile(input, record);
    if (!error.empty()) return Fail(error);
    ReportInfo info;
    if (!ReadInfo(info, error)) return Fail(error);
    QString failure;
    const auto layout = [&](int w, int h, bool landscape) {
        return PowerReportPrinted(w, h, landscape, record, info);
    };
    if (!WriteReportPdf(output, QString::fromStdString(info.projectName + kPowerReportTitleSuffix),
                        QPageLayout::Portrait, layout, failure))
        return Fail(failure.toStdString());
    return 0;
}

bool ReadRecording(const std::string& input, RecordData& data, std::string& error) {
    error = ReadRecordFile(input, data).error;
    return error.empty();
}

int Export(const std::string& input, const QString& output) {
    RecordData data;
    std::string error;
    if (!ReadRecording(input, data, error)) return Fail(error);
    const RecordDataSource source(data, QuantityLabels(data.codes));
    if (!ExportRecord(source, SystemStampFormatter(), output.toStdString(), error)) return Fail(error);
    return 0;
}

// The record report of a file at the viewer's start values: file view, zoom 1,
// offset 0, Positive range, every channel shown at scale 1.
int RecordReport(const std::string& input, const QString& output) {
    RecordData data;
    std::string error;
    if (!ReadRecording(input, data, error)) return Fail(error);
    ReportInfo info;
    if (!ReadInfo(info, error)) return Fail(error);
    const RecordDataSource source(data, QuantityLabels(data.codes));
    RecordChartInput chartInput;
    chartInput.data = &data;
    chartInput.fileActive = true;
    chartInput.liveView = false;
    chartInput.last = data.last();
    // The status texts as the record window writes them.
    const auto dateTime = [](double stamp) { return StampDateTimeText(stamp).toStdString(); };
    const auto layout = [&](int w, int h, bool landscape) {
        RecordReportView view = ReportViewOf(chartInput, source);
        for (int c = 0; c < kExportChannels; ++c) view.labels[static_cast<std::size_t>(c)] = source.label(c);
        // The status texts of a chart as wide as the printed plot.
        const RecordChart chart = DrawRecordChart(RecordReportPlotColumns(w), 200, chartInput);
        const RecordChartStatus status = ChartStatusTexts(chart, chartInput, dateTime);
        view.status = {status.sampling, status.start, status.end, status.length};
        return RecordReportPrinted(w, h, landscape, view, info);
    };
    QString failure;
    if (!WriteReportPdf(output, QString::fromStdString(info.projectName + kRecordReportTitleSuffix),
                        QPageLayout::Landscape, layout, failure))
        return Fail(failure.toStdString());
    return 0;
}

}  // namespace

std::optional<int> RunCommandLineTask(int argc, char** argv) {
    if (argc < 2) return std::nullopt;
    const std::string task = argv[1];
    if (task == "--help" || task == "-h") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (task != "--report" && task != "--export" && task != "--record-report") return std::nullopt;
    if (argc != 4) return Fail(task + " needs an input file and an output file (see lxv7700 --help)");

    // No display is needed: fonts and the PDF writer work offscreen. Qt's own
    // notes (a missing runtime folder, font fallbacks) are not errors of the task.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    int qtArgc = 1;
    QGuiApplication application(qtArgc, argv);
    SetProgramFolder(QCoreApplication::applicationDirPath().toStdString());
    const std::string input = argv[2];
    const QString output = QString::fromLocal8Bit(argv[3]);
    if (task == "--report") return PowerReport(input, output);
    if (task == "--export") return Export(input, output);
    return RecordReport(input, output);
}

}  // namespace lxv
