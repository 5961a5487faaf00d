#include "platform/shell.h"

#include <QDesktopServices>
#include <QUrl>

namespace lxv {

namespace {

class DesktopShell : public Shell {
  public:
    bool openDocument(const QString& path) override {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    }
    bool openUrl(const QString& url) override { return QDesktopServices::openUrl(QUrl(url)); }
};

Shell*& Installed() {
    static Shell* installed = nullptr;
    return installed;
}

}  // namespace

Shell& AppShell() {
    static DesktopShell desktop;
    return Installed() ? *Installed() : desktop;
}

void SetAppShell(Shell* shell) {
    Installed() = shell;
}

}  // namespace lxv
