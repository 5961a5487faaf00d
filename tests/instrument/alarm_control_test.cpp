#include "instrument/alarm_control.h"

#include <gtest/gtest.h>

#include "instrument/settings_control.h"
#include "instrument_fixture.h"

namespace lxv::test {
namespace {

class AlarmControlTest : public ::testing::Test, protected InstrumentRig {
  protected:
    AlarmControl control{core};
};

TEST_F(AlarmControlTest, TheReadChainPullsEachRegisterAfterTheReplyBefore) {
    const float limits[8] = {300.0f, 0.95f, 20.5f, 0.0f, 6000.0f, 1e-5f, 1.0f, 0.12345f};
    const char* shown[8] = {"300",  "0.95", "20.5", "0",
                            "6000", "0",    "1",    "0.1235"};  // rounded to four decimals
    EXPECT_EQ(control.Open().message, "");
    EXPECT_EQ(control.label7(), "Request data!......");
    for (int k = 0; k < 8; ++k) {
        ASSERT_EQ(sentRegister(), AL1H + k);
        EXPECT_EQ(port.lastWritten(), WithCrc({1, 3, 0, static_cast<std::uint8_t>(AL1H + k), 0, 2}));
        EXPECT_EQ(core.state.LastRegister, AL1H + k);
        replyFloat(limits[k]);
        EXPECT_EQ(control.fields.limits[k], shown[k]);
    }
    ASSERT_EQ(sentRegister(), ALSW);
    reply({0x05, 0, 0, 0});
    EXPECT_EQ(control.fields.enabled,
              (std::array<bool, 8>{true, false, true, false, false, false, false, false}));
    EXPECT_EQ(control.AlarmReadStep(), 9);
    EXPECT_EQ(control.label7(), kSynchronizedText);
    EXPECT_EQ(core.status.text(0), kSynchronizedText);
    EXPECT_FALSE(control.busy());
    // A late reply for a past step updates its field and starts no second chain.
    const std::size_t frames = port.written.size();
    core.requests.read(AL1H, kAlarmCount, Expect::Register);
    replyFloat(250.0f);
    EXPECT_EQ(control.fields.limits[0], "250");
    EXPECT_EQ(port.written.size(), frames + 1);
}

TEST_F(AlarmControlTest, TheWriteChainSendsEachLimitAfterTheAcknowledgementBefore) {
    struct Case {
        const char* what;
        std::array<const char*, 8> texts;
        std::array<bool, 8> enabled;
        std::uint8_t flags;
        const char* message;  // refused: nothing stored or sent
    };
    const Case cases[] = {
        {"limits as typed", {"300", "0.95", "20", "", "6000", "0", "1", "0"}, {}, 0x00, nullptr},
        {"first and third enabled",
         {"1", "2", "3", "4", "5", "6", "7", "8"},
         {true, false, true, false, false, false, false, false},
         0x05,
         nullptr},
        {"two points",
         {"1", "2", "3", "4", "5.5.5", "6", "x", "8"},
         {},
         0,
         "功率 上限值: '5.5.5' is not a valid floating point value"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (int n = 0; n < 8; ++n) control.fields.limits[n] = c.texts[n];
        control.fields.enabled = c.enabled;
        const AlarmLimits before = control.limits();
        const std::size_t frames = port.written.size();
        const ConfigEffects fx = control.Save();
        if (c.message) {
            EXPECT_EQ(fx.message, c.message);
            EXPECT_EQ(port.written.size(), frames);
            EXPECT_EQ(control.limits().limits, before.limits);
            EXPECT_FALSE(control.busy());
            continue;
        }
        EXPECT_EQ(control.label7(), "正在传输数据到仪器。");
        for (int k = 0; k < 8; ++k) {
            ASSERT_EQ(port.written.size(), frames + k + 1);  // nothing ahead of its acknowledgement
            EXPECT_EQ(sentRegister(), AL1H + k);
            const float typed = *c.texts[k] ? std::stof(c.texts[k]) : 0.0f;
            EXPECT_EQ(sentData(), FloatBytes(typed));
            control.fields.limits[k] = "999";  // the stored value goes out, not the field
            ack(AL1H + k);
            EXPECT_EQ(control.label7(), k < 7 ? "Sending " + std::string(RegisterName(AL1H + k + 1))
                                              : std::string("Data transfer is complete."));
        }
        EXPECT_EQ(sentRegister(), ALSW);
        EXPECT_EQ(sentData(), (std::vector<std::uint8_t>{c.flags, 0, 0, 0}));
        ack(ALSW);
        EXPECT_EQ(control.label7(), "Data transmission completed.");
        EXPECT_FALSE(control.busy());
        EXPECT_EQ(port.written.size(), frames + 9);
    }
}

TEST_F(AlarmControlTest, AStepWithoutAnswerIsSentAgainThenReported) {
    control.Save();
    ack(AL1H);
    // The acknowledgement of AL1L is lost once: the write goes out again and the chain goes on.
    ASSERT_TRUE(timers.fire("AlarmRetryTimer"));
    EXPECT_EQ(sentRegister(), AL1L);
    EXPECT_EQ(sentRegister(1), AL1L);
    ack(AL1L);
    ack(AL1L);  // a repeated acknowledgement does not start a second chain
    EXPECT_EQ(sentRegister(), AL2H);
    EXPECT_EQ(sentRegister(1), AL1L);
    // AL2H never answered: three more writes, then the failure is shown.
    for (int k = 0; k < 3; ++k) ASSERT_TRUE(timers.fire("AlarmRetryTimer"));
    EXPECT_TRUE(control.busy());
    const std::size_t frames = port.written.size();
    ASSERT_TRUE(timers.fire("AlarmRetryTimer"));
    EXPECT_EQ(control.label7(), "Transfer failed at AL2H");
    EXPECT_FALSE(control.busy());
    ack(AL2H);  // late: changes nothing
    EXPECT_EQ(control.label7(), "Transfer failed at AL2H");
    EXPECT_EQ(port.written.size(), frames);

    // The read chain gives its read up the same way and frees the routing.
    control.Read();
    replyFloat(1.0f);
    for (int k = 0; k < 4; ++k) ASSERT_TRUE(timers.fire("AlarmRetryTimer"));
    EXPECT_EQ(control.label7(), "Transfer failed at AL1L");
    EXPECT_FALSE(core.requests.pending(&control));
    replyFloat(7.0f);  // late
    EXPECT_EQ(control.fields.limits[1], "0");
    // A closed port: the read start says so at once.
    port.open_ = false;
    EXPECT_EQ(control.Open().message, kAlarmOpenFailedText);
    EXPECT_EQ(control.Read().message, kSyncFailedText);
    EXPECT_FALSE(core.requests.pending(&control));

    // A read in the middle of the chain that cannot be sent is told by a message box, once.
    std::vector<std::string> shown;
    control.setMessageHandler([&](const std::string& text) { shown.push_back(text); });
    port.open_ = true;
    control.Read();
    replyFloat(300.0f);
    port.refuseWrites = true;
    replyFloat(0.0f);
    EXPECT_EQ(shown, std::vector<std::string>{kReadRequestFailedText});
    EXPECT_EQ(control.label7(), "Transfer failed at AL2H");
    EXPECT_EQ(control.AlarmReadStep(), 2);
    EXPECT_FALSE(core.requests.pending(&control));
    replyFloat(5.0f);  // late: nothing more
    EXPECT_EQ(shown.size(), 1u);
}

}  // namespace
}  // namespace lxv::test
