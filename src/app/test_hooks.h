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
//                           moment, against a real or simulated instrument:
//                           settings-write  saves fixed settings, reads them
//                             back and logs "settings-fields <Edit1>|<Edit3>|
//                             <Edit4>|<bandwidth>|<THD>|<filter item>|<filter
//                             on>|<locked>|<range item>";
//                           alarm-write  saves fixed limits and flags 0x5A,
//                             reads them back and logs "alarm-fields
//                             <Edit1>|...|<Edit8>|<flags hex>";
//                           calibrate  sends 220 V, 0.02 A, narrowband phase 1,
//                             temperature command 3 and the unlock 300 ms
//                             apart, then reads the phase and logs
//                             "calibrate-phase <Edit7>";
//                           settings-reads  starts continuous measurement and,
//                             once blocks come, reads the settings
//                             LXV_TEST_READS (30) times, each at a random
//                             moment 0..299 ms after the last one ended
//                             (LXV_TEST_SEED): "read <n>", then its
//                             "settings-fields ..." (or "read-timeout <n>"
//                             after 6 s), and "reads done";
//                           alarm-reads  saves the alarm-write limits, then
//                             opens the alarm window the same way: the first
//                             third with measurement stopped, each 0..15 ms
//                             after a keep-alive went out (its answer owed),
//                             the rest in continuous measurement;
//                             "alarm-fields ..." per read;
//                           every status text of the three windows is logged
//                           as "settings-status ...", "alarm-label ..." or
//                           "calibrate-status ...";
//   LXV_TEST_RECORD=<file>  with the first measurement block of continuous
//                           measurement: creates that record file and starts
//                           recording; logs "record started", "record
//                           sample <count>" per sample, "record missed
//                           <steps>" per sampling step that found no new
//                           block (nothing stored) and "record saved
//                           <count>" per completed save of the file;
//   LXV_TEST_RECORD_SAMPLES=<n>
//                           stops the recording after n samples ("record
//                           stopped <count>");
//   LXV_TEST_TIME_SCALE=<n> the standby test from the command line counts n
//                           of its seconds for every second of the steady
//                           clock (a 600 s period in 600/n s; the blocks
//                           still come at the instrument's pace).
// All of them live in this file and its .cpp; nothing else of the program
// reads the environment for a test.
#pragma once

#include <QFile>
#include <QObject>
#include <QTimer>

#include "core/receive_dispatcher.h"

namespace lxv {

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
    // LXV_TEST_TIME_SCALE: 1 when unset or not a number from 1 to 1000.
    static double TimeScale();
    // Follows the session's recorder (LXV_TEST_RECORD); the record window exists by now.
    void AttachRecorder(TRecordForm& record);
    ~TestHooks() override;

    // The log line of a whole reply, or empty when it is not logged.
    static QString ReplyLine(ReplyKind kind, const QByteArray& bytes, std::uint8_t routingKey);

  private:
    class InstrumentActions;  // settings-write, alarm-write, calibrate

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
    InstrumentActions* instrumentActions_ = nullptr;
};

}  // namespace lxv
