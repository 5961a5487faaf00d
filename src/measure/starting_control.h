// The starting test's transfer as plain logic: the start request with its
// range code, the trigger acknowledgement, the six chunk requests, the
// receive area that replaces the capture only when the sixth chunk is in, the
// window's status texts, and the re-request of an overdue chunk.
// It takes the trigger and chunk routes of the session's dispatcher in its
// constructor and keeps working whether or not its window is shown.
// Depends on: core/session_core.h, measure/starting_record.h. No Qt.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "measure/starting_record.h"
#include "platform/ui_text.h"

namespace lxv {

struct SessionCore;
class Timer;

// What the window does after a step of the transfer.
struct StartingEffects {
    const char* message = nullptr;  // a message box to show, or none
    bool statusChanged = false;     // show status() in the window's status bar
    bool captureComplete = false;   // the record holds a new capture: redraw the chart
};

inline constexpr const char* kStopMeasurementFirstText =
    QT_TRANSLATE_NOOP("lxv", "    请先停止连续测试！    ");
inline constexpr const char* kStartNotConnectedText =
    QT_TRANSLATE_NOOP("lxv", "请求读失败，仪器和电脑还没有连接。");
inline constexpr const char* kStartQuestionCaption = QT_TRANSLATE_NOOP("lxv", "启动测试");
inline constexpr const char* kStartQuestionText =
    QT_TRANSLATE_NOOP("lxv", "  单击确定后按下仪器的Starting开关!  ");
inline constexpr const char* kStartingIdleText = QT_TRANSLATE_NOOP("lxv", "Tavro");
inline constexpr const char* kStartRequestedText = QT_TRANSLATE_NOOP("lxv", "发送测试请求");
inline constexpr const char* kTriggeredText = QT_TRANSLATE_NOOP("lxv", "Successfully triggered");
inline constexpr const char* kReceivingText =
    QT_TRANSLATE_NOOP("lxv", "Receiving data%1");  // the chunk number
inline constexpr const char* kCompletedText = QT_TRANSLATE_NOOP("lxv", "Testing completed");
inline constexpr const char* kTransferFailedText = QT_TRANSLATE_NOOP("lxv", "Transfer failed at chunk %1");

// An overdue chunk is asked for again after this at `baud`: its time on the
// wire with the instrument's turnaround, at least 2 s.
int ChunkReplyWaitMs(int baud);
inline constexpr int kChunkRetries = 5;  // at most this many times, then the transfer fails

// Range code of the start request: current-range index x 16 + voltage-range index (0..3 each).
int StartingRangeCode(int currentIndex, int voltageIndex);

class StartingControl {
  public:
    // Registers the trigger and chunk routes on the session's dispatcher.
    explicit StartingControl(SessionCore& core);
    ~StartingControl();
    StartingControl(const StartingControl&) = delete;
    StartingControl& operator=(const StartingControl&) = delete;

    // Where the effects of received frames and timer ticks go (the window applies them).
    void setEffectsHandler(std::function<void(const StartingEffects&)> h) { effects_ = std::move(h); }
    // Called with the record each time a capture is complete, after the window's effects.
    void subscribeCapture(std::function<void(const StartingRecord&)> listener);

    // A measurement runs: the start is refused with this message (nothing is
    // sent); nullptr when a start may be asked for.
    const char* StartRefusal() const;
    // Sends the start request (after the user confirmed); the message says
    // when the port is not open, the status and state are set all the same.
    StartingEffects Start(int currentIndex, int voltageIndex);

    // Dispatcher routes: the start acknowledgement and one chunk's 1708 bytes.
    void Triggered();
    // `chunk` is the chunk number its request asked for; only the one asked for now is taken.
    void ChunkReceived(const std::uint8_t* data, int chunk);
    // The chunk timer ran out: the chunk is asked for again, or the transfer fails.
    void ChunkOverdue();

    const StartingRecord& record() const { return record_; }
    int chunkIndex() const { return chunkIndex_; }  // 0 when no transfer runs
    std::string status() const { return status_.original(); }
    const UiText& statusText() const { return status_; }

  private:
    StartingEffects SetStatus(UiText text);
    void RequestChunk(int chunk);
    void Publish(const StartingEffects& effects);

    SessionCore& core_;
    StartingRecord record_;
    std::array<std::uint8_t, kStartingRecordSize> receiveArea_{};
    int chunkIndex_ = 0;
    int retries_ = 0;
    unsigned chunksIn_ = 0;  // bit k-1: chunk k of this transfer is in the receive area
    UiText status_ = kStartingIdleText;
    std::unique_ptr<Timer> chunkTimer_;
    std::function<void(const StartingEffects&)> effects_;
    std::vector<std::function<void(const StartingRecord&)>> captureListeners_;
};

}  // namespace lxv
