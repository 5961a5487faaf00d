// The version window (TVForm, "Version"): what this program is, its version
// and release date; "Enter" closes it.
#pragma once

#include <QDialog>

namespace lxv {

inline constexpr const char* kReleaseDate = "2026-12-08";

class TVForm : public QDialog {
    Q_OBJECT
  public:
    explicit TVForm(QWidget* parent = nullptr);
};

}  // namespace lxv
