#include "report/record_window_source.h"

#include "record/record_form.h"

namespace lxv {

std::size_t RecordWindowSource::sampleCount() const {
    return static_cast<std::size_t>(std::max(form_.shownData().count, 0));
}

double RecordWindowSource::stamp(std::size_t sample) const {
    return form_.shownData().stamps[sample];
}

float RecordWindowSource::value(std::size_t sample, int channel) const {
    return form_.shownData().channels[static_cast<std::size_t>(channel)][sample];
}

std::string RecordWindowSource::label(int channel) const {
    // The design's word, whatever the language: the export's headings stay the same.
    const char* label = form_.quantityLabel(channel);
    return label ? label : std::string();
}

RecordReportView RecordWindowSource::reportView() const {
    const RecordView& v = form_.view();
    RecordReportView view;
    view.samples = this;
    view.newest = !v.fileActive ? -1 : v.liveView() ? form_.shownData().count - 1 : v.fileLast;
    view.zoom = std::max(v.zoom(), 1);
    view.offset = v.offset();
    view.secondsPerSample = SecondsPerSample(form_.shownData().stepIndex);
    view.range = v.range;
    view.scale = v.scale;
    view.visible = v.visible;
    view.chartWidth = form_.chartSize().width();
    view.chartHeight = form_.chartSize().height();
    for (int c = 0; c < kRecordChannels; ++c) view.labels[static_cast<std::size_t>(c)] = label(c);
    static constexpr int kPanels[4] = {0, 2, 3, 4};
    for (int i = 0; i < 4; ++i)
        view.status[static_cast<std::size_t>(i)] = form_.statusPanelText(kPanels[i]).toStdString();
    return view;
}

}  // namespace lxv
