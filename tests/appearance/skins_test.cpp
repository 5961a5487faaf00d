// The style keys, their defaults and the skin engine's file loading, without windows.
#include "appearance/skins.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>

#include "platform/ini_file.h"

namespace lxv {
namespace {

struct StyleRig : ::testing::Test {
    QTemporaryDir dir;
    std::string folder = dir.path().toStdString();
    std::unique_ptr<IniFile> ini = std::make_unique<IniFile>(folder + "/SysSet.ini");
    std::vector<std::string> applied;  // every sheet set on the application
    std::vector<std::string> reports;
    StyleSheetSkinEngine engine{[this](const std::string& sheet) { applied.push_back(sheet); }};
    ChartColours colours;
    int redraws = 0;
    std::unique_ptr<StyleControl> control;

    StyleRig() {
        std::filesystem::create_directory(folder + "/SkinsFile");
        for (int n = 1; n <= kSkinCount; ++n)
            std::ofstream(folder + "/SkinsFile/0" + std::to_string(n) + ".ats") << "/* skin " << n << " */";
        engine.setReport([this](const std::string& text) { reports.push_back(text); });
        Restart();
    }
    // A new run: the settings file read afresh, black colours, a new control.
    void Restart() {
        ini = std::make_unique<IniFile>(folder + "/SysSet.ini");
        colours = ChartColours{};
        control = std::make_unique<StyleControl>(*ini, engine, colours, [this](const std::string& name) {
            std::string path = folder + "/" + name;
            std::replace(path.begin(), path.end(), '\\', '/');
            return path;
        });
        control->setChartsRedraw([this] { ++redraws; });
    }
};

TEST_F(StyleRig, FreshSettingsGiveSkin2GrayAndLightBlack) {
    control->ApplyStoredSkin();
    EXPECT_TRUE(engine.isOn());
    ASSERT_EQ(applied.size(), 1u);
    EXPECT_EQ(applied.back(), "/* skin 2 */");
    const StyleSelection s = control->FormCreate();
    EXPECT_EQ(s.skin, 2);
    EXPECT_EQ(s.background, 2);
    EXPECT_EQ(s.scale, 2);
    EXPECT_TRUE(s.error.empty());
    EXPECT_EQ(colours.background, (Rgb{238, 238, 238}));
    EXPECT_EQ(colours.scale, (Rgb{170, 170, 170}));
    EXPECT_TRUE(reports.empty());
}

TEST_F(StyleRig, YellowAtOnceAndAfterARestart) {
    control->FormCreate();
    control->ScaleClick(1);
    EXPECT_EQ(colours.scale, (Rgb{239, 239, 0}));
    EXPECT_EQ(redraws, 1);
    control->BackgroundClick(0);
    EXPECT_EQ(colours.background, (Rgb{0, 0, 0}));
    EXPECT_EQ(redraws, 2);

    Restart();
    const StyleSelection s = control->FormCreate();
    EXPECT_EQ(colours.scale, (Rgb{239, 239, 0}));
    EXPECT_EQ(s.scale, 1);
    EXPECT_EQ(s.background, 0);
    EXPECT_EQ(ini->readString("WaveSet", "ScaleColor", ""), "1");
}

TEST_F(StyleRig, StoredSkinValues) {
    struct Case {
        const char* stored;
        int selected;
        bool on;
        const char* sheet;  // the last sheet applied; nullptr: nothing applied
    };
    const Case cases[] = {
        {"0", 0, false, ""},       {"1", 1, true, "/* skin 1 */"}, {"6", 6, true, "/* skin 6 */"},
        {"7", -1, false, nullptr}, {"-1", -1, false, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        ini->writeString("skinset", "SKIN", c.stored);  // names match without regard to case
        applied.clear();
        engine.switchOff();
        applied.clear();
        control->ApplyStoredSkin();
        EXPECT_EQ(engine.isOn(), c.on);
        if (c.sheet) {
            ASSERT_EQ(applied.size(), 1u);
            EXPECT_EQ(applied.back(), c.sheet);
        } else {
            EXPECT_TRUE(applied.empty());
        }
        EXPECT_EQ(control->FormCreate().skin, c.selected);
    }
}

TEST_F(StyleRig, ATextThatIsNoNumberIsReportedAndTheRestStillApplies) {
    ini->writeString("SkinSet", "Skin", "abc");
    ini->writeString("WaveSet", "WaveBackground", "1");
    ini->writeString("WaveSet", "ScaleColor", "x1");
    EXPECT_THROW(control->ApplyStoredSkin(), ConversionError);
    const StyleSelection s = control->FormCreate();
    EXPECT_EQ(s.error, "'x1' is not a valid integer value");
    EXPECT_EQ(s.background, 1);
    EXPECT_EQ(s.scale, -1);
    EXPECT_EQ(s.skin, -1);
    EXPECT_EQ(colours.background, (Rgb{255, 255, 255}));
}

TEST_F(StyleRig, SkinClicksApplyAtOnceAndAreStored) {
    control->SkinClick(4);
    EXPECT_EQ(applied.back(), "/* skin 4 */");
    EXPECT_EQ(ini->readInteger("SkinSet", "Skin", -9), 4);
    control->SkinClick(5);  // the engine is on: the new file is loaded
    EXPECT_EQ(applied.back(), "/* skin 5 */");
    control->SkinClick(0);
    EXPECT_FALSE(engine.isOn());
    EXPECT_EQ(applied.back(), "");
    EXPECT_EQ(ini->readInteger("SkinSet", "Skin", -9), 0);
    EXPECT_EQ(redraws, 0);
}

TEST_F(StyleRig, AMissingSkinFileKeepsThePlainLookIsReportedOnceAndStillStored) {
    std::filesystem::remove(folder + "/SkinsFile/03.ats");
    std::filesystem::create_directory(folder + "/SkinsFile/03.ats");  // not a file: cannot be read either
    control->SkinClick(3);
    EXPECT_EQ(applied, (std::vector<std::string>{""}));
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], SkinFailureText(folder + "/SkinsFile/03.ats"));
    EXPECT_EQ(ini->readInteger("SkinSet", "Skin", -9), 3);
}

TEST(StyleSheetSkinEngine, AFailureBeforeTheStatusBarExistsIsHandedOverOnce) {
    std::string sheet = "unset";
    StyleSheetSkinEngine engine([&](const std::string& s) { sheet = s; });
    engine.setSkinFile("/nonexistent/SkinsFile/01.ats");
    engine.switchOn();
    EXPECT_EQ(sheet, "");
    std::vector<std::string> reports;
    engine.setReport([&](const std::string& text) { reports.push_back(text); });
    engine.setReport([&](const std::string& text) { reports.push_back(text); });
    EXPECT_EQ(reports, (std::vector<std::string>{SkinFailureText("/nonexistent/SkinsFile/01.ats")}));
}

TEST(SkinFileName, OneToSixOnly) {
    EXPECT_EQ(SkinFileName(1), "SkinsFile\\01.ats");
    EXPECT_EQ(SkinFileName(6), "SkinsFile\\06.ats");
    EXPECT_EQ(SkinFileName(0), "");
    EXPECT_EQ(SkinFileName(7), "");
}

}  // namespace
}  // namespace lxv
