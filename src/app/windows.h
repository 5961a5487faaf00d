// The program's windows, made once in the start-up order and wired to the
// main window's menu items, tool buttons and shortcuts here and nowhere else.
// A window that is not made leaves its items disabled. Windows are views of
// the session: they are shown and hidden, never destroyed before exit.
#pragma once

#include <QKeyCombination>
#include <QStringList>
#include <memory>
#include <vector>

#include "appearance/tool_glyphs.h"

namespace lxv {

struct CommandLine;

class IniFile;
class Session;
class TEnterInfoForm;
class TMainForm;
class TPrinterForm;
class TRecordForm;

// What a menu item or tool button of the main window does. The main window
// carries out its own commands; the others open a window and are attached here.
enum class Command {
    OpenTestFile,
    SaveTestFile,
    Report,
    Close,
    Single,
    Continuous,
    Stop,
    StartingTest,
    HarmonicReport,
    Record,
    HarmonicTest,
    StandbyTest,
    PortSettings,
    Style,
    InstrumentSettings,
    Calibration,
    InstrumentAddress,
    AlarmLimits,
    Language,
    Manual,
    Support,
    Version,
};

// One row of the main window's menus and tool bar, in the order they show:
// a menu, an item of the menu above it, a separator, or a tool button.
struct MainControl {
    enum Kind { Menu, Item, MenuSeparator, Button, ToolSeparator };
    Kind kind;
    const char* name = nullptr;            // object name (MenuFile, N2, SeSkinSpeedButton1)
    const char* caption = nullptr;         // design text, translated when shown
    QKeyCombination key{};                 // the item's shortcut, none for a button
    const char* accessibleName = nullptr;  // a button's, a design text; nullptr: the caption
    Command command{};
    Glyph glyph{};        // a button's picture
    bool hidden = false;  // an item shown only when its window is attached
    // The caption's disambiguation (QT_TRANSLATE_NOOP3) where its source means another thing elsewhere.
    const char* meaning = nullptr;
};

// The one table of the main window's menus, items and tool buttons.
const std::vector<MainControl>& MainWindowControls();

class Windows {
  public:
    // Makes every window; `arguments` is the command line without the program name.
    Windows(Session& session, IniFile& sysSet, const QStringList& arguments);
    // The same for the command line main() has parsed.
    Windows(const CommandLine& line, Session& session, IniFile& sysSet);
    ~Windows();
    Windows(const Windows&) = delete;
    Windows& operator=(const Windows&) = delete;

    TMainForm& main() { return *main_; }
    TPrinterForm& printer() { return *printer_; }
    TRecordForm& record() { return *record_; }
    // The program's exit code once the main window has closed: 1 when the
    // recorder's last save failed and the user quit anyway, else 0.
    int exitCode() const { return exitCode_; }

  private:
    IniFile& sysSet_;
    std::unique_ptr<IniFile> enterInfo_;  // EnterInfo.ini
    std::unique_ptr<TMainForm> main_;
    TPrinterForm* printer_ = nullptr;
    TEnterInfoForm* enterInfoForm_ = nullptr;
    TRecordForm* record_ = nullptr;  // a child of the main window
    int exitCode_ = 0;
    bool closing_ = false;
};

}  // namespace lxv
