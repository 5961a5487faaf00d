#include "core/measurement_feed.h"

#include <algorithm>

namespace lxv {

int MeasurementFeed::subscribe(Listener listener) {
    const int id = nextId_++;
    listeners_.push_back({id, std::move(listener)});
    return id;
}

void MeasurementFeed::unsubscribe(int id) {
    std::erase_if(listeners_, [id](const Entry& e) { return e.id == id; });
}

void MeasurementFeed::publish(const MeasureRecord& record) {
    // A copy, so a listener may unsubscribe while it is called.
    const std::vector<Entry> listeners = listeners_;
    for (const Entry& e : listeners) e.listener(record);
}

}  // namespace lxv
