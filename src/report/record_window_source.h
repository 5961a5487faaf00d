// The record window as the export and the record report read it: the
// recording its chart shows (live or file view), the quantity labels beside
// the channels, its view state, chart size and status texts.
#pragma once

#include "record/record_export_qt.h"
#include "report/report_geometry.h"

namespace lxv {

class TRecordForm;

class RecordWindowSource : public RecordExportSource {
  public:
    explicit RecordWindowSource(const TRecordForm& form) : form_(form) {}

    std::size_t sampleCount() const override;
    double stamp(std::size_t sample) const override;
    float value(std::size_t sample, int channel) const override;
    std::string label(int channel) const override;  // the text of QuantityLabel1..6

    // The record report's view of the window (samples read through this source).
    RecordReportView reportView() const;

  private:
    const TRecordForm& form_;
};

}  // namespace lxv
