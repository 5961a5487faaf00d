// Paints the record chart and ruler primitives (record_chart.h) into
// off-screen images, pixel for pixel and clipped to the image.
#pragma once

#include <QImage>

#include "appearance/chart_colours.h"
#include "record/record_chart.h"

namespace lxv {

void PaintRecordDrawing(QImage& image, const RecordDrawing& drawing, const ChartColours& colours);

}  // namespace lxv
