// The harmonic test's report page and CSV file: every order's cells, the
// verdict in its colour, the notes and the report information on the page,
// inside the page; the CSV written whole or not at all.
#include "report/harmonic_test_page.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace lxv {
namespace {

HarmonicTestResult Product(EmissionClass c, double watts, double third) {
    HarmonicTestSettings settings;
    settings.emissionClass = c;
    HarmonicTest test(settings);
    MeasureRecord r;
    ResetMeasurement(r);
    r.setScalar(Scalar::URMS, 230.0f);
    r.setScalar(Scalar::UF, 50.0f);
    r.setScalar(Scalar::IRMS, 1.0f);
    r.setScalar(Scalar::WRMS, static_cast<float>(watts));
    r.setIHarmonic(1, 1.2f);
    r.setIHarmonic(3, static_cast<float>(third * std::sqrt(2.0)));
    for (int k = 0; k < 40; ++k) test.AddBlock(r, k * 0.05);
    return test.Result();
}

std::vector<const PageText*> Texts(const ReportPage& page) {
    std::vector<const PageText*> texts;
    for (const PageItem& item : page.items)
        if (const auto* t = std::get_if<PageText>(&item)) texts.push_back(t);
    return texts;
}

const PageText* Find(const ReportPage& page, const std::string& text) {
    for (const PageText* t : Texts(page))
        if (t->text == text) return t;
    return nullptr;
}

TEST(HarmonicTestPage, HoldsEveryOrderTheVerdictTheNotesAndTheReportInformation) {
    ReportInfo info;
    info.projectName = "PSU-200";
    const HarmonicTestResult result = Product(EmissionClass::D, 200, 0.9);
    const ReportPage page = HarmonicTestPage(4960, 7016, result, info);  // A4 at 600 dpi
    ASSERT_TRUE(Find(page, kHarmonicTestTitle));
    ASSERT_TRUE(Find(page, "Project Name: PSU-200"));
    const PageText* verdict = Find(page, "FAIL");
    ASSERT_TRUE(verdict);
    EXPECT_EQ(verdict->colour, (Rgb{210, 30, 30}));
    EXPECT_TRUE(Find(page, "0.6800"));  // order 3's limit
    EXPECT_TRUE(Find(page, "132.4"));   // 0.9 A of 0.68 A
    EXPECT_TRUE(Find(page, kPreComplianceNoteText));
    EXPECT_TRUE(Find(page, "Limits from: 200.0 W (measured)"));
    for (int n = 2; n <= 40; ++n) EXPECT_TRUE(Find(page, std::to_string(n))) << n;
    // Everything starts on the page, and the notes end above the bottom rule's information.
    const PageText* information = Find(page, "Project Name: PSU-200");
    const PageText* note = Find(page, kPreComplianceNoteText);
    EXPECT_LT(note->at.y, information->at.y);
    for (const PageText* t : Texts(page)) {
        EXPECT_GE(t->at.x, 0);
        EXPECT_LT(t->at.x, page.width) << t->text;
        EXPECT_GE(t->at.y, 0);
        EXPECT_LT(t->at.y, page.height) << t->text;
    }

    const ReportPage na = HarmonicTestPage(4960, 7016, Product(EmissionClass::D, 50, 0.9), info);
    EXPECT_TRUE(Find(na, "NOT APPLICABLE"));
    EXPECT_TRUE(Find(na, "Class D sets no limits at an active power of 75 W or less (50.0 W)."));
}

TEST(HarmonicTestPage, TheCsvIsWrittenWholeOrNotAtAll) {
    std::string pattern = (std::filesystem::temp_directory_path() / "lxv_harmonic_csv_XXXXXX").string();
    ASSERT_TRUE(::mkdtemp(pattern.data()));
    const std::filesystem::path dir = pattern;
    const HarmonicTestResult result = Product(EmissionClass::A, 200, 0.9);
    const std::string path = (dir / "out.csv").string();
    std::string error;
    ASSERT_TRUE(WriteHarmonicTestCsv(path, result, error)) << error;
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), HarmonicTestCsv(result));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), std::filesystem::directory_iterator()),
              1);

    const std::string missing = (dir / "no such folder" / "out.csv").string();
    EXPECT_FALSE(WriteHarmonicTestCsv(missing, result, error));
    EXPECT_EQ(error.rfind(missing + ": ", 0), 0u) << error;
    EXPECT_FALSE(std::filesystem::exists(missing));
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace lxv
