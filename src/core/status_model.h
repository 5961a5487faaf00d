// The main window's status panels as a model: controllers write panel texts
// here and the main window shows them. Panel 0 request and connection state,
// 1 bandwidth, 2 communication, 4 the date of the last measurement. A text is
// kept as it is to be translated (platform/ui_text.h); text() reads it as the
// original interface shows it.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "platform/ui_text.h"

namespace lxv {

class StatusModel {
  public:
    static constexpr int kPanels = 6;
    using Listener = std::function<void(int panel, const std::string& text)>;
    using TextListener = std::function<void(int panel, const UiText& text)>;

    // Sets the text of a panel (0..5) and tells every listener; other panels are ignored.
    void set(int panel, const UiText& text);
    // In the original interface's words.
    const std::string& text(int panel) const;
    // To be translated.
    const UiText& shown(int panel) const;
    void subscribe(Listener listener) { listeners_.push_back(std::move(listener)); }
    void subscribeText(TextListener listener) { textListeners_.push_back(std::move(listener)); }

  private:
    std::array<UiText, kPanels> shown_{};
    std::array<std::string, kPanels> texts_{};
    std::vector<Listener> listeners_;
    std::vector<TextListener> textListeners_;
};

}  // namespace lxv
