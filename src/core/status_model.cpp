#include "core/status_model.h"

namespace lxv {

void StatusModel::set(int panel, const UiText& text) {
    if (panel < 0 || panel >= kPanels) return;
    const auto i = static_cast<std::size_t>(panel);
    shown_[i] = text;
    texts_[i] = text.original();
    for (const Listener& listener : listeners_) listener(panel, texts_[i]);
    for (const TextListener& listener : textListeners_) listener(panel, text);
}

const std::string& StatusModel::text(int panel) const {
    static const std::string none;
    if (panel < 0 || panel >= kPanels) return none;
    return texts_[static_cast<std::size_t>(panel)];
}

const UiText& StatusModel::shown(int panel) const {
    static const UiText none;
    if (panel < 0 || panel >= kPanels) return none;
    return shown_[static_cast<std::size_t>(panel)];
}

}  // namespace lxv
