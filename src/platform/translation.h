// The language of the user interface: the design's original texts, or English
// through the compiled translation (translations/lxv7700_en.qm). Choosing one
// installs or removes the translator, which sends QEvent::LanguageChange to
// every window; each window's ShownTexts then shows its texts again.
// The choice is kept in SysSet.ini, [Language] UI=original|en. Files never
// depend on it: INI keys and values, test, record and export files stay the same.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/ui_text.h"

class QAbstractButton;
class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QMenu;
class QWidget;

namespace lxv {

class IniFile;

// A design text in the language in use (the context is kTextContext).
QString Translated(const char* source);
QString Translated(const std::string& source);
// The text translated and its values filled in.
QString Translated(const UiText& text);
// The text without its menu accelerator marks ("&Open" -> "Open", "&&" -> "&"). A caption that a
// menu shares with a button, a title, a tool tip or an accessible name shows its marks only in the menu.
QString WithoutMnemonics(const QString& text);

enum class UiLanguage { Original, English };

// "original" and "en", as stored and as given to --language.
const char* LanguageKey(UiLanguage language);
// False for any other text.
bool ParseLanguageKey(const std::string& key, UiLanguage& language);
// The stored choice; the original without one (or with an unknown value).
UiLanguage StoredLanguage(const IniFile& sysSet);
bool StoreLanguage(IniFile& sysSet, UiLanguage language);

// Switches the language; false (and the original kept) when the English
// translation file cannot be loaded.
bool SetUiLanguage(UiLanguage language);
UiLanguage CurrentUiLanguage();
// Where the English translation is looked for (installed, or in the build tree).
std::string TranslationFilePath();

// The texts one window shows, kept as their sources: each is shown now in the
// language in use and again at every QEvent::LanguageChange the window gets
// (a child of the window, it receives what the window passes to its children).
// A later call for the same control and role replaces the earlier text, so a
// status text is handed over again whenever it changes.
class ShownTexts : public QObject {
  public:
    explicit ShownTexts(QWidget* window);

    void text(QLabel* label, UiText text);
    void text(QAbstractButton* button, UiText text);
    void text(QAction* action, UiText text);
    void title(QGroupBox* box, UiText text);
    void title(QMenu* menu, UiText text);
    void windowTitle(QWidget* window, UiText text);
    void toolTip(QWidget* widget, UiText text);
    void toolTip(QAction* action, UiText text);
    void accessibleName(QWidget* widget, UiText text);
    // The tool tip and the accessible name of a picture-only button.
    void toolTipAndName(QWidget* widget, UiText text);
    // A label read as "caption: value" (platform/accessible_value.h).
    void valueCaption(QLabel* label, UiText caption);
    // Every item of a list, the chosen one kept.
    void items(QComboBox* list, std::vector<UiText> items);
    // Runs `show` now and at every change of language, for texts put together
    // by the window (tool tips with a shortcut, table headings).
    void refresh(QObject* target, int role, std::function<void()> show);

    // Takes the texts that the controls under `root` (root included) show now
    // as their design texts: window titles, labels, buttons, group box titles,
    // list items, tool tips and accessible names. For windows built from marked
    // texts; controls in `skip` (values, status texts) are left to the window.
    void adopt(QWidget* root, std::initializer_list<const QObject*> skip = {});

    // Shows every text again in the language in use.
    void showAll();

  protected:
    bool event(QEvent* event) override;

  private:
    enum Role { kText, kTitle, kWindowTitle, kToolTip, kAccessibleName, kValueCaption, kItems };
    void keep(QObject* target, int role, std::function<void()> show);

    struct Entry {
        QObject* target;
        int role;
        std::function<void()> show;
    };
    std::vector<Entry> entries_;
};

}  // namespace lxv
