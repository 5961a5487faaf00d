#include "instrument/calibrate_control.h"

#include <cmath>

#include "instrument/alarm_control.h"
#include "instrument/instrument_settings.h"
#include "instrument/number_fields.h"
#include "instrument/settings_control.h"
#include "platform/number_format.h"
#include "platform/serial_port.h"
#include "core/session_core.h"

namespace lxv {

namespace {
const char* const kPhaseNames[2] = {QT_TRANSLATE_NOOP("lxv", "窄频"), QT_TRANSLATE_NOOP("lxv", "宽频")};
constexpr std::uint16_t kPhaseRegister[2] = {IPHN, IPHW};

std::string MeasuredPhaseText(float degrees) {
    return FormatGeneral(std::nearbyint(static_cast<double>(degrees) * 100) / 100) + "   ";
}
}  // namespace

CalibrateControl::CalibrateControl(SessionCore& core, SettingsControl& settings,
                                   std::function<void()> openPort)
    : core_(core),
      settings_(settings),
      openPort_(std::move(openPort)),
      step_(core.timers, "PhaseReadRetryTimer", [this](std::uint16_t reg) {
          core_.requests.cancel(this);
          givenUp_ = true;
          status_ = TransferFailedText(reg);
          changed();
      }) {
    for (PhaseRow row : {PhaseRow::Narrow, PhaseRow::Broad}) {
        core.dispatcher.setRegisterHandler(
            kPhaseRegister[static_cast<int>(row)],
            [this, row](const std::uint8_t* d, std::size_t n) { phaseRead(row, d, n); });
    }
    core.measurements.subscribe([this](const MeasureRecord& record) {
        fields.label8 = MeasuredPhaseText(FundamentalPhase(record, Channel::Voltage));
        fields.label9 = MeasuredPhaseText(FundamentalPhase(record, Channel::Current));
        changed();
    });
}

ConfigEffects CalibrateControl::calibrate(std::uint16_t reg, const std::string& text, const char* name) {
    const FieldValues v = ReadNumberFields({{name, text}});
    if (!v.ok()) return {v.error};
    if (!core_.port.isOpen() && openPort_) openPort_();
    const std::uint32_t bits = FloatBits(static_cast<float>(v.values[0]));
    // The voltage frame is built in the shared buffer, the current frame in a private one.
    Request write = Request::WriteValue(reg, bits);
    if (reg == CALU) write.frame = Request::Frame::WriteValueShared;
    const bool sent = core_.requests.submit(std::move(write));
    return {sent ? UiText() : UiText(kCommandFailedText)};
}

ConfigEffects CalibrateControl::CalibrateVoltage() {
    return calibrate(CALU, fields.voltage, QT_TRANSLATE_NOOP("lxv", "电压"));
}

ConfigEffects CalibrateControl::CalibrateCurrent() {
    return calibrate(CALI, fields.current, QT_TRANSLATE_NOOP("lxv", "电流"));
}

ConfigEffects CalibrateControl::WritePhase(PhaseRow row) {
    const int i = static_cast<int>(row);
    const FieldValues v = ReadNumberFields({{kPhaseNames[i], fields.phase[i]}});
    if (!v.ok()) return {v.error};
    const double value = v.values[0];
    if (value > 30) return {kPhaseTooLargeText};
    if (value < -30) return {kPhaseTooSmallText};
    const float sent = fields.angleToTime ? PhaseToTime(value) : static_cast<float>(value);
    core_.requests.submit(Request::WriteValue(kPhaseRegister[i], FloatBits(sent)));
    return {};
}

ConfigEffects CalibrateControl::Nudge(PhaseRow row, double delta) {
    const int i = static_cast<int>(row);
    const std::optional<double> value = ParseNumber(fields.phase[i]);  // an empty field is no number here
    if (!value) return {FieldConversionMessage(kPhaseNames[i], fields.phase[i])};
    fields.phase[i] = FormatGeneral(*value + delta);
    changed();
    return WritePhase(row);
}

ConfigEffects CalibrateControl::PlusOnePointThree() {
    const std::optional<double> broad = ParseNumber(fields.phase[1]);
    if (!broad) return {FieldConversionMessage(kPhaseNames[1], fields.phase[1])};
    fields.phase[0] = FormatGeneral(*broad + 1.3);
    changed();
    return WritePhase(PhaseRow::Narrow);
}

ConfigEffects CalibrateControl::ReadPhase(PhaseRow row) {
    const std::uint16_t reg = kPhaseRegister[static_cast<int>(row)];
    givenUp_ = false;
    if (!core_.requests.read(reg, kPhaseCount, Expect::Register, this)) return {kSyncFailedText};
    step_.sent(reg, [this, reg] { core_.requests.read(reg, kPhaseCount, Expect::Register, this); });
    status_ = {};
    changed();
    return {};
}

void CalibrateControl::phaseRead(PhaseRow row, const std::uint8_t* data, std::size_t size) {
    if (size < 4 || givenUp_) return;
    if (step_.waiting() && step_.reg() == kPhaseRegister[static_cast<int>(row)]) step_.answered();
    const float value = DecodeFloat(data);
    fields.phase[static_cast<int>(row)] = FormatGeneral(fields.angleToTime ? TimeToPhase(value) : value);
    changed();
}

ConfigEffects CalibrateControl::command(std::uint16_t reg, std::uint8_t code) {
    const std::uint8_t data[4] = {code, 0, 0, 0};
    if (!core_.requests.submit(Request::WriteBytes(reg, data))) return {kCommandFailedText};
    return {};
}

ConfigEffects CalibrateControl::Temperature(std::uint8_t code) {
    return command(TCOMP, code);
}

ConfigEffects CalibrateControl::Unlock() {
    return command(CALLOCK, kCalibrationAccessCode);
}

ConfigEffects CalibrateControl::Bandwidth(int item) {
    settings_.fields.bandwidth = item;
    return settings_.Save();
}

ConfigEffects CalibrateControl::Range(int range) {
    settings_.fields.rangeItem = range - 1;
    settings_.fields.range = SettingsFields::Range::Lock;
    return settings_.Save();
}

ConfigEffects CalibrateControl::Factory() {
    settings_.Default();
    return settings_.Save();
}

void CalibrateControl::changed() {
    changed_.notify();
}

}  // namespace lxv
