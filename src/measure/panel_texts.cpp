#include "measure/panel_texts.h"

#include "measure/number_format.h"

namespace lxv {

const std::array<PanelSpec, kPanelCount> kPanels = {{
    {"Panel_URMS", "Voltage ", Scalar::URMS, 3, ".0", true, "V", 1, 0, 0},
    {"Panel_IRMS", "Current ", Scalar::IRMS, 4, ".0", true, "A", 1, 1, 0},
    {"Panel_WRMS", "Power ", Scalar::WRMS, 4, ".0", true, "W", 1, 2, 0},
    {"Panel_PF", "PF", Scalar::PF, 3, ".0", true, "", 1, 3, 0},
    {"PANEL_IKF", "IFF", Scalar::IKF, 3, ".0", false, "", 1, 4, 0},
    {"Panel_UPP", " Upeak", Scalar::UPP, 2, ".0", true, "V", 1, 0, 1},
    {"Panel_IPP", " Ipeak ", Scalar::IPP, 3, ".0", true, "", 1, 1, 1},
    {"Panel_PS", "     S", Scalar::PS, 2, ".0", true, "", 1, 2, 1},
    {"Panel_VTHD", "UTHD", Scalar::VTHD, 1, ".0", false, " %", 100, 3, 1},
    {"Panel_VKF", " UFF", Scalar::VKF, 3, ".0", false, "", 1, 4, 1},
    {"Panel_UF", "Frequency", Scalar::UF, 3, ".00", false, "Hz", 1, 0, 2},
    {"Panel_IPA", "Iphase", Scalar::IPA, 2, ".0", true, "", 1, 1, 2},
    {"Panel_PQ", "     Q", Scalar::PQ, 2, ".0", true, "", 1, 2, 2},
    {"Panel_ITHD", " ITHD", Scalar::ITHD, 1, ".0", false, " %", 100, 3, 2},
    {"Panel_KWH", " KWH", Scalar::KWH, 3, ".0", false, "", 1, 4, 2},
}};

std::array<std::string, kPanelCount> PanelTexts(const MeasureRecord& record) {
    std::array<std::string, kPanelCount> texts;
    for (int i = 0; i < kPanelCount; ++i) {
        const PanelSpec& p = kPanels[static_cast<std::size_t>(i)];
        float v = record.scalar(p.field);
        if (p.field == Scalar::PQ && IsNaNBits(v)) v = 0.0f;
        texts[static_cast<std::size_t>(i)] = FormatPanelValue(v, p.decimals, p.fill, p.cut, p.unit, p.scale);
    }
    return texts;
}

}  // namespace lxv
