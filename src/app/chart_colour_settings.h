// The two chart colours as stored in SysSet.ini, section WaveSet, read at
// start (the style window will change and store them later).
#pragma once

namespace lxv {

class IniFile;
struct ChartColours;

// WaveBackground and ScaleColor, default 2 (gray, light black). A value outside
// 0..2 leaves that colour as it is; a value that is not a number throws
// ConversionError after the other colour was applied.
void LoadChartColours(const IniFile& sysSet, ChartColours& colours);

}  // namespace lxv
