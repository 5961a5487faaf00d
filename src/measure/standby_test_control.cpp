#include "measure/standby_test_control.h"

#include <ctime>

namespace lxv {

Verdict StandbyTestVerdict(const StandbyResult& result) {
    // The rules' own exit code decides the kind, so the views follow them.
    switch (StandbyExitCode(result)) {
        case kExitPass: return MakeVerdict(VerdictKind::Pass);
        case kExitFail: return MakeVerdict(VerdictKind::Fail);
        case kExitPassOutsideConditions: return MakeVerdict(VerdictKind::PassOutsideConditions);
        case kExitNotStable: return MakeVerdict(VerdictKind::NotStable);
        default: break;
    }
    if (result.stoppedAfterSeconds)
        return MakeVerdict(VerdictKind::Incomplete, *result.stoppedAfterSeconds, result.settings.periodSeconds);
    return MakeVerdict(VerdictKind::None);
}

StandbyTestControl::StandbyTestControl(SessionCore& core, Clock clock)
    : observation_(core, "StandbyTest.ObservationTimer", std::move(clock)) {}

UiText StandbyTestControl::Start(const StandbySettings& settings) {
    if (!(settings.periodSeconds >= kStandbyShortestPeriod && settings.periodSeconds <= kStandbyLongestSeconds))
        return kStandbyPeriodRangeText;
    if (!(settings.maxSeconds >= settings.periodSeconds && settings.maxSeconds <= kStandbyLongestSeconds))
        return kStandbyMaxRangeText;
    // The test is set up before the observation starts: its listeners read it.
    StandbyTest previous = std::move(test_);
    std::optional<StandbyResult> previousResult = std::move(result_);
    const double previousStart = startSeconds_;
    test_ = StandbyTest(settings, rangeReader_ ? rangeReader_() : std::nullopt);
    result_.reset();
    startSeconds_ = observation_.now();
    finishedAt_.clear();
    UiText refusal = observation_.Start(settings.maxSeconds, *this);
    if (!refusal.empty()) {
        test_ = std::move(previous);
        result_ = std::move(previousResult);
        startSeconds_ = previousStart;
    }
    return refusal;
}

const StandbyResult& StandbyTestControl::result() const {
    if (!result_) result_ = test_.Result();
    return *result_;
}

bool StandbyTestControl::TakeBlock(const MeasureRecord& block, double seconds) {
    test_.Add(StandbyReadingOf(block, seconds - startSeconds_));
    result_.reset();
    return test_.finished();
}

void StandbyTestControl::Ended(ObservationEnd end, double elapsedSeconds) {
    if (end == ObservationEnd::Stopped)
        test_.Stop(elapsedSeconds);
    else
        test_.TimeReached(elapsedSeconds);  // the longest time: judged a last time
    result_ = test_.Result();
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    char text[32] = {};
    if (localtime_r(&now, &local) && std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local) > 0)
        finishedAt_ = text;
}

}  // namespace lxv
