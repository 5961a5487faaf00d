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

std::string BlockLog::Line(unsigned long long seq, std::uint16_t crc, const char* outcome) {
    char text[64];
    std::snprintf(text, sizeof text, "%llu %04x %s\n", seq, static_cast<unsigned>(crc), outcome);
    return text;
}

void BlockLog::Write(std::uint16_t crc, const char* outcome) {
    ++seq_;
    if (!file_) return;
    std::fputs(Line(seq_, crc, outcome).c_str(), file_);
    std::fflush(file_);
}

}  // namespace lxv::sim
