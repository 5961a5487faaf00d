#include "measure/panel_texts.h"

#include "platform/number_format.h"
#include "platform/ui_text.h"

namespace lxv {

const std::array<PanelSpec, kPanelCount> kPanels = {{
    {"Panel_URMS", QT_TRANSLATE_NOOP("lxv", "Voltage "), Scalar::URMS, 3, ".0", true, "V", 1, 0, 0},
    {"Panel_IRMS", QT_TRANSLATE_NOOP("lxv", "Current "), Scalar::IRMS, 4, ".0", true, "A", 1, 1, 0},
    {"Panel_WRMS", QT_TRANSLATE_NOOP("lxv", "Power "), Scalar::WRMS, 4, ".0", true, "W", 1, 2, 0},
    {"Panel_PF", QT_TRANSLATE_NOOP("lxv", "PF"), Scalar::PF, 3, ".0", true, "", 1, 3, 0},
    {"PANEL_IKF", QT_TRANSLATE_NOOP("lxv", "IFF"), Scalar::IKF, 3, ".0", false, "", 1, 4, 0},
    {"Panel_UPP", QT_TRANSLATE_NOOP("lxv", " Upeak"), Scalar::UPP, 2, ".0", true, "V", 1, 0, 1},
    {"Panel_IPP", QT_TRANSLATE_NOOP("lxv", " Ipeak "), Scalar::IPP, 3, ".0", true, "", 1, 1, 1},
    {"Panel_PS", QT_TRANSLATE_NOOP("lxv", "     S"), Scalar::PS, 2, ".0", true, "", 1, 2, 1},
    {"Panel_VTHD", QT_TRANSLATE_NOOP("lxv", "UTHD"), Scalar::VTHD, 1, ".0", false, " %", 100, 3, 1},
    {"Panel_VKF", QT_TRANSLATE_NOOP("lxv", " UFF"), Scalar::VKF, 3, ".0", false, "", 1, 4, 1},
    {"Panel_UF", QT_TRANSLATE_NOOP("lxv", "Frequency"), Scalar::UF, 3, ".00", false, "Hz", 1, 0, 2},
    {"Panel_IPA", QT_TRANSLATE_NOOP("lxv", "Iphase"), Scalar::IPA, 2, ".0", true, "", 1, 1, 2},
    {"Panel_PQ", QT_TRANSLATE_NOOP("lxv", "     Q"), Scalar::PQ, 2, ".0", true, "", 1, 2, 2},
    {"Panel_ITHD", QT_TRANSLATE_NOOP("lxv", " ITHD"), Scalar::ITHD, 1, ".0", false, " %", 100, 3, 2},
    {"Panel_KWH", QT_TRANSLATE_NOOP("lxv", " KWH"), Scalar::KWH, 3, ".0", false, "", 1, 4, 2},
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
