// A port that is always open and swallows every frame: for benchmarks and
// fuzzers that exercise the receive path without anything on the wire.
#pragma once

#include <vector>

#include "platform/serial_port.h"

namespace lxv::test {

class NullSerialPort : public SerialPort {
  public:
    std::vector<PortInfo> enumerate() override { return {}; }
    bool probe(int) override { return true; }
    void open(int, int) override {}
    void close() override {}
    bool isOpen() const override { return true; }
    int portNumber() const override { return 1; }
    void setBaudRate(int) override {}
    bool write(const std::uint8_t*, std::size_t size) override { return size <= 128; }
    std::vector<std::uint8_t> readAll() override { return {}; }
};

}  // namespace lxv::test
