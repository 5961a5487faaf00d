// The starting-test window "Starting test": the range lists, the start button,
// the four view buttons, the save button, the chart `StartingPic` and the
// status bar. A view of StartingControl (the transfer) and StartingView (the
// view state): the chart is drawn into an image of at least 2400 x 1600 pixels
// and the paint event only copies it.
#pragma once

#include <QDialog>
#include <QImage>

#include "measure/starting_chart.h"
#include "platform/ui_text.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QStatusBar;
class QToolButton;

namespace lxv {

class ShownTexts;
class StartingControl;
struct StartingEffects;

inline constexpr const char* kStartingPictureName = "StartingTestFile.bmp";
inline constexpr const char* kStartingPictureFilter =
    QT_TRANSLATE_NOOP("lxv", "Starting test picture(.bmp)|*.bmp|PNG picture(.png)|*.png");

class TStartingForm : public QDialog {
    Q_OBJECT
  public:
    // `block` is the session's measurement record (the zero levels of the chart).
    TStartingForm(StartingControl& control, const MeasureRecord& block, QWidget* parent = nullptr);

    void SeSkinSpeedButton1Click();  // start the test
    void SeSkinSpeedButton2Click();  // earlier samples
    void SeSkinSpeedButton3Click();  // later samples
    void SeSkinSpeedButton4Click();  // larger time step
    void SeSkinSpeedButton5Click();  // smaller time step
    void SeSkinSpeedButton6Click();  // save the chart as a picture
    void ShowStartingTest();

    const QImage& chartImage() const { return image_; }
    const StartingView& view() const { return view_; }
    QString statusText() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Apply(const StartingEffects& effects);

    StartingControl& control_;
    ShownTexts* texts_;
    const MeasureRecord& block_;
    StartingView view_;
    QImage image_;

    QGroupBox* GroupBox1;  // current range
    QGroupBox* GroupBox2;  // voltage range
    QComboBox* ComboBox1;
    QComboBox* ComboBox2;
    QPushButton* SeSkinSpeedButton1;
    QToolButton* SeSkinSpeedButton2;
    QToolButton* SeSkinSpeedButton3;
    QToolButton* SeSkinSpeedButton4;
    QToolButton* SeSkinSpeedButton5;
    QPushButton* SeSkinSpeedButton6;
    QWidget* StartingPic;
    QStatusBar* StatusBar1;
    QLabel* statusPanel_;
};

}  // namespace lxv
