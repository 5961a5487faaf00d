#include "app/test_hooks.h"

#include <QTimer>
#include <functional>
#include <random>
#include <string>

#include "app/main_form.h"
#include "link/frame_codec.h"
#include "link/registers.h"
#include "record/record_form.h"
#include "session/session.h"

namespace lxv {

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

// The instrument configuration actions, each a fixed exchange with its log lines.
class TestHooks::InstrumentActions : public QObject {
  public:
    InstrumentActions(Session& session, TMainForm& form, std::function<void(const QString&)> log,
                      QObject* parent);
    ~InstrumentActions() override;
    // Starts `action`; false when it is not one of these.
    bool start(const QString& action);

  private:
    void settingsChanged();
    void alarmChanged();
    void calibrateStep();
    QString settingsFieldsLine() const;
    QString alarmFieldsLine() const;
    // settings-reads and alarm-reads: the next read at a random moment, or the end.
    void scheduleRead();
    void sendRead();
    void pollKeepAlive();
    void readDone(const QString& line);

    Session& session_;
    TMainForm& form_;
    std::function<void(const QString&)> log_;
    QString action_;
    int step_ = 0;
    std::string settingsStatus_, alarmLabel_, calibrateStatus_;
    // The repeated reads: how many, how many sent, whether one is under way.
    int readsWanted_ = 0, readsSent_ = 0;
    bool reading_ = false;
    bool idlePhase_ = false;  // alarm-reads: measurement stopped, reads timed by the keep-alive
    std::uint32_t framesAtWait_ = 0;
    int keepAliveWaits_ = 0;
    bool blocksSeen_ = false, waitingForBlocks_ = false;
    int feedId_ = 0;
    std::mt19937 random_;
    QTimer readTimer_, readTimeout_, keepAlivePoll_;
};

TestHooks::InstrumentActions::InstrumentActions(Session& session, TMainForm& form,
                                                std::function<void(const QString&)> log, QObject* parent)
    : QObject(parent), session_(session), form_(form), log_(std::move(log)) {
    readTimer_.setSingleShot(true);
    readTimeout_.setSingleShot(true);
    connect(&readTimer_, &QTimer::timeout, this, [this] { sendRead(); });
    connect(&keepAlivePoll_, &QTimer::timeout, this, [this] { pollKeepAlive(); });
    connect(&readTimeout_, &QTimer::timeout, this,
            [this] { readDone(QString("read-timeout %1").arg(readsSent_)); });
    // Each controller's answer is taken up after the reply handling that caused it.
    session_.settings.addChangedHandler(
        [this] { QTimer::singleShot(0, this, [this] { settingsChanged(); }); });
    session_.alarm.addChangedHandler([this] { QTimer::singleShot(0, this, [this] { alarmChanged(); }); });
    session_.calibrate.addChangedHandler([this] {
        const std::string& status = session_.calibrate.status();
        if (status != calibrateStatus_ && !status.empty()) log_("calibrate-status " + Q(status));
        calibrateStatus_ = status;
        if (action_ == "calibrate" && step_ == 6 && session_.calibrate.fields.phase[0] != "") {
            step_ = 7;
            log_("calibrate-phase " + Q(session_.calibrate.fields.phase[0]));
        }
    });
}

TestHooks::InstrumentActions::~InstrumentActions() {
    if (feedId_) session_.core.measurements.unsubscribe(feedId_);
}

bool TestHooks::InstrumentActions::start(const QString& action) {
    action_ = action;
    step_ = 0;
    if (action == "settings-reads" || action == "alarm-reads") {
        readsWanted_ =
            qEnvironmentVariableIsSet("LXV_TEST_READS") ? qEnvironmentVariableIntValue("LXV_TEST_READS") : 30;
        random_.seed(static_cast<unsigned>(qEnvironmentVariableIntValue("LXV_TEST_SEED")));
        feedId_ = session_.core.measurements.subscribe([this](const MeasureRecord&) {
            blocksSeen_ = true;
            if (!waitingForBlocks_) return;
            waitingForBlocks_ = false;
            QTimer::singleShot(0, this, [this] { scheduleRead(); });
        });
        if (action != "alarm-reads") {
            form_.SeSkinSpeedButton8Click();
            scheduleRead();
            return true;
        }
        // alarm-reads: limits of its own in the instrument first, so a shifted one shows.
    }
    if (action == "settings-write") {
        SettingsFields& f = session_.settings.fields;
        f.angle = "9";
        f.ctRatio = "0.1";
        f.vtRatio = "2";
        f.bandwidth = 1;
        f.thdAlgorithm = 1;
        f.filterItem = 2;
        f.filterOn = true;
        f.range = SettingsFields::Range::Lock;
        f.rangeItem = 1;
        step_ = 1;
        session_.settings.Save();
        return true;
    }
    if (action == "alarm-write" || action == "alarm-reads") {
        session_.alarm.fields.limits = {"250", "10.5", "15", "0.5", "5000", "1", "0.99", "0.5"};
        session_.alarm.fields.enabled = {false, true, false, true, true, false, true, false};  // 0x5A
        step_ = 1;
        session_.alarm.Save();
        return true;
    }
    if (action == "calibrate") {
        auto* timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, [this, timer] {
            calibrateStep();
            if (step_ >= 6) timer->stop();
        });
        timer->start(300);
        return true;
    }
    return false;
}

