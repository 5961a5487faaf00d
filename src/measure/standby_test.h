// The standby power test of IEC 62301 / EN 50564 by the sampling method, as a
// pre-compliance check from the instrument's own readings: every accepted
// block is a reading of active power with its time; after the period T the
// readings of the first third of the time so far are discarded and the
// least-squares slope of power against time over the rest must be at most
// 10 mW/h (mean up to 1 W) or 1 % of the mean per hour (above 1 W), judged at
// T and again with each reading until it holds or the longest time M is
// reached. The supply conditions are watched on every reading.
//
// Owns: the readings and their prefix sums (judging is O(1) per reading, the
// discarded front moves forward only), the stability rule, the result
// (mean, halves, energy cross-check, uncertainty figures, supply figures),
// the verdict and its exit code, the texts and the CSV text of a result.
// Depends on: measure/measure_block.h, measure/number_format.h and
// platform/ui_text.h. No Qt.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/measure_block.h"
#include "platform/ui_text.h"

namespace lxv {

inline constexpr double kStandbyDefaultPeriod = 600.0;    // s, also the standard's shortest
inline constexpr double kStandbyShortestPeriod = 60.0;    // s, shorter is refused
inline constexpr double kStandbyLongestSeconds = 172800;  // s, 48 h
inline constexpr double kStandbyDefaultLimit = 0.5;       // W
inline constexpr double kStandbyLowPowerSlope = 0.010;    // W/h, up to 1 W
inline constexpr double kStandbySlopeShare = 0.01;        // of the mean per hour, above 1 W
inline constexpr double kStandbyVoltageTolerance = 0.01;  // of the nominal
inline constexpr double kStandbyFrequencyTolerance = 0.01;
inline constexpr double kStandbyHarmonicContent = 0.02;  // orders 2..13 over the fundamental
inline constexpr double kStandbyLowestCrest = 1.34, kStandbyHighestCrest = 1.49;
inline constexpr int kStandbyHighestHarmonic = 13;
inline constexpr int kFewestStandbyReadings = 10;  // used readings a judgement needs

inline constexpr const char* kStandbyNoteText = QT_TRANSLATE_NOOP(
    "lxv",
    "This is a pre-compliance check from the instrument's own readings, not a measurement to IEC 62301.");
inline constexpr const char* kStandbyShortPeriodText = QT_TRANSLATE_NOOP(
    "lxv", "The period of %1 s is shorter than the 600 s the standard asks for.");
inline constexpr const char* kStandbyTooFewText = QT_TRANSLATE_NOOP(
    "lxv", "Only %1 readings were left to judge; the test needs at least 10.");
inline constexpr const char* kStandbyStoppedText =
    QT_TRANSLATE_NOOP("lxv", "The test was stopped after %1 s.");
inline constexpr const char* kStandbyAutoRangeText = QT_TRANSLATE_NOOP(
    "lxv", "The current range was automatic; a change of range can lose readings.");
inline constexpr const char* kStandbySupplyOutsideText =
    QT_TRANSLATE_NOOP("lxv", "The supply was outside the test conditions: %1.");
inline constexpr const char* kStandbyNotStableText = QT_TRANSLATE_NOOP(
    "lxv", "The power did not become stable within %1 s: slope %2 W/h, allowed %3 W/h.");
inline constexpr const char* kStandbyPeriodRangeText =
    QT_TRANSLATE_NOOP("lxv", "The period must be from 60 to 172800 s.");
inline constexpr const char* kStandbyMaxRangeText =
    QT_TRANSLATE_NOOP("lxv", "The longest time must be from the period to 172800 s.");
inline constexpr const char* kStandbyLimitRangeText =
    QT_TRANSLATE_NOOP("lxv", "The limit must be more than 0 W.");

struct StandbySettings {
    double periodSeconds = kStandbyDefaultPeriod;     // T
    double maxSeconds = 3 * kStandbyDefaultPeriod;    // M, at least T
    double limitWatts = kStandbyDefaultLimit;
    double nominalVoltage = 230.0;
    double nominalFrequency = 50.0;
};

// The settings as typed (blank: the default; a blank longest time is three
// periods); `error` names the first field at fault.
struct StandbySettingsReading {
    StandbySettings settings;
    UiText error;
    bool ok() const { return error.empty(); }
};
StandbySettingsReading ReadStandbySettings(const std::string& periodSeconds, const std::string& maxSeconds,
                                           const std::string& limitWatts, const std::string& nominalVoltage,
                                           const std::string& nominalFrequency);

// The instrument's current range, read when the test starts.
struct CurrentRangeSetting {
    bool automatic = true;
    int range = 0;  // the locked range, 1..4
};

// One reading: what the rules take from a measurement block.
struct StandbyReading {
    double seconds = 0;  // since the test started
    double power = 0;    // active power, W
    double voltage = 0, current = 0, powerFactor = 0, frequency = 0;
    double voltageHarmonics = 0;  // RMS of orders 2..13 over the fundamental, a fraction
    double voltageCrest = 0;      // peak over RMS
    double currentCrest = 0;
    double energyKwh = 0;  // the instrument's energy counter
};
// The reading of a block taken `seconds` after the start; values the
// instrument should never send (NaN, infinite) count as 0.
StandbyReading StandbyReadingOf(const MeasureRecord& block, double seconds);

// Whether the slope (W/h) is small enough for the mean (W): at most 10 mW/h
// up to 1 W, at most 1 % of the mean per hour above.
double StandbySlopeLimit(double meanWatts);
bool StandbySlopeStable(double meanWatts, double slopeWattsPerHour);

// The least-squares fit over the used readings.
struct StandbyFit {
    std::size_t first = 0;  // index of the first used reading
    std::size_t used = 0;   // number of used readings
    double cutSeconds = 0;  // readings before this time are discarded
    double mean = 0;        // W
    double slope = 0;       // W/h
    double intercept = 0;   // W at time 0 of the line mean + slope (t - tMean)
    bool valid = false;     // at least two used readings at different times
};

enum class StandbyVerdict { Pass, Fail, NotStable };

struct SupplyFigures {
    double worstVoltage = 0, worstFrequency = 0;  // the readings furthest from the nominal
    double worstHarmonics = 0;                     // the largest, a fraction
    double worstCrest = 0;                         // the furthest outside 1.34..1.49, else from its middle
    bool voltageOk = true, frequencyOk = true, harmonicsOk = true, crestOk = true;
    bool ok() const { return voltageOk && frequencyOk && harmonicsOk && crestOk; }
};

struct StandbyResult {
    StandbySettings settings;
    bool finished = false;
    std::optional<StandbyVerdict> verdict;  // none while running, after a stop or with too few readings
    UiText error;
    std::optional<double> stoppedAfterSeconds;
    std::size_t readings = 0, readingsUsed = 0;
    double elapsedSeconds = 0;  // the time of the judgement (or of the last reading)
    double readingsPerSecond = 0;
    double cutSeconds = 0;
    double meanPower = 0, slope = 0, slopeLimit = 0;  // W, W/h, W/h
    bool stable = false;
    double firstHalfMean = 0, secondHalfMean = 0;  // of the used part, by time
    std::optional<double> energyPower;             // W from the instrument's energy counter
    SupplyFigures supply;
    double currentCrest = 0, powerFactor = 0;  // means over all readings (|PF|)
    std::optional<double> mcr;                 // current crest factor over power factor
    double permittedUncertainty = 0;           // W: 2 % at 0.5 W and above, 0.01 W below
    std::optional<CurrentRangeSetting> range;

