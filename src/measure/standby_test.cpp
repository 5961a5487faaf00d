#include "measure/standby_test.h"

#include <algorithm>
#include <cmath>

#include "platform/number_format.h"

namespace lxv {

namespace {

// The instrument's readings are singles: a figure that sits on a limit when
// written to the panel's precision is taken as on it, not beyond it.
constexpr double kSingleSlack = 1e-6;
// Beyond any instrument: a larger power is taken as this large, so sums stay finite.
constexpr double kLargestWatts = 1e12;

double Finite(double v) {
    return std::isfinite(v) ? v : 0.0;
}

bool AtMost(double value, double limit) {
    return value <= limit + kSingleSlack * std::fabs(limit);
}

bool CrestWithin(double crest) {
    return crest >= kStandbyLowestCrest * (1 - kSingleSlack) && AtMost(crest, kStandbyHighestCrest);
}

// How far a crest factor lies outside its band (negative inside: how far from the band's edge).
double CrestOutside(double crest) {
    return std::max(kStandbyLowestCrest - crest, crest - kStandbyHighestCrest);
}

std::optional<double> ReadField(const char* name, const std::string& text, double blank, double lo,
                                double hi, const char* rangeText, UiText& error) {
    if (text.find_first_not_of(" \t") == std::string::npos) return blank;
    const std::optional<double> value = ParseNumber(text);
    if (!value) {
        error = UiText(QT_TRANSLATE_NOOP("lxv", "%1: '%2' is not a valid floating point value"))
                    .argText(name)
                    .arg(text);
        return std::nullopt;
    }
    if (!(*value >= lo && *value <= hi)) {
        error = rangeText;
        return std::nullopt;
    }
    return value;
}

// A CSV value: quoted when it holds a comma or a quote.
std::string CsvValue(const std::string& text) {
    if (text.find_first_of(",\"\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '\n') c = ' ';
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

}  // namespace

StandbySettingsReading ReadStandbySettings(const std::string& periodSeconds, const std::string& maxSeconds,
                                           const std::string& limitWatts, const std::string& nominalVoltage,
                                           const std::string& nominalFrequency) {
    StandbySettingsReading r;
    UiText& error = r.error;
    const auto period = ReadField(QT_TRANSLATE_NOOP("lxv", "Period"), periodSeconds, kStandbyDefaultPeriod,
                                  kStandbyShortestPeriod, kStandbyLongestSeconds, kStandbyPeriodRangeText, error);
    if (!period) return r;
    const auto longest = ReadField(QT_TRANSLATE_NOOP("lxv", "Longest time"), maxSeconds,
                                   std::min(3 * *period, kStandbyLongestSeconds), *period,
                                   kStandbyLongestSeconds, kStandbyMaxRangeText, error);
    if (!longest) return r;
    const auto limit = ReadField(QT_TRANSLATE_NOOP("lxv", "Limit"), limitWatts, kStandbyDefaultLimit, 0, 1e9,
                                 kStandbyLimitRangeText, error);
    if (!limit) return r;
    if (!(*limit > 0)) {
        error = kStandbyLimitRangeText;
        return r;
    }
    const auto volts = ReadField(QT_TRANSLATE_NOOP("lxv", "Nominal voltage"), nominalVoltage, 230, 1, 1000,
                                 QT_TRANSLATE_NOOP("lxv", "The nominal voltage must be from 1 to 1000 V."), error);
    if (!volts) return r;
    const auto hertz = ReadField(QT_TRANSLATE_NOOP("lxv", "Nominal frequency"), nominalFrequency, 50, 40, 70,
                                 QT_TRANSLATE_NOOP("lxv", "The nominal frequency must be from 40 to 70 Hz."), error);
    if (!hertz) return r;
    r.settings = {*period, *longest, *limit, *volts, *hertz};
    return r;
}

StandbyReading StandbyReadingOf(const MeasureRecord& block, double seconds) {
    StandbyReading r;
    r.seconds = seconds;
    r.power = Finite(block.WRMS());
    r.voltage = Finite(block.URMS());
    r.current = Finite(block.IRMS());
    r.powerFactor = Finite(block.PF());
    r.frequency = Finite(block.UF());
    r.energyKwh = Finite(block.KWH());
    const double fundamental = Finite(block.UHarmonic(1));
    if (fundamental > 0) {
        double squares = 0;
        for (int n = 2; n <= kStandbyHighestHarmonic; ++n) {
            const double u = Finite(block.UHarmonic(n));
            squares += u * u;
        }
        r.voltageHarmonics = Finite(std::sqrt(squares) / fundamental);
    }
    if (r.voltage > 0) r.voltageCrest = Finite(Finite(block.UPP()) / r.voltage);
    if (r.current > 0) r.currentCrest = Finite(Finite(block.IPP()) / r.current);
    return r;
}

double StandbySlopeLimit(double meanWatts) {
    return meanWatts <= 1.0 ? kStandbyLowPowerSlope : kStandbySlopeShare * meanWatts;
}

bool StandbySlopeStable(double meanWatts, double slopeWattsPerHour) {
    return AtMost(std::fabs(slopeWattsPerHour), StandbySlopeLimit(meanWatts));
}

// ---- the running test ----

StandbyTrend::StandbyTrend(double spanSeconds)
    : slotSeconds_(std::isfinite(spanSeconds) && spanSeconds > 0 ? spanSeconds / kSlots : 1.0), slots_(kSlots) {}

void StandbyTrend::Add(double seconds, double watts) {
    const double at = std::clamp(seconds / slotSeconds_, 0.0, static_cast<double>(kSlots - 1));
    const auto i = static_cast<std::size_t>(at);
    Slot& slot = slots_[i];
    const auto w = static_cast<float>(watts);
    slot.low = slot.count ? std::min(slot.low, w) : w;
    slot.high = slot.count ? std::max(slot.high, w) : w;
    slot.sum += watts;
    ++slot.count;
    low_ = used_ ? std::min(low_, watts) : watts;
    high_ = used_ ? std::max(high_, watts) : watts;
    used_ = std::max(used_, i + 1);
}

StandbyTest::StandbyTest(StandbySettings settings, std::optional<CurrentRangeSetting> range)
    : settings_(settings), range_(range), trend_(std::max(settings.maxSeconds, settings.periodSeconds)) {}

void StandbyTest::Add(const StandbyReading& reading) {
    if (finished_) return;
    const double last = rows_.empty() ? 0.0 : rows_.back().seconds;
    double t = std::isfinite(reading.seconds) ? reading.seconds : last;
    if (!rows_.empty()) t = std::max(t, last);
    const double p = std::clamp(Finite(reading.power), -kLargestWatts, kLargestWatts);
    if (rows_.empty()) {
        t0_ = t;
        p0_ = p;
    }
    rows_.push_back({t, p, static_cast<float>(reading.voltage), static_cast<float>(reading.current),
                     static_cast<float>(reading.powerFactor)});
    const double dt = t - t0_, dp = p - p0_;
    Sums s = prefix_.back();
    s.t += dt;
    s.p += dp;
    s.tt += dt * dt;
    s.tp += dt * dp;
    prefix_.push_back(s);
    energy_.push_back(static_cast<float>(reading.energyKwh));
    trend_.Add(t, p);

    // Supply conditions of this reading; the worst figure of each is kept.
    const bool first = rows_.size() == 1;
    const double u = Finite(reading.voltage), f = Finite(reading.frequency);
    const double h = Finite(reading.voltageHarmonics), crest = Finite(reading.voltageCrest);
    SupplyFigures& w = supply_;
    if (first || std::fabs(u - settings_.nominalVoltage) > std::fabs(w.worstVoltage - settings_.nominalVoltage))
        w.worstVoltage = u;
    if (first ||
        std::fabs(f - settings_.nominalFrequency) > std::fabs(w.worstFrequency - settings_.nominalFrequency))
        w.worstFrequency = f;
    if (first || h > w.worstHarmonics) w.worstHarmonics = h;
    crestLow_ = first ? crest : std::min(crestLow_, crest);
    crestHigh_ = first ? crest : std::max(crestHigh_, crest);
    w.worstCrest = CrestOutside(crestLow_) >= CrestOutside(crestHigh_) ? crestLow_ : crestHigh_;
    w.voltageOk = w.voltageOk && AtMost(std::fabs(u - settings_.nominalVoltage),
                                        kStandbyVoltageTolerance * settings_.nominalVoltage);
    w.frequencyOk = w.frequencyOk && AtMost(std::fabs(f - settings_.nominalFrequency),
                                            kStandbyFrequencyTolerance * settings_.nominalFrequency);
    w.harmonicsOk = w.harmonicsOk && AtMost(h, kStandbyHarmonicContent);
    w.crestOk = w.crestOk && CrestWithin(crest);
    sumCurrentCrest_ += Finite(reading.currentCrest);
    sumPowerFactor_ += std::fabs(Finite(reading.powerFactor));

    Judge(t);
}

void StandbyTest::TimeReached(double seconds) {
    if (finished_) return;
    Judge(std::isfinite(seconds) ? seconds : judgedAt_);
}

void StandbyTest::Stop(double seconds) {
    if (finished_) return;
    stoppedAt_ = std::isfinite(seconds) ? std::max(seconds, 0.0) : judgedAt_;
    finished_ = true;
}

void StandbyTest::Judge(double now) {
    now = std::max(now, judgedAt_);
    if (!rows_.empty()) now = std::max(now, rows_.back().seconds);
    judgedAt_ = now;
    fit_ = FitAt(now);
    if (now < settings_.periodSeconds) return;
    const bool judgeable = fit_.valid && fit_.used >= static_cast<std::size_t>(kFewestStandbyReadings);
    if (judgeable && StandbySlopeStable(fit_.mean, fit_.slope)) finished_ = true;
    if (now >= settings_.maxSeconds) finished_ = true;
}

StandbyFit StandbyTest::FitAt(double now) {
    StandbyFit fit;
    fit.cutSeconds = now / 3;
    const std::size_t n = rows_.size();
    // The cut only moves forward, so each reading leaves the used part once.
    while (front_ < n && rows_[front_].seconds < fit.cutSeconds) ++front_;
    fit.first = front_;
    fit.used = n - front_;
    if (fit.used == 0) return fit;
    const Sums& a = prefix_[front_];
    const Sums& b = prefix_[n];
    const double m = static_cast<double>(fit.used);
    const double st = b.t - a.t, sp = b.p - a.p, stt = b.tt - a.tt, stp = b.tp - a.tp;
    const double tMean = st / m, pMean = sp / m;
    fit.mean = p0_ + pMean;
    fit.intercept = fit.mean;
    const double sxx = stt - st * tMean;
    const double sxy = stp - st * pMean;
    // Times that barely differ leave only rounding in sxx: no slope from them.
    if (fit.used >= 2 && sxx > 1e-9 * prefix_[n].tt && std::isfinite(sxy / sxx)) {
        const double perSecond = sxy / sxx;
        fit.slope = perSecond * 3600;
        fit.intercept = fit.mean - perSecond * (t0_ + tMean);
        fit.valid = true;
    }
    return fit;
}

double StandbyTest::MeanBetween(std::size_t from, std::size_t to) const {
    if (to <= from) return 0.0;
    return p0_ + (prefix_[to].p - prefix_[from].p) / static_cast<double>(to - from);
}

StandbyResult StandbyTest::Result() const {
    StandbyResult r;
    r.settings = settings_;
    r.finished = finished_;
    r.stoppedAfterSeconds = stoppedAt_;
    r.range = range_;
    r.readings = rows_.size();
    r.readingsUsed = fit_.used;
    r.elapsedSeconds = judgedAt_;
    r.cutSeconds = fit_.cutSeconds;
    r.meanPower = fit_.mean;
    r.slope = fit_.slope;
    r.slopeLimit = StandbySlopeLimit(fit_.mean);
    r.stable = fit_.valid && fit_.used >= static_cast<std::size_t>(kFewestStandbyReadings) &&
               StandbySlopeStable(fit_.mean, fit_.slope);
    r.supply = supply_;
    const std::size_t n = rows_.size();
    if (n >= 2 && rows_.back().seconds > rows_.front().seconds)
        r.readingsPerSecond = static_cast<double>(n - 1) / (rows_.back().seconds - rows_.front().seconds);
    if (n > 0) {
        r.currentCrest = sumCurrentCrest_ / static_cast<double>(n);
        r.powerFactor = sumPowerFactor_ / static_cast<double>(n);
        if (r.powerFactor > 0) r.mcr = r.currentCrest / r.powerFactor;
    }
    r.permittedUncertainty = r.meanPower >= 0.5 ? 0.02 * r.meanPower : 0.01;

    // The used part: [first, end) as of the last judgement.
    const std::size_t first = fit_.first, end = std::min(n, fit_.first + fit_.used);
    if (end > first) {
        const double middle = (rows_[first].seconds + rows_[end - 1].seconds) / 2;
        const auto split = std::lower_bound(rows_.begin() + static_cast<std::ptrdiff_t>(first),
                                            rows_.begin() + static_cast<std::ptrdiff_t>(end), middle,
                                            [](const Row& row, double t) { return row.seconds < t; });
        std::size_t half = static_cast<std::size_t>(split - rows_.begin());
        if (half == first) half = first + (end - first) / 2;
        r.firstHalfMean = MeanBetween(first, std::max(half, first + 1));
        r.secondHalfMean = half < end ? MeanBetween(half, end) : r.firstHalfMean;
        const double span = rows_[end - 1].seconds - rows_[first].seconds;
        const double kwh = static_cast<double>(energy_[end - 1]) - static_cast<double>(energy_[first]);
        if (kwh > 0 && span > 0) r.energyPower = kwh * 3.6e6 / span;
    }

    if (!finished_ || stoppedAt_) return r;
    if (!fit_.valid || fit_.used < static_cast<std::size_t>(kFewestStandbyReadings)) {
        r.error = UiText(kStandbyTooFewText).arg(static_cast<long long>(fit_.used));
        return r;
    }
    if (!r.stable)
        r.verdict = StandbyVerdict::NotStable;
    else
        r.verdict = r.meanPower <= settings_.limitWatts ? StandbyVerdict::Pass : StandbyVerdict::Fail;
    return r;
}

// ---- verdicts and texts ----

const char* StandbyVerdictText(StandbyVerdict verdict) {
    switch (verdict) {
        case StandbyVerdict::Pass: return "PASS";
        case StandbyVerdict::Fail: return "FAIL";
        case StandbyVerdict::NotStable: return "NOT STABLE";
    }
    return "FAIL";
}

UiText StandbyVerdictWord(const StandbyResult& result) {
    if (!result.verdict) return QT_TRANSLATE_NOOP("lxv", "NO VERDICT");
    switch (*result.verdict) {
        case StandbyVerdict::Pass: return QT_TRANSLATE_NOOP("lxv", "PASS");
        case StandbyVerdict::Fail: return QT_TRANSLATE_NOOP("lxv", "FAIL");
        case StandbyVerdict::NotStable: return QT_TRANSLATE_NOOP("lxv", "NOT STABLE");
    }
    return QT_TRANSLATE_NOOP("lxv", "FAIL");
}

int StandbyExitCode(const StandbyResult& result) {
    if (!result.verdict) return 1;
    switch (*result.verdict) {
        case StandbyVerdict::Pass: return result.withinConditions() ? 0 : 5;
        case StandbyVerdict::Fail: return 3;
        case StandbyVerdict::NotStable: return 6;
    }
    return 1;
}

std::string StandbyPowerText(double watts) {
    const double size = std::fabs(watts);
    return FormatFixed(watts, size < 10 ? 2 : size < 100 ? 1 : 0);
}

std::string SupplyFiguresText(const SupplyFigures& s) {
    return "voltage " + FormatFixed(s.worstVoltage, 2) + " V; frequency " + FormatFixed(s.worstFrequency, 3) +
           " Hz; harmonics " + FormatFixed(s.worstHarmonics * 100, 2) + " %; crest factor " +
           FormatFixed(s.worstCrest, 3);
}

std::vector<ConditionRow> StandbyConditions(const StandbyResult& r) {
    const StandbySettings& s = r.settings;
    const SupplyFigures& w = r.supply;
    const bool any = r.readings > 0;
    const auto row = [any](const char* name, UiText required, std::string worst, bool ok) {
        return ConditionRow{name, std::move(required), UiText("%1").arg(any ? std::move(worst) : "-"),
                            ok ? QT_TRANSLATE_NOOP("lxv", "ok") : QT_TRANSLATE_NOOP("lxv", "outside"), ok};
    };
    return {
        row(QT_TRANSLATE_NOOP("lxv", "Voltage"),
            UiText(QT_TRANSLATE_NOOP("lxv", "%1 V ± 1 %")).arg(FormatGeneral(s.nominalVoltage)),
            FormatFixed(w.worstVoltage, 2) + " V", w.voltageOk),
        row(QT_TRANSLATE_NOOP("lxv", "Frequency"),
            UiText(QT_TRANSLATE_NOOP("lxv", "%1 Hz ± 1 %")).arg(FormatGeneral(s.nominalFrequency)),
            FormatFixed(w.worstFrequency, 3) + " Hz", w.frequencyOk),
        row(QT_TRANSLATE_NOOP("lxv", "Voltage harmonics 2..13"), QT_TRANSLATE_NOOP("lxv", "at most 2 %"),
            FormatFixed(w.worstHarmonics * 100, 2) + " %", w.harmonicsOk),
        row(QT_TRANSLATE_NOOP("lxv", "Voltage crest factor"), QT_TRANSLATE_NOOP("lxv", "1.34 to 1.49"),
            FormatFixed(w.worstCrest, 3), w.crestOk),
        ConditionRow{QT_TRANSLATE_NOOP("lxv", "Period"), QT_TRANSLATE_NOOP("lxv", "at least 600 s"),
                     UiText("%1 s").arg(FormatGeneral(s.periodSeconds)),
                     r.periodShort() ? QT_TRANSLATE_NOOP("lxv", "outside") : QT_TRANSLATE_NOOP("lxv", "ok"),
                     !r.periodShort()},
    };
}

std::vector<UiText> StandbySummary(const StandbyResult& r) {
    const StandbySettings& s = r.settings;
    std::vector<UiText> lines;
    lines.push_back(UiText(QT_TRANSLATE_NOOP("lxv", "Period: %1 s, longest %2 s, limit %3 W"))
                        .arg(FormatGeneral(s.periodSeconds))
                        .arg(FormatGeneral(s.maxSeconds))
                        .arg(FormatGeneral(s.limitWatts)));
    lines.push_back(UiText(QT_TRANSLATE_NOOP("lxv", "Nominal supply: %1 V, %2 Hz"))
                        .arg(FormatGeneral(s.nominalVoltage))
                        .arg(FormatGeneral(s.nominalFrequency)));
    lines.push_back(UiText(QT_TRANSLATE_NOOP("lxv", "Readings: %1 in %2 s (%3 per second), %4 used from %5 s"))
                        .arg(static_cast<long long>(r.readings))
                        .arg(FormatRounded(r.elapsedSeconds, 1))
                        .arg(FormatRounded(r.readingsPerSecond, 2))
                        .arg(static_cast<long long>(r.readingsUsed))
                        .arg(FormatRounded(r.cutSeconds, 1)));
    lines.push_back(UiText(QT_TRANSLATE_NOOP("lxv", "Mean power: %1 W")).arg(StandbyPowerText(r.meanPower)));
    lines.push_back(UiText(QT_TRANSLATE_NOOP("lxv", "Slope: %1 W/h, allowed %2 W/h"))
                        .arg(FormatFixed(r.slope, 4))
                        .arg(FormatFixed(r.slopeLimit, 4)));
    lines.push_back(UiText(QT_TRANSLATE_NOOP("lxv", "Halves of the used part: %1 W and %2 W"))
                        .arg(FormatFixed(r.firstHalfMean, 4))
                        .arg(FormatFixed(r.secondHalfMean, 4)));
    if (r.energyPower)
        lines.push_back(UiText(QT_TRANSLATE_NOOP("lxv", "From the instrument's energy: %1 W"))
                            .arg(FormatFixed(*r.energyPower, 4)));
    lines.push_back(r.supply.ok()
                        ? UiText(QT_TRANSLATE_NOOP("lxv", "Supply: within the conditions (worst %1)"))
                              .arg(SupplyFiguresText(r.supply))
                        : UiText(QT_TRANSLATE_NOOP("lxv", "Supply: outside the conditions (worst %1)"))
                              .arg(SupplyFiguresText(r.supply)));
    lines.push_back(UiText(QT_TRANSLATE_NOOP("lxv", "Current crest factor: %1, power factor: %2, MCR: %3"))
                        .arg(FormatFixed(r.currentCrest, 2))
                        .arg(FormatFixed(r.powerFactor, 3))
                        .arg(r.mcr ? FormatFixed(*r.mcr, 2) : std::string("-")));
    lines.push_back(UiText(QT_TRANSLATE_NOOP("lxv", "Permitted uncertainty: %1 W"))
                        .arg(FormatFixed(r.permittedUncertainty, 4)));
    if (!r.range)
        lines.push_back(QT_TRANSLATE_NOOP("lxv", "Current range: not read"));
    else if (r.range->automatic)
        lines.push_back(QT_TRANSLATE_NOOP("lxv", "Current range: automatic"));
    else
        lines.push_back(UiText(QT_TRANSLATE_NOOP("lxv", "Current range: %1 (locked)")).arg(r.range->range));
    return lines;
}

std::vector<UiText> StandbyNotes(const StandbyResult& r) {
    std::vector<UiText> notes;
    if (!r.error.empty()) notes.push_back(r.error);
    if (r.stoppedAfterSeconds)
        notes.push_back(UiText(kStandbyStoppedText).arg(FormatRounded(*r.stoppedAfterSeconds, 0)));
    if (r.verdict == StandbyVerdict::NotStable)
        notes.push_back(UiText(kStandbyNotStableText)
                            .arg(FormatGeneral(r.settings.maxSeconds))
                            .arg(FormatFixed(r.slope, 4))
                            .arg(FormatFixed(r.slopeLimit, 4)));
    if (r.periodShort())
        notes.push_back(UiText(kStandbyShortPeriodText).arg(FormatGeneral(r.settings.periodSeconds)));
    if (!r.supply.ok() && r.readings > 0)
        notes.push_back(UiText(kStandbySupplyOutsideText).arg(SupplyFiguresText(r.supply)));
    if (r.range && r.range->automatic) notes.push_back(kStandbyAutoRangeText);
    notes.push_back(kStandbyNoteText);
    return notes;
}

std::string StandbyCsv(const StandbyTest& test, const StandbyResult& r, const std::string& date,
                       const std::string& instrument) {
    std::string csv = "time_s,power_W,voltage_V,current_A,pf,used\n";
    const auto& rows = test.rows();
    const StandbyFit& fit = test.fit();
    csv.reserve(csv.size() + rows.size() * 48 + 512);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto& row = rows[i];
        csv += FormatFixed(row.seconds, 3);
        csv += ',';
        csv += FormatShortestSingle(static_cast<float>(row.power));
        csv += ',';
        csv += FormatShortestSingle(row.voltage);
        csv += ',';
        csv += FormatShortestSingle(row.current);
        csv += ',';
        csv += FormatShortestSingle(row.powerFactor);
        csv += i >= fit.first && i < fit.first + fit.used ? ",1\n" : ",0\n";
    }
    csv += std::string("# verdict,") + (r.verdict ? StandbyVerdictText(*r.verdict) : "NONE") + '\n';
    csv += "# mean_power_W," + FormatGeneral(r.meanPower) + '\n';
    csv += "# slope_W_per_h," + FormatGeneral(r.slope) + '\n';
    csv += std::string("# stable,") + (r.stable ? "yes" : "no") + '\n';
    csv += "# period_s," + FormatGeneral(r.settings.periodSeconds) + '\n';
    csv += "# readings," + std::to_string(r.readings) + '\n';
    csv += "# readings_used," + std::to_string(r.readingsUsed) + '\n';
    csv += "# limit_W," + FormatGeneral(r.settings.limitWatts) + '\n';
    csv += "# supply," + (r.supply.ok() ? std::string("ok") : "outside: " + SupplyFiguresText(r.supply)) + '\n';
    csv += "# mcr," + (r.mcr ? FormatGeneral(*r.mcr) : std::string()) + '\n';
    csv += "# date," + CsvValue(date) + '\n';
    csv += "# instrument," + CsvValue(instrument) + '\n';
    std::string note = UiText(kStandbyNoteText).original();
    if (r.periodShort())
        note += ' ' + UiText(kStandbyShortPeriodText).arg(FormatGeneral(r.settings.periodSeconds)).original();
    csv += "# note," + CsvValue(note) + '\n';
    return csv;
}

}  // namespace lxv
