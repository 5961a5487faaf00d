// The receive path and the request handling in simulated time, as a user at a
// test bench meets them: continuous measurement on the USB link, and a
// settings read, the alarm window's opening, a calibration phase read, or a
// keep-alive followed by the alarm window 30 ms later, made at every moment of
// a block's request and arrival. The simulated instrument answers every
// request in order after 10 ms, as a USB adapter delivers it: in pieces of 1
// to 64 bytes, 1 to 16 ms late. Each row asserts that measurement goes on,
// that the read got its own reply (the values the instrument holds), and that
// no reply went to another request (a keep-alive taken as an alarm limit, a
// block awaited at a register reply's size).
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>
#include <deque>
#include <map>
#include <memory>
#include <random>
#include <string>

#include "cli/headless_session.h"
#include "link/byte_order.h"
#include "link/registers.h"
#include "platform/ini_file.h"
#include "platform/number_format.h"
#include "support/fake_serial_port.h"
#include "support/manual_timers.h"

namespace lxv::test {
namespace {

constexpr double kBytesPerMs = 115200.0 / 10 / 1000;  // 11.52
constexpr int kTurnaroundMs = 10;
constexpr float kPhase = 0.00125f;
constexpr std::uint8_t kSwitches = 0xA5;

InstrumentSettings HeldSettings() {
    InstrumentSettings s = InstrumentSettings::Factory();
    s.CtRatio = 7.5f;
    s.VtRatio = 3;
    s.Bandwidth = 1;
    return s;
}

// The instrument: every request is answered in order; its reply's pieces
// arrive as a USB adapter hands them over.
class BenchInstrument {
  public:
    BenchInstrument(FakeSerialPort& port, int latencyMs, unsigned seed)
        : port_(port), latencyMs_(latencyMs), rng_(seed) {}

    // New frames the program wrote by `now` are answered.
    void hear(double now) {
        while (heard_ < port_.written.size()) {
            const std::vector<std::uint8_t> f = port_.written[heard_++];
            if (f.size() < 8) continue;
            const auto reg = static_cast<std::uint16_t>((f[2] << 8) | f[3]);
            if (f[1] == kFnRead && reg == MEAS) ++measRequests;
            const std::vector<std::uint8_t> reply = replyTo(f);
            if (reply.empty()) continue;
            const double arrived = now + f.size() / kBytesPerMs;
            double at = std::max(arrived + kTurnaroundMs, wireFree_);
            std::size_t sent = 0;
            std::uniform_int_distribution<int> piece(1, 64);
            while (sent < reply.size()) {
                const std::size_t n = std::min<std::size_t>(piece(rng_), reply.size() - sent);
                at += n / kBytesPerMs;
                const double due = std::max(at + latencyMs_, lastDue_);
                lastDue_ = due;
                pieces_.push_back({due, {reply.begin() + sent, reply.begin() + sent + n}});
                sent += n;
            }
            wireFree_ = at;
        }
    }
    // Hands over the pieces due by `now`; true when any came.
    bool deliver(double now) {
        bool came = false;
        while (!pieces_.empty() && pieces_.front().due <= now) {
            const std::vector<std::uint8_t> bytes = std::move(pieces_.front().bytes);
            pieces_.pop_front();
            if (port_.isOpen()) port_.receive(bytes);
            came = true;
        }
        return came;
    }

    int measRequests = 0;

  private:
    std::vector<std::uint8_t> registerReply(const std::uint8_t* data, std::size_t n) const {
        std::vector<std::uint8_t> r{1, kFnRead, static_cast<std::uint8_t>(n)};
        r.insert(r.end(), data, data + n);
        return WithCrc(r);
    }
    std::vector<std::uint8_t> replyTo(const std::vector<std::uint8_t>& f) {
        const auto reg = static_cast<std::uint16_t>((f[2] << 8) | f[3]);
        if (f[1] == kFnWrite) return WithCrc({1, kFnWriteAck, static_cast<std::uint8_t>(reg & 0xFF)});
        if (reg == MEAS) return MeasureReplyOf(static_cast<float>(++blocks_));
        if (reg == SETUP) {
            const InstrumentSettings::Bytes b = HeldSettings().Encode();
            return registerReply(b.data(), b.size());
        }
        std::uint8_t four[4] = {};
        if (reg >= AL1H && reg <= AL4L) {
            WriteF32LE(four, 1000.0f + static_cast<float>(reg - AL1H));
            return registerReply(four, 4);
        }
        if (reg == ALSW) {
            four[0] = kSwitches;
            return registerReply(four, 4);
        }
        if (reg == IPHN) {
            WriteF32LE(four, kPhase);
            return registerReply(four, 4);
        }
        if (reg == LINKCHK) {
            const std::uint8_t status[2] = {0, 0};
            return registerReply(status, 2);
        }
        return {};
    }

