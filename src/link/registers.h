// The instrument's registers, named once. Every sender and the dispatcher's
// routing use these names; nobody writes a bare register number elsewhere.
#pragma once

#include <cstdint>
#include <string_view>

namespace lxv {

enum Register : std::uint16_t {
    AL1H = 118,     // voltage upper limit, float
    AL1L = 119,     // voltage lower limit, float
    AL2H = 120,     // current upper limit, float
    AL2L = 121,     // current lower limit, float
    AL3H = 122,     // power upper limit, float
    AL3L = 123,     // power lower limit, float
    AL4H = 124,     // PF upper limit, float
    AL4L = 125,     // PF lower limit, float
    ALSW = 126,     // alarm enable bits, one byte
    STEST = 147,    // starting test: count = range code (start) or chunk x 256
    MEAS = 148,     // measurement block, read with count 2
    CALU = 154,     // voltage calibration reference, float
    CALI = 158,     // current calibration reference, float
    TCOMP = 166,    // temperature compensation command byte
    IPHN = 167,     // narrowband current phase correction, float
    IPHW = 168,     // broadband current phase correction, float
    CALLOCK = 185,  // calibration unlock, access code 0x6B
    LINKEND = 186,  // the program is closing (USB link)
    LINKCHK = 187,  // keep-alive of the USB link, read with count 15
    SETUP = 188,    // the 19-byte instrument settings block
};

// Count fields of the read requests that the program sends.
inline constexpr std::uint16_t kMeasCount = 2;
inline constexpr std::uint16_t kSetupStartCount = 2;    // read after opening the port
inline constexpr std::uint16_t kSetupWindowCount = 18;  // read from the settings window
inline constexpr std::uint16_t kAlarmCount = 2;
inline constexpr std::uint16_t kPhaseCount = 2;
inline constexpr std::uint16_t kLinkCheckCount = 15;
inline constexpr std::uint16_t kLinkEndCount = 0;
inline constexpr int kStartingChunks = 6;

// Function codes on the wire.
inline constexpr std::uint8_t kFnRead = 3;
inline constexpr std::uint8_t kFnWrite = 16;
inline constexpr std::uint8_t kFnWriteAck = 9;
inline constexpr std::uint8_t kFnStartAck = 10;
inline constexpr std::uint8_t kStartAckCode = 146;  // byte 2 of the start acknowledgement

// Reply sizes that identify the bulk replies (data + 2 CRC bytes).
inline constexpr std::size_t kMeasureBlockSize = 2530;
inline constexpr std::size_t kMeasureReplySize = kMeasureBlockSize + 2;  // 2532
inline constexpr std::size_t kChunkSize = 1708;
inline constexpr std::size_t kChunkReplySize = kChunkSize + 2;                    // 1710
inline constexpr std::size_t kStartingRecordSize = kChunkSize * kStartingChunks;  // 10248
inline constexpr std::size_t kSettingsBlockSize = 19;
inline constexpr std::size_t kLargestReply = kMeasureReplySize;

// The chunk-request count for chunk k (1..6): high byte k, low byte 0.
constexpr std::uint16_t ChunkCount(int k) {
    return static_cast<std::uint16_t>(k * 256);
}

// Name of a register for traces ("MEAS", "AL2H"); "REG<n>" for unknown ones.
std::string_view RegisterName(std::uint16_t reg);
bool IsAlarmLimit(std::uint16_t reg);  // AL1H..AL4L

}  // namespace lxv
