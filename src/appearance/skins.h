// Appearance: the window style (a skin or the plain look) and the two chart
// colours, as chosen by the user and kept in SysSet.ini (sections SkinSet and
// WaveSet). Owns the style keys, their defaults and the rules of the style
// window; the skin engine itself is behind SkinEngine.
// Depends on: appearance/chart_colours.h and platform/ini_file.h (plain C++, no
// Qt in this code; built into lxv_gui because IniFile is).
#pragma once

#include <functional>
#include <string>

#include "appearance/chart_colours.h"
#include "platform/ui_text.h"

namespace lxv {

class IniFile;

// The skin engine: set the skin file, switch on and off, tell whether it is on.
// Switching on restyles every window of the program.
class SkinEngine {
  public:
    virtual ~SkinEngine() = default;
    virtual void setSkinFile(const std::string& path) = 0;
    virtual void switchOn() = 0;
    virtual void switchOff() = 0;
    virtual bool isOn() const = 0;
};

// The program's skin engine: a skin file is a Qt style sheet (plain text) that
// `apply` sets on the whole application (an empty sheet is the plain look). A
// skin file that is missing or cannot be read leaves the plain look and is
// reported once through `report`; a report made before `report` is set is
// handed over when it is set.
class StyleSheetSkinEngine : public SkinEngine {
  public:
    explicit StyleSheetSkinEngine(std::function<void(const std::string& sheet)> apply = {});

    void setApply(std::function<void(const std::string& sheet)> apply) { apply_ = std::move(apply); }
    void setReport(std::function<void(const std::string& text)> report);

    void setSkinFile(const std::string& path) override;
    void switchOn() override;
    void switchOff() override;
    bool isOn() const override { return on_; }
    const std::string& skinFile() const { return path_; }

  private:
    void Load();

    void Apply(const std::string& sheet) {
        if (apply_) apply_(sheet);
    }

    std::function<void(const std::string&)> apply_;
    std::function<void(const std::string&)> report_;
    std::string path_;
    std::string pending_;
    bool on_ = false;
};

// The text shown when a skin file cannot be read.
UiText SkinFailureText(const std::string& path);

constexpr int kSkinCount = 6;  // "Skin 1" .. "Skin 6"; item 0 is "WINDOWS"

// "SkinsFile\\01.ats" .. "SkinsFile\\06.ats" for 1..6; empty otherwise.
std::string SkinFileName(int skin);

// SkinSet/Skin, default 2.
int ReadSkinCode(const IniFile& sysSet);

// The selected items of the style window's three groups; -1: none selected.
struct StyleSelection {
    int skin = -1;
    int background = -1;
    int scale = -1;
    UiText error;  // the first conversion error met, if any
};

// WaveSet/WaveBackground and WaveSet/ScaleColor (default 2: gray, light black)
// applied to `colours`; a value outside 0..2 leaves that colour as it is and
// selects nothing. A value that is not a number throws ConversionError after the
// other colour was applied. Returns the background and scale items to select.
StyleSelection LoadChartColours(const IniFile& sysSet, ChartColours& colours);

// The rules of the style window. Reads and writes SysSet.ini, drives the skin
// engine and sets the process-wide chart colours. A key that is present but not
// a decimal integer throws ConversionError from the call that reads it.
class StyleControl {
  public:
    // `resolve` turns a skin file name into a path (DataFilePath in the program).
    StyleControl(IniFile& sysSet, SkinEngine& engine, ChartColours& colours,
                 std::function<std::string(const std::string&)> resolve);

    // At the creation of the main window, before it shows: 0 switches the engine
    // off, 1..6 load that skin; another value changes nothing.
    void ApplyStoredSkin();

    // The style window's creation: sets the chart colours from WaveSet and
    // returns the items to select (LoadChartColours plus the skin item). A key
    // that is not a number selects nothing in its group and gives `error`.
    StyleSelection FormCreate();

    // Clicks on the three groups. The colour clicks ask for the main window's
    // charts to be redrawn (setChartsRedraw).
    void SkinClick(int item);
    void BackgroundClick(int item);
    void ScaleClick(int item);

    void setChartsRedraw(std::function<void()> redraw) { redraw_ = std::move(redraw); }

  private:
    void UseSkin(int skin);

    IniFile& sysSet_;
    SkinEngine& engine_;
    ChartColours& colours_;
    std::function<std::string(const std::string&)> resolve_;
    std::function<void()> redraw_;
};

}  // namespace lxv
