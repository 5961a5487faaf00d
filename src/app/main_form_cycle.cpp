// The main window's part of the measurement cycle: actions, timers, the
// reaction to a received block, and the redraw of panels and charts.
#include <QProgressBar>
#include <chrono>

#include "app/chart_view.h"
#include "app/main_form.h"
#include "appearance/chart_colours.h"
#include "core/reply_assembler.h"
#include "link/registers.h"
#include "measure/chart_painter.h"
#include "platform/dialogs.h"
#include "platform/translation.h"
#include "session/session.h"

namespace lxv {

void TMainForm::Apply(const CycleEffects& fx) {
    // The cycle's timers and status panel 0 are the controller's, set already.
    ApplyActionStates();
    if (fx.refreshDisplay) ShowMeasurement();
    // Last, since the message waits for the user: the mode and its timer are already set.
    if (fx.sendFailed) AppDialogs().showMessage(this, Translated(kSendFailedText));
}

void TMainForm::SeSkinSpeedButton7Click() {
    Apply(control_.Single());
}
void TMainForm::SeSkinSpeedButton8Click() {
    Apply(control_.Continuous());
}
void TMainForm::SeSkinSpeedButton9Click() {
    Apply(control_.Stop());
}

void TMainForm::ShowMeasurement() {
    const auto texts = PanelTexts(session_.core.record);
    for (std::size_t i = 0; i < valuePanels_.size(); ++i)
        valuePanels_[i]->setText(QString::fromStdString(texts[i]));

    // All three charts are drawn with the size of the waveform chart's area.
    const QSize area = charts_[0]->size();
    if (area.isEmpty()) return;
    const ChartColours& colours = CurrentChartColours();
    DrawWaveformChart(charts_[0]->image(), area, session_.core.record, colours);
    DrawHarmonicChart(charts_[1]->image(), area, session_.core.record, Channel::Voltage, colours);
    DrawHarmonicChart(charts_[2]->image(), area, session_.core.record, Channel::Current, colours);
    for (ChartView* chart : charts_) chart->update();
}

}  // namespace lxv
