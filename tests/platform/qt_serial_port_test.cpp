// The Qt Serial Port implementation on a real pseudo-terminal pinned in
// [PortMap]: listing, probing, opening, a frame each way, the bytes that wait
// unread while the UI thread is busy; and the precise timer counted from a
// moment already past.
#include "platform/qt_serial_port.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <memory>

#include "link/frame_codec.h"
#include "link/registers.h"
#include "platform/dialogs.h"
#include "platform/ini_file.h"
#include "platform/precise_timer.h"

namespace lxv {
namespace {

class RecordingDialogs : public Dialogs {
  public:
    QStringList errors;
    void showMessage(QWidget*, const QString& text) override { errors << text; }
    void showError(QWidget*, const QString& text) override { errors << text; }
    bool askYesNo(QWidget*, const QString&, const QString&) override { return false; }
    QString openFileName(QWidget*, const QString&) override { return {}; }
    QString saveFileName(QWidget*, const QString&, const QString&) override { return {}; }
};

// Bytes that arrive on the master side within `ms` milliseconds (bounded wait, no sleeping).
std::vector<std::uint8_t> ReadMaster(int fd, std::size_t want, int ms) {
    std::vector<std::uint8_t> out;
    while (out.size() < want) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, ms) <= 0) break;
        std::uint8_t buf[256];
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n <= 0) break;
        out.insert(out.end(), buf, buf + n);
    }
    return out;
}

}  // namespace

class QtSerialPortTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    int master = -1;
    QString slavePath;
    std::unique_ptr<IniFile> ini;
    std::unique_ptr<QtSerialPort> port;
    RecordingDialogs dialogs;

  private slots:
    void init() {
        int slave = -1;
        QVERIFY(::openpty(&master, &slave, nullptr, nullptr, nullptr) == 0);
        slavePath = QString::fromLocal8Bit(::ttyname(slave));
        ::close(slave);  // the program opens it by name, as it opens the simulator's
        const QString iniPath = dir.filePath("SysSet.ini");
        QFile f(iniPath);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("[PortMap]\nCOM7=" + slavePath.toLocal8Bit() +
                "\nCOM7Id=USB\\VID_1A86&PID_5736\\SIM\nCOM9=/dev/null\n");
        f.close();
        ini = std::make_unique<IniFile>(iniPath.toStdString());
        port = std::make_unique<QtSerialPort>(*ini);
        dialogs.errors.clear();
        SetAppDialogs(&dialogs);
    }
    void cleanup() {
        port.reset();
        ::close(master);
        SetAppDialogs(nullptr);
    }

    void pinnedTerminalIsListedAndProbed() {
        const auto ports = port->enumerate();
        auto it = std::find_if(ports.begin(), ports.end(), [](const PortInfo& p) { return p.number == 7; });
        QVERIFY(it != ports.end());
        QCOMPARE(QString::fromStdString(it->device), slavePath);
        QCOMPARE(it->displayName, std::string("USB-UART Adapter (COM7)"));
        QVERIFY(port->probe(7));
        QVERIFY(!port->probe(9));  // /dev/null is no serial port
        QVERIFY(!port->probe(8));  // nothing there
        QVERIFY(!port->isOpen());
    }

    void openingFollowsThePortRules() {
        try {
            port->open(8, 9600);
            QFAIL("opened a port that does not exist");
        } catch (const PortError& e) {
            QCOMPARE(QString::fromUtf8(e.what()),
                     QString("通讯出现异常！请检查连接是否正确或重新启动程序和仪器。"));
        }
        QVERIFY_THROWS_EXCEPTION(PortError, port->open(9, 9600));
        port->open(7, 14400);  // a rate without a standard termios constant
        QVERIFY(port->isOpen());
        QCOMPARE(port->portNumber(), 7);
        try {
            port->open(7, 14400);
            QFAIL("opened twice");
        } catch (const PortError& e) {
            QCOMPARE(QString(e.what()), QString("COM Port has been opened!"));
        }
        QVERIFY(!port->probe(7));  // held by us
        // Held: another holder of the settings (a second copy of the program) can neither probe nor open it.
        QtSerialPort other(*ini);
        QVERIFY(!other.probe(7));
        QVERIFY_THROWS_EXCEPTION(PortError, other.open(7, 14400));
        QVERIFY(!other.isOpen());
        QVERIFY(port->isOpen());
        port->setBaudRate(115200);
        QVERIFY(port->isOpen());
        port->close();
        port->close();
        QVERIFY(!port->isOpen());
        QVERIFY(port->probe(7));
    }

    void framesTravelBothWays() {
        port->open(7, 115200);
        int arrivals = 0;
        std::vector<std::uint8_t> received;
        port->setDataHandler([&] {
            ++arrivals;
            const auto bytes = port->readAll();
            received.insert(received.end(), bytes.begin(), bytes.end());
        });
        InstrumentLink link(*port);
        QVERIFY(link.SendReadRequest(1, MEAS, kMeasCount));
        QCOMPARE(ReadMaster(master, 8, 2000),
                 (std::vector<std::uint8_t>{0x01, 0x03, 0x00, 0x94, 0x00, 0x02, 0x85, 0xE7}));

        // A SETUP register reply as the instrument sends it, in two pieces.
        std::vector<std::uint8_t> reply = {0x02, 0x03, 0x14};
        for (int i = 0; i < 19; ++i) reply.push_back(static_cast<std::uint8_t>(i));
        const std::uint16_t crc = Crc16(reply.data(), reply.size());
        reply.push_back(crc & 0xFF);
        reply.push_back(crc >> 8);
        QCOMPARE(::write(master, reply.data(), 10), ssize_t{10});
        QTRY_COMPARE_WITH_TIMEOUT(received.size(), std::size_t{10}, 10000);
        QCOMPARE(::write(master, reply.data() + 10, reply.size() - 10),
                 static_cast<ssize_t>(reply.size() - 10));
        QTRY_COMPARE_WITH_TIMEOUT(received.size(), reply.size(), 10000);
        QCOMPARE(received, reply);
        QVERIFY(arrivals >= 2);
        QVERIFY(dialogs.errors.isEmpty());
    }

    void bytesThatArriveWhileTheLoopIsBusyAreCountedAsWaiting() {
        port->open(7, 115200);
        QCOMPARE(port->bytesWaiting(), std::size_t{0});
        const std::uint8_t stray[] = {0x5A, 0x5B, 0x5C, 0x5D, 0x5E, 0x5F};
        QCOMPARE(::write(master, stray, 6), ssize_t{6});
        // No event loop pass yet: the bytes are still the system's.
        QElapsedTimer clock;
        clock.start();
        while (port->bytesWaiting() < 6 && clock.elapsed() < 2000) {
            ::poll(nullptr, 0, 5);
        }
        QCOMPARE(port->bytesWaiting(), std::size_t{6});
        // The request written now counts them as come before it.
        InstrumentLink link(*port);
        QVERIFY(link.SendReadRequest(1, MEAS, kMeasCount));
        QCOMPARE(link.waitingAtLastSend(), std::size_t{6});
        std::vector<std::uint8_t> got;
        port->setDataHandler([&] {
            const auto bytes = port->readAll();
            got.insert(got.end(), bytes.begin(), bytes.end());
        });
        QTRY_COMPARE_WITH_TIMEOUT(got.size(), std::size_t{6}, 10000);
        QCOMPARE(port->bytesWaiting(), std::size_t{0});
    }

    void aTimerCountedFromAPastMomentRunsOutThatMuchSooner() {
        PreciseTimer timer;
        timer.setInterval(2000);
        QSignalSpy spy(&timer, &PreciseTimer::timeout);
        QElapsedTimer clock;
        clock.start();
        timer.startFrom(std::chrono::steady_clock::now() - std::chrono::milliseconds(1900));
        QVERIFY(spy.wait(1500));
        QVERIFY2(clock.elapsed() < 1000, "counted from the start, not from the moment given");
        // A due time already past: at once.
        clock.restart();
        timer.startFrom(std::chrono::steady_clock::now() - std::chrono::seconds(5));
        QVERIFY(spy.wait(1500));
        QVERIFY(clock.elapsed() < 1000);
        QCOMPARE(spy.count(), 2);
    }

    void aTimerThatLearnsTheLoopsLatenessNeverRunsOutFarAhead() {
        // Armed early by what the loop's wake-ups have lately taken, at most 0.5 ms.
        PreciseTimer timer;
        timer.setInterval(5);
        std::chrono::steady_clock::time_point due;
        std::chrono::nanoseconds earliest = std::chrono::nanoseconds::max();
        int runs = 0;
        QEventLoop loop;
        QObject::connect(&timer, &PreciseTimer::timeout, [&] {
            earliest = std::min(earliest, std::chrono::steady_clock::now() - due);
            if (++runs == 20) {
                loop.quit();
                return;
            }
            due = std::chrono::steady_clock::now() + std::chrono::milliseconds(5);
            timer.start();
        });
        due = std::chrono::steady_clock::now() + std::chrono::milliseconds(5);
        timer.start();
        QTimer::singleShot(5000, &loop, &QEventLoop::quit);
        loop.exec();
        QCOMPARE(runs, 20);
        QVERIFY(timer.armedEarly() <= std::chrono::microseconds(500));
        QVERIFY2(earliest >= -std::chrono::microseconds(520), "ran out more than 0.5 ms before its due moment");
    }

    void framesWrittenBackToBackGoOutOnceEachAndInOrder() {
        port->open(7, 115200);
        std::vector<std::uint8_t> expected;
        for (int k = 0; k < 200; ++k) {
            const std::uint8_t frame[8] = {1, 3, 0, static_cast<std::uint8_t>(k), 0, 2, 0xA5, 0x5A};
            QVERIFY(port->write(frame, sizeof frame));
            expected.insert(expected.end(), frame, frame + sizeof frame);
        }
        // Whatever went the usual way is written on the next loop pass.
        QCoreApplication::processEvents();
        QCOMPARE(ReadMaster(master, expected.size() + 1, 300), expected);
    }

    void openingDiscardsWhatWasQueuedBefore() {
        const std::uint8_t stale[] = {0xAA, 0xBB, 0xCC};
        port->open(7, 9600);
        port->close();
        QCOMPARE(::write(master, stale, 3), ssize_t{3});
        port->open(7, 9600);
        std::vector<std::uint8_t> got;
        port->setDataHandler([&] {
            const auto bytes = port->readAll();
            got.insert(got.end(), bytes.begin(), bytes.end());
        });
        const std::uint8_t fresh[] = {0x11};
        QCOMPARE(::write(master, fresh, 1), ssize_t{1});
        QTRY_VERIFY_WITH_TIMEOUT(!got.empty(), 10000);
        QCOMPARE(got, std::vector<std::uint8_t>{0x11});
    }

    void writingToAClosedPortIsRefused() {
        const std::uint8_t frame[] = {1, 2, 3};
        QVERIFY(!port->write(frame, 3));
        QCOMPARE(dialogs.errors, QStringList({"COM Port is not opened yet!"}));
    }

    void vanishedPeerClosesThePort() {
        port->open(7, 9600);
        ::close(master);
        master = ::open("/dev/null", O_RDONLY);  // cleanup closes something harmless
        QTRY_VERIFY_WITH_TIMEOUT(!port->isOpen(), 10000);
        const std::uint8_t frame[] = {1};
        QVERIFY(!port->write(frame, 1));
    }
};

}  // namespace lxv

QTEST_GUILESS_MAIN(lxv::QtSerialPortTest)
#include "qt_serial_port_test.moc"
