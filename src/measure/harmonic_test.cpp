#include "measure/harmonic_test.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <numbers>

#include "platform/number_format.h"

namespace lxv {

namespace {

constexpr std::size_t Index(int order) {
    return static_cast<std::size_t>(order - kFirstTestOrder);
}

// Values the instrument should never send (NaN, infinite, negative) count as 0.
double Clean(double v) {
    return std::isfinite(v) && v > 0 ? v : 0.0;
}
double Finite(double v) {
    return std::isfinite(v) ? v : 0.0;
}

bool Within(double value, double nominal, double tolerance) {
    return std::fabs(value - nominal) <= tolerance * nominal;
}

// Class C: the limit's share of the fundamental current; none for the orders it leaves out.
std::optional<double> ClassCShare(int n, double powerFactor) {
    switch (n) {
        case 2: return 0.02;
        case 3: return 0.30 * powerFactor;
        case 5: return 0.10;
        case 7: return 0.07;
        case 9: return 0.05;
        default: break;
    }
    if (n >= 11 && n % 2 == 1) return 0.03;
    return std::nullopt;
}

// Class D, odd orders: milliamperes per watt.
double ClassDMilliampsPerWatt(int n) {
    switch (n) {
        case 3: return 3.4;
        case 5: return 1.9;
        case 7: return 1.0;
        case 9: return 0.5;
        case 11: return 0.35;
        default: return 3.85 / n;
    }
}

bool PohcOrder(int order) {
    return order >= 21 && order <= 39 && order % 2 == 1;
}

// The reading of one typed number: blank gives `blank`, text that is not a
// number or out of [lo, hi] an error.
std::optional<double> ReadNumber(const char* name, const std::string& text, double blank, double lo,
                                 double hi, const char* rangeText, UiText& error) {
    if (text.find_first_not_of(" \t") == std::string::npos) return blank;
    const std::optional<double> value = ParseNumber(text);
    if (!value) {
        error = UiText(kNotANumberText).argText(name).arg(text);
        return std::nullopt;
    }
    if (!(*value >= lo && *value <= hi)) {
        error = rangeText;
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::string FillText(std::string text, const std::vector<std::string>& args) {
    return FillPlaceholders(text, args);
}

std::optional<EmissionClass> ParseEmissionClass(const std::string& text) {
    if (text.size() != 1) return std::nullopt;
    switch (std::toupper(static_cast<unsigned char>(text[0]))) {
        case 'A': return EmissionClass::A;
        case 'B': return EmissionClass::B;
        case 'C': return EmissionClass::C;
        case 'D': return EmissionClass::D;
        default: return std::nullopt;
    }
}

const char* EmissionClassText(EmissionClass emissionClass) {
    switch (emissionClass) {
        case EmissionClass::A: return "A";
        case EmissionClass::B: return "B";
        case EmissionClass::C: return "C";
        case EmissionClass::D: return "D";
    }
    return "A";
}

SettingsReading ReadHarmonicTestSettings(EmissionClass emissionClass, const std::string& ratedPower,
                                         const std::string& observationSeconds,
                                         const std::string& nominalVoltage,
                                         const std::string& nominalFrequency) {
    SettingsReading r;
    HarmonicTestSettings& s = r.settings;
    s.emissionClass = emissionClass;
    UiText& error = r.error;
    if (ratedPower.find_first_not_of(" \t") != std::string::npos) {
        const std::optional<double> watts = ParseNumber(ratedPower);
        if (!watts) {
            error = UiText(kNotANumberText).argText(QT_TRANSLATE_NOOP("lxv", "Rated power")).arg(ratedPower);
            return r;
        }
        if (!(*watts > 0) || !std::isfinite(*watts)) {
            error = kRatedPowerRangeText;
            return r;
        }
        s.ratedPower = *watts;
    }
    const auto seconds = ReadNumber(QT_TRANSLATE_NOOP("lxv", "Observation time"), observationSeconds,
                                    kDefaultObservationSeconds, kShortestObservationSeconds,
                                    kLongestObservationSeconds, kObservationRangeText, error);
    if (!seconds) return r;
    const auto volts = ReadNumber(QT_TRANSLATE_NOOP("lxv", "Nominal voltage"), nominalVoltage,
                                  kDefaultNominalVoltage, 1, 1000, kNominalVoltageRangeText, error);
    if (!volts) return r;
    const auto hertz = ReadNumber(QT_TRANSLATE_NOOP("lxv", "Nominal frequency"), nominalFrequency,
                                  kDefaultNominalFrequency, 40, 70, kNominalFrequencyRangeText, error);
    if (!hertz) return r;
    s.observationSeconds = *seconds;
    s.nominalVoltage = *volts;
    s.nominalFrequency = *hertz;
    return r;
}

// ---- limits ----

double ClassALimit(int n) {
    switch (n) {
        case 2: return 1.08;
        case 3: return 2.30;
        case 4: return 0.43;
        case 5: return 1.14;
        case 6: return 0.30;
        case 7: return 0.77;
        case 9: return 0.40;
        case 11: return 0.33;
        case 13: return 0.21;
        default: break;
    }
    if (n % 2 == 1) return n >= 15 ? 0.15 * 15 / n : 0.0;
    return n >= 8 ? 0.23 * 8 / n : 0.0;
}

std::optional<double> OrderLimit(EmissionClass emissionClass, int n, const LimitBasis& basis) {
    if (n < kFirstTestOrder || n > kLastTestOrder) return std::nullopt;
    switch (emissionClass) {
        case EmissionClass::A: return ClassALimit(n);
        case EmissionClass::B: return 1.5 * ClassALimit(n);
        case EmissionClass::C: {
            const std::optional<double> share = ClassCShare(n, basis.powerFactor);
            if (!share) return std::nullopt;
            return *share * basis.fundamental;
        }
        case EmissionClass::D: {
            if (n % 2 == 0) return std::nullopt;
            return std::min(ClassDMilliampsPerWatt(n) * 1e-3 * basis.power, ClassALimit(n));
        }
    }
    return std::nullopt;
}

bool LimitsApply(EmissionClass emissionClass, double power) {
    if (emissionClass == EmissionClass::C) return power > kClassCLowestPower;
    if (emissionClass == EmissionClass::D) return power >= kClassDLowestPower && power <= kClassDHighestPower;
    return true;
}

double SmoothingStep(double smoothed, double value, double dtSeconds) {
    if (!(dtSeconds > 0)) return smoothed;
    return smoothed + (1.0 - std::exp(-dtSeconds / kSmoothingSeconds)) * (value - smoothed);
}

// ---- the running test ----

HarmonicTest::HarmonicTest(HarmonicTestSettings settings) : settings_(settings) {}

void HarmonicTest::AddBlock(const MeasureRecord& block, double seconds) {
    const bool first = blocks_ == 0;
    const double dt = first ? 0.0 : seconds - lastSeconds_;
    longestPause_ = std::max(longestPause_, dt);
    if (first) firstSeconds_ = lastSeconds_ = seconds;
    // A clock that steps back (or stands) leaves the smoothing where it is.
    lastSeconds_ = std::max(lastSeconds_, seconds);
    const double gain = dt > 0 ? 1.0 - std::exp(-dt / kSmoothingSeconds) : 0.0;
    for (int n = kFirstTestOrder; n <= kLastTestOrder; ++n) {
        const std::size_t i = Index(n);
        const double x = Clean(block.IHarmonic(n)) / std::numbers::sqrt2;
        double& y = smoothed_[i];
        y = first ? x : y + gain * (x - y);
        sum_[i] += y;
        maximum_[i] = std::max(maximum_[i], y);
    }
    sumPower_ += Finite(block.WRMS());
    sumFundamental_ += Clean(block.IHarmonic(1)) / std::numbers::sqrt2;
    sumPowerFactor_ += std::fabs(Finite(block.PF()));
    sumVoltage_ += Finite(block.URMS());
    sumFrequency_ += Finite(block.UF());
    sumVoltageThd_ += Finite(block.VTHD());
    sumCurrent_ += Clean(block.IRMS());
    ++blocks_;
}

HarmonicTestResult HarmonicTest::Result() const {
    HarmonicTestResult r;
    r.settings = settings_;
    r.blocks = blocks_;
    r.observedSeconds = blocks_ > 0 ? lastSeconds_ - firstSeconds_ : 0.0;
    r.longestPauseSeconds = longestPause_;
    const double count = std::max(blocks_, 1);
    r.meanPower = sumPower_ / count;
    r.meanFundamental = sumFundamental_ / count;
    r.meanPowerFactor = sumPowerFactor_ / count;
    r.meanVoltage = sumVoltage_ / count;
    r.meanFrequency = sumFrequency_ / count;
    r.meanVoltageThd = sumVoltageThd_ / count;
    r.meanCurrent = sumCurrent_ / count;
    const EmissionClass c = settings_.emissionClass;
    r.limitPower = c == EmissionClass::D && settings_.ratedPower ? *settings_.ratedPower : r.meanPower;
    if (blocks_ < kFewestTestBlocks) r.error = UiText(kTooFewBlocksText).arg(blocks_);
    if (blocks_ > 0) {
        r.voltageOutside = !Within(r.meanVoltage, settings_.nominalVoltage, kVoltageTolerance);
        r.frequencyOutside = !Within(r.meanFrequency, settings_.nominalFrequency, kFrequencyTolerance);
    }

    const bool applies = LimitsApply(c, r.limitPower);
    if (!applies) {
        r.verdict = TestVerdict::NotApplicable;
        r.notApplicable = UiText(c == EmissionClass::C ? kClassCNotApplicableText : kClassDNotApplicableText)
                              .arg(FormatRounded(r.limitPower, 1));
    }
    const LimitBasis basis{r.limitPower, r.meanFundamental, r.meanPowerFactor};
    double pohcSquares = 0, pohcLimitSquares = 0;
    bool pohcLimited = false;
    for (int n = kFirstTestOrder; n <= kLastTestOrder; ++n) {
        const std::size_t i = Index(n);
        OrderResult& o = r.orders[i];
        o.order = n;
        o.mean = blocks_ > 0 ? sum_[i] / blocks_ : 0.0;
        o.maximum = maximum_[i];
        if (applies) o.limit = OrderLimit(c, n, basis);
        if (PohcOrder(n)) {
            pohcSquares += o.mean * o.mean;
            if (o.limit) {
                pohcLimitSquares += *o.limit * *o.limit;
                pohcLimited = true;
            }
        }
        if (!o.limit) continue;
        const auto percent = [&o](double v) {
            if (*o.limit > 0) return 100.0 * v / *o.limit;
            return v > 0 ? HUGE_VAL : 0.0;
        };
        o.meanPercent = percent(o.mean);
        o.maximumPercent = percent(o.maximum);
    }
    r.pohc = std::sqrt(pohcSquares);
    if (pohcLimited) r.pohcLimit = std::sqrt(pohcLimitSquares);
    const bool pohcWithin = r.pohcLimit && r.pohc <= *r.pohcLimit;

    bool failed = false;
    for (OrderResult& o : r.orders) {
        if (!o.limit) continue;
        if (o.mean < kIgnoreShareOfCurrent * r.meanCurrent || o.mean < kIgnoreAmperes) {
            o.verdict = OrderVerdict::Ignored;
            continue;
        }
        const bool maximumOk = o.maximumPercent <= 150.0;
        const bool relieved = PohcOrder(o.order) && pohcWithin;
        if (maximumOk && o.meanPercent <= 100.0) {
            o.verdict = OrderVerdict::Pass;
        } else if (maximumOk && relieved && o.meanPercent <= 150.0) {
            o.verdict = OrderVerdict::Pass;
            o.pohcRelief = true;
        } else {
            o.verdict = OrderVerdict::Fail;
            failed = true;
        }
    }
    if (applies) r.verdict = failed ? TestVerdict::Fail : TestVerdict::Pass;
    return r;
}

const char* TestVerdictText(TestVerdict verdict) {
    switch (verdict) {
        case TestVerdict::Pass: return "PASS";
        case TestVerdict::Fail: return "FAIL";
        case TestVerdict::NotApplicable: return "NOT APPLICABLE";
    }
    return "FAIL";
}

const char* OrderVerdictText(OrderVerdict verdict) {
    switch (verdict) {
        case OrderVerdict::Pass: return "pass";
        case OrderVerdict::Fail: return "fail";
        case OrderVerdict::Ignored: return "ignored";
        case OrderVerdict::None: return "none";
    }
    return "none";
}

UiText VerdictWord(const HarmonicTestResult& result) {
    if (!result.hasVerdict()) return QT_TRANSLATE_NOOP("lxv", "NO VERDICT");
    switch (result.verdict) {
        case TestVerdict::Pass: return QT_TRANSLATE_NOOP("lxv", "PASS");
        case TestVerdict::Fail: return QT_TRANSLATE_NOOP("lxv", "FAIL");
        case TestVerdict::NotApplicable: return QT_TRANSLATE_NOOP("lxv", "NOT APPLICABLE");
    }
    return QT_TRANSLATE_NOOP("lxv", "FAIL");
}

int HarmonicTestExitCode(const HarmonicTestResult& result) {
    if (!result.hasVerdict()) return 1;
    switch (result.verdict) {
        case TestVerdict::Pass: return 0;
        case TestVerdict::Fail: return 3;
        case TestVerdict::NotApplicable: return 4;
    }
    return 1;
}

std::string AmperesText(double amperes) {
    return FormatFixed(amperes, 4);
}

std::string PercentText(double percent) {
    return FormatFixed(percent, 1);
}

const std::array<const char*, kTestTableColumns>& HarmonicTestHeadings() {
    static constexpr std::array<const char*, kTestTableColumns> headings = {
        QT_TRANSLATE_NOOP("lxv", "Order"),
        QT_TRANSLATE_NOOP("lxv", "Limit (A)"),
        QT_TRANSLATE_NOOP("lxv", "Mean (A)"),
        QT_TRANSLATE_NOOP("lxv", "Maximum (A)"),
        QT_TRANSLATE_NOOP("lxv", "Mean (% of limit)"),
        QT_TRANSLATE_NOOP("lxv", "Maximum (% of limit)"),
        QT_TRANSLATE_NOOP("lxv", "Verdict")};
    return headings;
}

std::array<UiText, kTestTableColumns> HarmonicTestCells(const OrderResult& o) {
    const char* verdict =
        o.verdict == OrderVerdict::Pass
            ? (o.pohcRelief ? QT_TRANSLATE_NOOP("lxv", "pass (POHC)") : QT_TRANSLATE_NOOP("lxv", "pass"))
        : o.verdict == OrderVerdict::Fail    ? QT_TRANSLATE_NOOP("lxv", "fail")
        : o.verdict == OrderVerdict::Ignored ? QT_TRANSLATE_NOOP("lxv", "ignored")
                                             : QT_TRANSLATE_NOOP("lxv", "no limit");
    // The numbers are values, never looked up as texts.
    const auto value = [](std::string text) { return UiText("%1").arg(std::move(text)); };
    return {value(std::to_string(o.order)),
            value(o.limit ? AmperesText(*o.limit) : "-"),
            value(AmperesText(o.mean)),
            value(AmperesText(o.maximum)),
            value(o.limit ? PercentText(o.meanPercent) : "-"),
            value(o.limit ? PercentText(o.maximumPercent) : "-"),
            verdict};
}

std::vector<UiText> HarmonicTestSummary(const HarmonicTestResult& r) {
    const HarmonicTestSettings& s = r.settings;
    std::vector<UiText> lines;
    lines.push_back(UiText(QT_TRANSLATE_NOOP("lxv", "Class: %1")).arg(EmissionClassText(s.emissionClass)));
    if (s.emissionClass == EmissionClass::D)
        lines.push_back(s.ratedPower ? UiText(QT_TRANSLATE_NOOP("lxv", "Class D power: %1 W (rated)"))
                                           .arg(FormatGeneral(*s.ratedPower))
                                     : UiText(QT_TRANSLATE_NOOP("lxv", "Class D power: %1 W (measured)"))
                                           .arg(FormatRounded(r.limitPower, 1)));
    lines.push_back(UiText(QT_TRANSLATE_NOOP("lxv", "Observation: %1 s, %2 blocks over %3 s"))
                        .arg(FormatGeneral(s.observationSeconds))
                        .arg(r.blocks)
                        .arg(FormatRounded(r.observedSeconds, 1)));
    lines.push_back(UiText(QT_TRANSLATE_NOOP("lxv", "Nominal supply: %1 V, %2 Hz"))
                        .arg(FormatGeneral(s.nominalVoltage))
                        .arg(FormatGeneral(s.nominalFrequency)));
    lines.push_back(
        UiText(QT_TRANSLATE_NOOP("lxv", "Mean voltage: %1 V")).arg(FormatFixed(r.meanVoltage, 1)));
    lines.push_back(
        UiText(QT_TRANSLATE_NOOP("lxv", "Mean frequency: %1 Hz")).arg(FormatFixed(r.meanFrequency, 2)));
    lines.push_back(UiText(QT_TRANSLATE_NOOP("lxv", "Mean voltage THD: %1 %"))
                        .arg(FormatFixed(r.meanVoltageThd * 100, 2)));
    lines.push_back(UiText(QT_TRANSLATE_NOOP("lxv", "Mean power: %1 W")).arg(FormatFixed(r.meanPower, 1)));
    lines.push_back(
        UiText(QT_TRANSLATE_NOOP("lxv", "Mean power factor: %1")).arg(FormatFixed(r.meanPowerFactor, 3)));
    lines.push_back(UiText(QT_TRANSLATE_NOOP("lxv", "Mean fundamental current: %1 A"))
                        .arg(AmperesText(r.meanFundamental)));
    lines.push_back(
        UiText(QT_TRANSLATE_NOOP("lxv", "Mean input current: %1 A")).arg(AmperesText(r.meanCurrent)));
    lines.push_back(r.pohcLimit
                        ? UiText(QT_TRANSLATE_NOOP("lxv", "POHC (21..39): %1 A, limit %2 A"))
                              .arg(AmperesText(r.pohc))
                              .arg(AmperesText(*r.pohcLimit))
                        : UiText(QT_TRANSLATE_NOOP("lxv", "POHC (21..39): %1 A")).arg(AmperesText(r.pohc)));
    return lines;
}

std::vector<UiText> HarmonicTestNotes(const HarmonicTestResult& r) {
    std::vector<UiText> notes;
    if (!r.error.empty()) notes.push_back(r.error);
    if (!r.notApplicable.empty()) notes.push_back(r.notApplicable);
    if (r.stoppedAfterSeconds)
        notes.push_back(UiText(kStoppedEarlyText)
                            .arg(FormatRounded(*r.stoppedAfterSeconds, 0))
                            .arg(FormatGeneral(r.settings.observationSeconds)));
    if (!r.stoppedAfterSeconds && r.blocks > 0 &&
        r.observedSeconds < r.settings.observationSeconds - kNotedPauseSeconds)
        notes.push_back(UiText(kShortCoverageText)
                            .arg(FormatRounded(r.observedSeconds, 1))
                            .arg(FormatGeneral(r.settings.observationSeconds)));
    if (r.longestPauseSeconds > kNotedPauseSeconds)
        notes.push_back(UiText(kPauseText).arg(FormatRounded(r.longestPauseSeconds, 1)));
    if (r.voltageOutside)
        notes.push_back(UiText(kVoltageOutsideText)
                            .arg(FormatRounded(r.meanVoltage, 1))
                            .arg(FormatGeneral(r.settings.nominalVoltage)));
    if (r.frequencyOutside)
        notes.push_back(UiText(kFrequencyOutsideText)
                            .arg(FormatRounded(r.meanFrequency, 2))
                            .arg(FormatGeneral(r.settings.nominalFrequency)));
    notes.push_back(kPreComplianceNoteText);
    return notes;
}

std::string HarmonicTestCsv(const HarmonicTestResult& r) {
    std::string csv = "order,limit_A,mean_A,max_A,mean_pct,max_pct,verdict\n";
    for (const OrderResult& o : r.orders) {
        csv += std::to_string(o.order) + ',' + (o.limit ? AmperesText(*o.limit) : "") + ',' +
               AmperesText(o.mean) + ',' + AmperesText(o.maximum) + ',' +
               (o.limit ? PercentText(o.meanPercent) : "") + ',' +
               (o.limit ? PercentText(o.maximumPercent) : "") + ',' + OrderVerdictText(o.verdict) + '\n';
    }
    csv += std::string("# verdict,") + TestVerdictText(r.verdict) + '\n';
    csv += std::string("# class,") + EmissionClassText(r.settings.emissionClass) + '\n';
    csv += "# blocks," + std::to_string(r.blocks) + '\n';
    csv += "# mean_power_W," + FormatFixed(r.meanPower, 1) + '\n';
    csv += "# POHC_A," + AmperesText(r.pohc) + '\n';
    csv += "# POHC_limit_A," + (r.pohcLimit ? AmperesText(*r.pohcLimit) : std::string()) + '\n';
    return csv;
}

}  // namespace lxv
