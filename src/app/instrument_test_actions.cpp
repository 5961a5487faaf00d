#include "app/instrument_test_actions.h"

#include <QTimer>

#include "session/session.h"

namespace lxv {

namespace {
QString Q(const std::string& s) {
    return QString::fromStdString(s);
}
}  // namespace

InstrumentTestActions::InstrumentTestActions(Session& session, std::function<void(const QString&)> log,
                                             QObject* parent)
    : QObject(parent), session_(session), log_(std::move(log)) {
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

bool InstrumentTestActions::start(const QString& action) {
    action_ = action;
    step_ = 0;
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
    if (action == "alarm-write") {
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

void InstrumentTestActions::settingsChanged() {
    const std::string status = session_.settings.status();
    if (status == settingsStatus_) return;
    settingsStatus_ = status;
    log_("settings-status " + Q(status));
    if (action_ != "settings-write") return;
    if (step_ == 1 && status == "Successfully write data to the instrument") {
        step_ = 2;
        session_.settings.fields = SettingsFields{};  // what shows next is what was read
        session_.settings.Read();
    } else if (step_ == 2 && status == kSynchronizedText) {
        step_ = 3;
        const SettingsFields& f = session_.settings.fields;
        log_(QString("settings-fields %1|%2|%3|%4|%5|%6|%7|%8|%9")
                 .arg(Q(f.angle), Q(f.ctRatio), Q(f.vtRatio))
                 .arg(f.bandwidth)
                 .arg(f.thdAlgorithm)
                 .arg(f.filterItem)
                 .arg(f.filterOn ? 1 : 0)
                 .arg(f.range == SettingsFields::Range::Lock ? 1 : 0)
                 .arg(f.rangeItem));
    }
}

void InstrumentTestActions::alarmChanged() {
    const std::string label = session_.alarm.label7();
    if (label == alarmLabel_) return;
    alarmLabel_ = label;
    log_("alarm-label " + Q(label));
    if (action_ != "alarm-write") return;
    if (step_ == 1 && label == "Data transmission completed.") {
        step_ = 2;
        session_.alarm.fields = AlarmFields{};
        session_.alarm.fields.limits.fill("");
        session_.alarm.Read();
    } else if (step_ == 2 && label == kSynchronizedText) {
        step_ = 3;
        QStringList values;
        for (const std::string& text : session_.alarm.fields.limits) values << Q(text);
        values << QString::number(session_.alarm.limits().flags, 16);
        log_("alarm-fields " + values.join('|'));
    }
}

void InstrumentTestActions::calibrateStep() {
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

}  // namespace lxv
