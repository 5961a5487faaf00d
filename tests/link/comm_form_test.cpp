// The port settings window against an in-memory port: scan, port choice,
// baud and address fields, and the USB watchdog driven tick by tick.
#include "port/comm_form.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

#include "link/frame_codec.h"
#include "port/link_control.h"
#include "link/link_state.h"
#include "link/registers.h"
#include "platform/ini_file.h"
#include "core/session_core.h"
#include "support/fake_dialogs.h"
#include "support/fake_serial_port.h"
#include "support/manual_timers.h"

namespace lxv {
namespace {

const QString kNotFound = QString(
    " Did not find the default communication port! Please check:\r\r   Instrument power is turned on.\r"
    "   Connect the instrument of communication lines.\r   Change the USB port, in the communication "
    "settings "
    "reset!");

PortInfo Bridge(int n, const std::string& name) {
    return {n, "/dev/ttyUSB0", "USB\\VID_1A86&PID_5736\\0001", name};
}
PortInfo Bridge(int n) {
    return Bridge(n, "USB-UART Adapter (COM" + std::to_string(n) + ")");
}

bool IsRequest(const std::vector<std::uint8_t>& f, std::uint16_t reg, std::uint16_t count) {
    return f.size() == 8 && f[1] == 3 && f[2] == (reg >> 8) && f[3] == (reg & 0xFF) && f[4] == (count >> 8) &&
           f[5] == (count & 0xFF) && CrcMatches(f.data(), f.size());
}

}  // namespace

class TCommFormTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<IniFile> ini;
    std::unique_ptr<test::FakeSerialPort> port;
    test::ManualTimers timers;
    std::unique_ptr<SessionCore> core;
    LinkState* state = nullptr;
    std::unique_ptr<LinkControl> control;
    // What the main window is told: panel 0 texts in order, and the measurement actions.
    struct Hooks {
        QStringList status;
        int enabledCalls = 0;
        bool enabled = false;
    };
    std::unique_ptr<Hooks> hooks;
    struct Dialogs : test::FakeDialogs {
        QStringList& messages = shown;
    } dialogs;
    std::unique_ptr<TCommForm> form;

