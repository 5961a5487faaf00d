// The receiver between port and dispatcher: replies split across reads are
// joined and handled once, stray bytes after a good one are dropped, short
// replies wait for the line's silence, a bad reply is asked for again once the
// line is quiet, and the USB link's watchdog counters are reset by any bytes.
#include "cycle/reply_receiver.h"

#include <QSignalSpy>
#include <QTest>

#include "core/measure_block.h"
#include "core/session_core.h"
#include "support/manual_timers.h"
#include "support/fake_serial_port.h"

namespace lxv {

using test::FakeSerialPort;
using test::Hex;
using test::WithCrc;

class ReplyReceiverTest : public QObject {
    Q_OBJECT

    FakeSerialPort port;
    test::ManualTimers timers;
    std::unique_ptr<SessionCore> core;
    std::unique_ptr<ReplyReceiver> receiver;
    std::vector<float> blocks;
    std::vector<std::uint8_t> acks;

    std::vector<std::uint8_t> measureReply(float urms) {
        MeasureRecord r;
        ResetMeasurement(r);
        r.setScalar(Scalar::URMS, urms);
        return WithCrc({r.data(), r.data() + kBlockSize});
    }
    void askForMeasurement() {
        core->requests.read(MEAS, 2, Expect::Block, this);
        port.written.clear();
    }

  private slots:
    void init() {
        receiver.reset();
        core.reset();
        port = FakeSerialPort{};
        port.open_ = true;
        core = std::make_unique<SessionCore>(port, timers);
        core->state.BaudIndex = 7;
        ReceiveDispatcher& dispatcher = core->dispatcher;
        blocks.clear();
        acks.clear();
        dispatcher.setMeasureHandler([this](const std::uint8_t* d) {
            MeasureRecord r;
            AcceptMeasureBlock(r, d);
            blocks.push_back(r.URMS());
        });
        dispatcher.setAckHandler(AL1H, [this](std::uint8_t reg) { acks.push_back(reg); });
        receiver = std::make_unique<ReplyReceiver>(port, *core);
    }

    void splitMeasurementIsHandledOnceWhenWhole() {
        askForMeasurement();
        QSignalSpy progress(receiver.get(), &ReplyReceiver::progress);
        const auto reply = measureReply(231.5f);
        port.receive({reply.begin(), reply.begin() + 700});
        port.receive({reply.begin() + 700, reply.begin() + 2000});
        QVERIFY(blocks.empty());
        QVERIFY(receiver->silenceTimer().isActive());
        // A pause inside a bulk reply is given more time than a short reply.
        QCOMPARE(receiver->silenceTimer().interval(), SilenceIntervalMs(115200, true));
        port.receive({reply.begin() + 2000, reply.end()});
        QCOMPARE(blocks.size(), std::size_t{1});
        QCOMPARE(blocks[0], 231.5f);
        QVERIFY(port.written.empty());  // nothing re-sent
        // Stray bytes right behind it are dropped until the line has been quiet.
        QVERIFY(receiver->silenceTimer().isActive());
        QCOMPARE(receiver->silenceTimer().interval(), SilenceIntervalMs(115200, false));
        QSignalSpy stray(receiver.get(), &ReplyReceiver::strayBytesDropped);
        port.receive(Hex("55 AA 01"));
        QCOMPARE(blocks.size(), std::size_t{1});
        QVERIFY(receiver->assembler().empty());
        receiver->silenceElapsed();
        QCOMPARE(stray.size(), 1);
        QCOMPARE(stray.at(0).at(0).toInt(), 3);
        QVERIFY(!receiver->silenceTimer().isActive());
        QVERIFY(port.written.empty());
        QCOMPARE(progress.size(), 3);
        QCOMPARE(progress.at(1).at(0).toInt(), 2000);
        QCOMPARE(progress.at(1).at(1).toInt(), 2532);
    }

    void shortReplyEndsBySizeOrSilence() {
        core->requests.submit(Request::WriteValue(AL1H, 0));
        port.written.clear();
        const auto ack = WithCrc(Hex("01 09 76"));
        port.receive({ack.begin(), ack.begin() + 2});
        // Its size shows once its first bytes are in; until then the line's silence would end it.
        QVERIFY(acks.empty());
        QVERIFY(receiver->silenceTimer().isActive());
        QCOMPARE(receiver->silenceTimer().interval(), SilenceIntervalMs(115200, false));
        port.receive({ack.begin() + 2, ack.end()});
        QCOMPARE(acks.size(), std::size_t{1});
        QCOMPARE(acks[0], std::uint8_t{AL1H});
        QVERIFY(port.written.empty());
    }

    void damagedAndTooShortRepliesAskAgainOnceTheLineIsQuiet() {
        askForMeasurement();
        auto reply = measureReply(1.0f);
        reply[100] ^= 0x01;
        reply.push_back(0x42);  // and a stray byte after it, in the same read
        port.receive(reply);
        QVERIFY(blocks.empty());
        QVERIFY(port.written.empty());
        QVERIFY(receiver->silenceTimer().isActive());
        QCOMPARE(receiver->silenceTimer().interval(), SilenceIntervalMs(115200, false));
        port.receive(Hex("01 03"));  // still noisy: the wait starts again, nothing is gathered
        QVERIFY(receiver->assembler().empty());
        receiver->silenceElapsed();
        QCOMPARE(port.written.size(), std::size_t{1});
        QCOMPARE(port.written[0], Hex("01 03 00 94 00 02 85 E7"));
        QVERIFY(!receiver->silenceTimer().isActive());
        port.receive(Hex("01 03 00"));
        receiver->silenceElapsed();
        QCOMPARE(port.written.size(), std::size_t{2});
        QVERIFY(blocks.empty());
        port.receive(measureReply(2.0f));
        QCOMPARE(blocks.size(), std::size_t{1});
    }

    void aRequestAskedForAgainWhileItsReplyArrivesIsNotSentIntoIt() {
        askForMeasurement();
        const auto first = measureReply(10.0f);
        port.receive({first.begin(), first.begin() + 2000});
        // Asked for again while the reply was under way: it waits for the line, and the reply answers it.
        core->requests.read(MEAS, 2, Expect::Block, this);
        QVERIFY(port.written.empty());
        port.receive({first.begin() + 2000, first.end()});
        QCOMPARE(blocks.size(), std::size_t{1});
        receiver->silenceElapsed();
        QVERIFY(port.written.empty());
        QVERIFY(core->requests.idle());
    }

    void floodIsDroppedAndAskedForAgainOnce() {
        askForMeasurement();
        port.receive(std::vector<std::uint8_t>(4000, 0x55));
        QVERIFY(port.written.empty());
        receiver->silenceElapsed();
        QVERIFY(blocks.empty());
        // The first 2532 bytes fail their CRC; the rest is skipped with them.
        QCOMPARE(port.written.size(), std::size_t{1});
    }

    void usbLinkBytesResetTheWatchdog() {
        core->state.LinkKind = LinkKind::Usb;
        core->state.IdleTicks = 9;
        core->state.ReconnectTicks = 14;
        port.receive(Hex("00"));
        QCOMPARE(core->state.IdleTicks, 0);
        QCOMPARE(core->state.ReconnectTicks, 0);
        core->state.LinkKind = LinkKind::Plain;
        core->state.IdleTicks = 9;
        port.receive(Hex("00"));
        QCOMPARE(core->state.IdleTicks, 9);
    }
};

}  // namespace lxv

QTEST_GUILESS_MAIN(lxv::ReplyReceiverTest)
#include "reply_receiver_test.moc"
