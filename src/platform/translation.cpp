#include "platform/translation.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QTranslator>
#include <algorithm>
#include <memory>

#include "platform/accessible_value.h"
#include "platform/app_paths.h"
#include "platform/ini_file.h"

namespace lxv {

namespace {

constexpr const char* kTranslationFile = "translations/lxv7700_en.qm";

struct LanguageState {
    UiLanguage language = UiLanguage::Original;
    std::unique_ptr<QTranslator> translator;
};

LanguageState& State() {
    static LanguageState state;
    return state;
}

}  // namespace

QString Translated(const char* source) {
    if (!source || !*source) return {};
    return QCoreApplication::translate(kTextContext, source);
}

QString Translated(const std::string& source) {
    return Translated(source.c_str());
}

QString Translated(const UiText& text) {
    const QString pattern = Translated(text.source());
    if (text.args().empty()) return pattern;
    std::vector<std::string> values;
    for (const UiText::Arg& a : text.args())
        values.push_back(a.nested       ? Translated(*a.nested).toStdString()
                         : a.translated ? Translated(a.text).toStdString()
                                        : a.text);
    return QString::fromStdString(FillPlaceholders(pattern.toStdString(), values));
}

QString WithoutMnemonics(const QString& text) {
    QString plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) ++i;  // "&&" keeps one '&', "&x" keeps the x
        plain += text[i];
    }
    return plain;
}

const char* LanguageKey(UiLanguage language) {
    return language == UiLanguage::English ? "en" : "original";
}

bool ParseLanguageKey(const std::string& key, UiLanguage& language) {
    if (key == "en") {
        language = UiLanguage::English;
        return true;
    }
    if (key == "original") {
        language = UiLanguage::Original;
        return true;
    }
    return false;
}

UiLanguage StoredLanguage(const IniFile& sysSet) {
    UiLanguage language = UiLanguage::Original;
    ParseLanguageKey(sysSet.readString("Language", "UI", "original"), language);
    return language;
}

bool StoreLanguage(IniFile& sysSet, UiLanguage language) {
    return sysSet.writeString("Language", "UI", LanguageKey(language));
}

std::string TranslationFilePath() {
    const std::string found = DataFilePath(kTranslationFile);
#ifdef LXV_BUILD_DATA_DIR
    // Run from the build tree (a test's program lives elsewhere): what the build made beside the program.
    if (!QFileInfo::exists(QString::fromStdString(found)))
        return std::string(LXV_BUILD_DATA_DIR) + "/" + kTranslationFile;
#endif
    return found;
}

bool SetUiLanguage(UiLanguage language) {
    LanguageState& state = State();
    if (language == state.language) return true;
    if (language == UiLanguage::Original) {
        if (state.translator) QCoreApplication::removeTranslator(state.translator.get());
        state.translator.reset();
        state.language = language;
        return true;
    }
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QString::fromStdString(TranslationFilePath()))) return false;
    if (!QCoreApplication::installTranslator(translator.get())) return false;
    state.translator = std::move(translator);
    state.language = language;
    return true;
}

UiLanguage CurrentUiLanguage() {
    return State().language;
}

ShownTexts::ShownTexts(QWidget* window) : QObject(window) {
    setObjectName("ShownTexts");
}

void ShownTexts::keep(QObject* target, int role, std::function<void()> show) {
    show();
    // A control that is gone takes its texts with it.
    if (std::none_of(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.target == target; }))
        connect(target, &QObject::destroyed, this, [this](QObject* gone) {
            entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                          [gone](const Entry& e) { return e.target == gone; }),
                           entries_.end());
        });
    for (Entry& e : entries_)
        if (e.target == target && e.role == role) {
            e.show = std::move(show);
            return;
        }
    entries_.push_back({target, role, std::move(show)});
}

