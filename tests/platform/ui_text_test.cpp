// Texts handed to the views: the original interface's words, values filled in
// once (a value that holds "%2" stays), and the translation in use applied to
// the sentence and to the design texts among its values, not to plain values.
#include "platform/ui_text.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTranslator>

#include "platform/ini_file.h"
#include "platform/translation.h"

namespace lxv {
namespace {

TEST(UiText, FillsEachPlaceholderOnceWithItsValue) {
    struct Case {
        const char* pattern;
        std::vector<std::string> values;
        const char* filled;
    };
    const Case cases[] = {
        {"Receiving data%1", {"3"}, "Receiving data3"},
        {"%2 of %1", {"a", "b"}, "b of a"},
        {"path %1, reason %2",
         {"/tmp/%2", "gone"},
         "path /tmp/%2, reason gone"},                    // a value is not read again
        {"100 % (mean), %3", {"x"}, "100 % (mean), %3"},  // no such value: kept
        {"%10%1", {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"}, "ja"},
    };
    for (const Case& c : cases) EXPECT_EQ(FillPlaceholders(c.pattern, c.values), c.filled) << c.pattern;
}

TEST(UiText, ReadsAsTheOriginalAndComparesByIt) {
    const UiText reason = UiText("Cannot write file \"%1\". %2").arg("a.lxr").arg("No space left on device");
    const UiText text = UiText("%1\n\n%2").argText("Please Create a new record file !").arg(reason);
    EXPECT_EQ(text.original(),
              "Please Create a new record file !\n\nCannot write file \"a.lxr\". No space left on device");
    EXPECT_EQ(UiText("Transfer failed at %1").arg("AL2H"), "Transfer failed at AL2H");
    EXPECT_TRUE(UiText().empty());
    EXPECT_EQ(ConversionError(UiText("'%1' is not a valid integer value").arg("x")).what(),
              std::string("'x' is not a valid integer value"));
}

// A translation of three texts, made in memory as lrelease would from a .ts file.
class Dictionary : public QTranslator {
  public:
    QString translate(const char* context, const char* source, const char*, int) const override {
        if (QByteArray(context) != kTextContext) return {};
        const QString s = QString::fromUtf8(source);
        if (s == "傳輸失敗於 %1") return "Transfer failed at %1";
        if (s == "%1: '%2' 無效") return "%1: '%2' is not a number";
        if (s == "電壓") return "Voltage";
        return {};
    }
    bool isEmpty() const override { return false; }
};

TEST(UiText, TranslatesTheSentenceAndItsDesignTextsButNotItsValues) {
    int argc = 1;
    char name[] = "ui_text_test";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    Dictionary english;
    QCoreApplication::installTranslator(&english);
    EXPECT_EQ(Translated(UiText("傳輸失敗於 %1").arg("電壓")), QString("Transfer failed at 電壓"));
    EXPECT_EQ(Translated(UiText("%1: '%2' 無效").argText("電壓").arg("abc")),
              QString("Voltage: 'abc' is not a number"));
    EXPECT_EQ(Translated(UiText("not a design text %1").arg("x")), QString("not a design text x"));
    QCoreApplication::removeTranslator(&english);
    EXPECT_EQ(Translated(UiText("傳輸失敗於 %1").arg("AL1H")), QString("傳輸失敗於 AL1H"));
}

}  // namespace
}  // namespace lxv
