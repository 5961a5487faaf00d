// The alarm window "报警值设定" (TAlarmForm), a view of AlarmControl: shown
// modally by the main window's command, which also starts the read chain.
// The chains run on in the controller when the window is closed.
#pragma once

#include <QDialog>
#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace lxv {

class AlarmControl;
class ShownTexts;

class TAlarmForm : public QDialog {
    Q_OBJECT
  public:
    explicit TAlarmForm(AlarmControl& control, QWidget* parent = nullptr);

    // The main window's command: starts the read chain and shows the window modally.
    void Open();
    void Button1Click();  // "保存到仪器"
    void Button2Click();  // "退出"
    void Button3Click();  // "读仪器数据"

  private:
    void takeFields();  // the fields and boxes as they are now into the controller's fields
    void showState();

    AlarmControl& control_;
    ShownTexts* texts_ = nullptr;
    std::array<QLineEdit*, 8> edits_{};       // Edit1..Edit8
    std::array<QCheckBox*, 8> checkBoxes_{};  // CheckBox1..CheckBox8
    QLabel* Label7;
    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* Button3;
    bool showing_ = false;  // showState() is writing the controls
};

}  // namespace lxv
