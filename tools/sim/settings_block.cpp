// What the fields of the settings block mean for the readings.
#include "sim/settings_block.h"

#include <cmath>

namespace lxv::sim {

namespace {
double UsableRatio(float ratio) {
    return std::isfinite(ratio) && ratio > 0.0f ? ratio : 1.0;
}
}  // namespace

ReadingScale ReadingScaleOf(const SettingsBytes& bytes) {
    const InstrumentSettings s = InstrumentSettings::Decode(bytes.data());
    ReadingScale r;
    r.vtRatio = UsableRatio(s.VtRatio);
    r.ctRatio = UsableRatio(s.CtRatio);
    r.thdRelativeToRms = s.ThdAlgorithm != 0;
    const int range = s.CurrentRange;
    r.lockedCurrentRange = (s.RangeLocked != 0 && range >= 1 && range <= 4) ? range : 0;
    return r;
}

}  // namespace lxv::sim