QString TestHooks::InstrumentActions::settingsFieldsLine() const {
    const SettingsFields& f = session_.settings.fields;
    return QString("settings-fields %1|%2|%3|%4|%5|%6|%7|%8|%9")
        .arg(Q(f.angle), Q(f.ctRatio), Q(f.vtRatio))
        .arg(f.bandwidth)
        .arg(f.thdAlgorithm)
        .arg(f.filterItem)
        .arg(f.filterOn ? 1 : 0)
        .arg(f.range == SettingsFields::Range::Lock ? 1 : 0)
        .arg(f.rangeItem);
}

QString TestHooks::InstrumentActions::alarmFieldsLine() const {
    QStringList values;
    for (const std::string& text : session_.alarm.fields.limits) values << Q(text);
    values << QString::number(session_.alarm.limits().flags, 16);
    return "alarm-fields " + values.join('|');
}

void TestHooks::InstrumentActions::scheduleRead() {
    if (readsSent_ >= readsWanted_) {
        log_("reads done");
        return;
    }
    if (action_ == "alarm-reads" && readsSent_ == readsWanted_ / 3 && idlePhase_) {
        // The rest: during continuous measurement.
        idlePhase_ = false;
        blocksSeen_ = false;
        form_.SeSkinSpeedButton8Click();
    }
    if (idlePhase_) {
        // Within 15 ms after the next keep-alive went out, while its answer is owed.
        framesAtWait_ = session_.core.link.framesSent();
        keepAliveWaits_ = 0;
        keepAlivePoll_.start(5);
        return;
    }
    // A random moment of the measurement cycle, once continuous measurement shows blocks.
    if (!blocksSeen_) {
        waitingForBlocks_ = true;
        return;
    }
    readTimer_.start(std::uniform_int_distribution<int>(0, 299)(random_));
}

void TestHooks::InstrumentActions::pollKeepAlive() {
    const SentFrame& last = session_.core.link.lastSent();
    const bool keepAliveSent = session_.core.link.framesSent() != framesAtWait_ && last.reg == LINKCHK;
    // No keep-alive in 3 s: read anyway.
    if (!keepAliveSent && ++keepAliveWaits_ < 600) return;
    keepAlivePoll_.stop();
    readTimer_.start(std::uniform_int_distribution<int>(0, 15)(random_));
}

void TestHooks::InstrumentActions::sendRead() {
    ++readsSent_;
    reading_ = true;
    log_(QString("read %1").arg(readsSent_));
    // What shows next is what was read.
    ConfigEffects fx;
    if (action_ == "settings-reads") {
        session_.settings.fields = SettingsFields{};
        fx = session_.settings.Read();
    } else {
        session_.alarm.fields = AlarmFields{};
        session_.alarm.fields.limits.fill("");
        fx = session_.alarm.Open();
    }
    if (!fx.message.empty()) return readDone(QString("read-failed %1").arg(readsSent_));
    readTimeout_.start(6000);
}

