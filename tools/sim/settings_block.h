// The instrument's settings block (register SETUP) as the simulated
// instrument stores it, and the fields of it that change its readings. The
// block's layout is the program's own (instrument/instrument_settings.h).
#pragma once

#include "instrument/instrument_settings.h"

namespace lxv::sim {

// Stored exactly as written, so a save and a read give back the same bytes.
using SettingsBytes = InstrumentSettings::Bytes;

// What the stored settings mean for the readings.
struct ReadingScale {
    double vtRatio = 1.0;  // reported volts = input volts x ratio
    double ctRatio = 1.0;  // reported amperes = input amperes x ratio
    bool thdRelativeToRms = false;
    int lockedCurrentRange = 0;  // 1..4 when the range is locked, 0 for automatic
};

// The factory block, as bytes.
inline SettingsBytes FactorySettings() {
    return InstrumentSettings::Factory().Encode();
}

// A ratio that is not a positive finite number is ignored (taken as 1), as the
// instrument would rather show input values than zeros or infinities.
ReadingScale ReadingScaleOf(const SettingsBytes& settings);

}  // namespace lxv::sim
