#include "core/session_core.h"

namespace lxv {

SessionCore::SessionCore(SerialPort& serialPort, TimerFactory& timerFactory)
    : port(serialPort),
      timers(timerFactory),
      link(serialPort),
      requests(link, state, timerFactory),
      dispatcher(requests) {
    ResetMeasurement(record);
}

}  // namespace lxv
