// A main window on a session around a fake port, manual timers, fake dialogs
// and a fake shell, built anew for every test function; plus helpers that make measurement replies.
#pragma once

#include <QStringList>
#include <QTemporaryDir>
#include <cmath>
#include <memory>
#include <vector>

#include "app/main_form.h"
#include "link/registers.h"
#include "core/measure_block.h"
#include "platform/ini_file.h"
#include "session/session.h"
#include "support/fake_dialogs.h"
#include "support/fake_serial_port.h"
#include "support/manual_timers.h"

namespace lxv::test {

// A measurement block with a recognisable voltage, sine waves and two harmonics.
inline MeasureRecord SampleMeasurement(float urms) {
    MeasureRecord r;
    ResetMeasurement(r);
    r.setScalar(Scalar::URMS, urms);
    r.setScalar(Scalar::UPP, urms * 1.414f);
    r.setScalar(Scalar::UF, 50.0f);
    r.setScalar(Scalar::IRMS, 1.25f);
    r.setScalar(Scalar::IPP, 1.77f);
    r.setScalar(Scalar::PF, 0.98f);
    r.setScalar(Scalar::WRMS, urms * 1.2f);
    r.setScalar(Scalar::VTHD, 0.031f);
    r.setScalar(Scalar::KWH, 12.5f);
    r.setUHarmonic(1, 325.0f);
    r.setUHarmonic(3, 20.0f);
    r.setIHarmonic(1, 1.7f);
    r.setIHarmonic(5, 0.4f);
    for (int k = 0; k < kSampleCount; ++k) {
        const double phase = 2 * 3.14159265358979 * k / 128.0;
        r.setUSample(k, static_cast<std::uint16_t>(2047 + 1500 * std::sin(phase)));
        r.setISample(k, static_cast<std::uint16_t>(2047 + 800 * std::sin(phase - 0.3)));
    }
    return r;
}

inline std::vector<std::uint8_t> MeasureReply(const MeasureRecord& r) {
    return WithCrc({r.data(), r.data() + kBlockSize});
}

struct MainFormRig {
    QTemporaryDir home;
    FakeSerialPort port;
    FakeDialogs dialogs;
    FakeShell shell;
    ManualTimers timers;
    std::unique_ptr<IniFile> sysSet;
    std::unique_ptr<Session> session;
    SessionCore* core = nullptr;
    std::unique_ptr<TMainForm> form;

    explicit MainFormRig(bool portOpen = true) {
        port.present = {3};
        if (portOpen) port.open(3, 115200);
        SetAppDialogs(&dialogs);
        SetAppShell(&shell);
        sysSet = std::make_unique<IniFile>((home.path() + "/SysSet.ini").toStdString());
        session = std::make_unique<Session>(port, *sysSet, timers);
        core = &session->core;
        form = std::make_unique<TMainForm>(*session);
    }
    ~MainFormRig() {
        form.reset();
        SetAppDialogs(nullptr);
        SetAppShell(nullptr);
    }
    void receive(const MeasureRecord& r) { port.receive(MeasureReply(r)); }
    template <typename T>
    T* find(const char* name) const {
        return form->findChild<T*>(name);
    }
};

}  // namespace lxv::test
