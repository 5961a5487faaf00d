// An in-memory serial port: records what is written, queues what the test
// "receives", and can be opened, closed, made busy or made to refuse writes.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "platform/serial_port.h"

namespace lxv::test {

class FakeSerialPort : public SerialPort {
  public:
    std::vector<PortInfo> ports;  // what enumerate() returns
    std::set<int> present;        // numbers that can be probed and opened
    std::set<int> busy;           // present but held by another program
    std::set<int> failOpen;       // probe succeeds, open fails (taken in between)
    bool refuseWrites = false;
    bool open_ = false;
    int number_ = 0;
    int baud_ = 0;
    int openCount = 0;
    int closeCount = 0;
    std::vector<std::vector<std::uint8_t>> written;
    std::vector<std::uint8_t> queued;

    // `ports`, plus a plain entry for each present number that `ports` leaves out.
    std::vector<PortInfo> enumerate() override {
        std::vector<PortInfo> out = ports;
        for (int n : present) {
            bool listed = false;
            for (const PortInfo& p : ports) listed = listed || p.number == n;
            if (!listed)
                out.push_back({n, "/dev/fake" + std::to_string(n), "SERIAL\\fake",
                               "Communications Port (COM" + std::to_string(n) + ")"});
        }
        return out;
    }
    bool probe(int n) override { return present.count(n) && !busy.count(n) && !(open_ && n == number_); }
    void open(int n, int baud) override {
        if (open_) throw PortError(kPortAlreadyOpenText);
        if (!present.count(n) || busy.count(n) || failOpen.count(n)) throw PortError(kPortOpenFailedText);
        open_ = true;
        number_ = n;
        baud_ = baud;
        ++openCount;
    }
    void close() override {
        if (open_) ++closeCount;
        open_ = false;
    }
    bool isOpen() const override { return open_; }
    int portNumber() const override { return number_; }
    void setBaudRate(int baud) override { baud_ = baud; }
    bool write(const std::uint8_t* d, std::size_t n) override {
        if (!open_ || refuseWrites) return false;
        written.emplace_back(d, d + n);
        return true;
    }
    std::size_t bytesWaiting() const override { return open_ ? queued.size() : 0; }
    std::vector<std::uint8_t> readAll() override {
        std::vector<std::uint8_t> out;
        out.swap(queued);
        if (out.size() > 4096) out.clear();
        return out;
    }

    // Queues bytes as if they arrived and raises the received-data event.
    void receive(const std::vector<std::uint8_t>& bytes) {
        queued.insert(queued.end(), bytes.begin(), bytes.end());
        notifyData();
    }
    // The device went away: the port closes itself and says so.
    void loseDevice() {
        open_ = false;
        notifyClosed();
    }
    const std::vector<std::uint8_t>& lastWritten() const {
        static const std::vector<std::uint8_t> none;
        return written.empty() ? none : written.back();
    }
};

// Bytes from a hex string such as "01 03 00 94".
inline std::vector<std::uint8_t> Hex(const std::string& text) {
    std::vector<std::uint8_t> out;
    int nibbles = 0, value = 0;
    for (char c : text) {
        int v;
        if (c >= '0' && c <= '9')
            v = c - '0';
        else if (c >= 'a' && c <= 'f')
            v = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            v = c - 'A' + 10;
        else
            continue;
        value = value * 16 + v;
        if (++nibbles == 2) {
            out.push_back(static_cast<std::uint8_t>(value));
            nibbles = value = 0;
        }
    }
    return out;
}

// True when `frame` is a read request for `reg` with `count`.
inline bool IsRead(const std::vector<std::uint8_t>& frame, std::uint16_t reg, std::uint16_t count) {
    return frame.size() == 8 && frame[1] == 3 && frame[2] == (reg >> 8) && frame[3] == (reg & 0xFF) &&
           frame[4] == (count >> 8) && frame[5] == (count & 0xFF);
}

// A reply body with its CRC appended, low byte first.
std::vector<std::uint8_t> WithCrc(std::vector<std::uint8_t> body);

// The 2532-byte reply of a block of the start values with `urms` as its voltage.
std::vector<std::uint8_t> MeasureReplyOf(float urms);

}  // namespace lxv::test
