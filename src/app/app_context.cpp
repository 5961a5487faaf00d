#include "app/app_context.h"

namespace lxv {

AppContext::AppContext(SerialPort& serialPort, IniFile& settings)
    : port(serialPort),
      sysSet(settings),
      link(serialPort),
      dispatcher(link, state),
      receiver(serialPort, link, state, dispatcher) {
    ResetMeasurement(record);
}

}  // namespace lxv
