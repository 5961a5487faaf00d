// The harmonic current emissions test of a product against the limits of
// IEC 61000-3-2 (equipment up to 16 A per phase), as a pre-compliance check
// from the instrument's own harmonic analysis: each order's RMS current
// (IHarmonic / sqrt 2, orders 2..40) smoothed as by a 1.5 s first-order
// filter, its mean and maximum over the observation, the limits of classes A,
// B, C and D, the per-order and overall verdicts, the supply conditions, and
// the CSV text of a result.
//
// Owns: the limit tables, the smoothing, the observation's sums, the ignore
// rule (0.6 % of the input current or 5 mA), the 100 % / 150 % rules with the
// POHC exception for odd orders 21..39, the verdict and its exit code, the
// texts of the settings' errors, notes and cells.
// Depends on: measure/measure_block.h, measure/verdict.h,
// measure/number_format.h and platform/ui_text.h. No Qt.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/measure_block.h"
#include "measure/verdict.h"
#include "platform/ui_text.h"

namespace lxv {

enum class EmissionClass { A, B, C, D };

inline constexpr int kFirstTestOrder = 2;
inline constexpr int kLastTestOrder = 40;
inline constexpr int kTestOrderCount = kLastTestOrder - kFirstTestOrder + 1;  // 39
inline constexpr double kSmoothingSeconds = 1.5;                              // time constant
inline constexpr double kDefaultObservationSeconds = 150.0;
inline constexpr double kShortestObservationSeconds = 10.0;
inline constexpr double kLongestObservationSeconds = 3600.0;
inline constexpr int kFewestTestBlocks = 10;  // fewer is an error, not a verdict
inline constexpr double kDefaultNominalVoltage = 230.0;
inline constexpr double kDefaultNominalFrequency = 50.0;
inline constexpr double kVoltageTolerance = 0.02;     // of the nominal voltage
inline constexpr double kFrequencyTolerance = 0.005;  // of the nominal frequency
inline constexpr double kIgnoreShareOfCurrent = 0.006;
inline constexpr double kIgnoreAmperes = 0.005;
inline constexpr double kLowestLimitedPower = 75.0;   // classes A, B and D: limits above this
inline constexpr double kClassCLowestPower = 25.0;    // class C: its table above, three options at or below
inline constexpr double kClassDHighestPower = 600.0;  // class D above this: the class A limits
inline constexpr double kRatedPowerTolerance =
    0.10;  // a rated power counts within this share of the measured
// Class A: a smoothed value may exceed 150 % (up to 200 %) of its limit for at
// most 10 % of the observation or 10 minutes, when the order's mean stays at
// or below 90 % of its limit.
inline constexpr double kOverLimitShare = 0.10;
inline constexpr double kOverLimitLongestSeconds = 600.0;
inline constexpr double kOverLimitMeanPercent = 90.0;
// Class C at 25 W or less: the waveform's angles after each zero crossing of the voltage.
inline constexpr double kWaveformThreshold = 0.05;  // of the current's peak
inline constexpr double kWaveformReachDegrees = 60.0, kWaveformPeakDegrees = 65.0,
                        kWaveformHoldDegrees = 90.0;
inline constexpr double kLowPowerThdLimit = 0.70;  // option (c)
// Test supply: the voltage's crest factor for classes C and D.
inline constexpr double kLowestCrestFactor = 1.40, kHighestCrestFactor = 1.42;

// Texts, each one whole sentence with %1, %2 where its values go; the views
// translate them (platform/ui_text.h).
inline constexpr const char* kPreComplianceNoteText = QT_TRANSLATE_NOOP(
    "lxv",
    "This is a pre-compliance check from the instrument's own harmonic analysis, not a measurement to "
    "IEC 61000-4-7.");
inline constexpr const char* kTooFewBlocksText = QT_TRANSLATE_NOOP(
    "lxv", "Only %1 measurement blocks arrived during the observation; the test needs at least 10.");
inline constexpr const char* kLowPowerNotApplicableText =
    QT_TRANSLATE_NOOP("lxv", "Class %1 sets no limits at an active power of 75 W or less (%2 W).");
inline constexpr const char* kClassALimitsAboveText =
    QT_TRANSLATE_NOOP("lxv", "Class D equipment above 600 W is judged by the class A limits (%1 W).");
inline constexpr const char* kRatedPowerUsedText = QT_TRANSLATE_NOOP(
    "lxv", "The rated %1 W is within 10 % of the measured %2 W: limits from the rated power.");
inline constexpr const char* kRatedPowerAboveText = QT_TRANSLATE_NOOP(
    "lxv", "The rated %1 W is %2 % above the measured %3 W: limits from the measured power.");
inline constexpr const char* kRatedPowerBelowText = QT_TRANSLATE_NOOP(
    "lxv", "The rated %1 W is %2 % below the measured %3 W: limits from the measured power.");
inline constexpr const char* kMeasuredPowerText =
    QT_TRANSLATE_NOOP("lxv", "No rated power given: limits from the measured %1 W.");
inline constexpr const char* kOptionAText = QT_TRANSLATE_NOOP(
    "lxv", "Lighting of 25 W or less, option (a), 3rd and 5th harmonic within 3.4 and 1.9 mA/W: %1.");
inline constexpr const char* kOptionBText = QT_TRANSLATE_NOOP(
    "lxv",
    "Option (b), 3rd harmonic at most 86 % and 5th at most 61 % of the fundamental, the waveform's shape "
    "met in %1 of %2 blocks: %3.");
inline constexpr const char* kOptionCText = QT_TRANSLATE_NOOP(
    "lxv", "Option (c), current THD %1 % (at most 70 %), orders 2 to 11 within their shares: %2.");
inline constexpr const char* kOptionMetText = QT_TRANSLATE_NOOP("lxv", "met");
inline constexpr const char* kOptionNotMetText = QT_TRANSLATE_NOOP("lxv", "not met");
inline constexpr const char* kPohcUsedText =
    QT_TRANSLATE_NOOP("lxv", "Orders %1 pass by the POHC exception (mean up to 150 % of the limit).");
inline constexpr const char* kPohcUsedOneText =
    QT_TRANSLATE_NOOP("lxv", "Order %1 passes by the POHC exception (mean up to 150 % of the limit).");
inline constexpr const char* kOverLimitUsedText = QT_TRANSLATE_NOOP(
    "lxv", "Orders %1 pass by the 200 % rule of class A (above 150 % for up to %2 s of %3 s).");
inline constexpr const char* kOverLimitUsedOneText = QT_TRANSLATE_NOOP(
    "lxv", "Order %1 passes by the 200 % rule of class A (above 150 % for up to %2 s of %3 s).");
inline constexpr const char* kSupplyOutsideText =
    QT_TRANSLATE_NOOP("lxv", "The supply was outside the test conditions in %1 of %2 blocks; worst: %3.");
inline constexpr const char* kSupplyVoltageText =
    QT_TRANSLATE_NOOP("lxv", "voltage %1 V: %2 % from %3 V > 2.0 %");
inline constexpr const char* kSupplyFrequencyText =
    QT_TRANSLATE_NOOP("lxv", "frequency %1 Hz: %2 % from %3 Hz > 0.5 %");
inline constexpr const char* kSupplyHarmonicText =
    QT_TRANSLATE_NOOP("lxv", "voltage %1 harmonic %2 % > %3 %");
inline constexpr const char* kSupplyCrestText =
    QT_TRANSLATE_NOOP("lxv", "voltage crest factor %1 outside 1.40 to 1.42");
inline constexpr const char* kStoppedEarlyText =
    QT_TRANSLATE_NOOP("lxv", "The observation was stopped after %1 s of %2 s.");
inline constexpr const char* kShortCoverageText =
    QT_TRANSLATE_NOOP("lxv", "Measurement blocks came over only %1 s of the %2 s observation.");
inline constexpr const char* kPauseText =
    QT_TRANSLATE_NOOP("lxv", "The measurement paused for up to %1 s during the observation.");
inline constexpr double kNotedPauseSeconds = 5.0;  // longer pauses and shortfalls are noted
inline constexpr const char* kNotANumberText =
    QT_TRANSLATE_NOOP("lxv", "%1: '%2' is not a valid floating point value");
inline constexpr const char* kObservationRangeText =
    QT_TRANSLATE_NOOP("lxv", "The observation time must be from 10 to 3600 s.");
inline constexpr const char* kRatedPowerRangeText =
    QT_TRANSLATE_NOOP("lxv", "The rated power must be more than 0 W.");
inline constexpr const char* kNominalVoltageRangeText =
    QT_TRANSLATE_NOOP("lxv", "The nominal voltage must be from 1 to 1000 V.");
inline constexpr const char* kNominalFrequencyRangeText =
    QT_TRANSLATE_NOOP("lxv", "The nominal frequency must be from 40 to 70 Hz.");

// `text` with %1, %2, ... replaced by the arguments in order (FillPlaceholders).
std::string FillText(std::string text, const std::vector<std::string>& args);

struct HarmonicTestSettings {
    EmissionClass emissionClass = EmissionClass::A;
    // Watts; counts (for class D's limits and every class's power boundaries)
    // only within 10 % of the mean measured power, which is used otherwise.
    std::optional<double> ratedPower;
    double observationSeconds = kDefaultObservationSeconds;
    double nominalVoltage = kDefaultNominalVoltage;
    double nominalFrequency = kDefaultNominalFrequency;
    // What the files carry about the run, set by whoever starts it: the local
    // start time ("2026-12-09 23:10:04") and the instrument and its link.
    std::string startedAt, instrument;
};

// "A" .. "D" (either case); none for anything else.
std::optional<EmissionClass> ParseEmissionClass(const std::string& text);
// "A" .. "D".
const char* EmissionClassText(EmissionClass emissionClass);

// The settings as typed: a blank rated power means the measured power, a
// blank observation time or nominal value its default. `error` is a whole
// sentence naming the first field at fault (and the settings are then unusable).
struct SettingsReading {
    HarmonicTestSettings settings;
    UiText error;
    bool ok() const { return error.empty(); }
};
SettingsReading ReadHarmonicTestSettings(EmissionClass emissionClass, const std::string& ratedPower,
                                         const std::string& observationSeconds,
                                         const std::string& nominalVoltage,
                                         const std::string& nominalFrequency);

// ---- limits ----

// Class A limit of order n (2..40) in amperes: 3: 2.30, 5: 1.14, 7: 0.77,
// 9: 0.40, 11: 0.33, 13: 0.21, odd 15..39: 0.15 x 15 / n; 2: 1.08, 4: 0.43,
// 6: 0.30, even 8..40: 0.23 x 8 / n.
double ClassALimit(int order);

// What the class C and D limits are reckoned from.
struct LimitBasis {
    double power = 0;        // class D: watts (rated or mean measured)
    double fundamental = 0;  // class C: mean fundamental current, RMS amperes
    double powerFactor = 0;  // class C: mean power factor (its magnitude)
};

// The limit of order n in amperes, none where the class sets none (even
// orders of class D; orders of class C other than 2, 3, 5, 7, 9, odd 11..39).
// Class D: 3.4, 1.9, 1.0, 0.5, 0.35 mA/W for 3..11, 3.85 / n mA/W for odd
// 13..39, each capped by the class A limit. Class B: 1.5 x class A.
std::optional<double> OrderLimit(EmissionClass emissionClass, int order, const LimitBasis& basis);

// How a class is judged at a power (watts): by its table, not at all (classes
// A, B and D at 75 W or less), by the class A limits (class D above 600 W), or
// by the three options of lighting at 25 W or less (class C).
enum class LimitRegime { Table, NotApplicable, ClassALimits, LowPowerLighting };
LimitRegime RegimeAt(EmissionClass emissionClass, double power);

// The power the limits and boundaries come from: the rated power when it lies
// within 10 % of the measured one, else the measured power; `why` says which.
struct LimitPowerChoice {
    double power = 0;
    bool rated = false;
    UiText why;
};
LimitPowerChoice ChooseLimitPower(std::optional<double> ratedPower, double measuredPower);

// The test supply's limit of voltage harmonic n (2..40) as a share of the
// fundamental: 3: 0.9 %, 5: 0.4 %, 7: 0.3 %, 9: 0.2 %, even 2..10: 0.2 %, 11..40: 0.1 %.
double SupplyHarmonicLimit(int order);

// Whether one block's current waveform has the shape option (b) of lighting at
// 25 W or less asks for: after every zero crossing of the voltage's
// fundamental that the 512 samples (four periods) hold a half period after,
// the current (in the crossing's direction) reaches 5 % of its peak at or
// before 60 degrees, has its half period's peak at or before 65 degrees and
// stays at or above 5 % from then to 90 degrees. False for a flat channel.
bool LowPowerWaveformMet(const MeasureRecord& block);

// One step of the 1.5 s first-order smoothing: y + (1 - exp(-dt / 1.5)) (x - y).
double SmoothingStep(double smoothed, double value, double dtSeconds);

// ---- the running test and its result ----

enum class OrderVerdict { Pass, Fail, Ignored, None };
enum class TestVerdict { Pass, Fail, NotApplicable, Incomplete };

struct OrderResult {
    int order = 0;
    std::optional<double> limit;                 // amperes
    double mean = 0, maximum = 0;                // of the smoothed RMS amperes
    double meanPercent = 0, maximumPercent = 0;  // of the limit; 0 without a limit
    OrderVerdict verdict = OrderVerdict::None;
    bool pohcRelief = false;       // passes only by the POHC exception (mean above 100 %)
    bool overLimitRelief = false;  // passes only by class A's 200 % rule (maximum above 150 %)
    double secondsOver150 = 0;     // class A: time the smoothed value spent above 150 % of the limit
    bool failsByMaximum = false;   // fails whatever the mean: above 150 % (class A: the 200 % rule broken)
};

// Class C at 25 W or less: the outcome of each option.
struct LowPowerOptions {
    std::array<bool, 3> met{};  // (a) per watt, (b) shares and waveform, (c) THD and shares
    int waveformBlocks = 0;     // blocks whose waveform had the shape of option (b)
    double thd = 0;             // option (c): of the means of orders 2..40, over the fundamental
    int shown = 0;              // the option whose limits the table shows: the first met, else (a)
};

// The test supply over the observation: extremes, blocks outside the
// conditions and the worst figure (the one furthest beyond its condition).
struct SupplyCheck {
    double minVoltage = 0, maxVoltage = 0, minFrequency = 0, maxFrequency = 0, maxVoltageThd = 0;
    int blocksOutside = 0;
    UiText worst;            // "voltage 3rd harmonic 2.0 % > 0.9 %"; empty within the conditions
    double worstExcess = 0;  // the worst figure over its allowance (above 1 outside)
    bool outside() const { return blocksOutside > 0; }
};

struct HarmonicTestResult {
    HarmonicTestSettings settings;
    int blocks = 0;
    double observedSeconds = 0;      // from the first block to the last
    double longestPauseSeconds = 0;  // between two blocks
    UiText error;                    // too few blocks: no verdict
    TestVerdict verdict = TestVerdict::Pass;
    UiText notApplicable;  // why the class's limits do not apply
    double meanPower = 0, meanFundamental = 0, meanPowerFactor = 0, meanVoltage = 0, meanFrequency = 0,
           meanVoltageThd = 0, meanCurrent = 0;  // W, A, -, V, Hz, fraction, A
    LimitPowerChoice limitPower;                 // the power limits and boundaries come from
    LimitRegime regime = LimitRegime::Table;
    std::optional<LowPowerOptions> lowPower;  // class C at 25 W or less
    double pohc = 0;                          // partial odd harmonic current, 21..39
    std::optional<double> pohcLimit;          // the same over the limits
    SupplyCheck supply;
    std::optional<double> stoppedAfterSeconds;  // the observation was stopped early, after this
    std::array<OrderResult, kTestOrderCount> orders{};

