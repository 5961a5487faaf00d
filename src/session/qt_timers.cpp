#include "session/qt_timers.h"

#include <QTimer>

#include "platform/precise_timer.h"

namespace lxv {

namespace {

class QtTimer : public Timer {
  public:
    QtTimer(const std::string& name, bool singleShot) {
        timer_.setObjectName(QString::fromStdString(name));
        timer_.setSingleShot(singleShot);
        // A coarse timer may fire up to 5 % early; controllers' waits are counted.
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, [this] { fire(); });
    }
    void start(int ms) override { timer_.start(ms); }
    void stop() override { timer_.stop(); }
    bool isActive() const override { return timer_.isActive(); }
    int interval() const override { return timer_.interval(); }

  private:
    QTimer timer_;
};

// A one-shot timer to the microsecond: Qt's own timers round each wait up to
// a whole millisecond, which the 50 ms of the measurement cycle would feel.
class QtPreciseTimer : public Timer {
  public:
    explicit QtPreciseTimer(const std::string& name) {
        timer_.setObjectName(QString::fromStdString(name));
        QObject::connect(&timer_, &PreciseTimer::timeout, [this] { fire(); });
    }
    void start(int ms) override {
        timer_.setInterval(ms);
        timer_.start();
    }
    void startFrom(std::chrono::steady_clock::time_point from, int ms) override {
        timer_.setInterval(ms);
        timer_.startFrom(from);
    }
    void stop() override { timer_.stop(); }
    bool isActive() const override { return timer_.isActive(); }
    int interval() const override { return timer_.interval(); }

  private:
    PreciseTimer timer_;
};

}  // namespace

std::unique_ptr<Timer> QtTimers::create(const std::string& name, bool singleShot) {
    if (singleShot) return std::make_unique<QtPreciseTimer>(name);
    return std::make_unique<QtTimer>(name, singleShot);
}

}  // namespace lxv
