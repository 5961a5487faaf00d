// Opening a document or a web page with the desktop's default application,
// behind one interface so that window tests can see what would be opened.
#pragma once

#include <QString>

namespace lxv {

class Shell {
  public:
    virtual ~Shell() = default;
    // A local file (the manual) in its default viewer; false when nothing could open it.
    virtual bool openDocument(const QString& path) = 0;
    // A web page or a file URL in the default browser.
    virtual bool openUrl(const QString& url) = 0;
};

// The shell in use: the desktop's unless a test installed another.
Shell& AppShell();
void SetAppShell(Shell* shell);  // nullptr restores the desktop's

}  // namespace lxv
