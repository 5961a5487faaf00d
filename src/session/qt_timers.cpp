#include "session/qt_timers.h"

#include <QTimer>

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

}  // namespace

std::unique_ptr<Timer> QtTimers::create(const std::string& name, bool singleShot) {
    return std::make_unique<QtTimer>(name, singleShot);
}

}  // namespace lxv
