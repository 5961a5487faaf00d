#include "app/test_hooks.h"

#include "app/instrument_test_actions.h"
#include "app/main_form.h"
#include "link/frame_codec.h"
#include "link/registers.h"
#include "record/record_form.h"
#include "session/session.h"

namespace lxv {

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
    instrumentActions_ = new InstrumentTestActions(
        session_, [this](const QString& line) { write(line); }, this);
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
    const QString line = ReplyLine(kind, bytes, session_.core.link.routingKey());
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
