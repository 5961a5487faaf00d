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
// Depends on: measure/measure_block.h, measure/number_format.h and
// platform/ui_text.h. No Qt.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/measure_block.h"
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
inline constexpr double kClassCLowestPower = 25.0;    // class C limits apply above this
inline constexpr double kClassDLowestPower = 75.0;    // class D limits apply from this ...
inline constexpr double kClassDHighestPower = 600.0;  // ... up to this

// Texts, each one whole sentence with %1, %2 where its values go; the views
// translate them (platform/ui_text.h).
inline constexpr const char* kPreComplianceNoteText = QT_TRANSLATE_NOOP(
    "lxv",
    "This is a pre-compliance check from the instrument's own harmonic analysis, not a measurement to "
    "IEC 61000-4-7.");
inline constexpr const char* kTooFewBlocksText = QT_TRANSLATE_NOOP(
    "lxv", "Only %1 measurement blocks arrived during the observation; the test needs at least 10.");
inline constexpr const char* kClassCNotApplicableText = QT_TRANSLATE_NOOP(
    "lxv", "Class C limits of this kind do not apply at an active power of 25 W or less (measured %1 W).");
inline constexpr const char* kClassDNotApplicableText =
    QT_TRANSLATE_NOOP("lxv", "Class D limits do not apply outside 75 W to 600 W (%1 W).");
inline constexpr const char* kVoltageOutsideText = QT_TRANSLATE_NOOP(
    "lxv",
    "The mean supply voltage of %1 V is outside the test condition of %2 V ± 2 %; the verdict is not "
    "changed.");
inline constexpr const char* kFrequencyOutsideText = QT_TRANSLATE_NOOP(
    "lxv",
    "The mean supply frequency of %1 Hz is outside the test condition of %2 Hz ± 0.5 %; the verdict is "
    "not changed.");
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
    std::optional<double> ratedPower;  // class D: watts; none = the mean measured power
    double observationSeconds = kDefaultObservationSeconds;
    double nominalVoltage = kDefaultNominalVoltage;
    double nominalFrequency = kDefaultNominalFrequency;
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

// Whether the class's limits apply at this power: class C above 25 W,
// class D from 75 W to 600 W, classes A and B always.
bool LimitsApply(EmissionClass emissionClass, double power);

// One step of the 1.5 s first-order smoothing: y + (1 - exp(-dt / 1.5)) (x - y).
double SmoothingStep(double smoothed, double value, double dtSeconds);

// ---- the running test and its result ----

enum class OrderVerdict { Pass, Fail, Ignored, None };
enum class TestVerdict { Pass, Fail, NotApplicable };

struct OrderResult {
    int order = 0;
    std::optional<double> limit;                 // amperes
    double mean = 0, maximum = 0;                // of the smoothed RMS amperes
    double meanPercent = 0, maximumPercent = 0;  // of the limit; 0 without a limit
    OrderVerdict verdict = OrderVerdict::None;
    bool pohcRelief = false;  // passes only by the POHC exception (mean above 100 %)
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
    double limitPower = 0;                       // the power class D limits are reckoned from
    double pohc = 0;                             // partial odd harmonic current, 21..39
    std::optional<double> pohcLimit;             // the same over the limits
    bool voltageOutside = false, frequencyOutside = false;
    std::optional<double> stoppedAfterSeconds;  // set by whoever stopped the observation early
    std::array<OrderResult, kTestOrderCount> orders{};

    bool hasVerdict() const { return error.empty(); }
    const OrderResult& order(int n) const { return orders[static_cast<std::size_t>(n - kFirstTestOrder)]; }
};

// One observation: fed block by block with each block's time in seconds
// (any monotonic clock; the first block starts the smoothing).
class HarmonicTest {
  public:
    explicit HarmonicTest(HarmonicTestSettings settings = {});

    void AddBlock(const MeasureRecord& block, double seconds);
    int blocks() const { return blocks_; }
    const HarmonicTestSettings& settings() const { return settings_; }
    // The result of the blocks so far.
    HarmonicTestResult Result() const;

  private:
    HarmonicTestSettings settings_;
    int blocks_ = 0;
    double firstSeconds_ = 0, lastSeconds_ = 0, longestPause_ = 0;
    std::array<double, kTestOrderCount> smoothed_{}, sum_{}, maximum_{};
    double sumPower_ = 0, sumFundamental_ = 0, sumPowerFactor_ = 0, sumVoltage_ = 0, sumFrequency_ = 0,
           sumVoltageThd_ = 0, sumCurrent_ = 0;
};

// The files' words, the same in every language: "PASS", "FAIL", "NOT
// APPLICABLE"; "pass", "fail", "ignored", "none".
const char* TestVerdictText(TestVerdict verdict);
const char* OrderVerdictText(OrderVerdict verdict);
// The verdict as the window, the report page and the messages show it (to
// translate): "PASS", "FAIL", "NOT APPLICABLE", or "NO VERDICT" without one.
UiText VerdictWord(const HarmonicTestResult& result);
// The program's exit code for a result: 0 PASS, 3 FAIL, 4 NOT APPLICABLE, 1 without a verdict.
int HarmonicTestExitCode(const HarmonicTestResult& result);

// Cell texts: amperes to 4 decimals ("0.0050"), percent to 1 decimal ("98.0").
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
// do not apply, an early stop, blocks that came over 5 s less than the
// observation or paused for more than 5 s, the supply conditions, and always
// last the pre-compliance note. None of them changes the verdict.
std::vector<UiText> HarmonicTestNotes(const HarmonicTestResult& result);

// The CSV file: "order,limit_A,mean_A,max_A,mean_pct,max_pct,verdict", one
// row per order 2..40 (limit and percentages blank without a limit), then
// "# verdict,", "# class,", "# blocks,", "# mean_power_W,", "# POHC_A,",
// "# POHC_limit_A," lines. Only for a result with a verdict.
std::string HarmonicTestCsv(const HarmonicTestResult& result);

}  // namespace lxv
