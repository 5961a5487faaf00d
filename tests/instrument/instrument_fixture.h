// A session core on a fake open port with manual timers, and the replies an
// instrument at address 1 sends, for the configuration controllers' tests.
#pragma once

#include <cstdint>
#include <vector>

#include "link/byte_order.h"
#include "core/session_core.h"
#include "support/fake_serial_port.h"
#include "support/manual_timers.h"

namespace lxv::test {

struct InstrumentRig {
    InstrumentRig() { port.open_ = true; }

    // A function-3 reply carrying `data`, routed by the last request built in the shared buffer.
    void reply(const std::vector<std::uint8_t>& data) {
        std::vector<std::uint8_t> body{1, 3, static_cast<std::uint8_t>(data.size())};
        body.insert(body.end(), data.begin(), data.end());
        const std::vector<std::uint8_t> bytes = WithCrc(body);
        core.dispatcher.handleReply(bytes.data(), bytes.size());
    }
    void replyFloat(float value) {
        std::vector<std::uint8_t> data(4);
        WriteF32LE(data.data(), value);
        reply(data);
    }
    void ack(std::uint16_t reg) {
        const std::vector<std::uint8_t> bytes = WithCrc({1, 9, static_cast<std::uint8_t>(reg)});
        core.dispatcher.handleReply(bytes.data(), bytes.size());
    }
    // Register (bytes 2..3) of the n-th frame written, counted from the end (0 = last).
    std::uint16_t sentRegister(std::size_t fromEnd = 0) const {
        const auto& f = port.written.at(port.written.size() - 1 - fromEnd);
        return static_cast<std::uint16_t>((f[2] << 8) | f[3]);
    }
    // The data bytes of the last write frame (after its byte count).
    std::vector<std::uint8_t> sentData() const {
        const auto& f = port.lastWritten();
        return {f.begin() + 7, f.end() - 2};
    }

    FakeSerialPort port;
    ManualTimers timers;
    SessionCore core{port, timers};
};

inline std::vector<std::uint8_t> FloatBytes(float value) {
    std::vector<std::uint8_t> b(4);
    WriteF32LE(b.data(), value);
    return b;
}

}  // namespace lxv::test
