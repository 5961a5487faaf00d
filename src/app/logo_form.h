// The splash shown while the windows are created (TLogoForm): no border, a
// transparent background, our own drawing of the instrument's name and a wave.
#pragma once

#include <QWidget>

namespace lxv {

class TLogoForm : public QWidget {
    Q_OBJECT
  public:
    explicit TLogoForm(QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace lxv
