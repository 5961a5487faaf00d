// What the port settings window asks of the main window, so that each can be
// built and tested without the other.
#pragma once

#include <QString>

namespace lxv {

class MainWindowHooks {
  public:
    virtual ~MainWindowHooks() = default;
    // Main status bar panel 0..5.
    virtual void setStatusPanelText(int panel, const QString& text) = 0;
    // Single and continuous tool buttons (SeSkinSpeedButton7, 8) and menu items N12, N13.
    virtual void setMeasureActionsEnabled(bool enabled) = 0;
};

}  // namespace lxv
