#include "link/comm_form.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "link/frame_codec.h"
#include "link/link_state.h"
#include "link/main_window_hooks.h"
#include "link/registers.h"
#include "platform/dialogs.h"
#include "platform/ini_file.h"
#include "platform/serial_port.h"

namespace lxv {

namespace {

// Only the first eleven recognised bridges are compared with the ports found.
constexpr std::size_t kComparedInstrumentPorts = 11;
constexpr int kIdleTicksBeforeCheck = 10;        // LINKCHK after 1.1 s without a reply
constexpr int kReconnectTicksBeforeReopen = 15;  // close and reopen after 1.6 s

const char* const kNotFoundText =
    " Did not find the default communication port! Please check:\r\r   Instrument power is turned on.\r"
    "   Connect the instrument of communication lines.\r"
    "   Change the USB port, in the communication settings reset!";
const char* const kSendFailedText = "Read the request failed, instruments and computers have not connected.";
const char* const kBaudItems[8] = {"4.8Kbps",  "9.6Kbps",  "14.4Kbps", "19.2Kbps",
                                   "38.4Kbps", "57,6Kbps", "76.8Kbps", "115.2Kbps"};

// The port number that a recognised port's display name ends in, "(COMn)": its
// length tells how many digits n has. 0 when the name has another length or
// the digits are not a number.
int PortNumberFromName(const QString& name) {
    const int length = static_cast<int>(name.size());
    const int digits = (length >= 23 && length <= 25)   ? length - 22
                       : (length >= 31 && length <= 33) ? length - 30
                                                        : 0;
    if (digits == 0) return 0;
    const QString number = name.mid(name.size() - 1 - digits, digits);
    for (const QChar c : number)
        if (c < '0' || c > '9') return 0;
    return number.toInt();
}

}  // namespace

TCommForm::TCommForm(SerialPort& port, InstrumentLink& link, LinkState& state, IniFile& sysSet,
                     MainWindowHooks& hooks, QWidget* parent)
    : QDialog(parent), port_(port), link_(link), state_(state), sysSet_(sysSet), hooks_(hooks) {
    setObjectName("CommForm");
    setWindowTitle(QString::fromUtf8("程式參數設置"));

    RadioGroup2 = new QGroupBox(" Communication Port ", this);
    RadioGroup2->setObjectName("RadioGroup2");
    radioLayout_ = new QVBoxLayout(RadioGroup2);
    radioLayout_->addStretch();
    radioButtons_ = new QButtonGroup(this);
    radioButtons_->setExclusive(true);
    // Like the list's click event, a change of the chosen item, whoever made it; the
    // scan's own changes are ignored by the scan-done flag.
    connect(radioButtons_, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked) RadioGroup2Click();
    });

    Button1 = new QPushButton(" Scanning Communication port", this);
    Button1->setObjectName("Button1");
    connect(Button1, &QPushButton::clicked, this, &TCommForm::Button1Click);
    Button2 = new QPushButton("Exit", this);
    Button2->setObjectName("Button2");
    connect(Button2, &QPushButton::clicked, this, &TCommForm::Button2Click);

    auto* baudGroup = new QGroupBox("BaudRate", this);
    baudGroup->setObjectName("GroupBox1");
    ComboBox1 = new QComboBox(baudGroup);
    ComboBox1->setObjectName("ComboBox1");
    for (const char* item : kBaudItems) ComboBox1->addItem(item);
    ComboBox1->setCurrentIndex(2);
    connect(ComboBox1, &QComboBox::activated, this, &TCommForm::ComboBox1Change);
    (new QVBoxLayout(baudGroup))->addWidget(ComboBox1);

    auto* addressLabel = new QLabel(QString::fromUtf8("Instruments Address（1-255）：  "), this);
    addressLabel->setObjectName("Label1");
    Edit1 = new QLineEdit("1", this);
    Edit1->setObjectName("Edit1");
    Edit1->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), Edit1));
    connect(Edit1, &QLineEdit::textEdited, this, &TCommForm::Edit1Change);

    auto* right = new QVBoxLayout;
    right->addWidget(baudGroup);
    right->addWidget(addressLabel);
    right->addWidget(Edit1);
    right->addStretch();
    right->addWidget(Button2);
    auto* left = new QVBoxLayout;
    left->addWidget(RadioGroup2, 1);
    left->addWidget(Button1);
    auto* grid = new QHBoxLayout(this);
    grid->addLayout(left, 1);
    grid->addLayout(right);

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, &TCommForm::Timer1Timer);
    Timer1->start();
}

