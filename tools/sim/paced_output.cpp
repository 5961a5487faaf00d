// Release times of queued reply bytes.
#include "sim/paced_output.h"

#include <algorithm>
#include <cmath>

namespace lxv::sim {

void PacedOutput::Add(std::vector<Piece> pieces, double nowMs) {
    bool first = true;
    for (Piece& p : pieces) {
        if (p.bytes.empty()) continue;
        Entry e;
        e.bytes = std::move(p.bytes);
        e.gapMs = p.gapBeforeMs;
        e.startsReply = first;
        e.requestMs = nowMs;
        first = false;
        queue_.push_back(std::move(e));
    }
    if (!queue_.empty()) Schedule(queue_.front(), nowMs);
}

void PacedOutput::Schedule(Entry& e, double nowMs) const {
    if (e.dueMs >= 0.0) return;
    double due = std::max(lineFreeMs_, nowMs) + e.gapMs;
    if (e.startsReply) due = std::max(due, e.requestMs + turnaroundMs_);
    e.dueMs = due;
}

std::size_t PacedOutput::Ready(double nowMs) const {
    if (queue_.empty()) return 0;
    const Entry& e = queue_.front();
    if (nowMs < e.dueMs) return 0;
    if (baud_ <= 0) return e.bytes.size() - e.sent;
    // The first byte leaves at once, each further one a byte time later.
    const auto allowed = static_cast<std::size_t>(std::floor((nowMs - e.dueMs) / ByteMs())) + 1;
    return std::min(e.bytes.size(), allowed) - std::min(e.sent, std::min(e.bytes.size(), allowed));
}

const std::uint8_t* PacedOutput::Front() const {
    return queue_.front().bytes.data() + queue_.front().sent;
}

bool PacedOutput::Consume(std::size_t n, double nowMs) {
    Entry& e = queue_.front();
    e.sent += n;
    lineFreeMs_ = std::max(lineFreeMs_, e.dueMs + static_cast<double>(e.sent) * ByteMs());
    if (e.sent < e.bytes.size()) return false;
    queue_.pop_front();
    if (queue_.empty()) return true;
    Schedule(queue_.front(), nowMs);
    return queue_.front().startsReply;
}

double PacedOutput::FrontDueMs() const {
    const Entry& e = queue_.front();
    return e.dueMs + static_cast<double>(e.sent) * ByteMs();
}

std::optional<double> PacedOutput::NextDue(double nowMs) const {
    if (queue_.empty() || Ready(nowMs) > 0) return std::nullopt;
    const Entry& e = queue_.front();
    if (nowMs < e.dueMs) return e.dueMs;
    return e.dueMs + static_cast<double>(e.sent) * ByteMs();
}

}  // namespace lxv::sim
