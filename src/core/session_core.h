// The instrument session: the one owner of everything that talks to the
// instrument and of the measurement it sent. Controllers take a SessionCore&,
// register their own reply routes on its dispatcher, send through its request
// queue, write the main status panels through its status model, listen to
// its measurement feed and make their timers from its timer factory. They
// keep working whether or not their window is shown.
//
// Owns: link state, the measurement record, the instrument link, the request
// queue, the receive dispatcher, the status model, the measurement feed.
// Depends on: link/, core/ and platform/serial_port.h.
// No Qt: session.h wraps this in a QObject with the port's reply receiver.
#pragma once

#include <chrono>

#include "core/receive_dispatcher.h"
#include "core/request_queue.h"
#include "link/frame_codec.h"
#include "link/link_state.h"
#include "core/measure_block.h"
#include "core/measurement_feed.h"
#include "core/status_model.h"
#include "core/timer.h"

namespace lxv {

class SerialPort;

struct SessionCore {
    SessionCore(SerialPort& serialPort, TimerFactory& timerFactory);
    SessionCore(const SessionCore&) = delete;
    SessionCore& operator=(const SessionCore&) = delete;

    SerialPort& port;
    TimerFactory& timers;
    LinkState state;
    MeasureRecord record;  // the measurement block and its reserved tail
    InstrumentLink link;
    RequestQueue requests;  // the one way to the instrument
    ReceiveDispatcher dispatcher;
    StatusModel status;
    MeasurementFeed measurements;  // every accepted block, after it was stored in `record`
    // When the port's bytes were last read: for a reply just handled, when its
    // last bytes came in (the receiver sets it).
    std::chrono::steady_clock::time_point replyReadAt{};
};

}  // namespace lxv
