#include "measure/harmonic_test_control.h"

#include <ctime>

#include "platform/serial_port.h"
#include "core/session_core.h"

namespace lxv {

std::string LocalTimeText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    return std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local) ? std::string(text) : std::string();
}

HarmonicTestControl::HarmonicTestControl(SessionCore& core, Clock clock)
    : core_(core), observation_(core, "HarmonicTest.ObservationTimer", std::move(clock)) {}

UiText HarmonicTestControl::Start(const HarmonicTestSettings& settings) {
    if (!(settings.observationSeconds >= kShortestObservationSeconds &&
          settings.observationSeconds <= kLongestObservationSeconds))
        return kObservationRangeText;
    // The test is set up before the observation starts: its listeners read it.
    HarmonicTest previous = std::move(test_);
    std::optional<HarmonicTestResult> previousResult = std::move(result_);
    HarmonicTestSettings run = settings;
    if (run.startedAt.empty()) run.startedAt = LocalTimeText();
    if (run.instrument.empty())
        run.instrument = "LXV7700, " +
                         (core_.port.portNumber() > 0 ? "COM" + std::to_string(core_.port.portNumber())
                                                      : std::string("serial device")) +
                         ", address " + std::to_string(core_.state.InstrumentAddress) + ", " +
                         std::to_string(BaudRateForIndex(core_.state.BaudIndex)) + " baud";
    test_ = HarmonicTest(run);
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
    // Stopped early, the result passes nothing (the rules' incomplete verdict).
    if (end == ObservationEnd::Stopped) test_.MarkStopped(elapsedSeconds);
    result_ = test_.Result();
}

}  // namespace lxv