void TestHooks::InstrumentActions::readDone(const QString& line) {
    if (!reading_) return;
    reading_ = false;
    readTimeout_.stop();
    log_(line);
    scheduleRead();
}

void TestHooks::InstrumentActions::settingsChanged() {
    const std::string status = session_.settings.status();
    if (status == settingsStatus_) return;
    settingsStatus_ = status;
    log_("settings-status " + Q(status));
    if (action_ == "settings-reads" && reading_ && status == kSynchronizedText)
        return readDone(settingsFieldsLine());
    if (action_ != "settings-write") return;
    if (step_ == 1 && status == "Successfully write data to the instrument") {
        step_ = 2;
        session_.settings.fields = SettingsFields{};  // what shows next is what was read
        session_.settings.Read();
    } else if (step_ == 2 && status == kSynchronizedText) {
        step_ = 3;
        log_(settingsFieldsLine());
    }
}

void TestHooks::InstrumentActions::alarmChanged() {
    const std::string label = session_.alarm.label7();
    if (label == alarmLabel_) return;
    alarmLabel_ = label;
    log_("alarm-label " + Q(label));
    if (action_ == "alarm-reads") {
        if (step_ == 1 && label == "Data transmission completed.") {
            step_ = 2;
            idlePhase_ = true;  // first half: measurement stopped, the watchdog's keep-alive running
            scheduleRead();
        } else if (reading_ && label == kSynchronizedText) {
            readDone(alarmFieldsLine());
        }
        return;
    }
    if (action_ != "alarm-write") return;
    if (step_ == 1 && label == "Data transmission completed.") {
        step_ = 2;
        session_.alarm.fields = AlarmFields{};
        session_.alarm.fields.limits.fill("");
        session_.alarm.Read();
    } else if (step_ == 2 && label == kSynchronizedText) {
        step_ = 3;
        log_(alarmFieldsLine());
    }
}

void TestHooks::InstrumentActions::calibrateStep() {
    CalibrateControl& c = session_.calibrate;
    switch (step_++) {
        case 0:
            c.fields.voltage = "220";
            c.CalibrateVoltage();
            break;
        case 1:
            c.fields.current = "0.02";
            c.CalibrateCurrent();
            break;
        case 2:
            c.fields.phase[0] = "1";
            c.WritePhase(PhaseRow::Narrow);
            break;
        case 3: c.Temperature(3); break;
        case 4: c.Unlock(); break;
        case 5:
            c.fields.phase[0] = "";
            c.ReadPhase(PhaseRow::Narrow);
            break;
        default: break;
    }
}

TestHooks::TestHooks(Session& session, TMainForm& form, const QString& logPath, const QString& action,
                     QObject* parent)
    : QObject(parent), session_(session), form_(form), action_(action) {
    if (!logPath.isEmpty()) {
        log_.setFileName(logPath);
        log_.open(QIODevice::Append | QIODevice::Text);
    }
    connect(&session_.receiver, &ReplyReceiver::replyHandled, this, &TestHooks::onReply);
    connect(&session_.receiver, &ReplyReceiver::strayBytesDropped, this,
            [this](int count) { write(QString("stray %1").arg(count)); });
    instrumentActions_ = new InstrumentActions(
        session_, form_, [this](const QString& line) { write(line); }, this);
    connect(&form_, &TMainForm::statusPanelChanged, this, [this](int panel, const QString& text) {
        if (panel == 0) write("status " + text);
    });
    session_.starting.subscribeCapture([this](const StartingRecord& capture) {
        write(QString("capture %1").arg(Crc16(capture.data(), capture.size()), 4, 16, QChar('0')));
    });
    if (!action_.isEmpty()) {
        actionTimer_.setSingleShot(true);
        connect(&actionTimer_, &QTimer::timeout, this, &TestHooks::startAction);
        actionTimer_.start(2000);
    }
}

