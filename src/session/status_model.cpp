#include "session/status_model.h"

namespace lxv {

void StatusModel::set(int panel, const std::string& text) {
    if (panel < 0 || panel >= kPanels) return;
    texts_[static_cast<std::size_t>(panel)] = text;
    for (const Listener& listener : listeners_) listener(panel, text);
}

const std::string& StatusModel::text(int panel) const {
    static const std::string none;
    if (panel < 0 || panel >= kPanels) return none;
    return texts_[static_cast<std::size_t>(panel)];
}

}  // namespace lxv
