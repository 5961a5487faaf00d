// The main window (TMainForm): menus, tool buttons, status bar, the four panes
// with the fifteen value panels and three charts, and the handlers of the
// measurement cycle, the test files and the help items. The cycle's rules live
// in MeasureControl; this class owns the controls and timers and applies them.
// Depends on: link/, cycle/, measure/, platform/, appearance/ and Qt Widgets;
// nothing below app/ depends on it.
#pragma once

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QTimer>
#include <array>
#include <cstdint>
#include <functional>

#include "app/measure_control.h"
#include "link/main_window_hooks.h"
#include "measure/panel_texts.h"

class QDialog;
class QGroupBox;
class QProgressBar;
class QToolButton;

namespace lxv {

struct AppContext;
class ChartView;
struct StartFile;

// "Date: " followed by the date and time in the system's short formats.
QString MeasurementDateText();
// ProgressBar1 steps (0..50) for `received` of `expected` bytes; full when the size is unknown.
int ProgressSteps(int received, int expected);

class TMainForm : public QMainWindow, public MainWindowHooks {
    Q_OBJECT
  public:
    explicit TMainForm(AppContext& app, QWidget* parent = nullptr);
    ~TMainForm() override;

    // MainWindowHooks, for the port settings window.
    void setStatusPanelText(int panel, const QString& text) override;
    void setMeasureActionsEnabled(bool enabled) override;
    QString statusPanelText(int panel) const;

    // Windows created after this one. A window that is not there leaves its items disabled.
    void SetVersionForm(QDialog* form);
    void SetCommForm(QDialog* form);
    // Hands a record file named on the command line to the record window.
    void SetRecordFileOpener(std::function<void(const QString&)> opener);

    // The command-line step of the creation: opens a test file or starts MOpenTimer.
    void ApplyStartFile(const StartFile& start);

    // Writes the fifteen value panels and redraws the three charts.
    void ShowMeasurement();
    // Places the group boxes, charts, labels and value panels in Panel1.
    void ApplyLayout();

    // A whole, CRC-checked measurement block arrived (2530 bytes).
    void MeasureBlockReceived(const std::uint8_t* block);

    // Handlers, one per control event.
    void SeSkinSpeedButton1Click();  // open test file
    void SeSkinSpeedButton2Click();  // save test file
    void SeSkinSpeedButton4Click();  // version
    void SeSkinSpeedButton7Click();  // single measurement
    void SeSkinSpeedButton8Click();  // continuous measurement
    void SeSkinSpeedButton9Click();  // stop
    void C1Click();                  // port settings
    void N7Click();                  // close
    void N23Click();                 // manual
    void Tavro1Click();              // support page
    void ContinuousReadTimerTimer();
    void ReReadTimerTimer();
    void MOpenTimerTimer();

    // Reads a test file into the record and shows it; on failure the error is
    // shown and nothing changes. True when it was read.
    bool ReadTestFileAndShow(const QString& path);

    MeasureControl& control() { return control_; }

  signals:
    void statusPanelChanged(int panel, const QString& text);
    // The window was closed: the program ends.
    void closed();

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildMenus();
    void BuildToolBar();
    void BuildStatusBar();
    void BuildPanes();
    void Apply(const CycleEffects& effects);
    void ApplyActionStates();
    QAction* MenuItem(QMenu* menu, const char* name, const QString& caption, QKeySequence key = {});
    QToolButton* ToolButton(int number, const QString& caption, int glyph);

    AppContext& app_;
    MeasureControl control_;
    QDialog* versionForm_ = nullptr;
    QDialog* commForm_ = nullptr;
    std::function<void(const QString&)> recordOpener_;
    QString startRecordFile_;

    QTimer ContinuousReadTimer_;
    QTimer ReReadTimer_;
    QTimer MOpenTimer_;

    std::array<QToolButton*, 11> buttons_{};  // SeSkinSpeedButton1..10 at [1..10]
    QAction* N2_ = nullptr;
    QAction* N3_ = nullptr;
    QAction* N5_ = nullptr;
    QAction* N7_ = nullptr;
    QAction* N9_ = nullptr;
    QAction* N12_ = nullptr;
    QAction* N13_ = nullptr;
    QAction* N14_ = nullptr;
    QAction* N15_ = nullptr;
    QAction* N18_ = nullptr;
    QAction* N20_ = nullptr;
    QAction* N21_ = nullptr;
    QAction* N23_ = nullptr;
    QAction* N25_ = nullptr;
    QAction* N30_ = nullptr;
    QAction* N34_ = nullptr;
    QAction* C1_ = nullptr;
    QAction* Tavro1_ = nullptr;

    std::array<QLabel*, 6> statusPanels_{};  // panel 3 holds ProgressBar1 instead
    QProgressBar* ProgressBar1_ = nullptr;

    QWidget* Panel1_ = nullptr;
    std::array<QGroupBox*, 4> groupBoxes_{};
    std::array<ChartView*, 3> charts_{};  // Pic1..Pic3
    std::array<QLabel*, kPanelCount> captions_{};
    std::array<QLabel*, kPanelCount> valuePanels_{};  // in the order of kPanels
};

}  // namespace lxv
