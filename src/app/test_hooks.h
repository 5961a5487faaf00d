// Test-only hooks of the program, switched on by the environment:
//   LXV_TEST_LOG=<file>     appends "block <crc16 hex>" per accepted measurement
//                           block, "status <text>" per change of status panel 0,
//                           and "setup" when a SETUP reply arrived;
//   LXV_TEST_ACTION=continuous|single
//                           starts that measurement once start-up is over (after
//                           the SETUP reply, or 2 s at the latest);
//   LXV_TEST_ACTION=settings-write|alarm-write|calibrate
//                           runs that exchange with the instrument at the same
//                           moment (instrument_test_actions.h).
#pragma once

#include <QFile>
#include <QObject>
#include <QTimer>

#include "cycle/receive_dispatcher.h"

namespace lxv {

class InstrumentTestActions;
class Session;
class TMainForm;

class TestHooks : public QObject {
    Q_OBJECT
  public:
    TestHooks(Session& session, TMainForm& form, const QString& logPath, const QString& action,
              QObject* parent = nullptr);
    // Reads LXV_TEST_LOG and LXV_TEST_ACTION; nullptr when neither is set.
    static TestHooks* FromEnvironment(Session& session, TMainForm& form, QObject* parent = nullptr);

    // The log line of a whole reply, or empty when it is not logged.
    static QString ReplyLine(ReplyKind kind, const QByteArray& bytes, std::uint8_t routingKey);

  private:
    void write(const QString& line);
    void onReply(ReplyKind kind, const QByteArray& bytes);
    void startAction();

    Session& session_;
    TMainForm& form_;
    QFile log_;
    QString action_;
    QTimer actionTimer_;
    bool actionDone_ = false;
    InstrumentTestActions* instrumentActions_ = nullptr;
};

}  // namespace lxv