    bool hasVerdict() const { return error.empty(); }
    // A PASS that holds only if the supply had been within its conditions.
    bool supplyQualified() const { return verdict == TestVerdict::Pass && supply.outside(); }
    const OrderResult& order(int n) const { return orders[static_cast<std::size_t>(n - kFirstTestOrder)]; }
};

// One observation: fed block by block with each block's time in seconds
// (any monotonic clock; the first block starts the smoothing).
class HarmonicTest {
  public:
    explicit HarmonicTest(HarmonicTestSettings settings = {});

    void AddBlock(const MeasureRecord& block, double seconds);
    // The observation was stopped early, `seconds` after its start: the result
    // gives no PASS then, only a FAIL already certain from the maxima.
    void MarkStopped(double seconds) { stoppedAfter_ = seconds; }
    int blocks() const { return blocks_; }
    const HarmonicTestSettings& settings() const { return settings_; }
    // The result of the blocks so far.
    HarmonicTestResult Result() const;

  private:
    void CheckSupply(const MeasureRecord& block);

    HarmonicTestSettings settings_;
    int blocks_ = 0;
    double firstSeconds_ = 0, lastSeconds_ = 0, longestPause_ = 0;
    std::optional<double> stoppedAfter_;
    std::array<double, kTestOrderCount> smoothed_{}, sum_{}, maximum_{}, secondsOver150_{};
    double sumPower_ = 0, sumFundamental_ = 0, sumPowerFactor_ = 0, sumVoltage_ = 0, sumFrequency_ = 0,
           sumVoltageThd_ = 0, sumCurrent_ = 0;
    int waveformBlocks_ = 0;
    SupplyCheck supply_;
};

// An order's verdict in the files, the same in every language: "pass",
// "fail", "ignored", "none".
const char* OrderVerdictText(OrderVerdict verdict);
// The verdict of a result as window, page, CSV and command line show it:
// PASS, "PASS (supply outside the conditions)" (exit 5), FAIL, NOT
// APPLICABLE, "INCOMPLETE after 12 s of 150 s" (exit 1), or NO VERDICT.
Verdict HarmonicTestVerdict(const HarmonicTestResult& result);
// Its exit code: 0 PASS, 5 PASS with the supply outside its conditions,
// 3 FAIL, 4 NOT APPLICABLE, 1 incomplete or without a verdict.
int HarmonicTestExitCode(const HarmonicTestResult& result);

// Cell texts: amperes to at least 4 decimals and 4 significant digits
// ("0.6800", "0.005550"), percent to 1 decimal ("98.0").
std::string AmperesText(double amperes);
std::string PercentText(double percent);

// The columns of the result table (window and report page): headings, and
// the cells of one order ("-" where an order has no limit; verdicts "pass",
// "pass (POHC)", "fail", "ignored", "no limit", to translate; the numbers are
// values).
inline constexpr int kTestTableColumns = 7;
const std::array<const char*, kTestTableColumns>& HarmonicTestHeadings();
std::array<UiText, kTestTableColumns> HarmonicTestCells(const OrderResult& order);

// The settings and the measured means, one line each ("Class: D",
// "Observation: 150 s, 2998 blocks over 149.9 s", "Mean power: 200.3 W", ...).
std::vector<UiText> HarmonicTestSummary(const HarmonicTestResult& result);

// The notes of a result, each a sentence: the error or the reason the limits
// do not apply, the power the limits came from and why, class A limits above
// 600 W, the options of lighting at 25 W or less, orders passed by the POHC
// exception or the 200 % rule, an early stop, blocks that came over 5 s less
// than the observation or paused for more than 5 s, the supply conditions, and
// always last the pre-compliance note.
std::vector<UiText> HarmonicTestNotes(const HarmonicTestResult& result);

// The CSV file: "order,limit_A,mean_A,max_A,mean_pct,max_pct,verdict", one
// row per order 2..40 (limit and percentages blank without a limit), then
// "# verdict,", "# class,", "# blocks,", "# mean_power_W,", "# POHC_A,",
// "# POHC_limit_A," lines, then "# limit_power_W,", "# limit_power_from,"
// (rated or measured), "# limit_power_why,", the mean fundamental current and power
// factor, the mean and extreme voltage, frequency and voltage THD,
// "# supply," (ok, or outside and the worst figure), one "# note," per note,
// "# date," and "# instrument,". Only for a result with a verdict.
std::string HarmonicTestCsv(const HarmonicTestResult& result);

}  // namespace lxv
