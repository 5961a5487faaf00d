// Hex and decodes for the trace.
#include "sim/wire_trace.h"

#include <cstdio>

#include "link/byte_order.h"
#include "link/registers.h"

namespace lxv::sim {

namespace {

std::string Hex(const std::uint8_t* p, std::size_t n) {
    std::string out;
    char two[4];
    for (std::size_t i = 0; i < n; ++i) {
        std::snprintf(two, sizeof two, "%02X", p[i]);
        if (!out.empty()) out += ' ';
        out += two;
    }
    return out;
}

std::string RegisterText(std::uint16_t reg) {
    std::string name(RegisterName(reg));
    if (name == "REG?") name = "unknown register";
    return name + " (" + std::to_string(reg) + ")";
}

}  // namespace

std::string HexText(const std::vector<std::uint8_t>& bytes, std::size_t limit) {
    if (bytes.size() <= limit) return Hex(bytes.data(), bytes.size());
    return Hex(bytes.data(), 16) + " ... (" + std::to_string(bytes.size() - 20) + " bytes) ... " +
           Hex(bytes.data() + bytes.size() - 4, 4);
}

std::string DescribeRequest(const std::vector<std::uint8_t>& f, bool crcOk) {
    if (f.size() < 8) return "incomplete frame";
    std::string text = "station " + std::to_string(f[0]) + ", ";
    const auto reg = static_cast<std::uint16_t>((f[2] << 8) | f[3]);
    if (f[1] == kFnRead) {
        const int count = (f[4] << 8) | f[5];
        text += "read " + RegisterText(reg) + " count " + std::to_string(count);
        if (reg == STEST) {
            text += (count >> 8) == 0 ? " (start, range code " + std::to_string(count) + ")"
                                      : " (chunk " + std::to_string(count >> 8) + ")";
        }
    } else {
        text += "write " + RegisterText(reg) + " " + std::to_string(f[6]) + " bytes";
        if (f[6] == 4 && f.size() >= 13) {
            char value[48];
            std::snprintf(value, sizeof value, " (float %g, byte 0 = %u)",
                          static_cast<double>(ReadF32LE(&f[7])), static_cast<unsigned>(f[7]));
            text += value;
        }
    }
    if (!crcOk) text += ", bad CRC";
    return text;
}

std::string DescribeReply(const std::vector<std::uint8_t>& r) {
    if (r.size() == kMeasureReplySize) return "measurement block, 2530 bytes + CRC";
    if (r.size() == kChunkReplySize) return "starting-test chunk, 1708 bytes + CRC";
    if (r.size() <= 4) return "short reply";
    switch (r[1]) {
        case kFnRead: return "register reply, " + std::to_string(r[2]) + " data bytes";
        case kFnWriteAck: return "write acknowledgement of " + RegisterText(r[2]);
        case kFnStartAck: return "start acknowledgement, range code " + std::to_string(r[3]);
        default: return "reply";
    }
}

}  // namespace lxv::sim
