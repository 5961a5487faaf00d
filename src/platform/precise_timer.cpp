#include "platform/precise_timer.h"

#include <QSocketNotifier>
#include <algorithm>

#ifdef __linux__
#include <sys/timerfd.h>
#include <unistd.h>

#include <cstdint>
#endif

namespace lxv {

PreciseTimer::PreciseTimer(QObject* parent) : QObject(parent) {
#ifdef __linux__
    fd_ = ::timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (fd_ >= 0) {
        notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
        connect(notifier_, &QSocketNotifier::activated, this, [this] {
            const auto now = std::chrono::steady_clock::now();
            std::uint64_t expirations = 0;
            if (::read(fd_, &expirations, sizeof expirations) != sizeof expirations) return;
            // Only a wake-up the timer waited for tells the loop's lateness.
            if (armedAhead_) lateness_.record(now - armedAt_);
            expired();
        });
        return;
    }
#endif
    fallback_.setSingleShot(true);
    fallback_.setTimerType(Qt::PreciseTimer);
    connect(&fallback_, &QTimer::timeout, this, [this] { expired(); });
}

PreciseTimer::~PreciseTimer() {
#ifdef __linux__
    if (fd_ >= 0) {
        delete notifier_;
        ::close(fd_);
    }
#endif
}

void PreciseTimer::start() {
#ifdef __linux__
    if (fd_ >= 0) {
        armAt(std::chrono::steady_clock::now() + std::chrono::milliseconds(intervalMs_));
        return;
    }
#endif
    active_ = true;
    fallback_.start(intervalMs_);
}

void PreciseTimer::startFrom(std::chrono::steady_clock::time_point from) {
    const auto dueAt = from + std::chrono::milliseconds(intervalMs_);
#ifdef __linux__
    if (fd_ >= 0) {
        armAt(dueAt);
        return;
    }
#endif
    active_ = true;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(dueAt - std::chrono::steady_clock::now());
    fallback_.start(static_cast<int>(std::max<std::chrono::milliseconds::rep>(0, left.count())));
}

void PreciseTimer::armAt(std::chrono::steady_clock::time_point due) {
    active_ = true;
#ifdef __linux__
    // The steady clock is CLOCK_MONOTONIC; a moment already past runs out at once.
    armedAt_ = due - lateness_.early();
    armedAhead_ = armedAt_ > std::chrono::steady_clock::now();
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(armedAt_.time_since_epoch()).count();
    itimerspec at{};
    at.it_value.tv_sec = static_cast<time_t>(ns / 1000000000);
    at.it_value.tv_nsec = static_cast<long>(ns % 1000000000);
    if (at.it_value.tv_sec <= 0 && at.it_value.tv_nsec <= 0) at.it_value.tv_nsec = 1;  // zero would disarm it
    ::timerfd_settime(fd_, TFD_TIMER_ABSTIME, &at, nullptr);
#else
    (void)due;
#endif
}

void PreciseTimer::stop() {
    active_ = false;
#ifdef __linux__
    if (fd_ >= 0) {
        // Disarming also clears an expiry counted but not yet read.
        const itimerspec disarm{};
        ::timerfd_settime(fd_, 0, &disarm, nullptr);
        return;
    }
#endif
    fallback_.stop();
}

void PreciseTimer::expired() {
    if (!active_) return;
    active_ = false;
    emit timeout();
}

}  // namespace lxv
