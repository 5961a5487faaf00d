// Every accepted measurement block, announced to every listener: the main
// window's panels and charts, the calibration window's phase labels, the
// recorder's sample source. Listeners are called in the order they subscribed.
#pragma once

#include <functional>
#include <vector>

namespace lxv {

class MeasureRecord;

class MeasurementFeed {
  public:
    using Listener = std::function<void(const MeasureRecord& record)>;

    // Returns an id for unsubscribe().
    int subscribe(Listener listener);
    void unsubscribe(int id);
    void publish(const MeasureRecord& record);

  private:
    struct Entry {
        int id;
        Listener listener;
    };
    std::vector<Entry> listeners_;
    int nextId_ = 1;
};

}  // namespace lxv
