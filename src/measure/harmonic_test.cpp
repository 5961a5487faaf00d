#include "measure/harmonic_test.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <numbers>

#include "platform/number_format.h"
#include "platform/csv_field.h"

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

// "2nd", "3rd", "11th", "21st" of a harmonic order.
std::string OrdinalText(int n) {
    const int tens = n % 100, ones = n % 10;
    const char* suffix = (tens >= 11 && tens <= 13) ? "th"
                         : ones == 1                ? "st"
                         : ones == 2                ? "nd"
                         : ones == 3                ? "rd"
                                                    : "th";
    return std::to_string(n) + suffix;
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

LimitRegime RegimeAt(EmissionClass emissionClass, double power) {
    if (emissionClass == EmissionClass::C)
        return power > kClassCLowestPower ? LimitRegime::Table : LimitRegime::LowPowerLighting;
    if (!(power > kLowestLimitedPower)) return LimitRegime::NotApplicable;
    if (emissionClass == EmissionClass::D && power > kClassDHighestPower) return LimitRegime::ClassALimits;
    return LimitRegime::Table;
}

LimitPowerChoice ChooseLimitPower(std::optional<double> rated, double measured) {
    LimitPowerChoice c;
    c.power = measured;
    if (!rated) {
        c.why = UiText(kMeasuredPowerText).arg(FormatFixed(measured, 1));
        return c;
    }
    const double off = *rated - measured;
    if (measured > 0 && std::fabs(off) <= kRatedPowerTolerance * measured) {
        c.power = *rated;
        c.rated = true;
        c.why = UiText(kRatedPowerUsedText).arg(FormatGeneral(*rated)).arg(FormatFixed(measured, 1));
        return c;
    }
    const std::string percent =
        measured > 0 ? FormatRounded(100.0 * std::fabs(off) / measured, 0) : std::string("100");
    c.why = UiText(off > 0 ? kRatedPowerAboveText : kRatedPowerBelowText)
                .arg(FormatGeneral(*rated))
                .arg(percent)
                .arg(FormatFixed(measured, 1));
    return c;
}

double SupplyHarmonicLimit(int n) {
    switch (n) {
        case 3: return 0.009;
        case 5: return 0.004;
        case 7: return 0.003;
        case 9: return 0.002;
        default: break;
    }
    if (n % 2 == 0 && n <= 10) return 0.002;
    return 0.001;
}

bool LowPowerWaveformMet(const MeasureRecord& block) {
    constexpr int kPerPeriod = kSampleCount / 4;
    constexpr double kDegreesPerSample = 360.0 / kPerPeriod;
    std::array<double, kSampleCount> u{}, i{};
    double re = 0, im = 0, peak = 0;
    for (int k = 0; k < kSampleCount; ++k) {
        u[static_cast<std::size_t>(k)] = double(block.USamples(k)) - block.UZero();
        i[static_cast<std::size_t>(k)] = double(block.ISamples(k)) - block.IZero();
        const double theta = 2.0 * std::numbers::pi * k / kPerPeriod;
        re += u[static_cast<std::size_t>(k)] * std::cos(theta);
        im += u[static_cast<std::size_t>(k)] * std::sin(theta);
        peak = std::max(peak, std::fabs(i[static_cast<std::size_t>(k)]));
    }
    // The voltage's fundamental is A sin(theta + phi): im ~ cos(phi), re ~ sin(phi).
    if (peak <= 0 || (re == 0 && im == 0)) return false;
    const double phiSamples = std::atan2(re, im) / (2.0 * std::numbers::pi) * kPerPeriod;
    const double threshold = kWaveformThreshold * peak;
    int judged = 0;
    // Zero crossings at theta = m pi - phi: rising for even m, falling for odd.
    for (int m = -2; m <= 9; ++m) {
        const double start = m * kPerPeriod / 2.0 - phiSamples;
        if (start < 0 || start + kPerPeriod / 2.0 > kSampleCount - 1) continue;
        const double sign = m % 2 == 0 ? 1.0 : -1.0;
        const int first = static_cast<int>(std::ceil(start));
        int reach = -1, peakAt = first;
        double best = -HUGE_VAL;
        bool held = true;
        for (int k = first; k < start + kPerPeriod / 2.0; ++k) {
            const double x = sign * i[static_cast<std::size_t>(k)];
            const double degrees = (k - start) * kDegreesPerSample;
            if (reach < 0 && x >= threshold) reach = k;
            if (reach >= 0 && degrees < kWaveformHoldDegrees && x < threshold) held = false;
            if (x > best) {
                best = x;
                peakAt = k;
            }
        }
        ++judged;
        if (reach < 0 || (reach - start) * kDegreesPerSample > kWaveformReachDegrees || !held ||
            (peakAt - start) * kDegreesPerSample > kWaveformPeakDegrees)
            return false;
    }
    return judged > 0;
}

double SmoothingStep(double smoothed, double value, double dtSeconds) {
    if (!(dtSeconds > 0)) return smoothed;
    return smoothed + (1.0 - std::exp(-dtSeconds / kSmoothingSeconds)) * (value - smoothed);
}

// ---- the running test ----

HarmonicTest::HarmonicTest(HarmonicTestSettings settings) : settings_(std::move(settings)) {}

void HarmonicTest::AddBlock(const MeasureRecord& block, double seconds) {
    const bool first = blocks_ == 0;
    const double dt = first ? 0.0 : seconds - lastSeconds_;
    longestPause_ = std::max(longestPause_, dt);
    if (first) firstSeconds_ = lastSeconds_ = seconds;
    // A clock that steps back (or stands) leaves the smoothing where it is.
    lastSeconds_ = std::max(lastSeconds_, seconds);
    const double gain = dt > 0 ? 1.0 - std::exp(-dt / kSmoothingSeconds) : 0.0;
    const bool classA = settings_.emissionClass == EmissionClass::A;
    for (int n = kFirstTestOrder; n <= kLastTestOrder; ++n) {
        const std::size_t i = Index(n);
        const double x = Clean(block.IHarmonic(n)) / std::numbers::sqrt2;
        double& y = smoothed_[i];
        y = first ? x : y + gain * (x - y);
        sum_[i] += y;
        maximum_[i] = std::max(maximum_[i], y);
        // Class A's limits are known now: the time since the last block counts
        // as above 150 % when this block's smoothed value is.
        if (classA && dt > 0 && y > 1.5 * ClassALimit(n)) secondsOver150_[i] += dt;
    }
    sumPower_ += Finite(block.WRMS());
    sumFundamental_ += Clean(block.IHarmonic(1)) / std::numbers::sqrt2;
    sumPowerFactor_ += std::fabs(Finite(block.PF()));
    sumVoltage_ += Finite(block.URMS());
    sumFrequency_ += Finite(block.UF());
    sumVoltageThd_ += Finite(block.VTHD());
    sumCurrent_ += Clean(block.IRMS());
    if (settings_.emissionClass == EmissionClass::C && LowPowerWaveformMet(block)) ++waveformBlocks_;
    CheckSupply(block);
    ++blocks_;
}

void HarmonicTest::CheckSupply(const MeasureRecord& block) {
    const double volts = Finite(block.URMS()), hertz = Finite(block.UF()), thd = Finite(block.VTHD());
    SupplyCheck& s = supply_;
    if (blocks_ == 0) {
        s.minVoltage = s.maxVoltage = volts;
        s.minFrequency = s.maxFrequency = hertz;
    }
    s.minVoltage = std::min(s.minVoltage, volts);
    s.maxVoltage = std::max(s.maxVoltage, volts);
    s.minFrequency = std::min(s.minFrequency, hertz);
    s.maxFrequency = std::max(s.maxFrequency, hertz);
    s.maxVoltageThd = std::max(s.maxVoltageThd, thd);

    // Each figure over its allowance: above 1 is outside the conditions.
    double blockWorst = 0;
    UiText blockText;
    const auto consider = [&](double excess, const auto& text) {
        if (excess > blockWorst) {
            blockWorst = excess;
            if (excess > 1.0 && excess > s.worstExcess) blockText = text();
        }
    };
    const double un = settings_.nominalVoltage, fn = settings_.nominalFrequency;
    consider(std::fabs(volts - un) / (kVoltageTolerance * un), [&] {
        return UiText(kSupplyVoltageText)
            .arg(FormatFixed(volts, 1))
            .arg(FormatFixed(100.0 * std::fabs(volts - un) / un, 1))
            .arg(FormatGeneral(un));
    });
    consider(std::fabs(hertz - fn) / (kFrequencyTolerance * fn), [&] {
        return UiText(kSupplyFrequencyText)
            .arg(FormatFixed(hertz, 2))
            .arg(FormatFixed(100.0 * std::fabs(hertz - fn) / fn, 2))
            .arg(FormatGeneral(fn));
    });
    const double fundamental = Clean(block.UHarmonic(1));
    if (fundamental > 0) {
        for (int n = kFirstTestOrder; n <= kLastTestOrder; ++n) {
            const double share = Clean(block.UHarmonic(n)) / fundamental;
            consider(share / SupplyHarmonicLimit(n), [&] {
                return UiText(kSupplyHarmonicText)
                    .arg(OrdinalText(n))
                    .arg(FormatFixed(100.0 * share, 1))
                    .arg(FormatGeneral(100.0 * SupplyHarmonicLimit(n)));
            });
        }
    }
    const EmissionClass c = settings_.emissionClass;
    if (c == EmissionClass::C || c == EmissionClass::D) {
        const double crest = volts > 0 ? Finite(block.UPP()) / volts : 0.0;
        constexpr double middle = (kLowestCrestFactor + kHighestCrestFactor) / 2;
        constexpr double half = (kHighestCrestFactor - kLowestCrestFactor) / 2;
        // A hair of rounding on the band's edges is inside.
        consider(std::fabs(crest - middle) / half - 1e-9,
                 [&] { return UiText(kSupplyCrestText).arg(FormatFixed(crest, 3)); });
    }
    if (blockWorst > 1.0) {
        ++s.blocksOutside;
        if (blockWorst > s.worstExcess) {
            s.worstExcess = blockWorst;
            s.worst = blockText;
        }
    }
}

namespace {

// The pieces of one way of judging the orders: its limits, the class A 200 %
// rule, and whether a stopped observation is judged.
struct Judging {
    std::array<std::optional<double>, kTestOrderCount> limits{};
    bool overLimitRule = false;
    double overLimitAllowance = 0;  // seconds above 150 % an order may spend
    double meanCurrent = 0;
};

// Judges every order of `orders` (means and maxima in place) against `j`'s
// limits; returns whether all assessed orders pass, and sets `failsByMaximum`
// where the maxima alone fail.
bool JudgeOrders(std::array<OrderResult, kTestOrderCount>& orders, const Judging& j, double& pohc,
                 std::optional<double>& pohcLimit) {
    double pohcSquares = 0, pohcLimitSquares = 0;
    bool pohcLimited = false;
    for (OrderResult& o : orders) {
        o.limit = j.limits[Index(o.order)];
        o.meanPercent = o.maximumPercent = 0;
        o.verdict = OrderVerdict::None;
        o.pohcRelief = o.overLimitRelief = o.failsByMaximum = false;
        if (PohcOrder(o.order)) {
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
    pohc = std::sqrt(pohcSquares);
    pohcLimit.reset();
    if (pohcLimited) pohcLimit = std::sqrt(pohcLimitSquares);
    const bool pohcWithin = pohcLimit && pohc <= *pohcLimit;

    bool failed = false;
    for (OrderResult& o : orders) {
        if (!o.limit) continue;
        if (o.mean < kIgnoreShareOfCurrent * j.meanCurrent || o.mean < kIgnoreAmperes) {
            o.verdict = OrderVerdict::Ignored;
            continue;
        }
        const bool maximumOk = o.maximumPercent <= 150.0;
        // Class A: above 150 % but within 200 %, for no longer than allowed.
        const bool overLimitOk =
            j.overLimitRule && o.maximumPercent <= 200.0 && o.secondsOver150 <= j.overLimitAllowance + 1e-9;
        o.failsByMaximum = !maximumOk && !overLimitOk;
        const bool relieved = PohcOrder(o.order) && pohcWithin;
        if (maximumOk && o.meanPercent <= 100.0) {
            o.verdict = OrderVerdict::Pass;
        } else if (maximumOk && relieved && o.meanPercent <= 150.0) {
            o.verdict = OrderVerdict::Pass;
            o.pohcRelief = true;
        } else if (!maximumOk && overLimitOk && o.meanPercent <= kOverLimitMeanPercent) {
            o.verdict = OrderVerdict::Pass;
            o.overLimitRelief = true;
        } else {
            o.verdict = OrderVerdict::Fail;
            failed = true;
        }
    }
    return !failed;
}

bool AnyFailsByMaximum(const std::array<OrderResult, kTestOrderCount>& orders) {
    return std::any_of(orders.begin(), orders.end(), [](const OrderResult& o) {
        return o.verdict != OrderVerdict::Ignored && o.failsByMaximum;
    });
}

// Class C at 25 W or less: the limits of option (a), (b) or (c) in amperes.
std::optional<double> LowPowerLimit(int option, int n, double watts, double fundamental) {
    if (option == 0) {
        if (n == 3) return 3.4e-3 * watts;
        if (n == 5) return 1.9e-3 * watts;
        return std::nullopt;
    }
    if (option == 1) {
        if (n == 3) return 0.86 * fundamental;
        if (n == 5) return 0.61 * fundamental;
        return std::nullopt;
    }
    switch (n) {
        case 2: return 0.05 * fundamental;
        case 3: return 0.35 * fundamental;
        case 5: return 0.25 * fundamental;
        case 7: return 0.30 * fundamental;
        case 9:
        case 11: return 0.20 * fundamental;
        default: return std::nullopt;
    }
}

}  // namespace

HarmonicTestResult HarmonicTest::Result() const {
    HarmonicTestResult r;
    r.settings = settings_;
    r.blocks = blocks_;
    r.observedSeconds = blocks_ > 0 ? lastSeconds_ - firstSeconds_ : 0.0;
    r.longestPauseSeconds = longestPause_;
    r.stoppedAfterSeconds = stoppedAfter_;
    const double count = std::max(blocks_, 1);
    r.meanPower = sumPower_ / count;
    r.meanFundamental = sumFundamental_ / count;
    r.meanPowerFactor = sumPowerFactor_ / count;
    r.meanVoltage = sumVoltage_ / count;
    r.meanFrequency = sumFrequency_ / count;
    r.meanVoltageThd = sumVoltageThd_ / count;
    r.meanCurrent = sumCurrent_ / count;
    r.supply = supply_;
    const EmissionClass c = settings_.emissionClass;
    r.limitPower = ChooseLimitPower(settings_.ratedPower, r.meanPower);
    const double watts = r.limitPower.power;
    if (blocks_ < kFewestTestBlocks) r.error = UiText(kTooFewBlocksText).arg(blocks_);

    for (int n = kFirstTestOrder; n <= kLastTestOrder; ++n) {
        const std::size_t i = Index(n);
        OrderResult& o = r.orders[i];
        o.order = n;
        o.mean = blocks_ > 0 ? sum_[i] / blocks_ : 0.0;
        o.maximum = maximum_[i];
        o.secondsOver150 = secondsOver150_[i];
    }

    r.regime = RegimeAt(c, watts);
    Judging j;
    j.meanCurrent = r.meanCurrent;
    // A stopped observation is judged against the allowance of the whole one.
    const double span = stoppedAfter_ ? settings_.observationSeconds : r.observedSeconds;
    j.overLimitRule = c == EmissionClass::A;
    j.overLimitAllowance = std::min(kOverLimitShare * span, kOverLimitLongestSeconds);
    bool passed = false, certainFail = false;
    switch (r.regime) {
        case LimitRegime::NotApplicable:
            r.notApplicable =
                UiText(kLowPowerNotApplicableText).arg(EmissionClassText(c)).arg(FormatFixed(watts, 1));
            JudgeOrders(r.orders, j, r.pohc, r.pohcLimit);
            break;
        case LimitRegime::Table:
        case LimitRegime::ClassALimits: {
            const EmissionClass by = r.regime == LimitRegime::ClassALimits ? EmissionClass::A : c;
            const LimitBasis basis{watts, r.meanFundamental, r.meanPowerFactor};
            for (int n = kFirstTestOrder; n <= kLastTestOrder; ++n)
                j.limits[Index(n)] = OrderLimit(by, n, basis);
            passed = JudgeOrders(r.orders, j, r.pohc, r.pohcLimit);
            certainFail = AnyFailsByMaximum(r.orders);
            break;
        }
        case LimitRegime::LowPowerLighting: {
            LowPowerOptions options;
            options.waveformBlocks = waveformBlocks_;
            double squares = 0;
            for (const OrderResult& o : r.orders) squares += o.mean * o.mean;
            options.thd = r.meanFundamental > 0 ? std::sqrt(squares) / r.meanFundamental : HUGE_VAL;
            const bool extra[3] = {true, blocks_ > 0 && waveformBlocks_ == blocks_,
                                   options.thd <= kLowPowerThdLimit};
            std::array<std::array<OrderResult, kTestOrderCount>, 3> judged;
            bool everyFailsByMaximum = true;
            for (int option = 0; option < 3; ++option) {
                Judging oj = j;
                for (int n = kFirstTestOrder; n <= kLastTestOrder; ++n)
                    oj.limits[Index(n)] = LowPowerLimit(option, n, watts, r.meanFundamental);
                judged[option] = r.orders;
                double pohc = 0;
                std::optional<double> pohcLimit;
                options.met[option] = JudgeOrders(judged[option], oj, pohc, pohcLimit) && extra[option];
                everyFailsByMaximum = everyFailsByMaximum && AnyFailsByMaximum(judged[option]);
            }
            const auto met = std::find(options.met.begin(), options.met.end(), true);
            options.shown = met == options.met.end() ? 0 : static_cast<int>(met - options.met.begin());
            r.orders = judged[options.shown];
            r.pohc = 0;
            for (int n = 21; n <= 39; n += 2) r.pohc += r.order(n).mean * r.order(n).mean;
            r.pohc = std::sqrt(r.pohc);
            passed = met != options.met.end();
            certainFail = everyFailsByMaximum;
            r.lowPower = options;
            break;
        }
    }
    if (r.regime == LimitRegime::NotApplicable) {
        r.verdict = TestVerdict::NotApplicable;
        // Without limits nothing is judged per order.
        for (OrderResult& o : r.orders) {
            o.limit.reset();
            o.meanPercent = o.maximumPercent = 0;
            o.verdict = OrderVerdict::None;
            o.pohcRelief = o.overLimitRelief = o.failsByMaximum = false;
        }
        r.pohcLimit.reset();
    } else {
        r.verdict = passed ? TestVerdict::Pass : TestVerdict::Fail;
    }
    // A stopped observation passes nothing: only a failure of the maxima is certain.
    if (stoppedAfter_) r.verdict = certainFail ? TestVerdict::Fail : TestVerdict::Incomplete;
    return r;
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

Verdict HarmonicTestVerdict(const HarmonicTestResult& result) {
    if (!result.hasVerdict()) return MakeVerdict(VerdictKind::None);
    switch (result.verdict) {
        case TestVerdict::Pass:
            return MakeVerdict(result.supply.outside() ? VerdictKind::PassOutsideConditions
                                                       : VerdictKind::Pass);
        case TestVerdict::Fail: return MakeVerdict(VerdictKind::Fail);
        case TestVerdict::NotApplicable: return MakeVerdict(VerdictKind::NotApplicable);
        case TestVerdict::Incomplete:
            return MakeVerdict(VerdictKind::Incomplete,
                               result.stoppedAfterSeconds.value_or(result.observedSeconds),
                               result.settings.observationSeconds);
    }
    return MakeVerdict(VerdictKind::None);
}

int HarmonicTestExitCode(const HarmonicTestResult& result) {
    return HarmonicTestVerdict(result).exitCode;
}

std::string AmperesText(double amperes) {
    // At least four significant digits: more decimals below 0.1 A.
    // The exponent is read from the rounded text, so 0.00099999 counts as 0.001.
    int decimals = 4;
    if (std::isfinite(amperes) && amperes != 0) {
        char text[32];
        std::snprintf(text, sizeof text, "%.3e", amperes);
        const char* e = std::strchr(text, 'e');
        if (e) decimals = std::clamp(3 - std::atoi(e + 1), 4, 12);
    }
    return FormatFixed(amperes, decimals);
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
    const char* verdict = o.verdict == OrderVerdict::Pass
                              ? (o.pohcRelief        ? QT_TRANSLATE_NOOP("lxv", "pass (POHC)")
                                 : o.overLimitRelief ? QT_TRANSLATE_NOOP("lxv", "pass (200 % rule)")
                                                     : QT_TRANSLATE_NOOP("lxv", "pass"))
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
    lines.push_back(r.limitPower.rated ? UiText(QT_TRANSLATE_NOOP("lxv", "Limits from: %1 W (rated)"))
                                             .arg(FormatGeneral(r.limitPower.power))
                                       : UiText(QT_TRANSLATE_NOOP("lxv", "Limits from: %1 W (measured)"))
                                             .arg(FormatFixed(r.limitPower.power, 1)));
    lines.push_back(UiText(QT_TRANSLATE_NOOP("lxv", "Observation: %1 s, %2 blocks over %3 s"))
                        .arg(FormatGeneral(s.observationSeconds))
                        .arg(r.blocks)
                        .arg(FormatRounded(r.observedSeconds, 1)));
    lines.push_back(UiText(QT_TRANSLATE_NOOP("lxv", "Nominal supply: %1 V, %2 Hz"))
                        .arg(FormatGeneral(s.nominalVoltage))
                        .arg(FormatGeneral(s.nominalFrequency)));
    lines.push_back(UiText(QT_TRANSLATE_NOOP("lxv", "Voltage: mean %1 V, %2 V to %3 V"))
                        .arg(FormatFixed(r.meanVoltage, 1))
                        .arg(FormatFixed(r.supply.minVoltage, 1))
                        .arg(FormatFixed(r.supply.maxVoltage, 1)));
    lines.push_back(UiText(QT_TRANSLATE_NOOP("lxv", "Frequency: mean %1 Hz, %2 Hz to %3 Hz"))
                        .arg(FormatFixed(r.meanFrequency, 2))
                        .arg(FormatFixed(r.supply.minFrequency, 2))
                        .arg(FormatFixed(r.supply.maxFrequency, 2)));
    lines.push_back(UiText(QT_TRANSLATE_NOOP("lxv", "Voltage THD: mean %1 %, at most %2 %"))
                        .arg(FormatFixed(r.meanVoltageThd * 100, 2))
                        .arg(FormatFixed(r.supply.maxVoltageThd * 100, 2)));
    lines.push_back(
        r.supply.outside()
            ? UiText(QT_TRANSLATE_NOOP("lxv", "Supply: outside the conditions, worst %1")).arg(r.supply.worst)
            : UiText(QT_TRANSLATE_NOOP("lxv", "Supply: within the conditions")));
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

namespace {

// "3, 5, 7" of the orders that pass by one relief.
std::string OrderList(const HarmonicTestResult& r, bool OrderResult::*relief) {
    std::string list;
    for (const OrderResult& o : r.orders)
        if (o.*relief) list += (list.empty() ? "" : ", ") + std::to_string(o.order);
    return list;
}

}  // namespace

std::vector<UiText> HarmonicTestNotes(const HarmonicTestResult& r) {
    std::vector<UiText> notes;
    if (!r.error.empty()) notes.push_back(r.error);
    if (!r.notApplicable.empty()) notes.push_back(r.notApplicable);
    if (r.settings.ratedPower) notes.push_back(r.limitPower.why);
    if (r.regime == LimitRegime::ClassALimits)
        notes.push_back(UiText(kClassALimitsAboveText).arg(FormatFixed(r.limitPower.power, 1)));
    if (r.lowPower) {
        const LowPowerOptions& o = *r.lowPower;
        const auto outcome = [&o](int i) { return UiText(o.met[i] ? kOptionMetText : kOptionNotMetText); };
        notes.push_back(UiText(kOptionAText).arg(outcome(0)));
        notes.push_back(UiText(kOptionBText).arg(o.waveformBlocks).arg(r.blocks).arg(outcome(1)));
        notes.push_back(UiText(kOptionCText)
                            .arg(std::isfinite(o.thd) ? FormatFixed(100.0 * o.thd, 1) : std::string("-"))
                            .arg(outcome(2)));
    }
    if (const std::string pohc = OrderList(r, &OrderResult::pohcRelief); !pohc.empty())
        notes.push_back(
            UiText(pohc.find(',') == std::string::npos ? kPohcUsedOneText : kPohcUsedText).arg(pohc));
    if (const std::string over = OrderList(r, &OrderResult::overLimitRelief); !over.empty()) {
        double longest = 0;
        for (const OrderResult& o : r.orders)
            if (o.overLimitRelief) longest = std::max(longest, o.secondsOver150);
        notes.push_back(
            UiText(over.find(',') == std::string::npos ? kOverLimitUsedOneText : kOverLimitUsedText)
                .arg(over)
                .arg(FormatRounded(longest, 1))
                .arg(FormatRounded(r.observedSeconds, 1)));
    }
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
    if (r.supply.outside())
        notes.push_back(
            UiText(kSupplyOutsideText).arg(r.supply.blocksOutside).arg(r.blocks).arg(r.supply.worst));
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
    const auto line = [&csv](const char* name, const std::string& value) {
        csv += std::string("# ") + name + ',' + CsvField(value) + '\n';
    };
    line("verdict", HarmonicTestVerdict(r).fileWord);
    line("class", EmissionClassText(r.settings.emissionClass));
    line("blocks", std::to_string(r.blocks));
    line("mean_power_W", FormatFixed(r.meanPower, 1));
    line("POHC_A", AmperesText(r.pohc));
    line("POHC_limit_A", r.pohcLimit ? AmperesText(*r.pohcLimit) : std::string());
    line("limit_power_W", FormatFixed(r.limitPower.power, 1));
    line("limit_power_from", r.limitPower.rated ? "rated" : "measured");
    line("limit_power_why", r.limitPower.why.original());
    line("mean_fundamental_A", AmperesText(r.meanFundamental));
    line("mean_power_factor", FormatFixed(r.meanPowerFactor, 4));
    line("mean_voltage_V", FormatFixed(r.meanVoltage, 2));
    line("min_voltage_V", FormatFixed(r.supply.minVoltage, 2));
    line("max_voltage_V", FormatFixed(r.supply.maxVoltage, 2));
    line("mean_frequency_Hz", FormatFixed(r.meanFrequency, 3));
    line("min_frequency_Hz", FormatFixed(r.supply.minFrequency, 3));
    line("max_frequency_Hz", FormatFixed(r.supply.maxFrequency, 3));
    line("mean_voltage_THD_pct", FormatFixed(100.0 * r.meanVoltageThd, 3));
    line("max_voltage_THD_pct", FormatFixed(100.0 * r.supply.maxVoltageThd, 3));
    line("supply", r.supply.outside() ? "outside: " + r.supply.worst.original() + " (" +
                                            std::to_string(r.supply.blocksOutside) + " of " +
                                            std::to_string(r.blocks) + " blocks)"
                                      : std::string("ok"));
    for (const UiText& note : HarmonicTestNotes(r)) line("note", note.original());
    line("date", r.settings.startedAt);
    line("instrument", r.settings.instrument);
    return csv;
}

}  // namespace lxv