double TestHooks::TimeScale() {
    bool ok = false;
    const double scale = qEnvironmentVariable("LXV_TEST_TIME_SCALE").toDouble(&ok);
    return ok && scale >= 1 && scale <= 1000 ? scale : 1.0;
}

TestHooks* TestHooks::FromEnvironment(Session& session, TMainForm& form, QObject* parent) {
    const QString log = qEnvironmentVariable("LXV_TEST_LOG");
    const QString action = qEnvironmentVariable("LXV_TEST_ACTION");
    if (log.isEmpty() && action.isEmpty() && qEnvironmentVariableIsEmpty("LXV_TEST_RECORD")) return nullptr;
    return new TestHooks(session, form, log, action, parent);
}

QString TestHooks::ReplyLine(ReplyKind kind, const QByteArray& bytes, std::uint8_t routingKey) {
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    if (kind == ReplyKind::MeasureBlock)
        return QString("block %1").arg(Crc16(data, kMeasureBlockSize), 4, 16, QChar('0'));
    // The settings window may not exist yet: a SETUP reply nobody takes still counts.
    const bool registerReply = kind == ReplyKind::RegisterReply || kind == ReplyKind::Ignored;
    if (registerReply && bytes.size() > 4 && data[1] == kFnRead && routingKey == SETUP) return "setup";
    return {};
}

void TestHooks::onReply(ReplyKind kind, const QByteArray& bytes) {
    const QString line =
        ReplyLine(kind, bytes, static_cast<std::uint8_t>(session_.core.requests.answeredRegister()));
    if (line.isEmpty()) return;
    write(line);
    if (line == "setup" && !action_.isEmpty()) startAction();
}

void TestHooks::startAction() {
    if (actionDone_) return;
    actionDone_ = true;
    actionTimer_.stop();
    if (action_ == "continuous")
        form_.SeSkinSpeedButton8Click();
    else if (action_ == "single")
        form_.SeSkinSpeedButton7Click();
    else if (action_ == "starting")
        session_.starting.Start(0, 0);
    else
        instrumentActions_->start(action_);
}

TestHooks::~TestHooks() {
    if (!record_) return;
    session_.recorder.setSampleObserver({});
    session_.recorder.setSaveObserver({});
    session_.recorder.setMissObserver({});
    session_.core.measurements.unsubscribe(measureListener_);
}

void TestHooks::AttachRecorder(TRecordForm& record) {
    recordPath_ = qEnvironmentVariable("LXV_TEST_RECORD");
    if (recordPath_.isEmpty()) return;
    record_ = &record;
    recordSamples_ = qEnvironmentVariableIntValue("LXV_TEST_RECORD_SAMPLES");
    Recorder& recorder = session_.recorder;
    recorder.setSampleObserver([this, &recorder](int count) {
        write(QString("record sample %1").arg(count));
        if (recordSamples_ > 0 && count >= recordSamples_) {
            // After this sample is stored: the stop button's click, as a user would.
            QTimer::singleShot(0, this, [this, &recorder] {
                record_->StopClick();
                write(QString("record stopped %1").arg(recorder.savedCount()));
            });
        }
    });
    recorder.setSaveObserver([this](int saved) { write(QString("record saved %1").arg(saved)); });
    recorder.setMissObserver([this](int missed) { write(QString("record missed %1").arg(missed)); });
    // The first block of continuous measurement starts the recording, so every sample holds a measurement.
    measureListener_ = session_.core.measurements.subscribe([this](const MeasureRecord&) {
        if (session_.core.state.MeasureMode == MeasureMode::Continuous) startRecording();
    });
}

void TestHooks::startRecording() {
    Recorder& recorder = session_.recorder;
    if (recorder.state() != RecorderState::NoFile) return;
    // The create and start buttons' steps after the save dialog.
    if (!record_->CreateRecordFileAt(recordPath_)) {
        write("record failed");
        return;
    }
    record_->StartClick();
    write(recorder.recording() ? QString("record started") : QString("record failed"));
}

void TestHooks::write(const QString& line) {
    if (!log_.isOpen()) return;
    log_.write((line + '\n').toUtf8());
    log_.flush();
}

}  // namespace lxv
