// Program-wide link and measurement state: plain data with one owner (the
// application), read and changed by the port settings, the dispatcher and
// the measurement control.
#pragma once

#include <cstdint>

namespace lxv {

struct LinkState {
    std::uint8_t InstrumentAddress = 1;
    std::uint8_t LinkKind = 0;       // 1 = instrument USB link (watchdog on), else a plain port
    std::uint8_t MeasureMode = 0;    // 0 idle, 1 single pending, 2 continuous
    std::uint8_t LastRegister = 0;   // the read request that a retry re-sends
    std::uint8_t LastCount = 0;      // its count; for register 147 the chunk number
    std::uint8_t ChunkIndex = 0;     // starting-test chunk counter, 0 when no transfer runs
    std::uint8_t AlarmReadStep = 0;  // pace of the alarm read chain
    int IdleTicks = 0;               // watchdog counters of the USB link
    int ReconnectTicks = 0;
    int BaudIndex = 2;             // index 0..7 into the baud list
    bool StartedWithFile = false;  // suppresses the port-not-found message once
};

// Baud rates of the baud list, by index 0..7.
inline constexpr int kBaudRates[8] = {4800, 9600, 14400, 19200, 38400, 57600, 76800, 115200};

inline int BaudRateForIndex(int index) {
    return (index >= 0 && index < 8) ? kBaudRates[index] : kBaudRates[2];
}

}  // namespace lxv