    bool periodShort() const { return settings.periodSeconds < kStandbyDefaultPeriod; }
    // Within the standard's conditions: supply and period.
    bool withinConditions() const { return supply.ok() && !periodShort(); }
};

// The readings condensed for a live chart: a fixed number of time slots over
// the longest time, each with its lowest, highest and mean power, so a redraw
// costs the same after ten seconds or ten hours.
class StandbyTrend {
  public:
    static constexpr std::size_t kSlots = 1536;
    struct Slot {
        float low = 0, high = 0;
        double sum = 0;
        std::uint32_t count = 0;
        double mean() const { return count ? sum / count : 0.0; }
    };
    explicit StandbyTrend(double spanSeconds);
    void Add(double seconds, double watts);
    double slotSeconds() const { return slotSeconds_; }
    const std::vector<Slot>& timeSlots() const { return slots_; }
    std::size_t used() const { return used_; }  // slots up to the last one with a reading
    double low() const { return low_; }
    double high() const { return high_; }

  private:
    double slotSeconds_;
    std::vector<Slot> slots_;
    std::size_t used_ = 0;
    double low_ = 0, high_ = 0;
};

// One test, fed reading by reading in time order (a reading that comes
// earlier than the last is taken at the last one's time).
class StandbyTest {
  public:
    explicit StandbyTest(StandbySettings settings = {}, std::optional<CurrentRangeSetting> range = {});