void ShownTexts::text(QLabel* label, UiText text) {
    keep(label, kText, [label, text] { label->setText(Translated(text)); });
}
void ShownTexts::text(QAbstractButton* button, UiText text) {
    keep(button, kText, [button, text] { button->setText(WithoutMnemonics(Translated(text))); });
}
void ShownTexts::text(QAction* action, UiText text) {
    keep(action, kText, [action, text] { action->setText(Translated(text)); });
}
void ShownTexts::title(QGroupBox* box, UiText text) {
    keep(box, kTitle, [box, text] { box->setTitle(WithoutMnemonics(Translated(text))); });
}
void ShownTexts::title(QMenu* menu, UiText text) {
    keep(menu, kTitle, [menu, text] { menu->setTitle(Translated(text)); });
}
void ShownTexts::windowTitle(QWidget* window, UiText text) {
    keep(window, kWindowTitle,
         [window, text] { window->setWindowTitle(WithoutMnemonics(Translated(text))); });
}
void ShownTexts::toolTip(QWidget* widget, UiText text) {
    keep(widget, kToolTip, [widget, text] { widget->setToolTip(WithoutMnemonics(Translated(text))); });
}
void ShownTexts::toolTip(QAction* action, UiText text) {
    keep(action, kToolTip, [action, text] { action->setToolTip(WithoutMnemonics(Translated(text))); });
}
void ShownTexts::accessibleName(QWidget* widget, UiText text) {
    keep(widget, kAccessibleName,
         [widget, text] { widget->setAccessibleName(WithoutMnemonics(Translated(text))); });
}
void ShownTexts::toolTipAndName(QWidget* widget, UiText text) {
    toolTip(widget, text);
    accessibleName(widget, text);
}
void ShownTexts::valueCaption(QLabel* label, UiText caption) {
    keep(label, kValueCaption, [label, caption] { SetValueCaption(label, Translated(caption)); });
}
void ShownTexts::items(QComboBox* list, std::vector<UiText> items) {
    keep(list, kItems, [list, items] {
        const int chosen = list->currentIndex();
        const QSignalBlocker quiet(list);  // the choice stays: no change to act on
        if (list->count() != static_cast<int>(items.size())) {
            list->clear();
            for (const UiText& item : items) list->addItem(Translated(item));
            return;
        }
        for (int i = 0; i < list->count(); ++i)
            list->setItemText(i, Translated(items[static_cast<std::size_t>(i)]));
        list->setCurrentIndex(chosen);
    });
}
void ShownTexts::refresh(QObject* target, int role, std::function<void()> show) {
    keep(target, role, std::move(show));
}

void ShownTexts::adopt(QWidget* root, std::initializer_list<const QObject*> skip) {
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    const auto source = [](const QString& text) { return UiText(text.toStdString()); };
    for (QWidget* w : widgets) {
        if (std::find(skip.begin(), skip.end(), w) != skip.end()) continue;
        if (w->isWindow() && !w->windowTitle().isEmpty()) windowTitle(w, source(w->windowTitle()));
        if (!w->toolTip().isEmpty()) toolTip(w, source(w->toolTip()));
        if (!w->accessibleName().isEmpty()) accessibleName(w, source(w->accessibleName()));
        if (auto* label = qobject_cast<QLabel*>(w); label && !label->text().isEmpty())
            text(label, source(label->text()));
        else if (auto* button = qobject_cast<QAbstractButton*>(w); button && !button->text().isEmpty())
            text(button, source(button->text()));
        else if (auto* box = qobject_cast<QGroupBox*>(w); box && !box->title().isEmpty())
            title(box, source(box->title()));
        else if (auto* list = qobject_cast<QComboBox*>(w); list && list->count() > 0) {
            std::vector<UiText> all;
            for (int i = 0; i < list->count(); ++i) all.push_back(source(list->itemText(i)));
            items(list, std::move(all));
        }
    }
}

void ShownTexts::showAll() {
    const std::vector<Entry> entries = entries_;  // a text shown may hand over another
    for (const Entry& e : entries) e.show();
}

bool ShownTexts::event(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) showAll();
    return QObject::event(event);
}

}  // namespace lxv
