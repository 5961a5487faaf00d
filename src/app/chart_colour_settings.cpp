#include "app/chart_colour_settings.h"

#include <exception>

#include "appearance/chart_colours.h"
#include "platform/ini_file.h"

namespace lxv {

void LoadChartColours(const IniFile& sysSet, ChartColours& colours) {
    std::exception_ptr failure;
    try {
        ApplyWaveBackground(colours, sysSet.readInteger("WaveSet", "WaveBackground", 2));
    } catch (const ConversionError&) {
        failure = std::current_exception();
    }
    try {
        ApplyScaleColour(colours, sysSet.readInteger("WaveSet", "ScaleColor", 2));
    } catch (const ConversionError&) {
        if (!failure) failure = std::current_exception();
    }
    if (failure) std::rethrow_exception(failure);
}

}  // namespace lxv
