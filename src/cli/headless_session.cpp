#include "cli/headless_session.h"

#include <QString>
#include <QStringList>
#include <algorithm>

#include "core/reply_assembler.h"
#include "link/registers.h"
#include "platform/ini_file.h"
#include "platform/serial_port.h"
#include "platform/translation.h"

namespace lxv {

namespace {

// Texts of the run, whole sentences with their arguments.
constexpr const char* kNoBlockText =
    QT_TRANSLATE_NOOP("lxv", "no measurement came from the instrument within 10 s");
constexpr const char* kPortClosedText = QT_TRANSLATE_NOOP("lxv", "the port closed (the device went away)");
constexpr const char* kCannotOpenText = QT_TRANSLATE_NOOP("lxv", "it cannot be opened");
constexpr const char* kNoSuchPortText = QT_TRANSLATE_NOOP("lxv", "there is no such port (ports found: %1)");
constexpr const char* kNoPortsText =
    QT_TRANSLATE_NOOP("lxv", "there is no such port (no serial port was found)");
constexpr const char* kProgressText = QT_TRANSLATE_NOOP("lxv", "%1 elapsed, %2, %3 blocks/s, %4 re-requests");
constexpr const char* kRowsText = QT_TRANSLATE_NOOP("lxv", "%1 rows");

// The longest wait a timer is armed for; a longer run is re-armed for the rest.
constexpr long long kLongestArmMs = 3600 * 1000;

std::string ElapsedText(long seconds) {
    return QString("%1:%2:%3")
        .arg(seconds / 3600)
        .arg(seconds / 60 % 60, 2, 10, QChar('0'))
        .arg(seconds % 60, 2, 10, QChar('0'))
        .toStdString();
}

}  // namespace

HeadlessSession::HeadlessSession(SerialPort& port, IniFile& sysSet, TimerFactory& timers, LineSink messages)
    : session_(port, sysSet, timers), sysSet_(sysSet), messages_(std::move(messages)) {
    firstBlock_ = timers.create("FirstBlockTimer", true);
    progressTimer_ = timers.create("ProgressTimer", false);
    end_ = timers.create("EndTimer", true);

    session_.linkControl.setTickedHandler([this] { afterWatchdogTick(); });
    firstBlock_->setHandler([this] {
        if (blocks_ == 0) fail(kNoBlockText);
    });
    progressTimer_->setHandler([this] { progressLine(); });
    end_->setHandler([this] {
        endLeftMs_ -= endArmedMs_;
        if (endLeftMs_ <= 0)
            finish(0);
        else
            armEnd();
    });

    feedListener_ = session_.core.measurements.subscribe([this](const MeasureRecord&) {
        ++blocks_;
        ++periodBlocks_;
        firstBlock_->stop();
    });
    // A short, damaged or oversize reply is asked for again once the line is quiet;
    // any reply may also end the settings read that measuring waits for.
    QObject::connect(&session_.receiver, &ReplyReceiver::replyHandled, &session_,
                     [this](ReplyKind kind, const QByteArray&) {
                         if (CallsForResend(kind)) ++badReplies_;
                         startWhenReady();
                     });
}

HeadlessSession::~HeadlessSession() {
    session_.linkControl.setTickedHandler({});
    session_.core.measurements.unsubscribe(feedListener_);
}

std::string HeadlessSession::portLabel() {
    if (!label_.empty()) return label_;
    SessionCore& core = session_.core;
    const int number = core.port.isOpen() ? core.port.portNumber() : session_.linkControl.configuredPort();
    std::string label = "COM" + std::to_string(number);
    for (const PortInfo& p : core.port.enumerate())
        if (p.number == number && !p.device.empty()) label += " (" + p.device + ")";
    return label;
}

bool HeadlessSession::open(int port, int baudIndex, const std::string& label) {
    label_ = label;
    LinkControl& link = session_.linkControl;
    link.SetRunOverrides(port, baudIndex);
    const LinkEffects fx = link.Scan();
    if (!fx.fieldsChanged) {
        // The stored settings could not be read.
        fail(fx.errors.empty() ? UiText(kCannotOpenText) : fx.errors.front(), sysSet_.path());
        return false;
    }
    if (!session_.core.port.isOpen()) {
        fail(portFailure());
        return false;
    }
    opened_ = true;
    firstBlock_->start(kFirstBlockMs);
    return true;
}

UiText HeadlessSession::portFailure() {
    SerialPort& port = session_.core.port;
    const int number = session_.linkControl.configuredPort();
    const std::vector<PortInfo> ports = port.enumerate();
    const bool listed =
        std::any_of(ports.begin(), ports.end(), [&](const PortInfo& p) { return p.number == number; });
    if (!listed) {
        if (ports.empty()) return kNoPortsText;
        QStringList found;
        for (const PortInfo& p : ports) found << QString("COM%1").arg(p.number);
        return UiText(kNoSuchPortText).arg(found.join(", ").toStdString());
    }
    // The scan probed every port since; ask this one again for its reason.
    port.probe(number);
    const UiText cause = port.failureCause();
    return cause.empty() ? UiText(kCannotOpenText) : cause;
}

void HeadlessSession::start(MeasureMode mode, std::function<void()> started) {
    mode_ = mode;
    started_ = std::move(started);
    waitingToStart_ = true;
    startWhenReady();
}

void HeadlessSession::startWhenReady() {
    // Measuring starts once the settings read of the opening is answered (or given up).
    if (!waitingToStart_ || finished_ || session_.core.requests.pending(&session_.linkControl)) return;
    waitingToStart_ = false;
    MeasureControl& measure = session_.measure;
    if (mode_ == MeasureMode::Single)
        measure.Single();
    else
        measure.Continuous();
    if (progress_) progressTimer_->start(kProgressMs);
    armEnd();
    if (started_ && !finished_) started_();
}

void HeadlessSession::showProgress(std::function<std::string()> counted) {
    progress_ = true;
    counted_ = std::move(counted);
}

void HeadlessSession::endAfter(double seconds) {
    endLeftMs_ = std::max<long long>(1, static_cast<long long>(seconds * 1000.0 + 0.5));
}

void HeadlessSession::armEnd() {
    if (endLeftMs_ < 0 || finished_) return;
    endArmedMs_ = static_cast<int>(std::min(endLeftMs_, kLongestArmMs));
    end_->start(endArmedMs_);
}

void HeadlessSession::afterWatchdogTick() {
    SessionCore& core = session_.core;
    // The USB link's watchdog reopens its port; a plain port that went away ends the run.
    if (opened_ && core.state.LinkKind == LinkKind::Plain && !core.port.isOpen()) {
        fail(kPortClosedText);
        return;
    }
    startWhenReady();
}

void HeadlessSession::progressLine() {
    ++periods_;
    const double perSecond = periodBlocks_ * 1000.0 / kProgressMs;
    periodBlocks_ = 0;
    // The run's language does not change: the line is told in it at once.
    messages_(Translated(UiText(kProgressText)
                             .arg(ElapsedText(periods_ * kProgressMs / 1000))
                             .arg(counted_ ? UiText(counted_())
                                           : UiText(kRowsText).arg(static_cast<long long>(rows_)))
                             .arg(QString::number(perSecond, 'f', 2).toStdString())
                             .arg(static_cast<long long>(reRequests())))
                  .toStdString());
}

void HeadlessSession::fail(const UiText& cause, const std::string& subject) {
    failLine((subject.empty() ? portLabel() : subject) + ": " + Translated(cause).toStdString());
}

void HeadlessSession::failLine(const std::string& line) {
    if (finished_) return;
    messages_(line);
    finish(1);
}

void HeadlessSession::finish(int exitCode) {
    if (finished_) return;
    finished_ = true;
    exitCode_ = exitCode;
    for (Timer* t : {firstBlock_.get(), progressTimer_.get(), end_.get()}) t->stop();
    session_.linkControl.StopWatchdog();
    session_.measure.Stop();
    // As the window does when it closes: the instrument hears that the program goes.
    if (session_.core.port.isOpen()) session_.measure.SendClosingNotice();
    // A copy: a handler may add another.
    const std::vector<std::function<void(int)>> handlers = finishedHandlers_;
    for (const auto& h : handlers) h(exitCode);
}

void HeadlessSession::addFinishedHandler(std::function<void(int exitCode)> handler) {
    finishedHandlers_.push_back(std::move(handler));
}

}  // namespace lxv
