// A chart area of the main window (Pic1..Pic3): holds the off-screen image the
// chart is drawn into; painting only copies that image, never redraws it.
#pragma once

#include <QImage>
#include <QWidget>

namespace lxv {

class ChartView : public QWidget {
    Q_OBJECT
  public:
    explicit ChartView(const QString& name, QWidget* parent = nullptr);

    QImage& image() { return image_; }
    const QImage& image() const { return image_; }
    // Gives the image the size of the chart area (at least 1 x 1); keeps it when unchanged.
    void fitImage(QSize area);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage image_;
};

}  // namespace lxv
