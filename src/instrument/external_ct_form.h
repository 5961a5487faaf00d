// The instrument settings window "Instrument settings" (TExternal_CT_form), a
// view of SettingsControl: not blocking, made at start and kept, so its
// controls keep their contents between openings.
#pragma once

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStatusBar;

namespace lxv {

class SettingsControl;
class ShownTexts;

class TExternal_CT_form : public QDialog {
    Q_OBJECT
  public:
    explicit TExternal_CT_form(SettingsControl& control, QWidget* parent = nullptr);

    void Button1Click();  // "Saved to instrument"
    void Button2Click();  // "Read from instrument"
    void Button3Click();  // "Default"

  private:
    void takeFields();  // the controls as they are now into the controller's fields
    void showState();   // the controller's fields and status into the controls

    SettingsControl& control_;
    QLineEdit* Edit1;
    QLineEdit* Edit3;
    QLineEdit* Edit4;
    QComboBox* ComboBox3;
    QButtonGroup* RadioGroup1;
    QButtonGroup* RadioGroup2;
    QComboBox* ComboBox1;
    QCheckBox* CheckBox1;
    QRadioButton* RadioButton1;
    QRadioButton* RadioButton2;
    QLabel* Label11;
    QComboBox* ComboBox2;
    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* Button3;
    QStatusBar* StatusBar1;
    ShownTexts* texts_ = nullptr;
    bool showing_ = false;
};

}  // namespace lxv