    QString iniPath() const { return dir.filePath("SysSet.ini"); }
    void writeIni(const QByteArray& text) {
        QFile f(iniPath());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
        f.close();
        ini->reload();
    }
    QByteArray iniText() const {
        QFile f(iniPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QLineEdit* edit1() const { return form->findChild<QLineEdit*>("Edit1"); }
    QComboBox* combo1() const { return form->findChild<QComboBox*>("ComboBox1"); }
    // The port is held by the form: make it present and pretend it can be opened again.
    // 100 ms of the watchdog; a request the fake port never answers is given up meanwhile.
    void tick(int n) {
        for (int i = 0; i < n; ++i) {
            timers.fire("ReplyWaitTimer");
            timers.fire("TCommForm.Timer1");
        }
    }

  private slots:
    void init() {
        QVERIFY(dir.isValid());
        QFile::remove(iniPath());
        ini = std::make_unique<IniFile>(iniPath().toStdString());
        port = std::make_unique<test::FakeSerialPort>();
        form.reset();
        control.reset();
        core = std::make_unique<SessionCore>(*port, timers);
        state = &core->state;
        hooks = std::make_unique<Hooks>();
        core->status.subscribe([h = hooks.get()](int panel, const std::string& text) {
            if (panel == 0) h->status << QString::fromStdString(text);
        });
        control = std::make_unique<LinkControl>(*core, *ini);
        control->setPortReadyHandler([h = hooks.get()](bool on) {
            ++h->enabledCalls;
            h->enabled = on;
        });
        dialogs.clear();
        SetAppDialogs(&dialogs);
        form = std::make_unique<TCommForm>(*control);
    }
    void cleanup() {
        form.reset();
        control.reset();
        SetAppDialogs(nullptr);
    }

    void controlsCaptionsAndDefaults() {
        QCOMPARE(form->windowTitle(), QString("程式參數設置"));
        QCOMPARE(form->findChild<QGroupBox*>("RadioGroup2")->title(), QString(" Communication Port "));
        QCOMPARE(form->findChild<QPushButton*>("Button1")->text(), QString(" Scanning Communication port"));
        QCOMPARE(form->findChild<QPushButton*>("Button2")->text(), QString("Exit"));
        QStringList items;
        for (int i = 0; i < combo1()->count(); ++i) items << combo1()->itemText(i);
        QCOMPARE(items, QStringList({"4.8Kbps", "9.6Kbps", "14.4Kbps", "19.2Kbps", "38.4Kbps", "57,6Kbps",
                                     "76.8Kbps", "115.2Kbps"}));
        QCOMPARE(edit1()->text(), QString("1"));
        // The watchdog is the link control's, running from its creation.
        auto* timer = timers.find("TCommForm.Timer1");
        QVERIFY(timer && timer->isActive());
        QCOMPARE(timer->interval(), 100);
        // Nothing is scanned before the creation step.
        QVERIFY(hooks->status.isEmpty());
        QVERIFY(!form->scanDone());
    }

    void configuredPlainPortIsOpenedAndAsked() {
        port->present = {1, 3};
        writeIni("[CommPort]\nPort=3\n[CommAddress]\nAddress=7\n[CommBaudrate]\nBaudrate=5\n");
        form->FormCreate();
        QCOMPARE(form->portItems(), QStringList({"COM1    ", "COM3    "}));
        QCOMPARE(form->portItemIndex(), 1);
        QCOMPARE(state->LinkKind, LinkKind::Plain);  // a plain port: no watchdog
        QVERIFY(port->isOpen());
        QCOMPARE(port->portNumber(), 3);
        QCOMPARE(port->baud_, 57600);
        QCOMPARE(state->InstrumentAddress, 7);
        QCOMPARE(edit1()->text(), QString("7"));
        QCOMPARE(combo1()->currentIndex(), 5);
        QCOMPARE(hooks->status, QStringList({"Searching port", "Port is open"}));
        QVERIFY(hooks->enabled);
        QCOMPARE(port->written.size(), std::size_t{1});
        QCOMPARE(port->lastWritten(), test::WithCrc(test::Hex("07 03 00 BC 00 02")));
        QVERIFY(form->scanDone());
        QVERIFY(dialogs.messages.isEmpty());
        // The scan wrote nothing: the settings file is as it was.
        QCOMPARE(iniText(),
                 QByteArray("[CommPort]\nPort=3\n[CommAddress]\nAddress=7\n[CommBaudrate]\nBaudrate=5\n"));
    }

    void defaultsWithoutSettingsFile() {
        port->present = {2};
        form->FormCreate();
        QCOMPARE(form->configuredPort(), 2);
        QCOMPARE(port->portNumber(), 2);
        QCOMPARE(port->baud_, 14400);
        QCOMPARE(state->InstrumentAddress, 2);
        QVERIFY(IsRequest(port->lastWritten(), SETUP, 2));
    }

    void configuredPortAbsentOrBusy_data() {
        QTest::addColumn<bool>("busy");
        QTest::newRow("absent") << false;
        QTest::newRow("busy") << true;
    }
    void configuredPortAbsentOrBusy() {
        QFETCH(bool, busy);
        port->present = {1};
        if (busy) {
            port->present.insert(2);
            port->busy.insert(2);
        }
        form->FormCreate();
        QCOMPARE(form->portItems(), QStringList({"COM1    "}));
        QCOMPARE(form->portItemIndex(), -1);
        QCOMPARE(dialogs.messages, QStringList({"info: " + kNotFound}));
        QCOMPARE(hooks->status.last(), QString("Connection failed"));
        QVERIFY(hooks->enabledCalls > 0 && !hooks->enabled);
        QVERIFY(!port->isOpen());
        QVERIFY(port->written.empty());
        QVERIFY(form->scanDone());
        // Clicks now go through: choosing COM1 opens it.
        form->setPortItemIndex(0);
        QVERIFY(port->isOpen());
        QCOMPARE(hooks->status.last(), QString("Connected"));
    }

    void startWithFileSuppressesTheMessageOnce() {
        state->StartedWithFile = true;
        form->FormCreate();
        QVERIFY(dialogs.messages.isEmpty());
        QCOMPARE(hooks->status.last(), QString("Connection failed"));
        QVERIFY(!state->StartedWithFile);
        form->Button1Click();
        QCOMPARE(dialogs.messages, QStringList({"info: " + kNotFound}));
    }

    void startWithFileDoesNotSilenceALaterScan() {
        port->present = {2};
        state->StartedWithFile = true;
        form->FormCreate();
        QVERIFY(port->isOpen());
        port->present = {};
        port->close();
        form->Button1Click();
        QCOMPARE(dialogs.messages, QStringList({"info: " + kNotFound}));
    }

    void openFailureLeavesTheScanUndone() {
        port->present = {2, 4};
        port->failOpen = {2};
        form->FormCreate();
        QCOMPARE(dialogs.messages,
                 QStringList({"error: 通讯出现异常！请检查连接是否正确或重新启动程序和仪器。"}));
        QCOMPARE(hooks->status, QStringList({"Searching port"}));
        QCOMPARE(hooks->enabledCalls, 0);
        QVERIFY(port->written.empty());
        QVERIFY(!form->scanDone());
        // The list ignores choices until a scan completes.
        form->setPortItemIndex(1);
        QVERIFY(!port->isOpen());
        QVERIFY(!ini->hasKey("CommPort", "Port"));
    }

    void badSettingEndsTheScanWithTheConversionMessage() {
        port->present = {2};
        writeIni("[commbaudrate]\nbaudrate=abc\n");
        form->FormCreate();
        QCOMPARE(dialogs.messages, QStringList({"error: 'abc' is not a valid integer value"}));
        QVERIFY(!form->scanDone());
        QVERIFY(!port->isOpen());
    }

    void failedSetupReadIsReported() {
        port->present = {2};
        port->refuseWrites = true;
        form->FormCreate();
        QCOMPARE(
            dialogs.messages,
            QStringList({"info: Read the request failed, instruments and computers have not connected."}));
        QVERIFY(form->scanDone());
    }

    void bridgeRecognisedByNameLength_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("recognised");
        QTest::newRow("23, COM5") << 5 << "USB-UART Adapter (COM5)" << true;
        QTest::newRow("24, COM12") << 12 << "USB-UART Adapter (COM12)" << true;
        QTest::newRow("25, COM123") << 123 << "USB-UART Adapter (COM123)" << true;
        QTest::newRow("31, COM7") << 7 << "Tavro LXV7700 USB Serial (COM7)" << true;
        QTest::newRow("32, COM17") << 17 << "Tavro LXV7700 USB Serial (COM17)" << true;
        QTest::newRow("33, COM200") << 200 << "Tavro LXV7700 USB Serial (COM200)" << true;
        QTest::newRow("22") << 5 << "USB Serial Port (COM5)" << false;
        QTest::newRow("26") << 5 << "Communications Port (COM5)" << false;
        QTest::newRow("30") << 5 << "Tavro LXV7700 USB Seria (COM5)" << false;
        QTest::newRow("34") << 12 << "Tavro LXV7700 USB Serial L (COM12)" << false;
        QTest::newRow("24 but one digit") << 5 << "USB-UART Adapters (COM5)" << false;
    }
    void bridgeRecognisedByNameLength() {
        QFETCH(int, number);
        QFETCH(QString, name);
        QFETCH(bool, recognised);
        port->ports = {Bridge(number, name.toStdString())};
        port->present = {number};
        writeIni("[CommPort]\nPort=" + QByteArray::number(number) + "\n");
        form->FormCreate();
        QCOMPARE(form->instrumentPortList() == std::vector<int>{number}, recognised);
        const QString plain = QString("COM%1    ").arg(number);
        const QString usb = QString("COM%1         Through the USB connection LXV7700").arg(number);
        QCOMPARE(form->portItems(), QStringList({recognised ? usb : plain}));
        QCOMPARE(state->LinkKind, recognised ? LinkKind::Usb : LinkKind::Plain);
        QVERIFY(port->isOpen());
    }

    void bridgeNeedsItsIdentifier() {
        port->ports = {{5, "/dev/ttyUSB0", "USB\\VID_0403&PID_6001\\A1", "USB-UART Adapter (COM5)"}};
        port->present = {5};
        form->FormCreate();
        QVERIFY(form->instrumentPortList().empty());
        QCOMPARE(form->portItems(), QStringList({"COM5    "}));
    }

    void bridgeThatIsNotTheConfiguredPortKeepsAPlainLink() {
        port->ports = {Bridge(21)};
        port->present = {2, 21};
        form->FormCreate();
        QCOMPARE(form->portItems(),
                 QStringList({"COM2    ", "COM21         Through the USB connection LXV7700"}));
        QCOMPARE(form->portItemIndex(), 0);
        QCOMPARE(state->LinkKind, LinkKind::Plain);
    }

    void rescanForgetsEarlierFindings() {
        port->ports = {Bridge(21)};
        port->present = {21};
        form->FormCreate();
        form->Button1Click();
        QCOMPARE(form->instrumentPortList(), std::vector<int>{21});
        port->ports = {};
        port->present = {2};
        form->Button1Click();
        QVERIFY(form->instrumentPortList().empty());
        QCOMPARE(form->portItems(), QStringList({"COM2    "}));
    }

    void choosingAPortSavesItAndSetsLinkKind() {
        port->ports = {Bridge(21)};
        port->present = {2, 21};
        form->FormCreate();
        hooks->enabled = false;
        form->setPortItemIndex(1);
        QCOMPARE(ini->readInteger("CommPort", "Port", 0), 21);
        QCOMPARE(port->portNumber(), 21);
        QVERIFY(port->isOpen());
        QCOMPARE(state->LinkKind, LinkKind::Usb);
        QCOMPARE(hooks->status.last(), QString("Connected"));
        QVERIFY(hooks->enabled);
        form->setPortItemIndex(0);
        QCOMPARE(ini->readInteger("CommPort", "Port", 0), 2);
        QCOMPARE(port->portNumber(), 2);
        QCOMPARE(state->LinkKind, LinkKind::Plain);
        form->SetCommPort(0);  // leaves the choice as it is
        QCOMPARE(form->commPort(), 2);
        // The next scan selects the saved port.
        form->Button1Click();
        QCOMPARE(form->portItemIndex(), 0);
    }

    void choiceThatCannotOpenChangesNothingElse() {
        port->present = {2, 3};
        form->FormCreate();
        const QStringList before = hooks->status;
        port->failOpen = {3};
        hooks->enabledCalls = 0;
        form->setPortItemIndex(1);
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY(dialogs.messages[0].startsWith("error: "));
        QCOMPARE(hooks->status, before);
        QCOMPARE(hooks->enabledCalls, 0);
        QVERIFY(!port->isOpen());
    }

    void addressField() {
        port->present = {2};
        form->FormCreate();
        const QByteArray untouched = iniText();
        auto typed = [this](const QString& text) {
            edit1()->clear();
            QTest::keyClicks(edit1(), text);
            return edit1()->palette().color(QPalette::Text) == QColor(Qt::red);
        };
        QVERIFY(!typed("17"));
        QCOMPARE(state->InstrumentAddress, 17);
        QCOMPARE(ini->readString("CommAddress", "Address", ""), std::string("17"));
        // Letters and signs cannot be typed.
        QVERIFY(!typed("a2-b5"));
        QCOMPARE(edit1()->text(), QString("25"));
        QCOMPARE(state->InstrumentAddress, 25);
        const QByteArray saved = iniText();
        QVERIFY(typed("0"));
        QCOMPARE(state->InstrumentAddress, 0);
        QCOMPARE(iniText(), saved);
        QTest::keyClick(edit1(), Qt::Key_Backspace);  // empty counts as 0
        QCOMPARE(edit1()->text(), QString());
        QVERIFY(edit1()->palette().color(QPalette::Text) == QColor(Qt::red));
        QCOMPARE(iniText(), saved);
        // One byte: 256 and above are refused and the address stays as it was. A text
        // set without a key (paste, a screen reader) is taken as typed text is.
        auto pasted = [this](const QString& text) {
            edit1()->setText(text);
            return edit1()->palette().color(QPalette::Text) == QColor(Qt::red);
        };
        QVERIFY(!pasted("25"));
        QVERIFY(pasted("256"));
        QCOMPARE(state->InstrumentAddress, 25);
        QVERIFY(pasted("99999999999999999999999"));
        QCOMPARE(state->InstrumentAddress, 25);
        QCOMPARE(iniText(), saved);
        QVERIFY(!typed("255"));
        QCOMPARE(ini->readInteger("CommAddress", "Address", 0), 255);
        QVERIFY(untouched != iniText());
    }

    void storedAddressOutOfRangeIsShownRed() {
        port->present = {2};
        writeIni("[CommAddress]\nAddress=300\n");
        form->FormCreate();
        QVERIFY(edit1()->palette().color(QPalette::Text) == QColor(Qt::red));
        QCOMPARE(state->InstrumentAddress, 1);
        QCOMPARE(ini->readString("CommAddress", "Address", ""), std::string("300"));
    }

    void baudChangeReopensAnOpenPort() {
        port->present = {2};
        form->FormCreate();
        const int opens = port->openCount;
        combo1()->setCurrentIndex(7);  // however the choice changed
        QCOMPARE(ini->readInteger("CommBaudrate", "Baudrate", 0), 7);
        QCOMPARE(state->BaudIndex, 7);
        QCOMPARE(port->openCount, opens + 1);
        QCOMPARE(port->baud_, 115200);
        QVERIFY(port->isOpen());
        // A closed port only takes the rate for its next opening.
        port->close();
        combo1()->setCurrentIndex(0);
        QVERIFY(!port->isOpen());
        QCOMPARE(port->openCount, opens + 1);
        QCOMPARE(port->baud_, 4800);
        QCOMPARE(ini->readInteger("CommBaudrate", "Baudrate", 0), 0);
    }

    void watchdogSendTimesWithoutReplies() {
        port->ports = {Bridge(21)};
        port->present = {2, 21};
        form->FormCreate();
        state->IdleTicks = state->ReconnectTicks =
            500;  // long on the plain port: choosing restarts the count
        form->setPortItemIndex(1);
        QCOMPARE(state->LinkKind, LinkKind::Usb);
        port->written.clear();
        const int opens = port->openCount;
        std::vector<int> sendTicks;
        std::vector<int> reopenTicks;
        int lastOpens = opens;
        for (int t = 1; t <= 50; ++t) {
            const std::size_t before = port->written.size();
            tick(1);
            if (port->written.size() > before) {
                QVERIFY(IsRequest(port->lastWritten(), LINKCHK, 15));
                sendTicks.push_back(t);
            }
            if (port->openCount != lastOpens) reopenTicks.push_back(t);
            lastOpens = port->openCount;
        }
        // 1.1, 1.6, 2.7, 3.2, 4.3, 4.8 s
        QCOMPARE(sendTicks, (std::vector<int>{11, 16, 27, 32, 43, 48}));
        QCOMPARE(reopenTicks, (std::vector<int>{16, 32, 48}));
        QCOMPARE(port->closeCount >= 3, true);
        QCOMPARE(hooks->status.last(), QString("Connected"));
    }

    void repliesKeepTheWatchdogQuiet() {
        port->ports = {Bridge(2)};
        port->present = {2};
        form->FormCreate();
        QCOMPARE(state->LinkKind, LinkKind::Usb);
        port->written.clear();
        for (int t = 0; t < 100; ++t) {
            timers.fire("TCommForm.Timer1");
            if (t % 10 == 9) state->IdleTicks = state->ReconnectTicks = 0;  // what a reply does
        }
        QVERIFY(port->written.empty());
    }

    void plainLinkHasNoWatchdog() {
        port->present = {2};
        form->FormCreate();
        port->written.clear();
        const int opens = port->openCount;
        tick(100);
        QVERIFY(port->written.empty());
        QCOMPARE(port->openCount, opens);
        QCOMPARE(state->IdleTicks, 100);
    }

    void lostUsbLinkIsReopenedWhenBack() {
        port->ports = {Bridge(2)};
        port->present = {2};
        form->FormCreate();
        port->present = {};  // unplugged
        tick(16);
        QCOMPARE(hooks->status.last(), QString("Connection failed!"));
        QVERIFY(!port->isOpen());
        QVERIFY(dialogs.messages.isEmpty());
        tick(16);
        QCOMPARE(hooks->status.last(), QString("Connection failed!"));
        port->present = {2};
        port->written.clear();
        tick(16);
        QCOMPARE(hooks->status.last(), QString("Connected"));
        QVERIFY(port->isOpen());
        QVERIFY(IsRequest(port->lastWritten(), LINKCHK, 15));
        // Taken by another program between probe and open: no message box from the timer.
        port->failOpen = {2};
        tick(16);
        QCOMPARE(hooks->status.last(), QString("Connection failed!"));
        QVERIFY(dialogs.messages.isEmpty());
    }

    void exitHidesTheWindow() {
        form->show();
        QVERIFY(form->isVisible());
        QTest::mouseClick(form->findChild<QPushButton*>("Button2"), Qt::LeftButton);
        QVERIFY(!form->isVisible());
        QVERIFY(timers.find("TCommForm.Timer1")->isActive());
    }
};

}  // namespace lxv

QTEST_MAIN(lxv::TCommFormTest)
#include "comm_form_test.moc"
