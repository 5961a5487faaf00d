#include "instrument/alarm_control.h"

#include <cmath>

#include "instrument/number_fields.h"
#include "instrument/settings_control.h"
#include "platform/number_format.h"
#include "core/session_core.h"

namespace lxv {

namespace {
const char* const kFieldNames[8] = {
    QT_TRANSLATE_NOOP("lxv", "电压 上限值"), QT_TRANSLATE_NOOP("lxv", "电压 下限值"),
    QT_TRANSLATE_NOOP("lxv", "电流 上限值"), QT_TRANSLATE_NOOP("lxv", "电流 下限值"),
    QT_TRANSLATE_NOOP("lxv", "功率 上限值"), QT_TRANSLATE_NOOP("lxv", "功率 下限值"),
    QT_TRANSLATE_NOOP("lxv", "PF 上限值"),   QT_TRANSLATE_NOOP("lxv", "PF 下限值")};
}  // namespace

AlarmControl::AlarmControl(SessionCore& core)
    : core_(core), step_(core.timers, "AlarmRetryTimer", [this](std::uint16_t reg) { gaveUp(reg); }) {
    for (int k = 0; k < 8; ++k) {
        core.dispatcher.setRegisterHandler(
            AL1H + k, [this, k](const std::uint8_t* d, std::size_t n) { limitRead(k, d, n); });
    }
    core.dispatcher.setRegisterHandler(ALSW,
                                       [this](const std::uint8_t* d, std::size_t n) { flagsRead(d, n); });
    for (int reg = AL1H; reg <= ALSW; ++reg)
        core.dispatcher.setAckHandler(reg, [this](std::uint8_t r) { acknowledged(r); });
}

ConfigEffects AlarmControl::Open() {
    return startReading(QT_TRANSLATE_NOOP("lxv", "Request data!......"), kAlarmOpenFailedText);
}

ConfigEffects AlarmControl::Read() {
    return startReading(QT_TRANSLATE_NOOP("lxv", "正在请求仪器数据......"), kSyncFailedText);
}

ConfigEffects AlarmControl::startReading(const char* label, const char* failure) {
    readStep_ = 0;
    chain_ = Chain::Reading;
    setLabel(label);
    if (!sendRead(AL1H)) return {failure};
    return {};
}

bool AlarmControl::sendRead(std::uint16_t reg) {
    if (core_.requests.read(reg, kAlarmCount, Expect::Register, this)) {
        step_.sent(reg, [this, reg] { core_.requests.read(reg, kAlarmCount, Expect::Register, this); });
        changed();
        return true;
    }
    core_.requests.cancel(this);
    step_.answered();
    chain_ = Chain::GivenUp;
    setLabel(TransferFailedText(reg));
    return false;
}

void AlarmControl::sendWrite(std::uint16_t reg) {
    auto send = [this, reg] {
        if (reg == ALSW) {
            const std::uint8_t data[4] = {limits_.flags, 0, 0, 0};
            core_.requests.submit(Request::WriteBytes(ALSW, data, this));
        } else {
            core_.requests.submit(Request::WriteValue(reg, FloatBits(limits_.limits[reg - AL1H]), this));
        }
    };
    send();  // a closed port sends nothing; the retries then report the failure
    step_.sent(reg, send);
    changed();
}

ConfigEffects AlarmControl::Save() {
    std::vector<NumberField> texts;
    for (int n = 0; n < 8; ++n) texts.push_back({kFieldNames[n], fields.limits[n]});
    const FieldValues v = ReadNumberFields(texts);
    if (!v.ok()) return {v.error};
    limits_.flags = 0;
    for (int n = 0; n < 8; ++n) {
        limits_.limits[n] = static_cast<float>(v.values[n]);
        if (fields.enabled[n]) limits_.flags |= static_cast<std::uint8_t>(1u << n);
    }
    chain_ = Chain::Writing;
    setLabel(QT_TRANSLATE_NOOP("lxv", "正在传输数据到仪器。"));
    sendWrite(AL1H);
    return {};
}

void AlarmControl::limitRead(int k, const std::uint8_t* data, std::size_t size) {
    if (size < 4 || chain_ == Chain::GivenUp) return;
    limits_.limits[k] = DecodeFloat(data);
    fields.limits[k] = FormatGeneral(std::nearbyint(static_cast<double>(limits_.limits[k]) * 10000) / 10000);
    if (chain_ == Chain::Reading && readStep_ <= k) {
        ++readStep_;
        if (!sendRead(static_cast<std::uint16_t>(AL1H + k + 1))) {
            if (message_) message_(kReadRequestFailedText);
            return;
        }
    }
    changed();
}

void AlarmControl::flagsRead(const std::uint8_t* data, std::size_t size) {
    if (size < 1 || chain_ == Chain::GivenUp) return;
    limits_.flags = data[0];
    for (int n = 0; n < 8; ++n) fields.enabled[n] = (data[0] >> n) & 1;
    ++readStep_;
    if (chain_ == Chain::Reading) {
        chain_ = Chain::None;
        step_.answered();
    }
    core_.status.set(0, kSynchronizedText);
    setLabel(kSynchronizedText);
}

void AlarmControl::acknowledged(std::uint16_t reg) {
    // Only the step waited for moves the chain; a late or repeated one changes nothing.
    if (chain_ != Chain::Writing || !step_.waiting() || reg != step_.reg()) return;
    if (reg == ALSW) {
        step_.answered();
        chain_ = Chain::None;
        setLabel(QT_TRANSLATE_NOOP("lxv", "Data transmission completed."));
        return;
    }
    const auto next = static_cast<std::uint16_t>(reg + 1);
    if (next == ALSW) {
        sendWrite(ALSW);
        setLabel(QT_TRANSLATE_NOOP("lxv", "Data transfer is complete."));
    } else {
        setLabel(UiText(QT_TRANSLATE_NOOP("lxv", "Sending %1")).arg(std::string(RegisterName(next))));
        sendWrite(next);
    }
}

void AlarmControl::gaveUp(std::uint16_t reg) {
    core_.requests.cancel(this);
    chain_ = Chain::GivenUp;
    setLabel(TransferFailedText(reg));
}

void AlarmControl::setLabel(UiText text) {
    label7_ = std::move(text);
    changed();
}

void AlarmControl::changed() {
    changed_.notify();
}

}  // namespace lxv
