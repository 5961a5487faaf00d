// Requests and replies of the simulated instrument.
#include "sim/instrument.h"

#include <cstdio>

#include "link/byte_order.h"
#include "link/frame_codec.h"
#include "link/registers.h"

namespace lxv::sim {

namespace {

void AppendCrc(std::vector<std::uint8_t>& bytes) {
    const std::uint16_t crc = Crc16(bytes.data(), bytes.size());
    bytes.push_back(static_cast<std::uint8_t>(crc & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(crc >> 8));
}

Reply Silence(std::string note) {
    return Reply{ReplyKind::None, {}, std::move(note), 0};
}

std::string FloatText(float v) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(v));
    return text;
}

}  // namespace

Instrument::Instrument(int address, const LoadSettings& load, std::uint64_t seed)
    : address_(address), generator_(load, seed), captureRng_(seed ^ 0x5354415254ULL) {}

Reply Instrument::Handle(const ReceivedFrame& frame, double seconds) {
    const std::vector<std::uint8_t>& f = frame.bytes;
    if (f.size() < 8 || (f[1] != kFnRead && f[1] != kFnWrite)) return Silence("not a request: no reply");
    if (!frame.crcOk) return Silence("bad CRC: no reply");
    if (f[0] != address_) return Silence("for station " + std::to_string(f[0]) + ": no reply");
    const auto reg = static_cast<std::uint16_t>((f[2] << 8) | f[3]);
    if (f[1] == kFnRead) return Read(reg, static_cast<std::uint16_t>((f[4] << 8) | f[5]), seconds);
    if (f.size() != 9u + f[6]) return Silence("write of the wrong length: no reply");
    return Write(reg, f.data() + 7, f[6]);
}

Reply Instrument::Read(std::uint16_t reg, std::uint16_t count, double seconds) {
    switch (reg) {
        case MEAS: {
            MeasureRecord record;
            generator_.Generate(record, ReadingScaleOf(settings_), seconds);
            Reply r{ReplyKind::MeasureBlock, {record.data(), record.data() + kMeasureBlockSize}, "", 0};
            r.blockCrc = Crc16(r.bytes.data(), kMeasureBlockSize);
            AppendCrc(r.bytes);
            return r;
        }
        case STEST: return Starting(count);
        case SETUP: return RegisterReply(settings_.data(), settings_.size(), "settings block");
        case ALSW: {
            const std::uint8_t data[4] = {alarmSwitches_, 0, 0, 0};
            return RegisterReply(data, 4, "alarm switches");
        }
        case IPHN:
        case IPHW: {
            std::uint8_t data[4];
            WriteF32LE(data, reg == IPHN ? phaseNarrow_ : phaseBroad_);
            return RegisterReply(data, 4, "phase correction " + FloatText(DecodeFloat(data)));
        }
        case LINKCHK: {
            // A short status word rather than the 15 registers asked for: the
            // link check only needs to hear something back.
            const std::uint8_t data[2] = {0, Status()};
            return RegisterReply(data, 2, "link check");
        }
        case LINKEND: return Silence("the program closes the link: no reply");
        default: break;
    }
    if (IsAlarmLimit(reg)) {
        std::uint8_t data[4];
        WriteF32LE(data, alarmLimits_[reg - AL1H]);
        return RegisterReply(data, 4, "limit " + FloatText(alarmLimits_[reg - AL1H]));
    }
    return Silence("register " + std::to_string(reg) + " is not readable: no reply");
}

Reply Instrument::Write(std::uint16_t reg, const std::uint8_t* data, std::size_t size) {
    if (reg == SETUP) {
        if (size != kSettingsBlockSize) return Silence("settings block of the wrong size: no reply");
        std::copy(data, data + size, settings_.begin());
        return Acknowledge(reg, "settings stored");
    }
    if (size != 4) return Silence("a write of " + std::to_string(size) + " bytes to this register: no reply");
    const float value = DecodeFloat(data);
    if (IsAlarmLimit(reg)) {
        alarmLimits_[reg - AL1H] = value;
        return Acknowledge(reg, "limit " + FloatText(value) + " stored");
    }
    switch (reg) {
        case ALSW: alarmSwitches_ = data[0]; return Acknowledge(reg, "alarm switches stored");
        case IPHN:
        case IPHW:
            (reg == IPHN ? phaseNarrow_ : phaseBroad_) = value;
            return Acknowledge(reg, "phase correction " + FloatText(value) + " stored");
        case CALU:
        case CALI:
            return Acknowledge(reg, std::string(reg == CALU ? "voltage" : "current") + " reference " +
                                        FloatText(value) + " taken" +
                                        (calibrationUnlocked_ ? "" : " (calibration still locked)"));
        case TCOMP: return Acknowledge(reg, "temperature command " + std::to_string(data[0]));
        case CALLOCK:
            calibrationUnlocked_ = data[0] == kCalibrationAccessCode;
            return Acknowledge(reg, calibrationUnlocked_ ? "calibration unlocked" : "wrong access code");
        default: break;
    }
    return Silence("register " + std::to_string(reg) + " is not writable: no reply");
}

Reply Instrument::Starting(std::uint16_t count) {
    const int high = count >> 8, low = count & 0xFF;
    if (high == 0) {
        awaitingSwitch_ = true;
        rangeCode_ = low;
        return Silence("starting test, range code " + std::to_string(low) +
                       ": waiting for the Starting switch");
    }
    if (low != 0 || high > kStartingChunks) return Silence("no such starting-test chunk: no reply");
    if (!captureHeld_) return Silence("no capture taken yet: no reply");
    Reply r{ReplyKind::Chunk, {capture_.chunk(high), capture_.chunk(high) + kChunkSize}, "", 0};
    r.note = "chunk " + std::to_string(high);
    r.chunk = high;
    AppendCrc(r.bytes);
    return r;
}

Reply Instrument::PressStartingSwitch() {
    if (!awaitingSwitch_) return Silence("Starting switch pressed, but no starting test was requested");
    capture_ = MakeStartingCapture(generator_.load(), rangeCode_, ReadingScaleOf(settings_), captureRng_);
    captureHeld_ = true;
    awaitingSwitch_ = false;
    Reply r{ReplyKind::StartAck,
            {static_cast<std::uint8_t>(address_), kFnStartAck, kStartAckCode,
             static_cast<std::uint8_t>(rangeCode_)},
            "Starting switch pressed: capture taken",
            0};
    AppendCrc(r.bytes);
    return r;
}

Reply Instrument::RegisterReply(const std::uint8_t* data, std::size_t size, std::string note) const {
    Reply r{ReplyKind::Register,
            {static_cast<std::uint8_t>(address_), kFnRead, static_cast<std::uint8_t>(size)},
            std::move(note),
            0};
    r.bytes.insert(r.bytes.end(), data, data + size);
    AppendCrc(r.bytes);
    return r;
}

Reply Instrument::Acknowledge(std::uint16_t reg, std::string note) const {
    Reply r{ReplyKind::WriteAck,
            {static_cast<std::uint8_t>(address_), kFnWriteAck, static_cast<std::uint8_t>(reg & 0xFF)},
            std::move(note),
            0};
    AppendCrc(r.bytes);
    return r;
}

std::uint8_t Instrument::Status() const {
    return static_cast<std::uint8_t>((awaitingSwitch_ ? kStatusAwaitingSwitch : 0) |
                                     (captureHeld_ ? kStatusCaptureHeld : 0) |
                                     (calibrationUnlocked_ ? kStatusCalibrationUnlocked : 0));
}

}  // namespace lxv::sim
