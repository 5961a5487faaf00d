// Fault decisions. One draw chooses among drop, short, flip, extra and garbage
// so that each happens at its own asked rate; splitting is drawn apart, as it
// can join a flip, extra bytes or garbage.
#include "sim/fault_injector.h"

#include <algorithm>

namespace lxv::sim {

const char* FaultWord(Fault fault) {
    switch (fault) {
        case Fault::None: return "ok";
        case Fault::Drop: return "drop";
        case Fault::Cut: return "short";
        case Fault::Flip: return "flip";
        case Fault::Extra: return "extra";
        case Fault::Garbage: return "garbage";
        case Fault::Muted: return "muted";
    }
    return "ok";
}

FaultInjector::FaultInjector(const FaultRates& rates, std::uint64_t seed) : rates_(rates), rng_(seed) {}

FaultOutcome FaultInjector::Apply(std::vector<std::uint8_t> reply) {
    FaultOutcome out;
    if (muted()) {
        out.fault = Fault::Muted;
        return out;
    }
    ++answered_;
    if (reply.empty()) return out;
    const double pick = Uniform();
    const bool split = Uniform() < rates_.split;
    if (pick < rates_.drop) {
        out.fault = Fault::Drop;
        out.note = "dropped the reply";
        return out;
    }
    if (pick < rates_.drop + rates_.cut) {
        out.fault = Fault::Cut;
        const std::size_t keep = 1 + Below(std::min<std::size_t>(4, reply.size()));
        reply.resize(std::min(keep, reply.size()));
        out.note = "cut the reply to " + std::to_string(reply.size()) + " bytes";
        out.pieces.push_back({std::move(reply), 0.0});
        return out;
    }
    double upTo = rates_.drop + rates_.cut + rates_.flip;
    if (pick < upTo) {
        out.fault = Fault::Flip;
        const std::size_t byte = Below(reply.size());
        const int bit = static_cast<int>(Below(8));
        reply[byte] ^= static_cast<std::uint8_t>(1u << bit);
        out.note = "flipped bit " + std::to_string(bit) + " of byte " + std::to_string(byte);
    } else if (pick < (upTo += rates_.extra)) {
        out.fault = Fault::Extra;
        const std::vector<std::uint8_t> stray = RandomBytes(1 + Below(16));
        reply.insert(reply.end(), stray.begin(), stray.end());
        out.note = "added " + std::to_string(stray.size()) + " random bytes after the reply";
    } else if (pick < upTo + rates_.garbage) {
        out.fault = Fault::Garbage;
        reply = RandomBytes(1 + Below(6000));
        out.note = "sent " + std::to_string(reply.size()) + " random bytes instead of the reply";
    }
    if (split && reply.size() >= 2) {
        // Two to five pieces, a few milliseconds apart: the pauses of a USB bridge.
        const std::size_t count = std::min<std::size_t>(2 + Below(4), reply.size());
        std::vector<std::size_t> cuts;
        while (cuts.size() < count - 1) {
            const std::size_t at = 1 + Below(reply.size() - 1);
            if (std::find(cuts.begin(), cuts.end(), at) == cuts.end()) cuts.push_back(at);
        }
        std::sort(cuts.begin(), cuts.end());
        std::size_t from = 0;
        for (std::size_t i = 0; i <= cuts.size(); ++i) {
            const std::size_t to = i < cuts.size() ? cuts[i] : reply.size();
            out.pieces.push_back({std::vector<std::uint8_t>(reply.begin() + from, reply.begin() + to),
                                  i == 0 ? 0.0 : 1.0 + Uniform() * 7.0});
            from = to;
        }
        if (!out.note.empty()) out.note += ", ";
        out.note += "sent the reply in " + std::to_string(out.pieces.size()) + " pieces";
        return out;
    }
    out.pieces.push_back({std::move(reply), 0.0});
    return out;
}

std::vector<std::uint8_t> FaultInjector::RandomBytes(std::size_t n) {
    std::vector<std::uint8_t> bytes(n);
    for (auto& b : bytes) b = static_cast<std::uint8_t>(rng_());
    return bytes;
}

}  // namespace lxv::sim
