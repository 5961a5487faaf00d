// Writing the block log.
#include "sim/block_log.h"

namespace lxv::sim {

BlockLog::~BlockLog() {
    if (file_) std::fclose(file_);
}

bool BlockLog::Open(const std::string& path) {
    file_ = std::fopen(path.c_str(), "a");
    return file_ != nullptr;
}

std::string BlockLog::Line(unsigned long long seq, std::uint16_t crc, const char* outcome, double seconds,
                           std::size_t bytes, double pausesMs) {
    char text[112];
    std::snprintf(text, sizeof text, "%llu %04x %s %.4f %zu %.1f\n", seq, static_cast<unsigned>(crc), outcome,
                  seconds, bytes, pausesMs);
    return text;
}

void BlockLog::Write(std::uint16_t crc, const char* outcome, double seconds, std::size_t bytes,
                     double pausesMs) {
    ++seq_;
    if (!file_) return;
    std::fputs(Line(seq_, crc, outcome, seconds, bytes, pausesMs).c_str(), file_);
    std::fflush(file_);
}

}  // namespace lxv::sim
