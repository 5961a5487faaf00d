// The --block-log file: one line per measurement reply sent or dropped,
// "<seq> <crc> <outcome> <seconds> <bytes> <pauses>", flushed at once so a
// test can follow it live.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace lxv::sim {

class BlockLog {
  public:
    BlockLog() = default;
    ~BlockLog();
    BlockLog(const BlockLog&) = delete;
    BlockLog& operator=(const BlockLog&) = delete;

    // Opens `path` for appending; false (with errno set) when it cannot.
    bool Open(const std::string& path);
    bool isOpen() const { return file_ != nullptr; }

    // `crc`: CRC-16 of the block as generated; `outcome`: ok, flip, short, drop,
    // extra (sent whole, stray bytes after it), garbage (random bytes instead) or
    // muted; `seconds`: since the simulator started, when the request came;
    // `bytes`: what went on the wire for it (0 for drop and muted);
    // `pausesMs`: the pauses between the pieces of a split reply.
    void Write(std::uint16_t crc, const char* outcome, double seconds, std::size_t bytes, double pausesMs);

    static std::string Line(unsigned long long seq, std::uint16_t crc, const char* outcome, double seconds,
                            std::size_t bytes, double pausesMs);

  private:
    std::FILE* file_ = nullptr;
    unsigned long long seq_ = 0;
};

}  // namespace lxv::sim
