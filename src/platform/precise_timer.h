// A one-shot timer that runs out within a few microseconds of its interval.
// Qt's own timers round every wait of the event loop up to a whole
// millisecond, so a 50 ms timer fires 50 to 51 ms after its start (later
// still when another timer wakes the loop in between). On Linux this one is a
// timerfd that the event loop watches like a socket; elsewhere a precise
// QTimer stands in.
#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>

#include "platform/wake_lateness.h"

class QSocketNotifier;

namespace lxv {

class PreciseTimer : public QObject {
    Q_OBJECT
  public:
    explicit PreciseTimer(QObject* parent = nullptr);
    ~PreciseTimer() override;

    void setInterval(int ms) { intervalMs_ = ms; }
    int interval() const { return intervalMs_; }
    // (Re)starts the count of interval() from now.
    void start();
    // (Re)starts it counted from `from`, a moment already past: it runs out
    // interval() after that moment, at once when that is past too.
    void startFrom(std::chrono::steady_clock::time_point from);
    void stop();
    bool isActive() const { return active_; }
    // How much before its due moment the timer is now armed.
    std::chrono::nanoseconds armedEarly() const { return lateness_.early(); }

  signals:
    void timeout();

  private:
    void armAt(std::chrono::steady_clock::time_point due);
    void expired();

    int intervalMs_ = 0;
    bool active_ = false;
    int fd_ = -1;
    QSocketNotifier* notifier_ = nullptr;
    std::chrono::steady_clock::time_point armedAt_{};  // the moment the timerfd runs out
    bool armedAhead_ = false;                          // armedAt_ was still to come when armed
    WakeLateness lateness_;
    QTimer fallback_;
};

}  // namespace lxv
