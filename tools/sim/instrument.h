// The simulated LXV7700 itself: takes one request frame and gives the reply a
// real instrument would, keeping its stored settings, alarm limits, phase
// corrections and the starting-test capture.
#pragma once

#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "sim/measure_generator.h"
#include "sim/request_framer.h"
#include "sim/settings_block.h"
#include "sim/starting_capture.h"

namespace lxv::sim {

enum class ReplyKind { None, MeasureBlock, Chunk, Register, WriteAck, StartAck };

struct Reply {
    ReplyKind kind = ReplyKind::None;
    std::vector<std::uint8_t> bytes;  // CRC included; empty for no reply
    std::string note;                 // what the instrument did, for the trace
    std::uint16_t blockCrc = 0;       // measurement reply: CRC-16 of the 2530-byte block
};

// Bits of the status word in the link check reply.
inline constexpr std::uint8_t kStatusAwaitingSwitch = 0x01;
inline constexpr std::uint8_t kStatusCaptureHeld = 0x02;
inline constexpr std::uint8_t kStatusCalibrationUnlocked = 0x04;

class Instrument {
  public:
    Instrument(int address, const LoadSettings& load, std::uint64_t seed);

    // The reply to one frame received `seconds` after start; no reply (kind
    // None) for a bad CRC, another station's address or a request it refuses.
    Reply Handle(const ReceivedFrame& frame, double seconds);

    // The Starting switch: captures and acknowledges when a start request waits.
    Reply PressStartingSwitch();

    bool awaitingSwitch() const { return awaitingSwitch_; }
    bool captureHeld() const { return captureHeld_; }
    const StartingCapture& capture() const { return capture_; }
    const SettingsBytes& settings() const { return settings_; }
    int address() const { return address_; }

  private:
    Reply Read(std::uint16_t reg, std::uint16_t count, double seconds);
    Reply Write(std::uint16_t reg, const std::uint8_t* data, std::size_t size);
    Reply Starting(std::uint16_t count);
    Reply RegisterReply(const std::uint8_t* data, std::size_t size, std::string note) const;
    Reply Acknowledge(std::uint16_t reg, std::string note) const;
    std::uint8_t Status() const;

    int address_;
    MeasureGenerator generator_;
    std::mt19937_64 captureRng_;
    SettingsBytes settings_ = FactorySettings();
    std::array<float, 8> alarmLimits_{300.0f, 0.0f, 20.0f, 0.0f, 6000.0f, 0.0f, 1.0f, 0.0f};
    std::uint8_t alarmSwitches_ = 0;
    float phaseNarrow_ = 0.0f;
    float phaseBroad_ = 0.0f;
    bool calibrationUnlocked_ = false;
    bool awaitingSwitch_ = false;
    int rangeCode_ = 0;
    bool captureHeld_ = false;
    StartingCapture capture_{};
};

}  // namespace lxv::sim
