// The calibration window "CalibrateForm" (TCalibrateForm), a view of
// CalibrateControl: not blocking, reachable in service mode only. Its
// temperature group is shown in service mode too.
#pragma once

#include <QDialog>
#include <functional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;

namespace lxv {

class ShownTexts;

class CalibrateControl;
struct ConfigEffects;

// The main window's measurement commands, run by the window's last three buttons.
struct MeasureCommands {
    std::function<void()> single, continuous, stop;
};

class TCalibrateForm : public QDialog {
    Q_OBJECT
  public:
    TCalibrateForm(CalibrateControl& control, MeasureCommands commands, bool showTemperature,
                   QWidget* parent = nullptr);

  private:
    QPushButton* button(const char* name, const QString& caption, std::function<ConfigEffects()> action);
    QLineEdit* field(const char* name, const char* label, QLabel*& caption);
    void takeFields();  // the fields as they are now into the controller's fields
    void showState();

    CalibrateControl& control_;
    MeasureCommands commands_;
    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QLineEdit* Edit7;
    QLineEdit* Edit8;
    QLabel* Label8;
    QLabel* Label9;
    QCheckBox* CheckBox1;
    QGroupBox* temperature_;
    ShownTexts* texts_ = nullptr;
    QStatusBar* StatusBar1;
    bool showing_ = false;  // showState() is writing the fields
};

}  // namespace lxv
