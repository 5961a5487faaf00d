#include "instrument/settings_control.h"

#include "instrument/number_fields.h"
#include "platform/number_format.h"
#include "core/session_core.h"

namespace lxv {

SettingsControl::SettingsControl(SessionCore& core)
    : core_(core), step_(core.timers, "SettingsRetryTimer", [this](std::uint16_t reg) { gaveUp(reg); }) {
    core.dispatcher.setRegisterHandler(SETUP,
                                       [this](const std::uint8_t* d, std::size_t n) { replyReceived(d, n); });
    core.dispatcher.setAckHandler(SETUP, [this](std::uint8_t) { acknowledged(); });
}

void SettingsControl::Default() {
    const SettingsFields keep = fields;
    fields = SettingsFields{};
    fields.frequencyItem = keep.frequencyItem;  // the reference frequency stays
    fields.range = SettingsFields::Range::Auto;
    fields.rangeItem = 3;
    changed();
}

ConfigEffects SettingsControl::Save() {
    const int hz = fields.frequencyItem == 1 ? 60 : 50;
    const FieldValues v =
        ReadNumberFields({{QT_TRANSLATE_NOOP("lxv", "Angle difference"), fields.angle},
                          {QT_TRANSLATE_NOOP("lxv", "Current transformer ratio"), fields.ctRatio},
                          {QT_TRANSLATE_NOOP("lxv", "Voltage transformer ratio"), fields.vtRatio}});
    if (!v.ok()) return {v.error};
    if (v.values[0] > 30) return {kAngleTooLargeText};
    if (v.values[0] < -30) return {kAngleTooSmallText};

    copy_.AngleTime = AngleToTime(v.values[0], hz);
    copy_.CtRatio = static_cast<float>(v.values[1]);
    copy_.VtRatio = static_cast<float>(v.values[2]);
    copy_.Bandwidth = static_cast<std::uint8_t>(fields.bandwidth);
    copy_.ThdAlgorithm = static_cast<std::uint8_t>(fields.thdAlgorithm);
    copy_.FilterCoefficient = static_cast<std::uint8_t>(fields.filterItem + 1);
    copy_.FilterOff = fields.filterOn ? 0 : 1;
    copy_.RangeLocked = fields.range == SettingsFields::Range::Auto ? 0 : 1;
    copy_.CurrentRange = static_cast<std::uint8_t>(fields.rangeItem + 1);

    const InstrumentSettings::Bytes bytes = copy_.Encode();
    auto send = [this, bytes] { core_.requests.submit(Request::WriteBlock(SETUP, bytes.data(), bytes.size(), this)); };
    send();  // a closed port sends nothing; the retries then report the failure
    pending_ = Pending::Save;
    step_.sent(SETUP, send);
    core_.status.set(1, copy_.Bandwidth == 0 ? QT_TRANSLATE_NOOP("lxv", "Status: narrowband")
                                             : QT_TRANSLATE_NOOP("lxv", "Status: Broadband"));
    setStatus(QT_TRANSLATE_NOOP("lxv", "Data is being transmitted to the instrument"));
    return {};
}

ConfigEffects SettingsControl::Read() {
    setStatus(QT_TRANSLATE_NOOP("lxv", "Is requesting instrument data ......"));
    if (!core_.requests.read(SETUP, kSetupWindowCount, Expect::Register, this)) return {kReadFailedText};
    pending_ = Pending::Read;
    step_.sent(SETUP, [this] { core_.requests.read(SETUP, kSetupWindowCount, Expect::Register, this); });
    changed();  // busy now
    return {};
}

void SettingsControl::replyReceived(const std::uint8_t* data, std::size_t size) {
    if (size < kSettingsBlockSize) return;  // never read past what came
    if (pending_ == Pending::Read) {
        pending_ = Pending::None;
        step_.answered();
    }
    copy_ = InstrumentSettings::Decode(data);
    copyRead_ = true;
    core_.status.set(0, kSynchronizedText);
    core_.status.set(1, copy_.Bandwidth != 0 ? QT_TRANSLATE_NOOP("lxv", "Broadband")
                                             : QT_TRANSLATE_NOOP("lxv", "Narrowband"));
    fields.angle = FormatGeneral(TimeToAngle(copy_.AngleTime));
    fields.ctRatio = FormatGeneral(copy_.CtRatio);
    fields.vtRatio = FormatGeneral(copy_.VtRatio);
    fields.bandwidth = copy_.Bandwidth != 0 ? 1 : 0;
    fields.thdAlgorithm = copy_.ThdAlgorithm != 0 ? 1 : 0;
    fields.filterItem =
        copy_.FilterCoefficient >= 1 && copy_.FilterCoefficient <= 10 ? copy_.FilterCoefficient - 1 : -1;
    fields.rangeItem = copy_.CurrentRange >= 1 && copy_.CurrentRange <= 4 ? copy_.CurrentRange - 1 : -1;
    fields.filterOn = copy_.FilterOff == 0;
    fields.range = copy_.RangeLocked != 0 ? SettingsFields::Range::Lock : SettingsFields::Range::Auto;
    setStatus(kSynchronizedText);
}

void SettingsControl::acknowledged() {
    if (pending_ != Pending::Save) return;  // late, or not ours: changes nothing
    pending_ = Pending::None;
    step_.answered();
    setStatus(QT_TRANSLATE_NOOP("lxv", "Successfully write data to the instrument"));
}

void SettingsControl::gaveUp(std::uint16_t reg) {
    // Given up: a request still waiting is dropped, and a late answer changes nothing.
    core_.requests.cancel(this);
    pending_ = Pending::None;
    setStatus(TransferFailedText(reg));
}

void SettingsControl::setStatus(UiText text) {
    status_ = std::move(text);
    changed();
}

void SettingsControl::changed() {
    changed_.notify();
}

}  // namespace lxv
