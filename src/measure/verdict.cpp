#include "measure/verdict.h"

#include <cmath>

#include "platform/number_format.h"

namespace lxv {

Verdict MakeVerdict(VerdictKind kind, double afterSeconds, double ofSeconds) {
    switch (kind) {
        case VerdictKind::Pass:
            return {kind, QT_TRANSLATE_NOOP("lxv", "PASS"), "PASS", kVerdictGreen, kExitPass};
        case VerdictKind::Fail:
            return {kind, QT_TRANSLATE_NOOP("lxv", "FAIL"), "FAIL", kVerdictRed, kExitFail};
        case VerdictKind::NotApplicable:
            return {kind, QT_TRANSLATE_NOOP("lxv", "NOT APPLICABLE"), "NOT APPLICABLE", kVerdictAmber,
                    kExitNotApplicable};
        case VerdictKind::PassOutsideConditions:
            return {kind, QT_TRANSLATE_NOOP("lxv", "PASS (supply outside the conditions)"), "PASS",
                    kVerdictAmber, kExitPassOutsideConditions};
        case VerdictKind::NotStable:
            return {kind, QT_TRANSLATE_NOOP("lxv", "NOT STABLE"), "NOT STABLE", kVerdictAmber,
                    kExitNotStable};
        case VerdictKind::Incomplete:
            return {kind,
                    UiText(QT_TRANSLATE_NOOP("lxv", "INCOMPLETE after %1 s of %2 s"))
                        .arg(FormatRounded(std::floor(afterSeconds), 0))
                        .arg(FormatGeneral(ofSeconds)),
                    "INCOMPLETE", kVerdictAmber, kExitNoVerdict};
        case VerdictKind::None: break;
    }
    return {VerdictKind::None, QT_TRANSLATE_NOOP("lxv", "NO VERDICT"), "NO VERDICT", kVerdictAmber,
            kExitNoVerdict};
}

}  // namespace lxv
