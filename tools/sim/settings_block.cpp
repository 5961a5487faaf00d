// Factory contents of the settings block and what its fields mean for readings.
#include "sim/settings_block.h"

#include <cmath>

#include "link/byte_order.h"

namespace lxv::sim {

SettingsBytes FactorySettings() {
    SettingsBytes s{};
    WriteF32LE(s.data() + setup_off::AngleTime, 0.0f);
    WriteF32LE(s.data() + setup_off::CtRatio, 1.0f);
    WriteF32LE(s.data() + setup_off::VtRatio, 1.0f);
    s[setup_off::Bandwidth] = 0;
    s[setup_off::ThdAlgorithm] = 0;
    s[setup_off::FilterCoefficient] = 10;
    s[setup_off::FilterOff] = 1;
    s[setup_off::RangeLocked] = 0;
    s[setup_off::Reserved] = 3;
    s[setup_off::CurrentRange] = 4;
    return s;
}

namespace {
double UsableRatio(float ratio) {
    return std::isfinite(ratio) && ratio > 0.0f ? ratio : 1.0;
}
}  // namespace

ReadingScale ReadingScaleOf(const SettingsBytes& s) {
    ReadingScale r;
    r.vtRatio = UsableRatio(ReadF32LE(s.data() + setup_off::VtRatio));
    r.ctRatio = UsableRatio(ReadF32LE(s.data() + setup_off::CtRatio));
    r.thdRelativeToRms = s[setup_off::ThdAlgorithm] != 0;
    const int range = s[setup_off::CurrentRange];
    r.lockedCurrentRange = (s[setup_off::RangeLocked] != 0 && range >= 1 && range <= 4) ? range : 0;
    return r;
}

}  // namespace lxv::sim