    // Takes a reading and, from the period on, judges: O(1) amortised.
    void Add(const StandbyReading& reading);
    // The period or the longest time is over without a reading at it.
    void TimeReached(double seconds);
    // Ends the test now without a verdict.
    void Stop(double seconds);

    bool finished() const { return finished_; }
    std::size_t readings() const { return rows_.size(); }
    const StandbySettings& settings() const { return settings_; }
    // The fit of the last judgement (or of the readings so far).
    const StandbyFit& fit() const { return fit_; }
    StandbyResult Result() const;

    // The stored readings, for the chart and the CSV.
    struct Row {
        double seconds, power;
        float voltage, current, powerFactor;
    };
    const std::vector<Row>& rows() const { return rows_; }
    const StandbyTrend& trend() const { return trend_; }
    // The time of the last judgement (or reading).
    double elapsedSeconds() const { return judgedAt_; }

  private:
    void Judge(double now);
    StandbyFit FitAt(double now);
    double MeanBetween(std::size_t from, std::size_t to) const;

    struct Sums {
        double t = 0, p = 0, tt = 0, tp = 0;  // of t - t0 and p - p0
    };
    StandbySettings settings_;
    std::optional<CurrentRangeSetting> range_;
    std::vector<Row> rows_;
    std::vector<Sums> prefix_{Sums{}};  // prefix_[k]: sums over rows [0, k)
    std::vector<float> energy_;         // kWh per reading
    double t0_ = 0, p0_ = 0;
    std::size_t front_ = 0;  // first reading at or after the cut
    StandbyFit fit_;
    bool finished_ = false;
    double judgedAt_ = 0;
    std::optional<double> stoppedAt_;
    StandbyTrend trend_;
    SupplyFigures supply_;
    double crestLow_ = 0, crestHigh_ = 0;
    double sumCurrentCrest_ = 0, sumPowerFactor_ = 0;
};

// The files' words: "PASS", "FAIL", "NOT STABLE".
const char* StandbyVerdictText(StandbyVerdict verdict);
// As window, page and messages show it (to translate); "NO VERDICT" without one.
UiText StandbyVerdictWord(const StandbyResult& result);
// 0 PASS within the conditions, 5 PASS outside them, 3 FAIL, 6 NOT STABLE,
// 1 without a verdict.
int StandbyExitCode(const StandbyResult& result);

// A power with the resolution the result is shown in: 0.01 W below 10 W,
// 0.1 W below 100 W, 1 W above ("0.30", "12.3", "150").
std::string StandbyPowerText(double watts);

// The worst supply figures, one phrase each ("voltage 232.5 V; frequency
// 50.01 Hz; harmonics 0.8 %; crest factor 1.41").
std::string SupplyFiguresText(const SupplyFigures& supply);

// The test conditions as they stand, one row each: voltage, frequency,
// harmonics, crest factor, period: the name, what is required, the worst
// figure so far and whether it holds ("ok" / "outside", to translate).
struct ConditionRow {
    UiText name, required, worst, state;
    bool ok = true;
};
std::vector<ConditionRow> StandbyConditions(const StandbyResult& result);

// One line each: settings, readings, mean, slope, halves, energy, supply,
// uncertainty figures, range.
std::vector<UiText> StandbySummary(const StandbyResult& result);
// Each a sentence: error, stop, not stable, period, supply, range, and always
// last the pre-compliance note.
std::vector<UiText> StandbyNotes(const StandbyResult& result);

// The CSV file: "time_s,power_W,voltage_V,current_A,pf,used", one row per
// reading, then the "# key,value" lines. `date` and `instrument` as the
// caller knows them.
std::string StandbyCsv(const StandbyTest& test, const StandbyResult& result, const std::string& date,
                       const std::string& instrument);

}  // namespace lxv
