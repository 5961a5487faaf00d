// Test-only hooks of the program, switched on by the environment:
//   LXV_TEST_LOG=<file>     appends "block <crc16 hex>" per accepted measurement
//                           block, "status <text>" per change of status panel 0,
//                           "setup" when a SETUP reply arrived, "stray <n>"
//                           per burst of n stray bytes dropped after a good
//                           reply, and "capture <crc16 hex of the 10248
//                           bytes>" per complete starting-test capture;
//   LXV_TEST_ACTION=continuous|single|starting
//                           starts that measurement, or a starting test in the
//                           largest ranges without asking, once start-up is
//                           over (after the SETUP reply, or 2 s at the latest);
//   LXV_TEST_ACTION=settings-write|alarm-write|calibrate
//                           runs that exchange with the instrument at the same
//                           moment (instrument_test_actions.h);
//   LXV_TEST_RECORD=<file>  with the first measurement block of continuous
//                           measurement: creates that record file and starts
//                           recording; logs "record started" and "record
//                           sample <count>" per sample;
//   LXV_TEST_RECORD_SAMPLES=<n>
//                           stops the recording after n samples ("record
//                           stopped <count>").
#pragma once

#include <QFile>
#include <QObject>
#include <QTimer>

#include "cycle/receive_dispatcher.h"

namespace lxv {

class InstrumentTestActions;
class Session;
class TMainForm;
class TRecordForm;

class TestHooks : public QObject {
    Q_OBJECT
  public:
    TestHooks(Session& session, TMainForm& form, const QString& logPath, const QString& action,
              QObject* parent = nullptr);
    // Reads LXV_TEST_LOG and LXV_TEST_ACTION; nullptr when neither is set.
    static TestHooks* FromEnvironment(Session& session, TMainForm& form, QObject* parent = nullptr);
    // Follows the session's recorder (LXV_TEST_RECORD); the record window exists by now.
    void AttachRecorder(TRecordForm& record);
    ~TestHooks() override;

    // The log line of a whole reply, or empty when it is not logged.
    static QString ReplyLine(ReplyKind kind, const QByteArray& bytes, std::uint8_t routingKey);

  private:
    void write(const QString& line);
    void onReply(ReplyKind kind, const QByteArray& bytes);
    void startAction();
    void startRecording();

    Session& session_;
    TMainForm& form_;
    QFile log_;
    QString action_;
    QTimer actionTimer_;
    bool actionDone_ = false;
    QString recordPath_;
    int recordSamples_ = 0;
    int measureListener_ = 0;
    TRecordForm* record_ = nullptr;
    InstrumentTestActions* instrumentActions_ = nullptr;
};

}  // namespace lxv