void TCommForm::FormCreate() {
    scan();
}

void TCommForm::Button1Click() {
    scan();
}

void TCommForm::Button2Click() {
    close();
}

void TCommForm::scan() {
    scanDone_ = false;
    // A start with a file spares the user the not-found message of the first scan only.
    const bool quiet = state_.StartedWithFile;
    state_.StartedWithFile = false;
    hooks_.setStatusPanelText(0, "Searching port");
    if (!readSettings()) return;
    if (port_.isOpen()) port_.close();
    const std::vector<PortInfo> ports = port_.enumerate();
    recogniseInstrumentPorts(ports);

    clearPortItems();
    state_.LinkKind = 2;
    // The ports that exist, in ascending order, rather than 255 blind opens.
    std::vector<int> numbers;
    for (const PortInfo& p : ports)
        if (p.number >= 1 && p.number <= 255) numbers.push_back(p.number);
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    bool selected = false;
    for (const int n : numbers) {
        if (!port_.probe(n)) continue;
        const bool configured = n == configuredPort_;
        if (isInstrumentPort(n)) {
            addPortItem(QString("COM%1         Through the USB connection LXV7700").arg(n), configured);
            if (configured) state_.LinkKind = 1;
        } else {
            addPortItem(QString("COM%1    ").arg(n), configured);
        }
        selected = selected || configured;
    }

    if (!selected) {
        if (!quiet) AppDialogs().showMessage(this, QString::fromUtf8(kNotFoundText));
        hooks_.setMeasureActionsEnabled(false);
        hooks_.setStatusPanelText(0, "Connection failed");
    } else {
        SetCommPort(configuredPort_);
        if (!port_.isOpen() && !openPort()) return;
        hooks_.setStatusPanelText(0, "Port is open");
        hooks_.setMeasureActionsEnabled(true);
        state_.AlarmReadStep = 0;
        sendSetupRead();
    }
    scanDone_ = true;
}

bool TCommForm::readSettings() {
    try {
        int baudIndex = sysSet_.readInteger("CommBaudrate", "Baudrate", 2);
        if (baudIndex < 0 || baudIndex > 7) baudIndex = 2;  // no such list entry: the default rate
        configuredPort_ = sysSet_.readInteger("CommPort", "Port", 2);
        const int address = sysSet_.readInteger("CommAddress", "Address", 2);
        ComboBox1->setCurrentIndex(baudIndex);
        state_.BaudIndex = baudIndex;
        port_.setBaudRate(BaudRateForIndex(baudIndex));
        Edit1->setText(QString::number(address));
        applyAddress(false);
        return true;
    } catch (const ConversionError& e) {
        AppDialogs().showError(this, QString::fromStdString(e.what()));
        return false;
    }
}

void TCommForm::recogniseInstrumentPorts(const std::vector<PortInfo>& ports) {
    instrumentPorts_.clear();  // this scan's findings only, not those of earlier scans
    for (const PortInfo& p : ports) {
        if (p.identifier.find("5736") == std::string::npos) continue;
        const int n = PortNumberFromName(QString::fromStdString(p.displayName));
        if (n > 0) instrumentPorts_.push_back(n);
    }
}

bool TCommForm::isInstrumentPort(int n) const {
    const auto end = instrumentPorts_.begin() + std::min(instrumentPorts_.size(), kComparedInstrumentPorts);
    return std::find(instrumentPorts_.begin(), end, n) != end;
}

void TCommForm::addPortItem(const QString& text, bool select) {
    auto* button = new QRadioButton(text, RadioGroup2);
    radioButtons_->addButton(button, static_cast<int>(radioItems_.size()));
    radioLayout_->insertWidget(radioLayout_->count() - 1, button);
    radioItems_.push_back(button);
    if (select) button->setChecked(true);
}

void TCommForm::clearPortItems() {
    for (QRadioButton* button : radioItems_) {
        radioButtons_->removeButton(button);
        delete button;
    }
    radioItems_.clear();
}

