// Decides, reply by reply, which fault the simulated link suffers: a dropped,
// cut or bit-flipped reply, one followed by stray bytes or replaced by random
// bytes, one sent in pieces, or silence after muting.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "sim/sim_options.h"

namespace lxv::sim {

enum class Fault { None, Drop, Cut, Flip, Extra, Garbage, Muted };

// The word the block log and the fault messages use ("ok", "drop", "short",
// "flip", "extra", "garbage", "muted").
const char* FaultWord(Fault fault);

struct Piece {
    std::vector<std::uint8_t> bytes;
    double gapBeforeMs = 0.0;  // pause on the line before this piece
};

struct FaultOutcome {
    Fault fault = Fault::None;
    std::vector<Piece> pieces;  // what goes on the wire, empty for drop and muted
    std::string note;           // what was done, for the fault message; empty when nothing
};

class FaultInjector {
  public:
    FaultInjector(const FaultRates& rates, std::uint64_t seed);

    FaultOutcome Apply(std::vector<std::uint8_t> reply);

    void Mute() { muted_ = true; }
    // Unmuting also ends the --mute-after count, which would mute again at once.
    void Unmute() {
        muted_ = false;
        rates_.muteAfter = -1;
    }
    bool muted() const { return muted_ || (rates_.muteAfter >= 0 && answered_ >= rates_.muteAfter); }

  private:
    double Uniform() { return uniform_(rng_); }
    std::size_t Below(std::size_t n) {
        return static_cast<std::size_t>(Uniform() * static_cast<double>(n)) % n;
    }
    std::vector<std::uint8_t> RandomBytes(std::size_t n);

    FaultRates rates_;
    std::mt19937_64 rng_;
    std::uniform_real_distribution<double> uniform_{0.0, 1.0};
    bool muted_ = false;
    long long answered_ = 0;
};

}  // namespace lxv::sim
