#include "instrument/instrument_settings.h"

#include "link/byte_order.h"

namespace lxv {

namespace {
constexpr std::size_t kAngleTime = 0, kCtRatio = 4, kVtRatio = 8, kBandwidth = 12;
}  // namespace

InstrumentSettings::Bytes InstrumentSettings::Encode() const {
    Bytes b{};
    WriteF32LE(b.data() + kAngleTime, AngleTime);
    WriteF32LE(b.data() + kCtRatio, CtRatio);
    WriteF32LE(b.data() + kVtRatio, VtRatio);
    const std::uint8_t tail[] = {Bandwidth,   ThdAlgorithm, FilterCoefficient, FilterOff,
                                 RangeLocked, Reserved,     CurrentRange};
    for (std::size_t i = 0; i < sizeof tail; ++i) b[kBandwidth + i] = tail[i];
    return b;
}

InstrumentSettings InstrumentSettings::Decode(const std::uint8_t* b) {
    InstrumentSettings s;
    s.AngleTime = ReadF32LE(b + kAngleTime);
    s.CtRatio = ReadF32LE(b + kCtRatio);
    s.VtRatio = ReadF32LE(b + kVtRatio);
    std::uint8_t* tail[] = {&s.Bandwidth,   &s.ThdAlgorithm, &s.FilterCoefficient, &s.FilterOff,
                            &s.RangeLocked, &s.Reserved,     &s.CurrentRange};
    for (std::size_t i = 0; i < std::size(tail); ++i) *tail[i] = b[kBandwidth + i];
    return s;
}

InstrumentSettings InstrumentSettings::Factory() {
    InstrumentSettings s;
    s.CtRatio = 1.0f;
    s.VtRatio = 1.0f;
    s.FilterCoefficient = 10;
    s.FilterOff = 1;
    s.Reserved = 3;
    s.CurrentRange = 4;
    return s;
}

float AngleToTime(double degrees, int hz) {
    return static_cast<float>((1.0 / hz) * (degrees / 360.0));
}

double TimeToAngle(float seconds) {
    return static_cast<double>(seconds) * 360.0 / 0.02;
}

float PhaseToTime(double degrees) {
    return static_cast<float>(degrees / 360.0 * 0.02);
}

double TimeToPhase(float seconds) {
    return static_cast<double>(seconds) * 18000.0;
}

}  // namespace lxv
