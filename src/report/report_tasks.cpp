#include "report/report_tasks.h"

#include <QFile>
#include <QString>
#include <cstdio>
#include <string>

#include "cycle/test_file.h"
#include "core/measure_block.h"
#include "platform/app_paths.h"
#include "platform/ini_file.h"
#include "platform/translation.h"
#include "record/record_chart.h"
#include "record/record_export_qt.h"
#include "record/record_file.h"
#include "record/record_form.h"
#include "report/report_info.h"
#include "report/report_painter.h"

namespace lxv {

namespace {

int Fail(const std::string& message) {
    std::fprintf(stderr, "lxv7700: %s\n", message.c_str());
    return 1;
}

int PowerReport(const std::string& input, const QString& output) {
    MeasureRecord record;
    ResetMeasurement(record);
    // Messages and pages in the run's language.
    std::string error = Translated(ReadTestFile(input, record)).toStdString();
    if (!error.empty()) return Fail(error);
    ReportInfo info;
    if (!ReadStoredReportInfo(info, error)) return Fail(error);
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
    error = Translated(ReadRecordFile(input, data).error).toStdString();
    return error.empty();
}

int Export(const std::string& input, const QString& output) {
    RecordData data;
    std::string error;
    if (!ReadRecording(input, data, error)) return Fail(error);
    const RecordDataSource source(data, QuantityLabels(data.codes));
    UiText failure;
    if (!ExportRecord(source, SystemStampFormatter(), output.toStdString(), failure))
        return Fail(Translated(failure).toStdString());
    return 0;
}

// The record report of a file at the viewer's start values: file view, zoom 1,
// offset 0, Positive range, every channel shown at scale 1.
int RecordReport(const std::string& input, const QString& output) {
    RecordData data;
    std::string error;
    if (!ReadRecording(input, data, error)) return Fail(error);
    ReportInfo info;
    if (!ReadStoredReportInfo(info, error)) return Fail(error);
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
        view.status = {Translated(status.sampling).toStdString(), Translated(status.start).toStdString(),
                       Translated(status.end).toStdString(), Translated(status.length).toStdString()};
        return RecordReportPrinted(w, h, landscape, view, info);
    };
    QString failure;
    if (!WriteReportPdf(output, QString::fromStdString(info.projectName + kRecordReportTitleSuffix),
                        QPageLayout::Landscape, layout, failure))
        return Fail(failure.toStdString());
    return 0;
}

}  // namespace

int RunReportTask(ReportTask task, const QStringList& files, const std::string& option) {
    if (files.size() != 2)
        return Fail(
            Translated(UiText(QT_TRANSLATE_NOOP(
                                  "lxv", "%1 needs an input file and an output file (see lxv7700 --help)"))
                           .arg(option))
                .toStdString());
    const std::string input = QFile::encodeName(files[0]).toStdString();
    const QString& output = files[1];
    switch (task) {
        case ReportTask::PowerReport: return PowerReport(input, output);
        case ReportTask::Export: return Export(input, output);
        case ReportTask::RecordReport: break;
    }
    return RecordReport(input, output);
}

CommandTask ReportCommand(ReportTask task) {
    CommandTask command;
    switch (task) {
        case ReportTask::PowerReport:
            command = {{"report", nullptr, nullptr, "--report TEST.lxm OUT.pdf",
                        QT_TRANSLATE_NOOP("lxv", "write the power analysis report of a test file as PDF")},
                       "--report TEST.lxm OUT.pdf",
                       "--report TEST.lxm OUT.pdf"};
            break;
        case ReportTask::Export:
            command = {{"export", nullptr, nullptr, "--export RECORD.lxr OUT.xlsx|OUT.csv",
                        QT_TRANSLATE_NOOP("lxv", "write the whole recording as a spreadsheet")},
                       "--export RECORD.lxr OUT.xlsx|OUT.csv",
                       "--export RECORD.lxr OUT"};
            break;
        case ReportTask::RecordReport:
            command = {{"record-report", nullptr, nullptr, "--record-report RECORD.lxr OUT.pdf",
                        QT_TRANSLATE_NOOP("lxv", "write the record report of a recording as PDF")},
                       "--record-report RECORD.lxr OUT.pdf",
                       "--record-report RECORD.lxr OUT.pdf"};
            break;
    }
    // The files are checked when the task runs, as they always were.
    command.read = [](const OptionValues& values, std::any& options) -> UiText {
        options = values.files();
        return {};
    };
    const std::string option = std::string("--") + command.option.name;
    command.run = [task, option](const std::any& options) {
        return RunReportTask(task, std::any_cast<const QStringList&>(options), option);
    };
    return command;
}

}  // namespace lxv
