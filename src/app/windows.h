// The program's windows, made once in the start-up order and wired to the
// main window's menu items, tool buttons and shortcuts here and nowhere else.
// A window that is not made leaves its items disabled. Windows are views of
// the session: they are shown and hidden, never destroyed before exit.
#pragma once

#include <QStringList>
#include <memory>

namespace lxv {

class IniFile;
class Session;
class TEnterInfoForm;
class TMainForm;
class TPrinterForm;
class TRecordForm;

class Windows {
  public:
    // Makes every window; `arguments` is the command line without the program name.
    Windows(Session& session, IniFile& sysSet, const QStringList& arguments);
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
