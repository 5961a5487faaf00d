// The program-wide state of one run: link state, the measurement record, the
// instrument link, the receive dispatcher and the reply receiver. Created once
// by main() (or by a test around a fake port); windows get references to it.
#pragma once

#include "cycle/receive_dispatcher.h"
#include "cycle/reply_receiver.h"
#include "link/frame_codec.h"
#include "link/link_state.h"
#include "measure/measure_block.h"

namespace lxv {

class IniFile;
class SerialPort;

struct AppContext {
    AppContext(SerialPort& serialPort, IniFile& settings);
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    SerialPort& port;
    IniFile& sysSet;  // SysSet.ini
    LinkState state;
    MeasureRecord record;  // the measurement block and its reserved tail
    InstrumentLink link;
    ReceiveDispatcher dispatcher;
    ReplyReceiver receiver;  // feeds the dispatcher from the port
};

}  // namespace lxv
