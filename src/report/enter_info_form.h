// The report information window (TEnterInfoForm, "Enter the print information"):
// project, testing organization, tester, date and temperature with its unit,
// kept in EnterInfo.ini. Filled once at creation; "Enter" stores and closes,
// "Cancel" and "Exit" close without storing.
#pragma once

#include <QDialog>
#include <functional>

class QLineEdit;
class QRadioButton;

namespace lxv {

class IniFile;

class TEnterInfoForm : public QDialog {
    Q_OBJECT
  public:
    TEnterInfoForm(IniFile& enterInfo, QWidget* parent = nullptr);

    // Fills the fields from the file; today's date in the date field. A `units`
    // that is not an integer shows the conversion message; the rest stays usable.
    void FormCreate();
    // Called after "Enter" stored the values (the report scrolls its preview to the top).
    void SetStoredHandler(std::function<void()> handler) { stored_ = std::move(handler); }

    void Button1Click();  // "Enter"
    void Button2Click();  // "Cancel"
    void Button3Click();  // "Exit"

  private:
    IniFile& file_;
    QLineEdit* edits_[5] = {};
    QRadioButton* celsius_ = nullptr;
    QRadioButton* fahrenheit_ = nullptr;
    std::function<void()> stored_;
};

}  // namespace lxv
