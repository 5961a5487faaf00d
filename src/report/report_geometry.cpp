#include "report/report_geometry.h"

#include <algorithm>
#include <cmath>

#include "platform/number_format.h"
#include "report/page_builder.h"

namespace lxv {

namespace {

using namespace report_colour;

int Trunc(double x) {
    return static_cast<int>(std::trunc(x));
}

// Round half to even, as every rounding of the report.
int Round(double x) {
    return NearestInt(x);
}

// "CH1: Voltage": channel c (0..5) and its quantity's label.
UiText ChannelText(int channel, const std::string& label) {
    return UiText(QT_TRANSLATE_NOOP("lxv", "CH%1: %2")).arg(channel + 1).argText(label);
}

// A status panel's text on the page; the length's counts points.
UiText StatusText(const std::string& status, bool length) {
    return length ? UiText(QT_TRANSLATE_NOOP("lxv", "%1\u70b9")).arg(status) : UiText(status);
}

// A label and its value: the label is translated, the value shown as it is.
UiText Labelled(const char* label, const std::string& value) {
    return UiText("%1%2").argText(label).arg(value);
}

// Offsets of one waveform from its zero level and their largest magnitude.
std::vector<int> Offsets(const MeasureRecord& record, Channel channel, int& largest) {
    std::vector<int> d(kSampleCount);
    largest = 0;
    for (int i = 0; i < kSampleCount; ++i) {
        d[static_cast<std::size_t>(i)] = int(record.Sample(channel, i)) - int(record.Zero(channel));
        largest = std::max(largest, std::abs(d[static_cast<std::size_t>(i)]));
    }
    return d;
}

// The 512 points of a waveform: peak height `peak` above `centre`, x from `left`
// in single-precision steps of `span` / 512.
std::vector<ChartPoint> WavePoints(const MeasureRecord& record, Channel channel, int left, int centre,
                                   int peak, double span) {
    int largest = 0;
    const std::vector<int> d = Offsets(record, channel, largest);
    const double scale = largest == 0 ? 0.0 : double(peak) / largest;
    const float step = static_cast<float>(span / kSampleCount);
    std::vector<ChartPoint> points;
    float x = 0;
    for (int i = 0; i < kSampleCount; ++i) {
        points.push_back({left + Round(x), centre - Round(d[static_cast<std::size_t>(i)] * scale)});
        x += step;
    }
    return points;
}

float LargestHarmonic(const MeasureRecord& record, Channel channel) {
    float largest = 0;
    for (int k = 0; k < kHarmonicCount; ++k) largest = std::max(largest, record.Harmonic(channel, k));
    return largest;
}

bool LabelledOrder(int k) {
    return k == 0 || k == 1 || k % 5 == 0;
}

// Bar height of order k: trunc(amplitude x range / largest), 0 without a scale.
int BarHeight(const MeasureRecord& record, Channel channel, int k, int range) {
    const float largest = LargestHarmonic(record, channel);
    if (!(largest > 0) || !std::isfinite(largest)) return 0;
    const double h = record.Harmonic(channel, k) * (double(range) / largest);
    return std::isfinite(h) ? Trunc(std::max(h, 0.0)) : 0;
}

// The three cells of an order in the harmonic table: order, V RMS, V %, I RMS, I %.
std::array<std::string, 5> HarmonicRow(const MeasureRecord& record, int order) {
    return {std::to_string(order), HarmonicRmsCell(record.UHarmonic(order)),
            HarmonicPercentCell(record.UHarmonic(order), record.UHarmonic(1)),
            HarmonicRmsCell(record.IHarmonic(order)),
            HarmonicPercentCell(record.IHarmonic(order), record.IHarmonic(1))};
}

struct PrintMargins {
    int L, T, R, B, w, h;
    PrintMargins(int pw, int ph) : L(pw / 18), T(ph / 26), R(pw - L), B(ph - T), w(R - L), h(B - T) {}
};

// The record report's distances given in printer pixels fit a page 7500 pixels
// wide between the margins; they shrink with narrower pages so that nothing
// runs off the page.
int PrinterPixels(const PrintMargins& m, int designed) {
    return Round(designed * std::min(1.0, m.w / 7500.0));
}

// Title, "Page 1/1" and the header rule of a printed page.
void PrintedHeader(PageBuilder& page, const PrintMargins& m, bool landscape, const std::string& title) {
    page.text(m.L, m.T, title, Black, landscape ? 14 : 17);
    page.text(Trunc(m.w * 0.985), Trunc(m.h * 0.01 + m.T), QT_TRANSLATE_NOOP("lxv", "Page 1/1"), Gray,
              landscape ? 7 : 10);
    const int y = m.T + Trunc(m.h * 0.027);
    page.line(m.L, y, m.R, y, {Gray, Trunc(m.h * 0.0015)});
}

struct InfoLabels {
    const char *project, *company, *tester, *date, *instrument, *temperature;
};

// The labels of the power analysis report's printed information.
constexpr InfoLabels kPowerPrintedLabels{QT_TRANSLATE_NOOP("lxv", "Project Name: "),
                                         QT_TRANSLATE_NOOP("lxv", "Testing organization: "),
                                         QT_TRANSLATE_NOOP("lxv", "Test by:"),
                                         QT_TRANSLATE_NOOP("lxv", "Date: "),
                                         QT_TRANSLATE_NOOP("lxv", "Test Instruments:Tavro LXV7700"),
                                         QT_TRANSLATE_NOOP("lxv", "Temperature:")};

// The bottom rule and the report information of a printed page.
void PrintedFooter(PageBuilder& page, const PrintMargins& m, const ReportInfo& info,
                   const InfoLabels& labels) {
    const int rule = m.T + Trunc(m.h * 0.95);
    page.line(m.L, rule, m.R, rule, {Gray, Trunc(m.h * 0.0015)});
    const int y1 = m.T + Trunc(m.h * 0.955), y2 = m.T + Trunc(m.h * 0.975);
    const int x2 = m.L + Trunc(m.w * 0.37), x3 = m.L + Trunc(m.w * 0.74);
    page.text(m.L, y1, Labelled(labels.project, info.projectName), Black, 10);
    page.text(x2, y1, Labelled(labels.company, info.company), Black, 10);
    page.text(x3, y1, Labelled(labels.tester, info.conner), Black, 10);
    page.text(m.L, y2, Labelled(labels.date, info.date), Black, 10);
    page.text(x2, y2, labels.instrument, Black, 10);
    page.text(x3, y2, Labelled(labels.temperature, info.temperature + TemperatureUnit(info.units)), Black,
              10);
}

// The two gray rules and the report information of a preview page.
void PreviewFrame(PageBuilder& page, int W, int H, const ReportInfo& info, const InfoLabels& labels) {
    page.line(50, 70, W - 50, 70, {Gray, 2});
    page.line(50, H - 100, W - 50, H - 100, {Gray, 2});
    page.text(50, H - 90, Labelled(labels.project, info.projectName), Gray, 10, true);
    page.text(250, H - 90, Labelled(labels.company, info.company), Gray, 10, true);
    page.text(520, H - 90, Labelled(labels.tester, info.conner), Gray, 10, true);
    page.text(50, H - 70, Labelled(labels.date, info.date), Gray, 10, true);
    page.text(250, H - 70, labels.instrument, Gray, 10, true);
    page.text(520, H - 70, Labelled(labels.temperature, info.temperature + TemperatureUnit(info.units)), Gray,
              10, true);
}

}  // namespace

std::string TemperatureUnit(int units) {
    return units == 1 ? "\u2103" : "F ";
}

std::string RoundedText(double value, int decimals) {
    const double p = std::pow(10.0, decimals);
    const double n = std::nearbyint(value * p);
    return FormatGeneral(n == 0 ? 0.0 : n / p);
}

std::string HarmonicRmsCell(float amplitude) {
    std::string text = RoundedText(amplitude / 1.414, 2);
    if (text.find('.') == std::string::npos) text += ".00";
    return text;
}

std::string HarmonicPercentCell(float amplitude, float fundamental) {
    if (fundamental == 0) return {};
    std::string text = RoundedText(double(amplitude) / fundamental * 100, 2);
    if (text.find('.') == std::string::npos) text += ".0";
    return text + "%";
}

// The preview's last four labels, without the leading blank of the printed ones: translated too.
[[maybe_unused]] constexpr const char* kPreviewLabels[] = {
    QT_TRANSLATE_NOOP("lxv", "Voltage Form Factor:"), QT_TRANSLATE_NOOP("lxv", "Current Form Factor:"),
    QT_TRANSLATE_NOOP("lxv", "Voltage THD:"), QT_TRANSLATE_NOOP("lxv", "Current THD:")};

std::vector<ValueListRow> ValueList(const MeasureRecord& r, bool printed) {
    struct Row {
        const char* label;
        double value;
        int decimals;
        const char* suffix;
    };
    const int thd = printed ? 2 : 1;
    const char* formSuffix = printed ? "" : " ";
    const Row rows[] = {
        {QT_TRANSLATE_NOOP("lxv", " Voltage:"), r.URMS(), 2, " V"},
        {QT_TRANSLATE_NOOP("lxv", " Peak Voltage:"), r.UPP(), 2, " V"},
        {QT_TRANSLATE_NOOP("lxv", " Frequency:"), r.UF(), 2, QT_TRANSLATE_NOOP("lxv", " Hz")},
        {QT_TRANSLATE_NOOP("lxv", " Current:"), r.IRMS(), 3, " A"},
        {QT_TRANSLATE_NOOP("lxv", " Peak Current:"), r.IPP(), 3, " A"},
        {QT_TRANSLATE_NOOP("lxv", " Current Phase:"), r.IPA(), 2, QT_TRANSLATE_NOOP("lxv", " deg")},
        {QT_TRANSLATE_NOOP("lxv", " Power:"), r.WRMS(), 2, " W"},
        {QT_TRANSLATE_NOOP("lxv", " Power Factor:"), r.PF(), 3, ""},
        {QT_TRANSLATE_NOOP("lxv", " Apparent Power:"), r.PS(), 2, QT_TRANSLATE_NOOP("lxv", " VA")},
        {QT_TRANSLATE_NOOP("lxv", " Reactive Power:"), r.PQ(), 2, QT_TRANSLATE_NOOP("lxv", " VAR")},
        {QT_TRANSLATE_NOOP("lxv", " Voltage Form Factor:"), r.VKF(), 2, formSuffix},
        {QT_TRANSLATE_NOOP("lxv", " Current Form Factor:"), r.IKF(), 2, formSuffix},
        {QT_TRANSLATE_NOOP("lxv", " Voltage THD:"), double(r.VTHD()) * 100, thd, " %"},
        {QT_TRANSLATE_NOOP("lxv", " Current THD:"), double(r.ITHD()) * 100, thd, " %"}};
    std::vector<ValueListRow> list;
    for (const Row& row : rows) {
        std::string label = row.label;
        // The preview's labels end in a blank; its last four have no leading one.
        if (!printed) label = (list.size() >= 10 ? label.substr(1) : label) + " ";
        const std::string number = RoundedText(row.value, row.decimals);
        list.push_back({label, number + row.suffix, number, row.suffix});
    }
    return list;
}

int PreviewPageHeight(ReportKind kind, int width) {
    return kind == ReportKind::PowerAnalysis ? Trunc(width * 1.414) : Trunc(width / 1.414);
}

// ---- power analysis report ----

ReportPage PowerReportPreview(int W, const MeasureRecord& record, const ReportInfo& info) {
    const int H = PreviewPageHeight(ReportKind::PowerAnalysis, W);
    PageBuilder page(W, H);
    page.text(70, 30, QT_TRANSLATE_NOOP("lxv", "Power Analysis Report"), Gray, 20, true);
    page.text(W - 120, 45, QT_TRANSLATE_NOOP("lxv", "Page 1/1"), Gray, 10, true);
    PreviewFrame(
        page, W, H, info,
        {QT_TRANSLATE_NOOP("lxv", "Project Name:"), QT_TRANSLATE_NOOP("lxv", "Testing organization:"),
         QT_TRANSLATE_NOOP("lxv", "Test by:"), QT_TRANSLATE_NOOP("lxv", "Date:"),
         QT_TRANSLATE_NOOP("lxv", "Test Instruments:Tavro LXV7700"),
         QT_TRANSLATE_NOOP("lxv", "Temperature:")});

    // Boxes with their titles over the top edge.
    page.rect(50, 80, 400, 227, {Gray, 1});
    page.text(58, 72, QT_TRANSLATE_NOOP("lxv", " Waveform "), Gray, 10, true);
    page.rect(50, 237, 400, 384, {Gray, 1});
    page.text(58, 227, QT_TRANSLATE_NOOP("lxv", " Voltage Harmonics "), Gray, 10, true);
    page.rect(50, 394, 400, 541, {Gray, 1});
    page.text(58, 385, QT_TRANSLATE_NOOP("lxv", " Current Harmonics "), Gray, 10, true);

    // The preview's labels end in a blank, which is not part of the translated label; the unit is translated
    // on its own (" var").
    const std::vector<ValueListRow> values = ValueList(record, false);
    for (std::size_t k = 0; k < values.size(); ++k) {
        const std::string& label = values[k].label;
        page.text(420, 90 + 32 * static_cast<int>(k),
                  UiText("%1 %2%3")
                      .argText(label.substr(0, label.size() - 1))
                      .arg(values[k].number)
                      .argText(values[k].unit),
                  Gray, 10, true);
    }

    // Harmonic table.
    page.rect(50, 560, W - 48, 883, {Gray, 2});
    page.line(50, 550, W - 50, 550, {Gray, 2});
    page.text(W - 200, 540, QT_TRANSLATE_NOOP("lxv", " The harmonic content "), Gray, 10, true);
    const int c = Round((W - 190) / 12.0);
    struct Vertical {
        int base, columns, top, width;
    };
    const Vertical verticals[] = {{80, 0, 560, 1},   {80, 1, 577, 1},  {80, 2, 560, 1},  {80, 3, 577, 1},
                                  {80, 4, 560, 2},   {110, 4, 560, 1}, {110, 5, 577, 1}, {110, 6, 560, 1},
                                  {110, 7, 577, 1},  {110, 8, 560, 2}, {140, 8, 560, 1}, {140, 9, 577, 1},
                                  {140, 10, 560, 1}, {140, 11, 577, 1}};
    for (const Vertical& v : verticals) {
        const int x = v.base + v.columns * c;
        page.line(x, v.top, x, 883, {Gray, v.width});
    }
    for (int j = 0; j <= 17; ++j) page.line(50, 577 + 17 * j, W - 50, 577 + 17 * j, {Gray, 1});
    for (int x : {112, 312, 512}) page.text(x, 562, QT_TRANSLATE_NOOP("lxv", "Voltage"), Gray, 6, true);
    for (int x : {192, 392, 592}) page.text(x, 562, QT_TRANSLATE_NOOP("lxv", "Current"), Gray, 6, true);
    for (int x : {53, 255, 458}) page.text(x, 579, QT_TRANSLATE_NOOP("lxv", "Order"), Gray, 6, true);
    for (int x : {84, 170, 287, 372, 488, 574})
        page.text(x, 579, QT_TRANSLATE_NOOP("lxv", "RMS"), Gray, 6, true);
    for (int x : {128, 213, 329, 414, 531, 617})
        page.text(x, 579, QT_TRANSLATE_NOOP("lxv", "Percent"), Gray, 6, true);
    static constexpr int kCellX[3][5] = {
        {60, 86, 128, 171, 213}, {263, 290, 328, 371, 413}, {463, 490, 530, 571, 615}};
    for (int r = 0; r <= 16; ++r)
        for (int group = 0; group < 3; ++group) {
            const auto cells = HarmonicRow(record, r + 17 * group);
            for (int i = 0; i < 5; ++i)
                page.text(kCellX[group][i], 596 + 17 * r, cells[static_cast<std::size_t>(i)], Gray, 6, true);
        }

    // Waveforms on their dash-dot grid: the current thin, the voltage wide.
    for (int y : {101, 153, 206}) page.line(50, y, 400, y, {Gray, 1, PenStyle::DashDot});
    page.add(PagePolyline{WavePoints(record, Channel::Current, 50, 153, 53, 350), {Gray, 1}});
    page.add(PagePolyline{WavePoints(record, Channel::Voltage, 50, 153, 58, 350), {Gray, 2}});

    // Harmonic bars.
    for (Channel channel : {Channel::Voltage, Channel::Current}) {
        const int base = channel == Channel::Voltage ? 361 : 518;
        page.line(50, base, 399, base, {Gray, 2});
        for (int k = 0; k < kHarmonicCount; ++k) {
            const int x = 53 + 6 * k;
            if (LabelledOrder(k)) page.text(x, base + 3, std::to_string(k), Black, 6, true);
            page.line(x + 5, base - BarHeight(record, channel, k, 115), x + 5, base - 2, {Black, 2});
        }
    }
    return page.take();
}

PrintedFrame AddPrintedFrame(ReportPage& target, bool landscape, const std::string& title,
                             const ReportInfo& info) {
    const PrintMargins m(target.width, target.height);
    PageBuilder page(target.width, target.height);
    PrintedHeader(page, m, landscape, title);
    PrintedFooter(page, m, info, kPowerPrintedLabels);
    ReportPage added = page.take();
    for (PageItem& item : added.items) target.items.push_back(std::move(item));
    return {.left = m.L,
            .top = m.T,
            .right = m.R,
            .bottom = m.B,
            .bodyTop = m.T + Trunc(m.h * 0.037),
            .bodyBottom = m.T + Trunc(m.h * 0.94)};
}

ReportPage PowerReportPrinted(int PW, int PH, bool landscape, const MeasureRecord& record,
                              const ReportInfo& info) {
    const PrintMargins m(PW, PH);
    PageBuilder page(PW, PH);
    PrintedHeader(page, m, landscape, QT_TRANSLATE_NOOP("lxv", "Power Analysis Report"));

    const int bw = Trunc(PW * 0.55), a = Trunc(PH * 0.15), titleX = Trunc(PW * 0.072);
    const int waveTop = Trunc(PH * 0.072), voltTop = Trunc(PH * 0.23), currTop = Trunc(PH * 0.388);
    page.rect(m.L, waveTop, m.L + bw, waveTop + a, {Black, 1});
    page.text(titleX, Trunc(PH * 0.065), QT_TRANSLATE_NOOP("lxv", " Waveform "), Black, 10, true);
    page.rect(m.L, voltTop, m.L + bw, voltTop + a, {Black, 1});
    page.text(titleX, Trunc(PH * 0.223), QT_TRANSLATE_NOOP("lxv", " Voltage harmonics "), Black, 10, true);
    page.rect(m.L, currTop, m.L + bw, currTop + a, {Black, 1});
    page.text(titleX, Trunc(PH * 0.382),
              QT_TRANSLATE_NOOP("lxv", " \u7535\u6d41\u8c10\u6ce2\u5206\u5e03\u56fe "), Black, 10, true);

    for (int y : {waveTop + Trunc(a / 7.0), waveTop + Trunc(a / 2.0), waveTop + Trunc(6 * a / 7.0)})
        page.line(m.L, y, m.L + bw, y, {Black, 1, PenStyle::DashDot});
    const int centre = waveTop + a / 2;
    page.add(PagePolyline{WavePoints(record, Channel::Current, m.L, centre, Trunc(a * 2.5 / 7), bw),
                          {Red, Trunc(m.h * 0.0008)}});
    page.add(PagePolyline{WavePoints(record, Channel::Voltage, m.L, centre, Trunc(a * 2.8 / 7), bw),
                          {Green, Trunc(m.h * 0.0015)}});

    const int pitch = Trunc(bw / 53.0);
    for (Channel channel : {Channel::Voltage, Channel::Current}) {
        const int top = channel == Channel::Voltage ? voltTop : currTop;
        const int base = top + Trunc(a * 0.85);
        page.line(m.L, base, m.L + bw, base, {Gray, Trunc(m.h * 0.0015)});
        const PagePen bar{channel == Channel::Voltage ? Green : Red, Trunc(m.w * 0.0025)};
        for (int k = 0; k < kHarmonicCount; ++k) {
            const int x = m.L + pitch / 2 + k * pitch;
            if (LabelledOrder(k)) page.text(x, base + 3 + Trunc(a * 0.03), std::to_string(k), Black, 6);
            const int left = x + Trunc(bw * 0.013);
            page.filledRect(left, base + 1 - BarHeight(record, channel, k, Trunc(a * 0.8)), left + 7,
                            base - 1, bar);
        }
    }

    const std::vector<ValueListRow> values = ValueList(record, true);
    const int labelX = m.L + bw + Trunc(PW * 0.009), valueX = m.L + bw + Trunc(PW * 0.23);
    for (std::size_t k = 0; k < values.size(); ++k) {
        const int y = Trunc(PH * 0.085) + static_cast<int>(k) * Trunc(PH * 0.033);
        page.text(labelX, y, values[k].label, Gray, 12);
        page.text(valueX, y, UiText("%1%2").arg(values[k].number).argText(values[k].unit), Gray, 12);
    }

    // Harmonic table: 15 columns (three groups of order, V RMS, V %, I RMS, I %), 19 rows.
    const PagePen heavy{Black, Trunc(m.h * 0.0012)};
    const int top = Trunc(PH * 0.565), bottom = Trunc(PH * 0.905);
    page.line(m.L, Trunc(PH * 0.555), m.R, Trunc(PH * 0.555), heavy);
    page.rect(m.L, top, m.R, bottom, heavy);
    page.text(Trunc(m.R * 0.75), Trunc(PH * 0.548), QT_TRANSLATE_NOOP("lxv", " The harmonic content "), Gray,
              10, true);
    const int cw = Round(m.w / 15.0), rh = Round((bottom - top) / 19.0);
    for (int k = 1; k <= 18; ++k) page.line(m.L, top + k * rh, m.R, top + k * rh, {Gray, 1});
    for (int k = 1; k <= 14; ++k) {
        const bool full = k % 5 == 0 || k % 5 == 1 || k % 5 == 3;
        page.line(m.L + k * cw, full ? top : top + rh, m.L + k * cw, bottom,
                  k % 5 == 0 ? PagePen{Gray, heavy.width} : PagePen{Gray, 1});
    }
    const auto cell = [&](int column, int row, const std::string& text, double tenths) {
        page.text(m.L + column * cw + Trunc(cw * tenths / 10), top + row * rh + Trunc(rh / 5.0), text, Gray,
                  8);
    };
    static const char* const kHeadings[5] = {
        QT_TRANSLATE_NOOP("lxv", " Order"), QT_TRANSLATE_NOOP("lxv", "  RMS"),
        QT_TRANSLATE_NOOP("lxv", "Percent"), QT_TRANSLATE_NOOP("lxv", "  RMS"),
        QT_TRANSLATE_NOOP("lxv", "Percent")};
    for (int group = 0; group < 3; ++group) {
        cell(group * 5 + 1, 0, QT_TRANSLATE_NOOP("lxv", "Voltage"), 1);
        cell(group * 5 + 3, 0, QT_TRANSLATE_NOOP("lxv", "Current"), 1);
        for (int i = 0; i < 5; ++i) cell(group * 5 + i, 1, kHeadings[i], 1);
        for (int r = 0; r <= 16; ++r) {
            const auto cells = HarmonicRow(record, r + 17 * group);
            for (int i = 0; i < 5; ++i)
                cell(group * 5 + i, r + 2, cells[static_cast<std::size_t>(i)], i == 0 ? 3 : 1);
        }
    }
    PrintedFooter(page, m, info, kPowerPrintedLabels);
    return page.take();
}

// ---- record report ----

std::string RulerLabel(int tick, RangeMode range) {
    if (range == RangeMode::PAndN) return std::to_string(100 - 4 * tick) + "%";
    if (range == RangeMode::Negative) return "-" + std::to_string(2 * tick) + "%";
    return std::to_string(100 - 2 * tick) + "%";
}

int SecondsPerSample(int stepIndex) {
    return std::max(SampleStepMs(stepIndex) / 1000, 1);
}

RecordReportView ReportViewOf(const RecordChartInput& input, const RecordExportSource& samples) {
    RecordReportView view;
    if (input.data) view.secondsPerSample = SecondsPerSample(input.data->stepIndex);
    view.samples = &samples;
    view.newest = input.fileActive ? input.last : -1;
    view.zoom = std::max(input.zoom, 1);
    view.offset = input.offset;
    view.range = input.range;
    view.scale = input.scale;
    view.visible = input.visible;
    return view;
}

int RecordReportPlotColumns(int pageWidth) {
    const PrintMargins m(pageWidth, 0);
    return m.R - PrinterPixels(m, 500) - m.L;
}

ReportPage RecordReportPreview(int W, const RecordReportView& view, const ReportInfo& info) {
    const int H = PreviewPageHeight(ReportKind::Record, W);
    PageBuilder page(W, H);
    page.text(W / 2 - 70, 30, QT_TRANSLATE_NOOP("lxv", "\u7535\u91cf\u8bb0\u5f55\u62a5\u544a"), Gray, 20,
              true);
    PreviewFrame(
        page, W, H, info,
        {QT_TRANSLATE_NOOP("lxv", "Project Name: "), QT_TRANSLATE_NOOP("lxv", "Testing organization: "),
         QT_TRANSLATE_NOOP("lxv", "Test by: "), QT_TRANSLATE_NOOP("lxv", "Date: "),
         QT_TRANSLATE_NOOP("lxv", "Test InstrumentsTavro KRT2200"),
         QT_TRANSLATE_NOOP("lxv", "Temperature: ")});
    int f = 0;
    if (view.chartWidth > 0 && view.chartHeight > 0) {
        f = Round((W - 100) / (double(view.chartWidth) / view.chartHeight));
        page.add(PageImage{50, 75, W - 50, 75 + f, 0, 12, view.chartWidth + 50, view.chartHeight});
    }
    page.text(50, f + 80, QT_TRANSLATE_NOOP("lxv", "Channel signal description: "), Black, 10, true);
    page.line(50, f + 103, 128, f + 103, {Black, 1});
    for (int c = 0; c < 6; ++c)
        page.text(135 + 90 * c, f + 90, ChannelText(c, view.labels[static_cast<std::size_t>(c)]),
                  kRecordChannelColours[static_cast<std::size_t>(c)], 8, true);
    static constexpr int kStatusX[4] = {50, 200, 350, 500};
    for (int i = 0; i < 4; ++i)
        page.text(kStatusX[i], f + 115, StatusText(view.status[static_cast<std::size_t>(i)], i == 3), Gray,
                  10, true);
    return page.take();
}

ReportPage RecordReportPrinted(int PW, int PH, bool landscape, const RecordReportView& view,
                               const ReportInfo& info) {
    const PrintMargins m(PW, PH);
    PageBuilder page(PW, PH);
    PrintedHeader(page, m, landscape, QT_TRANSLATE_NOOP("lxv", "Record Report"));
    const auto px = [&m](int designed) { return PrinterPixels(m, designed); };

    const int y0 = Round(m.T * 2.2), ph = PH - 2 * m.T - Round(PH * 0.3);
    const int axis = m.R - px(500), gridRight = m.R - px(700);
    for (int i = 0; i <= 10; ++i) {
        const int y = y0 + Round(ph * i / 10.0);
        page.line(m.L, y, gridRight, y, {LightGray, 1, PenStyle::Dot});
    }
    for (int j = 0; j <= (m.w - px(700)) / px(200); ++j)
        page.line(m.L + j * px(200), y0, m.L + j * px(200), y0 + ph, {LightGray, 1, PenStyle::Dot});
    for (int i = 0; i <= 50; ++i) {
        const int y = y0 + Round(ph * i / 50.0);
        page.line(i % 5 == 0 ? gridRight : m.R - px(600), y, axis, y, {Black, 3});
        if (i % 5 == 0) page.text(m.R - px(450), y - px(60), RulerLabel(i, view.range), Black, 8);
    }
    page.line(axis, y0, axis, y0 + ph, {Black, 6});

    // Traces: one sample per printer pixel column, the newest at the left.
    const int columns = RecordReportPlotColumns(PW);
    const long long n =
        view.samples && view.newest >= 0
            ? std::min<long long>((view.newest - view.offset) / std::max(view.zoom, 1), columns)
            : 0;
    const double perUnit = ph / 500.0;
    for (int c = 0; c < 6; ++c) {
        const auto ch = static_cast<std::size_t>(c);
        PagePolyline trace{{}, {kRecordChannelColours[ch], 10}};
        bool above = false, below = false;
        for (long long i = 0; i < n; ++i) {
            const auto s = static_cast<std::size_t>(view.newest - view.offset - i * view.zoom);
            const int raw = Round(double(view.samples->value(s, c)) * view.scale[ch] * perUnit);
            const int y = view.range == RangeMode::PAndN      ? y0 + ph / 2 - Round(raw / 2.0)
                          : view.range == RangeMode::Negative ? y0 - raw
                                                              : y0 + ph - raw;
            above |= y < y0;
            below |= y > y0 + ph;
            trace.points.push_back({m.L + static_cast<int>(i), std::clamp(y, y0, y0 + ph)});
        }
        if (view.visible[ch] && !trace.points.empty()) page.add(std::move(trace));
        const int x = gridRight - px(60) * (6 - c);  // markers side by side, CH6 nearest the ruler
        if (above)
            page.add(PagePolygon{{{x, y0 + px(50)}, {x + px(50), y0 + px(50)}, {x + px(25), y0}},
                                 kRecordChannelColours[ch]});
        if (below)
            page.add(
                PagePolygon{{{x, y0 + ph - px(50)}, {x + px(50), y0 + ph - px(50)}, {x + px(25), y0 + ph}},
                            kRecordChannelColours[ch]});
    }

    // The lines under the plot, spaced in steps of T, or closer where T would
    // run them into the report information at the bottom.
    const int under = y0 + ph;
    const double step = std::min<double>(m.T, (m.T + Trunc(m.h * 0.95) - under) / 7.0);
    const auto below = [&](double steps) { return under + Round(step * steps); };
    // A division is px(200) columns of one sample each (every zoom-th one): the time it spans.
    const long long division = static_cast<long long>(px(200)) * view.zoom * view.secondsPerSample;
    page.text(m.L + px(50), below(2.3), UiText(QT_TRANSLATE_NOOP("lxv", "Time/DIV=%1S")).arg(division), Black,
              10);
    for (int c = 0; c < 6; ++c)
        page.text(m.L + px(1000 * (c + 1)), below(2.3),
                  UiText(QT_TRANSLATE_NOOP("lxv", "CH%1/DIV=%2"))
                      .arg(c + 1)
                      .arg(UnitsPerDivisionText(view.scale[static_cast<std::size_t>(c)], view.range)),
                  kRecordChannelColours[static_cast<std::size_t>(c)], 10);
    // The description in size 8 and the channel labels from 1500 on, so that they do not overlap.
    const int description = below(4);
    page.text(m.L + px(50), description, QT_TRANSLATE_NOOP("lxv", "Channel signal description:"), Black, 8);
    page.line(m.L + px(50), below(4.4), m.L + px(880), below(4.4), {Black, 1});
    for (int c = 0; c < 6; ++c)
        page.text(m.L + px(1500 + 1000 * c), description,
                  ChannelText(c, view.labels[static_cast<std::size_t>(c)]),
                  kRecordChannelColours[static_cast<std::size_t>(c)], 8);
    static constexpr int kStatusX[4] = {50, 1500, 3500, 5500};
    for (int i = 0; i < 4; ++i)
        page.text(m.L + px(kStatusX[i]), below(5),
                  StatusText(view.status[static_cast<std::size_t>(i)], i == 3), Gray, 10);
    const int note = below(6);
    page.text(m.L + px(50), note, QT_TRANSLATE_NOOP("lxv", "Note:"), Gray, 10);
    const int icon = m.L + px(500);
    page.add(
        PagePolygon{{{icon, note + px(50)}, {icon + px(50), note + px(50)}, {icon + px(25), note}}, Gray});
    page.add(
        PagePolygon{{{icon + px(150), note}, {icon + px(200), note}, {icon + px(175), note + px(50)}}, Gray});
    page.text(
        m.L + px(900), note,
        QT_TRANSLATE_NOOP("lxv",
                          "Icons for the overflow flag when a channel overflow in the upper right corner and "
                          "lower right corner of a corresponding color icon."),
        Gray, 10);
    PrintedFooter(page, m, info,
                  {QT_TRANSLATE_NOOP("lxv", "Project Name: "), QT_TRANSLATE_NOOP("lxv", "Test Organization:"),
                   QT_TRANSLATE_NOOP("lxv", "Test by:"), QT_TRANSLATE_NOOP("lxv", "Date"),
                   QT_TRANSLATE_NOOP("lxv", "Test Instruments:Tavro LXV7700"),
                   QT_TRANSLATE_NOOP("lxv", "Ambient temperature:")});
    return page.take();
}

}  // namespace lxv
