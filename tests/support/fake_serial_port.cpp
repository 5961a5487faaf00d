#include "support/fake_serial_port.h"

#include "link/frame_codec.h"
#include "core/measure_block.h"

namespace lxv::test {

std::vector<std::uint8_t> WithCrc(std::vector<std::uint8_t> body) {
    const std::uint16_t crc = Crc16(body.data(), body.size());
    body.push_back(static_cast<std::uint8_t>(crc & 0xFF));
    body.push_back(static_cast<std::uint8_t>(crc >> 8));
    return body;
}

std::vector<std::uint8_t> MeasureReplyOf(float urms) {
    MeasureRecord r;
    ResetMeasurement(r);
    r.setScalar(Scalar::URMS, urms);
    return WithCrc({r.data(), r.data() + kBlockSize});
}

}  // namespace lxv::test
