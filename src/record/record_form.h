// The record window (TRecordForm, "記錄"), a view of the session's recorder
// and of an opened record file: menus, tool buttons, the chart with its ruler,
// pen icons, cursor arrow, scroll bar and hidden track bar, the six channel
// rows, the read-out and seven status panels. The chart is drawn into a
// 2400 x 1600 image (the ruler into another); paint events only copy them.
// The rules live in Recorder (session) and RecordView; this class owns the
// controls and applies their effects.
// Depends on: record/, session/, platform/, appearance/, Qt Widgets.
#pragma once

#include <QImage>
#include <QMainWindow>
#include <QTimer>
#include <array>
#include <functional>

#include "record/record_file.h"
#include "record/record_view.h"
#include "record/recorder.h"

class QAction;
class QLabel;
class QPushButton;
class QScrollBar;
class QSlider;
class QToolButton;

namespace lxv {

class IniFile;
class ShownTexts;
class TRecSetForm;
class RecordImageView;

// Date and time texts of a stamp in the system's short formats (empty for an invalid stamp).
QString StampDateText(double stamp);
QString StampTimeText(double stamp);
QString StampDateTimeText(double stamp);

inline constexpr const char* kRecordFileFilter = QT_TRANSLATE_NOOP("lxv", "Tavro Record File (.lxr)|*.lxr");
inline constexpr const char* kRecordFileProposedName = "RecordFile.lxr";

class TRecordForm : public QMainWindow {
    Q_OBJECT
  public:
    TRecordForm(Recorder& recorder, IniFile& sysSet, QWidget* parent = nullptr);
    ~TRecordForm() override;

    // Loads the record settings (start-up spelling of the status texts).
    void FormCreate();

    // Handlers, one per control event.
    void OpenClick();      // "開啟舊檔": open a record file for viewing
    void CreateClick();    // "建立"
    void SettingsClick();  // "設置"
    void StartClick();
    void StopClick();
    void ViewSwitchClick();
    void SegmentForwardClick();  // "段前移"
    void SegmentBackClick();     // "段後移"
    void ZoomInBackClick();
    void ZoomOutForwardClick();
    void RangeButtonClick();
    void ShowHideClick(int channel);
    void ScaleUpClick(int channel);
    void ScaleDownClick(int channel);
    void ScrollBar1Change(int position);
    void TrackBar1Change(int position);
    void ScrollBar1ChangeTimerTimer();
    void Pic4MouseMove(int x);
    void Pic4DblClick();
    void OpenTimerTimer();

    // Creates the record file at `path` (the create button's steps after its
    // dialog and question); false after the error message.
    bool CreateRecordFileAt(const QString& path);
    // Reads a record file and shows it in the file view; a refused file leaves the view as it was.
    bool OpenRecordFile(const QString& path);
    // A record file named on the command line: OpenTimer (1 s) shows the window and opens it.
    void OpenRecordFileAtStart(const QString& path);
    // Program end: the recorder saves what the file lacks. When that fails, with
    // a display a message box offers to retry or to quit anyway; without one a
    // line on standard error tells it and the save is tried once more. False
    // when samples stay unsaved.
    bool SaveBeforeExit(bool display);
    // Draws the chart and ruler into their images and updates the status panels.
    void DrawRecordChart();

    // The export and the print button belong to other windows: they attach here.
    void SetExportHandler(std::function<void()> handler);
    void SetPrintHandler(std::function<void()> handler);

    // For the export and the report: what the chart shows.
    const RecordData& shownData() const;
    const RecordView& view() const { return view_; }
    const QImage& chartImage() const { return chart_; }
    QSize chartSize() const;
    QString statusPanelText(int panel) const;
    // The design text of a channel's quantity label ("Power"), nullptr outside 0..5.
    const char* quantityLabel(int channel) const {
        return channel >= 0 && channel < kRecordChannels ? quantities_[static_cast<std::size_t>(channel)]
                                                         : nullptr;
    }
    Recorder& recorder() { return recorder_; }
    TRecSetForm* settingsForm() const { return setForm_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void BuildMenus();
    void BuildToolBar();
    void BuildChartPanel(QWidget* parent);
    void BuildChannelRows(QWidget* parent);
    void BuildStatusBar();
    void Apply(const RecorderEffects& effects);
    void Apply(const ViewEffects& effects);
    void ApplyControls();
    void ApplySettingsTexts(const AppliedRecordSettings& applied);
    void SetQuantityLabels(const std::array<int, kRecordChannels>& codes);
    void SetStatus(int panel, const UiText& text);
    // Panel 5 in the live view: "Recording", or "No new measurement" after a step without a block.
    const char* LiveStatusText() const;
    void LayOutChartPanel();
    int chartWidth() const;

    Recorder& recorder_;
    IniFile& sysSet_;
    ShownTexts* texts_ = nullptr;
    std::array<const char*, kRecordChannels> quantities_{};  // the quantity labels' design texts
    RecordView view_;
    RecordData file_;               // an opened record file
    bool settingsBlocked_ = false;  // a file is being viewed
    bool redrawPending_ = false;    // a redraw waits for the window to show
    QString startFile_;
    std::function<void()> exportHandler_, printHandler_;

    QImage chart_, ruler_;
    QWidget* panel_ = nullptr;
    RecordImageView* pic4_ = nullptr;
    RecordImageView* pic5_ = nullptr;
    QWidget* penStrip_ = nullptr;
    std::array<QLabel*, kRecordChannels> pens_{};
    QLabel* cursorArrow_ = nullptr;
    QPushButton* rangeButton_ = nullptr;
    QScrollBar* scrollBar_ = nullptr;
    QSlider* trackBar_ = nullptr;
    std::array<QLabel*, kRecordChannels> channelLabels_{}, quantityLabels_{}, valueLabels_{};
    std::array<QToolButton*, 19> rowButtons_{};  // SeSkinButton1..18 at [1..18]
    QLabel* dateLabel_ = nullptr;
    QLabel* timeLabel_ = nullptr;
    std::array<QLabel*, 7> status_{};

    QAction *open_ = nullptr, *create_ = nullptr, *export_ = nullptr, *print_ = nullptr, *close_ = nullptr;
    QAction *settings_ = nullptr, *zoomOut_ = nullptr, *zoomIn_ = nullptr, *segForward_ = nullptr,
            *segBack_ = nullptr, *start_ = nullptr, *stop_ = nullptr;
    QToolButton *openButton_ = nullptr, *createButton_ = nullptr, *printButton_ = nullptr,
                *settingsButton_ = nullptr, *startButton_ = nullptr, *stopButton_ = nullptr,
                *viewButton_ = nullptr, *segBackButton_ = nullptr, *segForwardButton_ = nullptr,
                *zoomInButton_ = nullptr, *zoomOutButton_ = nullptr;

    QTimer ScrollBar1ChangeTimer_;
    QTimer OpenTimer_;
    TRecSetForm* setForm_ = nullptr;
};

}  // namespace lxv