QStringList TCommForm::portItems() const {
    QStringList items;
    for (const QRadioButton* button : radioItems_) items << button->text();
    return items;
}

int TCommForm::portItemIndex() const {
    return radioButtons_->checkedId();
}

void TCommForm::setPortItemIndex(int index) {
    if (index >= 0 && index < static_cast<int>(radioItems_.size())) radioItems_[index]->setChecked(true);
}

void TCommForm::RadioGroup2Click() {
    if (!scanDone_) return;
    const int index = portItemIndex();
    if (index < 0) return;
    const QString text = radioItems_[index]->text();
    // "COM5    " or "COM12         Through the USB ...": the number is characters 4 to 6.
    bool ok = false;
    const int n = text.mid(3, 3).trimmed().toInt(&ok);
    if (!ok) return;
    sysSet_.writeString("CommPort", "Port", std::to_string(n));
    port_.close();
    SetCommPort(n);
    state_.LinkKind = text.contains("USB") ? 1 : 0;
    if (!openPort()) return;
    hooks_.setStatusPanelText(0, "Connected");
    hooks_.setMeasureActionsEnabled(true);
}

void TCommForm::ComboBox1Change() {
    const int index = ComboBox1->currentIndex();
    if (index < 0) return;
    sysSet_.writeInteger("CommBaudrate", "Baudrate", index);
    state_.BaudIndex = index;
    port_.setBaudRate(BaudRateForIndex(index));
    if (port_.isOpen()) {
        port_.close();
        openPort();
    }
}

void TCommForm::Edit1Change() {
    applyAddress(true);
}

void TCommForm::applyAddress(bool save) {
    const QString text = Edit1->text();
    bool ok = true;
    const qulonglong value = text.isEmpty() ? 0 : text.toULongLong(&ok);
    const bool tooLarge = !ok || value > 255;  // the station address is one byte
    if (!tooLarge) state_.InstrumentAddress = static_cast<std::uint8_t>(value);
    QPalette palette = Edit1->palette();
    if (value == 0 || tooLarge) {
        palette.setColor(QPalette::Text, Qt::red);
        Edit1->setPalette(palette);
        return;
    }
    Edit1->setPalette(QPalette());
    if (save) sysSet_.writeString("CommAddress", "Address", text.toStdString());
}

void TCommForm::SetCommPort(int n) {
    if (n != 0) commPort_ = n;
}

bool TCommForm::openPort() {
    try {
        port_.open(commPort_, BaudRateForIndex(state_.BaudIndex));
    } catch (const PortError& e) {
        AppDialogs().showError(this, QString::fromUtf8(e.what()));
        return false;
    }
    // A freshly opened link starts its watchdog count from here.
    state_.IdleTicks = 0;
    state_.ReconnectTicks = 0;
    return true;
}

void TCommForm::sendSetupRead() {
    if (!link_.SendReadRequest(state_.InstrumentAddress, SETUP, kSetupStartCount))
        AppDialogs().showMessage(this, kSendFailedText);
}

void TCommForm::Timer1Timer() {
    ++state_.IdleTicks;
    ++state_.ReconnectTicks;
    if (state_.LinkKind != 1) return;
    if (state_.IdleTicks > kIdleTicksBeforeCheck) {
        state_.IdleTicks = 0;
        link_.SendReadRequest(state_.InstrumentAddress, LINKCHK, kLinkCheckCount);
    }
    if (state_.ReconnectTicks > kReconnectTicksBeforeReopen) {
        state_.ReconnectTicks = 0;
        reconnect();
    }
}

void TCommForm::reconnect() {
    port_.close();
    if (!port_.probe(commPort_)) {
        hooks_.setStatusPanelText(0, "Connection failed!");
        return;
    }
    try {
        port_.open(commPort_, BaudRateForIndex(state_.BaudIndex));
    } catch (const PortError&) {
        // Taken between probe and open: tried again on the next round, without a
        // message box every 1.6 s.
        hooks_.setStatusPanelText(0, "Connection failed!");
        return;
    }
    hooks_.setStatusPanelText(0, "Connected");
    state_.IdleTicks = 0;
    link_.SendReadRequest(state_.InstrumentAddress, LINKCHK, kLinkCheckCount);
}

}  // namespace lxv
