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
            std::uint64_t expirations = 0;
            if (::read(fd_, &expirations, sizeof expirations) == sizeof expirations) expired();
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
    active_ = true;
#ifdef __linux__
    if (fd_ >= 0) {
        itimerspec due{};
        due.it_value.tv_sec = intervalMs_ / 1000;
        due.it_value.tv_nsec = static_cast<long>(intervalMs_ % 1000) * 1000000L;
        if (intervalMs_ <= 0) due.it_value.tv_nsec = 1;  // zero would disarm it
        ::timerfd_settime(fd_, 0, &due, nullptr);
        return;
    }
#endif
    fallback_.start(intervalMs_);
}

void PreciseTimer::startFrom(std::chrono::steady_clock::time_point from) {
    const auto dueAt = from + std::chrono::milliseconds(intervalMs_);
    active_ = true;
#ifdef __linux__
    if (fd_ >= 0) {
        // The steady clock is CLOCK_MONOTONIC; a due time already past runs out at once.
        const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(dueAt.time_since_epoch()).count();
        itimerspec due{};
        due.it_value.tv_sec = static_cast<time_t>(ns / 1000000000);
        due.it_value.tv_nsec = static_cast<long>(ns % 1000000000);
        if (due.it_value.tv_sec == 0 && due.it_value.tv_nsec == 0) due.it_value.tv_nsec = 1;
        ::timerfd_settime(fd_, TFD_TIMER_ABSTIME, &due, nullptr);
        return;
    }
#endif
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(dueAt - std::chrono::steady_clock::now());
    fallback_.start(static_cast<int>(std::max<std::chrono::milliseconds::rep>(0, left.count())));
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
