#include "cli/measurement_text.h"

#include <array>
#include <cstdio>
#include <ctime>

#include "measure/harmonic_grid.h"
#include "platform/number_format.h"
#include "measure/panel_texts.h"

namespace lxv {

namespace {

struct ScalarText {
    const char* name;
    const char* unit;
};

// In block order (Scalar's order).
constexpr std::array<ScalarText, kScalarCount> kScalarTexts = {{
    {"URMS", "V"},
    {"UPP", "V"},
    {"UF", "Hz"},
    {"IRMS", "A"},
    {"IPP", "A"},
    {"IPA", "deg"},
    {"PF", ""},
    {"WRMS", "W"},
    {"PS", "VA"},
    {"PQ", "VAR"},
    {"VTHD", ""},
    {"ITHD", ""},
    {"VKF", ""},
    {"IKF", ""},
    {"KWH", "kWh"},
}};

const ScalarText& TextOf(Scalar field) {
    return kScalarTexts[static_cast<std::size_t>(field)];
}

std::string ColumnName(const char* name, const char* unit) {
    return *unit ? std::string(name) + " (" + unit + ")" : std::string(name);
}

float HarmonicRms(const MeasureRecord& record, Channel channel, int order) {
    return static_cast<float>(record.Harmonic(channel, order) / kHarmonicPeakToRms);
}

}  // namespace

const char* ScalarName(Scalar field) {
    return TextOf(field).name;
}

const char* ScalarUnit(Scalar field) {
    return TextOf(field).unit;
}

std::string ValueLines(const MeasureRecord& record) {
    std::string out;
    for (const PanelSpec& panel : kPanels) {
        const ScalarText& t = TextOf(panel.field);
        out += t.name;
        out += '\t';
        out += FormatShortestSingle(record.scalar(panel.field));
        out += '\t';
        out += t.unit;
        out += '\n';
    }
    return out;
}

std::string MeasurementJson(const MeasureRecord& record, const std::string& time) {
    std::string out = "{\"time\": \"" + time + "\"";
    for (const PanelSpec& panel : kPanels) {
        const std::string value = FormatShortestSingle(record.scalar(panel.field));
        out += ", \"";
        out += TextOf(panel.field).name;
        out += "\": ";
        out += value.empty() ? "null" : value;
    }
    out += '}';
    return out;
}

std::string CsvHeader(bool harmonics) {
    std::string out = "time";
    for (const PanelSpec& panel : kPanels) {
        const ScalarText& t = TextOf(panel.field);
        out += ',' + ColumnName(t.name, t.unit);
    }
    if (harmonics) {
        for (const auto& [prefix, unit] : {std::pair{"UH", "V"}, std::pair{"IH", "A"}})
            for (int order = 0; order < kHarmonicCount; ++order)
                out += ',' + ColumnName((prefix + std::to_string(order)).c_str(), unit);
    }
    return out + "\r\n";
}

std::string CsvRow(const MeasureRecord& record, const std::string& time, bool harmonics) {
    std::string out = time;
    out.reserve(harmonics ? 1600 : 200);
    for (const PanelSpec& panel : kPanels) {
        out += ',';
        out += FormatShortestSingle(record.scalar(panel.field));
    }
    if (harmonics) {
        for (const Channel channel : {Channel::Voltage, Channel::Current})
            for (int order = 0; order < kHarmonicCount; ++order) {
                out += ',';
                out += FormatShortestSingle(HarmonicRms(record, channel, order));
            }
    }
    out += "\r\n";
    return out;
}

std::string LocalIsoTime(std::chrono::system_clock::time_point when) {
    using namespace std::chrono;
    // floor: before 1970 the milliseconds still count forward from their second.
    const auto second = floor<seconds>(when.time_since_epoch());
    const auto millis = duration_cast<milliseconds>(when.time_since_epoch() - second).count();
    const std::time_t t = static_cast<std::time_t>(second.count());
    std::tm local{};
    localtime_r(&t, &local);
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03d", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                  static_cast<int>(millis));
    return text;
}

}  // namespace lxv
