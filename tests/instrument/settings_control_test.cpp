#include "instrument/settings_control.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "instrument_fixture.h"

namespace lxv::test {
namespace {

using Fields = SettingsFields;

class SettingsControlTest : public ::testing::Test, protected InstrumentRig {
  protected:
    SettingsControl control{core};
};

TEST_F(SettingsControlTest, SavesWhatTheFieldsSayAndReadsItBack) {
    struct Case {
        const char* what;
        std::function<void(Fields&)> edit;
        const char* message;                            // refused with this message, nothing sent
        std::optional<std::vector<std::uint8_t>> sent;  // the 19 bytes, when checked whole
        const char* angleBack;                          // Edit1 after the block is read back
        const char* ctBack;
    };
    const std::vector<std::uint8_t> defaults = Hex("00000000 0000803F 0000803F 00 00 0A 01 00 00 04");
    const Case cases[] = {
        {"angle 9 at 50 Hz", [](Fields& f) { f.angle = "9"; }, nullptr,
         Hex("6F12033A 0000803F 0000803F 00 00 0A 01 00 00 01"), "9.00000042747706", "1"},
        {"angle 9 at 60 Hz",
         [](Fields& f) {
             f.angle = "9";
             f.frequencyItem = 1;
         },
         nullptr, Hex("0E74DA39 0000803F 0000803F 00 00 0A 01 00 00 01"), "7.5000001816079", "1"},
        {"ratio 0.1", [](Fields& f) { f.ctRatio = "0.1"; }, nullptr, std::nullopt, "0", "0.100000001490116"},
        {"angle 30", [](Fields& f) { f.angle = "30"; }, nullptr, std::nullopt, "30.0000007264316", "1"},
        {"angle -30", [](Fields& f) { f.angle = "-30"; }, nullptr, std::nullopt, "-30.0000007264316", "1"},
        {"angle 30.01", [](Fields& f) { f.angle = "30.01"; }, kAngleTooLargeText, std::nullopt, "", ""},
        {"angle -30.01", [](Fields& f) { f.angle = "-30.01"; }, kAngleTooSmallText, std::nullopt, "", ""},
        {"two points, angle fine",
         [](Fields& f) {
             f.angle = "5";
             f.ctRatio = "1.2.3";
         },
         "Current transformer ratio: '1.2.3' is not a valid floating point value", std::nullopt, "", ""},
        {"empty ratio is 0", [](Fields& f) { f.ctRatio = ""; }, nullptr, std::nullopt, "0", "0"},
        {"Default", [this](Fields&) { control.Default(); }, nullptr, defaults, "0", "1"},
        {"locked range 2, broadband, %R, filter 3 on",
         [](Fields& f) {
             f.range = Fields::Range::Lock;
             f.rangeItem = 1;
             f.bandwidth = 1;
             f.thdAlgorithm = 1;
             f.filterItem = 2;
             f.filterOn = true;
         },
         nullptr, Hex("00000000 0000803F 0000803F 01 01 03 00 01 00 02"), "0", "1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        control.fields = Fields{};
        control.fields.range = Fields::Range::Auto;
        const InstrumentSettings before = control.settingsCopy();
        const std::size_t frames = port.written.size();
        c.edit(control.fields);
        const ConfigEffects fx = control.Save();
        if (c.message) {
            EXPECT_EQ(fx.message, c.message);
            EXPECT_EQ(port.written.size(), frames);
            EXPECT_EQ(control.settingsCopy().Encode(), before.Encode());
            continue;
        }
        EXPECT_EQ(fx.message, "");
        ASSERT_EQ(port.written.size(), frames + 1);
        const auto& frame = port.lastWritten();
        ASSERT_EQ(frame.size(), 28u);
        EXPECT_EQ(std::vector<std::uint8_t>(frame.begin(), frame.begin() + 7), Hex("01 10 00 BC 00 09 13"));
        const std::vector<std::uint8_t> block = sentData();
        if (c.sent) {
            EXPECT_EQ(block, *c.sent);
        }
        EXPECT_EQ(control.status(), "Data is being transmitted to the instrument");
        ack(SETUP);
        EXPECT_EQ(control.status(), "Successfully write data to the instrument");
        control.fields = Fields{};
        EXPECT_EQ(control.Read().message, "");
        reply(block);
        EXPECT_EQ(control.fields.angle, c.angleBack);
        EXPECT_EQ(control.fields.ctRatio, c.ctBack);
        EXPECT_EQ(control.status(), kSynchronizedText);
    }
}

TEST_F(SettingsControlTest, KeepsTheReservedByteAndShowsTheBandwidth) {
    // The start-up read (count 2) brings a block: panels 0 and 1, fields, and the reserved byte.
    core.requests.read(SETUP, kSetupStartCount, Expect::Register);
    reply(Hex("00000000 0000803F 0000803F 01 00 00 01 01 A5 00"));
    EXPECT_EQ(core.status.text(0), kSynchronizedText);
    EXPECT_EQ(core.status.text(1), "Broadband");
    EXPECT_EQ(control.fields.filterItem, -1);  // coefficient 0: no item chosen
    EXPECT_EQ(control.fields.rangeItem, -1);
    EXPECT_EQ(control.fields.range, Fields::Range::Lock);
    control.Default();
    control.Save();
    EXPECT_EQ(sentData(), Hex("00000000 0000803F 0000803F 00 00 0A 01 00 A5 04"));
    EXPECT_EQ(core.status.text(1), "Status: narrowband");
}

TEST_F(SettingsControlTest, AnUnansweredStepIsSentThreeTimesMoreThenReported) {
    for (bool reading : {false, true}) {
        SCOPED_TRACE(reading ? "read" : "save");
        const std::size_t frames = port.written.size();
        reading ? control.Read() : control.Save();
        EXPECT_TRUE(control.busy());
        for (int k = 0; k < 3; ++k) ASSERT_TRUE(timers.fire("SettingsRetryTimer"));
        ASSERT_EQ(port.written.size(), frames + 4);
        EXPECT_EQ(port.written[frames], port.lastWritten());  // sent again exactly
        ASSERT_TRUE(timers.fire("SettingsRetryTimer"));
        EXPECT_EQ(port.written.size(), frames + 4);
        EXPECT_EQ(control.status(), "Transfer failed at SETUP");
        EXPECT_FALSE(control.busy());
        EXPECT_FALSE(core.requests.pending(&control));
        // A late answer changes nothing.
        const Fields before = control.fields;
        reading ? reply(std::vector<std::uint8_t>(19, 0)) : ack(SETUP);
        EXPECT_EQ(control.status(), "Transfer failed at SETUP");
        EXPECT_EQ(control.fields.angle, before.angle);
    }
    port.open_ = false;
    EXPECT_EQ(control.Read().message, kReadFailedText);
    EXPECT_FALSE(core.requests.pending(&control));
}

}  // namespace
}  // namespace lxv::test
