// A chart area that shows an image its window draws: painting only copies the
// image (black where the area is larger than the image), and a resize asks
// the window to draw again. The starting-test and harmonic-test charts use it.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

namespace lxv {

class ImageView : public QWidget {
  public:
    // `image` is the window's image (it may be replaced, it is read at each paint).
    ImageView(const QImage& image, std::function<void()> resized, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    const QImage& image_;
    std::function<void()> resized_;
};

}  // namespace lxv