    struct Piece {
        double due;
        std::vector<std::uint8_t> bytes;
    };
    FakeSerialPort& port_;
    int latencyMs_;
    std::mt19937 rng_;
    std::size_t heard_ = 0;
    std::deque<Piece> pieces_;
    double wireFree_ = 0, lastDue_ = 0;
    int blocks_ = 0;
};

// Nothing: the rig's own check that it drives the cycle (a rig that stalls
// every row would say nothing of the reads).
enum class Event { Nothing, SettingsRead, AlarmOpen, PhaseRead, KeepAliveThenAlarm };
const char* EventName(Event e) {
    switch (e) {
        case Event::Nothing: return "nothing";
        case Event::SettingsRead: return "settings read";
        case Event::AlarmOpen: return "alarm window opening";
        case Event::PhaseRead: return "phase read";
        case Event::KeepAliveThenAlarm: return "keep-alive, alarm window 30 ms later";
    }
    return "?";
}

struct Row {
    Event event;
    int moment;  // ms after a block's request
    int latencyMs;
};

// Runs one row; an empty text when everything held, else what went wrong.
std::string RunRow(const Row& row, unsigned seed) {
    QTemporaryDir home;
    FakeSerialPort port;
    port.present = {3};
    port.ports = {{3, "/dev/ttyUSB0", "USB\\VID_1A86&PID_5736\\0001", "USB-UART Adapter (COM3)"}};
    ManualTimers timers;
    IniFile sysSet((home.path() + "/SysSet.ini").toStdString());
    sysSet.writeInteger("CommPort", "Port", 3);
    sysSet.writeInteger("CommAddress", "Address", 1);
    sysSet.writeInteger("CommBaudrate", "Baudrate", 7);
    HeadlessSession headless(port, sysSet, timers, [](const std::string&) {});
    Session& session = headless.session();
    BenchInstrument instrument(port, row.latencyMs, seed);
    if (!headless.open()) return "the port did not open";
    headless.start(MeasureMode::Continuous);

    long blocksAtEnd = 0;
    std::map<std::string, int> seenStarts;
    std::map<std::string, double> due;
    double silenceDue = -1;
    QTimer& silence = session.receiver.silenceTimer();
    // The receiver restarts its silence timer when bytes come (or after the
    // silence it waited for); otherwise a running one keeps its due moment.
    auto armSilence = [&](double now, bool restarted) {
        if (!silence.isActive())
            silenceDue = -1;
        else if (restarted || silenceDue < 0)
            silenceDue = now + silence.interval();
    };
    double eventAt = -1, alarmAt = -1;
    bool eventDone = false;
    std::size_t writtenSeen = 0;
    constexpr double kStep = 1;
    constexpr double kEnd = 3000;
    for (double now = 0; now <= kEnd; now += kStep) {
        const std::size_t before = port.queued.size();
        (void)before;
        armSilence(now, instrument.deliver(now));
        for (int round = 0; round < 8; ++round) {
            bool fired = false;
            for (const auto& [name, timer] : timers.all()) {
                if (timer->starts() != seenStarts[name]) {
                    seenStarts[name] = timer->starts();
                    due[name] = now + timer->interval();
                }
                if (timer->isActive() && due[name] <= now) {
                    due[name] = now + timer->interval();
                    timer->fireNow();
                    fired = true;
                    break;  // the map may have changed its timers' starts
                }
            }
            if (!fired) break;
        }
        if (silenceDue >= 0 && silenceDue <= now && silence.isActive()) {
            silence.stop();
            session.receiver.silenceElapsed();
            armSilence(now, true);
        }
        // The moment counts from a block's request once measurement runs.
        for (; writtenSeen < port.written.size(); ++writtenSeen)
            if (eventAt < 0 && now >= 600 && IsRead(port.written[writtenSeen], MEAS, 2)) eventAt = now + row.moment;
        if (!eventDone && eventAt >= 0 && now >= eventAt) {
            eventDone = true;
            switch (row.event) {
                case Event::Nothing: break;
                case Event::SettingsRead: session.settings.Read(); break;
                case Event::AlarmOpen: session.alarm.Open(); break;
                case Event::PhaseRead: session.calibrate.ReadPhase(PhaseRow::Narrow); break;
                case Event::KeepAliveThenAlarm:
                    session.core.state.IdleTicks = 100;
                    session.linkControl.Tick();
                    alarmAt = now + 30;
                    break;
            }
        }
        if (alarmAt >= 0 && now >= alarmAt) {
            alarmAt = -1;
            session.alarm.Open();
        }
        instrument.hear(now);
        if (now == kEnd - 1000) blocksAtEnd = headless.blocks();
    }

    std::string failures;
    auto fail = [&](const std::string& text) { failures += (failures.empty() ? "" : "; ") + text; };
    if (headless.blocks() - blocksAtEnd < 2)
        fail("measurement stopped (" + std::to_string(headless.blocks() - blocksAtEnd) + " blocks in the last 1 s)");
    switch (row.event) {
        case Event::Nothing: break;
        case Event::SettingsRead:
            if (session.settings.status() != "Successful synchronization" ||
                session.settings.settingsCopy().CtRatio != 7.5f)
                fail("settings read: " + session.settings.status());
            break;
        case Event::AlarmOpen:
        case Event::KeepAliveThenAlarm:
            for (int k = 0; k < 8; ++k)
                if (session.alarm.limits().limits[k] != 1000.0f + static_cast<float>(k))
                    fail("alarm limit " + std::to_string(k) + " reads " +
                         std::to_string(session.alarm.limits().limits[k]));
            if (session.alarm.limits().flags != kSwitches) fail("alarm switches");
            break;
        case Event::PhaseRead:
            if (session.calibrate.fields.phase[0] != FormatGeneral(TimeToPhase(kPhase)) ||
                !session.calibrate.status().empty())
                fail("phase read: " + session.calibrate.fields.phase[0] + " " + session.calibrate.status());
            break;
    }
    return failures;
}

TEST(RequestRig, EveryReadGetsItsOwnReplyAndMeasurementGoesOn) {
    const Event events[] = {Event::Nothing, Event::SettingsRead, Event::AlarmOpen, Event::PhaseRead, Event::KeepAliveThenAlarm};
    const int latencies[] = {1, 4, 16};
    int rows = 0, failed = 0;
    std::string firstFailures;
    for (const Event event : events) {
        for (const int latency : latencies) {
            int eventRows = 0, eventFailed = 0;
            // A block's request, its 220 ms on the wire and the 50 ms after it.
            for (int moment = 0; moment <= 300; moment += 10) {
                const std::string result =
                    RunRow({event, moment, latency}, static_cast<unsigned>(moment * 131 + latency));
                ++eventRows;
                if (!result.empty()) {
                    ++eventFailed;
                    if (std::count(firstFailures.begin(), firstFailures.end(), '\n') < 8)
                        firstFailures += std::string(EventName(event)) + " at " + std::to_string(moment) +
                                         " ms, latency " + std::to_string(latency) + " ms: " + result + "\n";
                }
            }
            std::printf("%-40s latency %2d ms: %d of %d moments failed\n", EventName(event), latency, eventFailed,
                        eventRows);
            rows += eventRows;
            failed += eventFailed;
        }
    }
    EXPECT_EQ(failed, 0) << failed << " of " << rows << " rows failed, among them:\n" << firstFailures;
}

}  // namespace
}  // namespace lxv::test
