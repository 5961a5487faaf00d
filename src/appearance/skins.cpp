#include "appearance/skins.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <utility>

#include "platform/ini_file.h"

namespace lxv {

namespace {

constexpr const char* kSkinSection = "SkinSet";
constexpr const char* kWaveSection = "WaveSet";

int ItemOrNone(int code) {
    return code >= 0 && code <= 2 ? code : -1;
}

// A style key (default 2), or nothing when it is not a number; the first such
// error is kept in `error`.
std::optional<int> ReadCode(const IniFile& ini, const char* section, const char* key, UiText& error) {
    try {
        return ini.readInteger(section, key, 2);
    } catch (const ConversionError& e) {
        if (error.empty()) error = e.text();
        return std::nullopt;
    }
}

// Each WaveSet colour that can be read is applied and its item selected.
StyleSelection ReadChartColours(const IniFile& ini, ChartColours& colours) {
    StyleSelection selection;
    if (const auto code = ReadCode(ini, kWaveSection, "WaveBackground", selection.error)) {
        ApplyWaveBackground(colours, *code);
        selection.background = ItemOrNone(*code);
    }
    if (const auto code = ReadCode(ini, kWaveSection, "ScaleColor", selection.error)) {
        ApplyScaleColour(colours, *code);
        selection.scale = ItemOrNone(*code);
    }
    return selection;
}

}  // namespace

UiText SkinFailureText(const std::string& path) {
    return UiText(QT_TRANSLATE_NOOP("lxv", "Skin file %1 cannot be read: plain look kept")).arg(path);
}

StyleSheetSkinEngine::StyleSheetSkinEngine(std::function<void(const std::string&)> apply)
    : apply_(std::move(apply)) {}

void StyleSheetSkinEngine::setReport(std::function<void(const std::string&)> report) {
    report_ = std::move(report);
    if (report_ && !pending_.empty()) report_(std::exchange(pending_, {}));
}

void StyleSheetSkinEngine::setSkinFile(const std::string& path) {
    path_ = path;
    if (on_) Load();
}

void StyleSheetSkinEngine::switchOn() {
    on_ = true;
    Load();
}

void StyleSheetSkinEngine::switchOff() {
    on_ = false;
    Apply({});
}

void StyleSheetSkinEngine::Load() {
    std::error_code ec;
    std::ifstream file(path_, std::ios::binary);
    std::ostringstream sheet;
    const bool regular = std::filesystem::is_regular_file(path_, ec);
    if (regular && file) sheet << file.rdbuf();
    if (!regular || !file || file.bad()) {
        Apply({});
        const std::string text = SkinFailureText(path_);
        if (report_)
            report_(text);
        else
            pending_ = text;
        return;
    }
    Apply(sheet.str());
}

std::string SkinFileName(int skin) {
    if (skin < 1 || skin > kSkinCount) return {};
    return "SkinsFile\\0" + std::to_string(skin) + ".ats";
}

int ReadSkinCode(const IniFile& sysSet) {
    return sysSet.readInteger(kSkinSection, "Skin", 2);
}

StyleSelection LoadChartColours(const IniFile& sysSet, ChartColours& colours) {
    StyleSelection selection = ReadChartColours(sysSet, colours);
    if (!selection.error.empty()) throw ConversionError(selection.error);
    return selection;
}

StyleControl::StyleControl(IniFile& sysSet, SkinEngine& engine, ChartColours& colours,
                           std::function<std::string(const std::string&)> resolve)
    : sysSet_(sysSet), engine_(engine), colours_(colours), resolve_(std::move(resolve)) {}

void StyleControl::UseSkin(int skin) {
    if (skin == 0) {
        engine_.switchOff();
    } else if (skin >= 1 && skin <= kSkinCount) {
        engine_.setSkinFile(resolve_(SkinFileName(skin)));
        if (!engine_.isOn()) engine_.switchOn();
    }
}

void StyleControl::ApplyStoredSkin() {
    UseSkin(ReadSkinCode(sysSet_));
}

StyleSelection StyleControl::FormCreate() {
    StyleSelection selection = ReadChartColours(sysSet_, colours_);
    if (const auto skin = ReadCode(sysSet_, kSkinSection, "Skin", selection.error))
        selection.skin = *skin >= 0 && *skin <= kSkinCount ? *skin : -1;
    return selection;
}

void StyleControl::SkinClick(int item) {
    UseSkin(item);
    sysSet_.writeInteger(kSkinSection, "Skin", item);
}

void StyleControl::BackgroundClick(int item) {
    ApplyWaveBackground(colours_, item);
    sysSet_.writeInteger(kWaveSection, "WaveBackground", item);
    if (redraw_) redraw_();
}

void StyleControl::ScaleClick(int item) {
    ApplyScaleColour(colours_, item);
    sysSet_.writeInteger(kWaveSection, "ScaleColor", item);
    if (redraw_) redraw_();
}

}  // namespace lxv
