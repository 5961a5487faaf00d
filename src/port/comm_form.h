// The port settings window "程式參數設置": shows the ports that the link
// control found and lets the user choose one, the baud rate and the station
// address. The scan, opening and the USB watchdog with its 100 ms timer
// ("TCommForm.Timer1") live in LinkControl, so the watchdog runs whether or not
// this window is shown.
#pragma once

#include <QDialog>
#include <QStringList>
#include <vector>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

namespace lxv {

class LinkControl;
class ShownTexts;
struct LinkEffects;

class TCommForm : public QDialog {
    Q_OBJECT
  public:
    explicit TCommForm(LinkControl& control, QWidget* parent = nullptr);

    // The creation step: reads the settings, scans, opens the port and asks for the settings block.
    void FormCreate();

    void Button1Click();      // scan again
    void Button2Click();      // "Exit"
    void RadioGroup2Click();  // a port was chosen in the list
    void ComboBox1Change();   // baud rate
    void Edit1Change();       // station address
    // Selects COMn as the port to open; 0 leaves the selection as it is.
    void SetCommPort(int n);

    bool scanDone() const;
    const std::vector<int>& instrumentPortList() const;
    int configuredPort() const;
    int commPort() const;

    // The port list: item texts, the chosen item (-1 for none), and choosing one as a click does.
    QStringList portItems() const;
    int portItemIndex() const;
    void setPortItemIndex(int index);

  private:
    void scan();
    void showEffects(const LinkEffects& fx);
    void showPortItems();
    void showFields();
    void showAddressValidity();

    LinkControl& control_;
    ShownTexts* texts_;

    QGroupBox* RadioGroup2;
    QVBoxLayout* radioLayout_;
    QButtonGroup* radioButtons_;
    std::vector<QRadioButton*> radioItems_;
    QPushButton* Button1;
    QPushButton* Button2;
    QComboBox* ComboBox1;
    QLineEdit* Edit1;
    bool showing_ = false;  // the window refreshes its own controls: no choice of the user
};

}  // namespace lxv
