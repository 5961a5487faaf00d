// The port settings window "程式參數設置": scans the serial ports, recognises
// the instrument's USB bridge, opens the chosen port with its baud rate and
// station address from SysSet.ini, and keeps the USB link alive with a 100 ms
// watchdog that sends LINKCHK and reopens a silent port.
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
class QTimer;
class QVBoxLayout;

namespace lxv {

class IniFile;
class InstrumentLink;
class MainWindowHooks;
class SerialPort;
struct LinkState;
struct PortInfo;

class TCommForm : public QDialog {
    Q_OBJECT
  public:
    TCommForm(SerialPort& port, InstrumentLink& link, LinkState& state, IniFile& sysSet,
              MainWindowHooks& hooks, QWidget* parent = nullptr);

    // The creation step: reads the settings, scans, opens the port and asks for the settings block.
    void FormCreate();

    void Button1Click();      // scan again
    void Button2Click();      // "Exit"
    void RadioGroup2Click();  // a port was chosen in the list
    void ComboBox1Change();   // baud rate
    void Edit1Change();       // station address
    void Timer1Timer();       // USB link watchdog, every 100 ms
    // Selects COMn as the port to open; 0 leaves the selection as it is.
    void SetCommPort(int n);

    bool scanDone() const { return scanDone_; }
    const std::vector<int>& instrumentPortList() const { return instrumentPorts_; }
    int configuredPort() const { return configuredPort_; }
    int commPort() const { return commPort_; }

    // The port list: item texts, the chosen item (-1 for none), and choosing one as a click does.
    QStringList portItems() const;
    int portItemIndex() const;
    void setPortItemIndex(int index);

  private:
    void scan();
    bool readSettings();
    void recogniseInstrumentPorts(const std::vector<PortInfo>& ports);
    void addPortItem(const QString& text, bool select);
    void clearPortItems();
    bool isInstrumentPort(int n) const;
    void applyAddress(bool save);
    // Opens commPort_ at the chosen baud rate; an open failure is shown and gives false.
    bool openPort();
    void reconnect();
    void sendSetupRead();

    SerialPort& port_;
    InstrumentLink& link_;
    LinkState& state_;
    IniFile& sysSet_;
    MainWindowHooks& hooks_;

    QGroupBox* RadioGroup2;
    QVBoxLayout* radioLayout_;
    QButtonGroup* radioButtons_;
    std::vector<QRadioButton*> radioItems_;
    QPushButton* Button1;
    QPushButton* Button2;
    QComboBox* ComboBox1;
    QLineEdit* Edit1;
    QTimer* Timer1;

    bool scanDone_ = false;
    int configuredPort_ = 0;
    int commPort_ = 0;
    std::vector<int> instrumentPorts_;
};

}  // namespace lxv
