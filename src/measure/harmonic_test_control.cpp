#include "measure/harmonic_test_control.h"

namespace lxv {

Verdict HarmonicTestVerdict(const HarmonicTestResult& result) {
    // The rules' own exit code decides the kind, so the views follow them.
    switch (HarmonicTestExitCode(result)) {
        case kExitPass: return MakeVerdict(VerdictKind::Pass);
        case kExitFail: return MakeVerdict(VerdictKind::Fail);
        case kExitNotApplicable: return MakeVerdict(VerdictKind::NotApplicable);
        case kExitPassOutsideConditions: return MakeVerdict(VerdictKind::PassOutsideConditions);
        default: return MakeVerdict(VerdictKind::None);
    }
}

HarmonicTestControl::HarmonicTestControl(SessionCore& core, Clock clock)
    : observation_(core, "HarmonicTest.ObservationTimer", std::move(clock)) {}

UiText HarmonicTestControl::Start(const HarmonicTestSettings& settings) {
    if (!(settings.observationSeconds >= kShortestObservationSeconds &&
          settings.observationSeconds <= kLongestObservationSeconds))
        return kObservationRangeText;
    // The test is set up before the observation starts: its listeners read it.
    HarmonicTest previous = std::move(test_);
    std::optional<HarmonicTestResult> previousResult = std::move(result_);
    test_ = HarmonicTest(settings);
    result_.reset();
    UiText refusal = observation_.Start(settings.observationSeconds, *this);
    if (!refusal.empty()) {
        test_ = std::move(previous);
        result_ = std::move(previousResult);
    }
    return refusal;
}

const HarmonicTestResult& HarmonicTestControl::result() const {
    if (!result_) result_ = test_.Result();
    return *result_;
}

bool HarmonicTestControl::TakeBlock(const MeasureRecord& block, double seconds) {
    test_.AddBlock(block, seconds);
    result_.reset();
    return false;  // the observation always runs its time
}

void HarmonicTestControl::Ended(ObservationEnd end, double elapsedSeconds) {
    result_ = test_.Result();
    if (end == ObservationEnd::Stopped) result_->stoppedAfterSeconds = elapsedSeconds;
}

}  // namespace lxv
