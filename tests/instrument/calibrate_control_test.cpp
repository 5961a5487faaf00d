#include "instrument/calibrate_control.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>

#include "instrument/alarm_control.h"
#include "instrument/instrument_settings.h"
#include "instrument/settings_control.h"
#include "instrument_fixture.h"
#include "core/measure_block.h"

namespace lxv::test {
namespace {

class CalibrateControlTest : public ::testing::Test, protected InstrumentRig {
  protected:
    CalibrateControlTest() { port.present.insert(3); }
    SettingsControl settings{core};
    int opened = 0;
    CalibrateControl control{core, settings, [this] {
                                 ++opened;
                                 port.open(3, 14400);
                             }};
};

TEST_F(CalibrateControlTest, EachCommandSendsItsBytes) {
    using C = CalibrateControl;
    struct Case {
        const char* what;
        std::function<ConfigEffects(C&)> action;
        const char* message;             // nothing sent when set
        std::uint16_t reg;               // else: the register written ...
        std::vector<std::uint8_t> data;  // ... with these data bytes
        const char* narrow;              // Edit7 afterwards, when checked
    };
    const Case cases[] = {
        {"phase 1",
         [](C& c) {
             c.fields.phase = {"1", "0"};
             return c.WritePhase(PhaseRow::Narrow);
         },
         nullptr, IPHN, FloatBytes(static_cast<float>(1.0 / 360 * 0.02)), "1"},
        {"phase 30",
         [](C& c) {
             c.fields.phase = {"30", "0"};
             return c.WritePhase(PhaseRow::Narrow);
         },
         nullptr, IPHN, FloatBytes(static_cast<float>(30.0 / 360 * 0.02)), "30"},
        {"phase 30.1",
         [](C& c) {
             c.fields.phase = {"30.1", "0"};
             return c.WritePhase(PhaseRow::Narrow);
         },
         kPhaseTooLargeText,
         0,
         {},
         "30.1"},
        {"phase -30.1",
         [](C& c) {
             c.fields.phase = {"0", "0"};
             return c.Nudge(PhaseRow::Narrow, -30.1);
         },
         kPhaseTooSmallText,
         0,
         {},
         "-30.1"},
        {"+0.01 on 0",
         [](C& c) {
             c.fields.phase = {"0", "0"};
             return c.Nudge(PhaseRow::Narrow, 0.01);
         },
         nullptr, IPHN, FloatBytes(static_cast<float>(0.01 / 360 * 0.02)), "0.01"},
        {"-0.1 on an empty field",
         [](C& c) {
             c.fields.phase = {"", "0"};
             return c.Nudge(PhaseRow::Narrow, -0.1);
         },
         "窄频: '' is not a valid floating point value",
         0,
         {},
         ""},
        {"+1.3 with -0.2",
         [](C& c) {
             c.fields.phase = {"0", "-0.2"};
             return c.PlusOnePointThree();
         },
         nullptr, IPHN, FloatBytes(static_cast<float>(1.1 / 360 * 0.02)), "1.1"},
        {"voltage 320",
         [](C& c) {
             c.fields.voltage = "320";
             return c.CalibrateVoltage();
         },
         nullptr, CALU, Hex("00 00 A0 43"), nullptr},
        {"current 0.02A",
         [](C& c) {
             c.fields.current = "0.02";
             return c.CalibrateCurrent();
         },
         nullptr, CALI, FloatBytes(0.02f), nullptr},
        {"unlock", [](C& c) { return c.Unlock(); }, nullptr, CALLOCK, Hex("6B 00 00 00"), nullptr},
        {"range 3", [](C& c) { return c.Range(3); }, nullptr, SETUP,
         Hex("00000000 0000803F 0000803F 00 00 0A 01 01 00 03"), nullptr},
        {"factory", [](C& c) { return c.Factory(); }, nullptr, SETUP,
         Hex("00000000 0000803F 0000803F 00 00 0A 01 00 00 04"), nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        core.requests.lineReset();  // the last write's acknowledgement is not awaited here
        const std::size_t frames = port.written.size();
        const ConfigEffects fx = c.action(control);
        if (c.narrow) {
            EXPECT_EQ(control.fields.phase[0], c.narrow);
        }
        if (c.message) {
            EXPECT_EQ(fx.message, c.message);
            EXPECT_EQ(port.written.size(), frames);
            continue;
        }
        EXPECT_EQ(fx.message, "");
        ASSERT_EQ(port.written.size(), frames + 1);
        EXPECT_EQ(sentRegister(), c.reg);
        EXPECT_EQ(sentData(), c.data);
    }
}

TEST_F(CalibrateControlTest, ReadsPhasesAndFollowsTheMeasurement) {
    // The narrowband phase 1 comes back as 1.00000001111766.
    EXPECT_EQ(control.ReadPhase(PhaseRow::Narrow).message, "");
    EXPECT_EQ(port.lastWritten(), WithCrc({1, 3, 0, IPHN, 0, 2}));
    replyFloat(static_cast<float>(1.0 / 360 * 0.02));
    EXPECT_EQ(control.fields.phase[0], "1.00000001111766");
    // An unanswered read is given up after three more and frees the routing.
    control.ReadPhase(PhaseRow::Broad);
    for (int k = 0; k < 4; ++k) ASSERT_TRUE(timers.fire("PhaseReadRetryTimer"));
    EXPECT_EQ(control.status(), "Transfer failed at IPHW");
    EXPECT_FALSE(core.requests.pending(&control));
    replyFloat(1.0f);
    EXPECT_EQ(control.fields.phase[1], "0");

    // Label8 and Label9 follow every accepted block, to two decimals and three spaces.
    MeasureRecord record;
    for (int n = 0; n < kSampleCount; ++n) {
        const double a = 2 * std::numbers::pi * n / 128;
        record.setUSample(n, static_cast<std::uint16_t>(std::lround(2047 + 1500 * std::sin(a))));
        record.setISample(n, static_cast<std::uint16_t>(std::lround(2047 + 1500 * std::sin(a - 0.5236))));
    }
    core.measurements.publish(record);
    EXPECT_EQ(control.fields.label8, "0   ");
    EXPECT_EQ(control.fields.label9, "-30   ");

    // A closed port: calibration opens it first; the reads and commands say they failed.
    port.close();
    control.fields.current = "0.02";
    EXPECT_EQ(control.CalibrateCurrent().message, "");
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(sentData(), FloatBytes(0.02f));
    port.close();
    EXPECT_EQ(control.ReadPhase(PhaseRow::Narrow).message, kSyncFailedText);
    EXPECT_EQ(control.Unlock().message, kCommandFailedText);
    EXPECT_FALSE(core.requests.pending(&control));
}

}  // namespace
}  // namespace lxv::test
