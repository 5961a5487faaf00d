// Texts of the --trace output: bytes in hex and a decode of each request and
// reply (register name, count or data, reply kind).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lxv::sim {

// "01 03 00 94 ..."; beyond `limit` bytes only the first 16 and the last 4
// are written, with the number left out between them.
std::string HexText(const std::vector<std::uint8_t>& bytes, std::size_t limit = 64);

// "read MEAS (148) count 2", "write SETUP (188) 19 bytes", "bad CRC", ...
std::string DescribeRequest(const std::vector<std::uint8_t>& frame, bool crcOk);

// "measurement block", "write acknowledgement of AL1H", ... from the reply's bytes.
std::string DescribeReply(const std::vector<std::uint8_t>& reply);

}  // namespace lxv::sim
