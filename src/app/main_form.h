// The main window (TMainForm), a view of the session: menus, tool buttons,
// status bar, the four panes with the fifteen value panels and three charts,
// and the handlers of the measurement cycle, the test files and the help items.
// The cycle's rules live in the session's MeasureControl; this class owns the
// controls and the cycle's timers and applies its effects. Other windows are
// attached to their menu items and tool buttons by windows.cpp.
// Depends on: session/, cycle/, measure/, platform/, appearance/ and Qt
// Widgets; nothing below app/ depends on it.
#pragma once

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QTimer>
#include <array>
#include <cstdint>
#include <functional>

#include "app/windows.h"
#include "cycle/measure_control.h"
#include "measure/panel_texts.h"
#include "platform/precise_timer.h"
#include "platform/ui_text.h"

class QDialog;
class QGroupBox;
class QProgressBar;
class QToolButton;

namespace lxv {

class ChartView;
class Session;
class ShownTexts;
struct StartFile;

// "Date: " followed by the date and time in the system's short formats.
UiText MeasurementDateText();
// ProgressBar1 steps (0..50) for `received` of `expected` bytes; full when the size is unknown.
int ProgressSteps(int received, int expected);

class TMainForm : public QMainWindow {
    Q_OBJECT
  public:
    explicit TMainForm(Session& session, QWidget* parent = nullptr);
    ~TMainForm() override;

    // Status panel 0..5 (through the session's status model) and the measurement actions.
    void setStatusPanelText(int panel, const QString& text);
    void setMeasureActionsEnabled(bool enabled);
    QString statusPanelText(int panel) const;

    // Connects every menu item and tool button of `command` to `open`, and
    // shows and enables them. Items of windows that are not attached stay disabled.
    void Attach(Command command, std::function<void()> open);
    QToolButton* toolButton(int number) const;
    // The version and port settings windows, attached to their items.
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

    // Handlers, one per control event.
    void SeSkinSpeedButton1Click();  // open test file
    void SeSkinSpeedButton2Click();  // save test file
    void SeSkinSpeedButton7Click();  // single measurement
    void SeSkinSpeedButton8Click();  // continuous measurement
    void SeSkinSpeedButton9Click();  // stop
    void N7Click();                  // close
    void N23Click();                 // manual
    void Tavro1Click();              // support page
    void MOpenTimerTimer();

    // Reads a test file into the record and shows it; on failure the error is
    // shown and nothing changes. True when it was read.
    bool ReadTestFileAndShow(const QString& path);

    MeasureControl& control() { return control_; }
    Session& session() { return session_; }

  signals:
    void statusPanelChanged(int panel, const QString& text);
    // The window was closed: the program ends.
    void closed();

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Menus, items and tool buttons from MainWindowControls().
    void BuildControls();
    void BuildStatusBar();
    void BuildPanes();
    void FitStatusPanels();
    void Apply(const CycleEffects& effects);
    void ApplyActionStates();
    // The main window's own handler of a command, or none.
    std::function<void()> OwnHandler(Command command);

    Session& session_;
    ShownTexts* texts_ = nullptr;
    std::vector<std::pair<Command, QObject*>> commandControls_;  // every item and button with its command
    MeasureControl& control_;
    bool commAttached_ = false;
    int measureListener_ = 0;
    std::function<void(const QString&)> recordOpener_;
    QString startRecordFile_;

    QTimer MOpenTimer_;

    std::array<QToolButton*, 12> buttons_{};  // SeSkinSpeedButton1..11 at [1..11]
    QAction* N12_ = nullptr;
    QAction* N13_ = nullptr;
    QAction* N14_ = nullptr;
    QAction* C1_ = nullptr;

    std::array<QLabel*, 6> statusPanels_{};  // panel 3 holds ProgressBar1 instead
    QProgressBar* ProgressBar1_ = nullptr;

    QWidget* Panel1_ = nullptr;
    std::array<QGroupBox*, 4> groupBoxes_{};
    std::array<ChartView*, 3> charts_{};  // Pic1..Pic3
    std::array<QLabel*, kPanelCount> captions_{};
    std::array<QLabel*, kPanelCount> valuePanels_{};  // in the order of kPanels
};

}  // namespace lxv
