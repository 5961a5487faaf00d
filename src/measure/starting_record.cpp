#include "measure/starting_record.h"

namespace lxv {

void ResetStartingRecord(StartingRecord& record) {
    record.setUScale(1.0f);
    record.setIScale(1.0f);
    for (int k = 0; k < kCaptureSamples; ++k) {
        record.setUCapture(k, kCaptureStartCode);
        record.setICapture(k, kCaptureStartCode);
    }
}

}  // namespace lxv
