// Instrument configuration: the instrument's settings block, alarm limits and
// calibration, and the windows that read and write them.
//
// Owns: the 19-byte settings block of register SETUP (one definition, shared
// with the simulator), the angle/time conversions, the strict reading of the
// number fields, the retry of unanswered chain steps, and the controllers
// SettingsControl, AlarmControl and CalibrateControl with their windows.
// Depends on: link/ (registers, frames, byte order), measure/ (number formats,
// the measurement block), session/ (SessionCore, timers). The controllers use
// no Qt; the windows (*_form.*) are Qt views into lxv_gui.
#pragma once

#include <array>
#include <cstdint>

#include "link/registers.h"

namespace lxv {

// The settings block as it travels in register SETUP: 19 bytes, multi-byte
// fields least significant byte first, in this order.
struct InstrumentSettings {
    using Bytes = std::array<std::uint8_t, kSettingsBlockSize>;

    float AngleTime = 0;                 // angle difference of the current transformer, as seconds
    float CtRatio = 0;                   // external current transformer ratio
    float VtRatio = 0;                   // external voltage transformer ratio
    std::uint8_t Bandwidth = 0;          // 0 narrowband, 1 broadband
    std::uint8_t ThdAlgorithm = 0;       // 0 %F (of the fundamental), 1 %R (of the RMS value)
    std::uint8_t FilterCoefficient = 0;  // display filter, 1..10
    std::uint8_t FilterOff = 0;          // 0 filter on, 1 off
    std::uint8_t RangeLocked = 0;        // 0 automatic current range, 1 locked
    std::uint8_t Reserved = 0;           // never set by the program; sent back as read
    std::uint8_t CurrentRange = 0;       // the locked range, 1..4

    Bytes Encode() const;
    static InstrumentSettings Decode(const std::uint8_t* bytes);  // reads 19 bytes

    // The block an instrument leaves the factory with: no transformers,
    // narrowband, %F, filter coefficient 10 and off, automatic range 4,
    // reserved byte 3.
    static InstrumentSettings Factory();
};

// The access code that unlocks the instrument's calibration (register CALLOCK).
inline constexpr std::uint8_t kCalibrationAccessCode = 0x6B;

// Angle difference in degrees as the time stored in AngleTime, at the
// reference frequency: (1 / hz) x (degrees / 360), rounded to a single.
float AngleToTime(double degrees, int hz);
// AngleTime back to degrees, always with the 50 Hz period: time x 360 / 0.02.
double TimeToAngle(float seconds);

// Phase corrections of the current channel: degrees sent as seconds of a
// 50 Hz period (degrees / 360 x 0.02) and read back as value x 18000.
float PhaseToTime(double degrees);
double TimeToPhase(float seconds);

}  // namespace lxv
