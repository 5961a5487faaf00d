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
class TMainForm;
class TRecordForm;

class Windows {
  public:
    // Makes every window; `arguments` is the command line without the program name.
    Windows(Session& session, IniFile& sysSet, const QStringList& arguments);
    ~Windows();
    Windows(const Windows&) = delete;
    Windows& operator=(const Windows&) = delete;

    TMainForm& main() { return *main_; }
    TRecordForm& record() { return *record_; }

  private:
    std::unique_ptr<TMainForm> main_;
    TRecordForm* record_ = nullptr;  // a child of the main window
};

}  // namespace lxv
