// Program-wide link and measurement state: plain data with one owner (the
// session), read and changed by the link control, the dispatcher's retry rule
// and the measurement control. Counters that belong to one controller live in
// that controller.
#pragma once

#include <cstdint>

namespace lxv {

enum class MeasureMode : std::uint8_t { Idle = 0, Single = 1, Continuous = 2 };
enum class LinkKind : std::uint8_t { Plain = 0, Usb = 1 };  // Usb: the instrument's own link, watchdog on

struct LinkState {
    std::uint8_t InstrumentAddress = 1;
    lxv::LinkKind LinkKind = lxv::LinkKind::Plain;
    lxv::MeasureMode MeasureMode = lxv::MeasureMode::Idle;
    std::uint8_t LastRegister = 0;  // the read request that a retry re-sends
    std::uint16_t LastCount = 0;    // its count, as sent (a chunk request's is chunk x 256)
    int IdleTicks = 0;              // watchdog counters of the USB link
    int ReconnectTicks = 0;
    int BaudIndex = 2;             // index 0..7 into the baud list
    bool StartedWithFile = false;  // suppresses the port-not-found message once
    // Bytes of a reply are arriving, or a bad one is skipped until the line is
    // quiet: a request now would be answered behind it and lost with it.
    bool ReplyUnderWay = false;
};

// Baud rates of the baud list, by index 0..7.
inline constexpr int kBaudRates[8] = {4800, 9600, 14400, 19200, 38400, 57600, 76800, 115200};

inline int BaudRateForIndex(int index) {
    return (index >= 0 && index < 8) ? kBaudRates[index] : kBaudRates[2];
}

}  // namespace lxv
