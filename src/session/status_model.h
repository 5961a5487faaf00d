// The main window's status panels as a model: controllers write panel texts
// here and the main window shows them. Panel 0 request and connection state,
// 1 bandwidth, 2 communication, 4 the date of the last measurement.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace lxv {

class StatusModel {
  public:
    static constexpr int kPanels = 6;
    using Listener = std::function<void(int panel, const std::string& text)>;

    // Sets the text of a panel (0..5) and tells every listener; other panels are ignored.
    void set(int panel, const std::string& text);
    const std::string& text(int panel) const;
    void subscribe(Listener listener) { listeners_.push_back(std::move(listener)); }

  private:
    std::array<std::string, kPanels> texts_{};
    std::vector<Listener> listeners_;
};

}  // namespace lxv
