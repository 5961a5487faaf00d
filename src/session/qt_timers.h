// Controllers' timers on QTimer, for the running program.
#pragma once

#include "core/timer.h"

namespace lxv {

class QtTimers : public TimerFactory {
  public:
    std::unique_ptr<Timer> create(const std::string& name, bool singleShot) override;
};

}  // namespace lxv
