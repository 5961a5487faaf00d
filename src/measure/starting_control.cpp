#include "measure/starting_control.h"

#include <algorithm>
#include <cstring>

#include "link/registers.h"
#include "core/reply_assembler.h"
#include "core/session_core.h"

namespace lxv {

int ChunkReplyWaitMs(int baud) {
    return ReplyWaitMs(baud, Request::Read(STEST, ChunkCount(1), Expect::Chunk));
}

int StartingRangeCode(int currentIndex, int voltageIndex) {
    return std::clamp(currentIndex, 0, 3) * 16 + std::clamp(voltageIndex, 0, 3);
}

StartingControl::StartingControl(SessionCore& core)
    : core_(core), chunkTimer_(core.timers.create("StartingChunkTimer", true)) {
    ResetStartingRecord(record_);
    chunkTimer_->setHandler([this] { ChunkOverdue(); });
    core_.dispatcher.setTriggerHandler([this] { Triggered(); });
    core_.dispatcher.setChunkHandler([this](const std::uint8_t* data, int chunk) { ChunkReceived(data, chunk); });
}

StartingControl::~StartingControl() {
    core_.dispatcher.setTriggerHandler({});
    core_.dispatcher.setChunkHandler({});
}

void StartingControl::subscribeCapture(std::function<void(const StartingRecord&)> listener) {
    captureListeners_.push_back(std::move(listener));
}

const char* StartingControl::StartRefusal() const {
    return core_.state.MeasureMode != MeasureMode::Idle ? kStopMeasurementFirstText : nullptr;
}

StartingEffects StartingControl::Start(int currentIndex, int voltageIndex) {
    // A transfer under way is abandoned: its chunks would land in the new one.
    chunkTimer_->stop();
    chunkIndex_ = 0;
    chunksIn_ = 0;
    core_.requests.cancel(this);
    const auto code = static_cast<std::uint16_t>(StartingRangeCode(currentIndex, voltageIndex));
    // Nothing comes back until the Starting switch is pressed: the line stays free meanwhile.
    const bool sent = core_.requests.read(STEST, code, Expect::Nothing, this);
    StartingEffects e = SetStatus(kStartRequestedText);
    if (!sent) e.message = kStartNotConnectedText;
    return e;
}

void StartingControl::Triggered() {
    chunksIn_ = 0;
    RequestChunk(1);
    Publish(SetStatus(kTriggeredText));
}

void StartingControl::ChunkReceived(const std::uint8_t* data, int chunk) {
    // No trigger seen: the chunk has no slot, and nothing more is asked for.
    if (chunkIndex_ < 1 || chunkIndex_ > kStartingChunks) return;
    // The answer to another chunk's request (one asked for again that came
    // late) fills no slot: the capture holds each chunk where it belongs.
    if (chunk != chunkIndex_) return;
    chunksIn_ |= 1u << (chunkIndex_ - 1);
    std::memcpy(receiveArea_.data() + static_cast<std::size_t>(chunkIndex_ - 1) * kChunkSize, data,
                kChunkSize);
    if (chunkIndex_ < kStartingChunks) {
        const int next = chunkIndex_ + 1;
        RequestChunk(next);
        Publish(SetStatus(UiText(kReceivingText).arg(next)));
        return;
    }
    chunkTimer_->stop();
    chunkIndex_ = 0;
    // Complete only when every chunk asked for is in.
    if (chunksIn_ != (1u << kStartingChunks) - 1) {
        Publish(SetStatus(UiText(kTransferFailedText).arg(kStartingChunks)));
        return;
    }
    record_.bytes() = receiveArea_;
    StartingEffects e = SetStatus(kCompletedText);
    e.captureComplete = true;
    Publish(e);
    for (const auto& listener : captureListeners_) listener(record_);
}

void StartingControl::ChunkOverdue() {
    if (chunkIndex_ == 0) return;
    if (retries_ < kChunkRetries) {
        ++retries_;
        core_.requests.read(STEST, ChunkCount(chunkIndex_), Expect::Chunk, this);
        chunkTimer_->start(ChunkReplyWaitMs(BaudRateForIndex(core_.state.BaudIndex)));
        return;
    }
    const int failed = chunkIndex_;
    chunkIndex_ = 0;
    Publish(SetStatus(UiText(kTransferFailedText).arg(failed)));
}

void StartingControl::RequestChunk(int chunk) {
    chunkIndex_ = chunk;
    retries_ = 0;
    // A failed send is retried by the chunk timer like a lost reply.
    core_.requests.read(STEST, ChunkCount(chunk), Expect::Chunk, this);
    chunkTimer_->start(ChunkReplyWaitMs(BaudRateForIndex(core_.state.BaudIndex)));
}

StartingEffects StartingControl::SetStatus(UiText text) {
    status_ = std::move(text);
    StartingEffects e;
    e.statusChanged = true;
    return e;
}

void StartingControl::Publish(const StartingEffects& effects) {
    if (effects_) effects_(effects);
}

}  // namespace lxv
