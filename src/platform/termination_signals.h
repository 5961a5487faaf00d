// SIGTERM and SIGINT (a session ending, Ctrl+C in a terminal) close the
// program the ordinary way, on the UI thread, instead of killing it mid-reply.
#pragma once

#include <functional>

namespace lxv {

// Calls `onSignal` from the event loop when SIGTERM or SIGINT arrives. Call once.
void WatchTerminationSignals(std::function<void()> onSignal);

}  // namespace lxv
