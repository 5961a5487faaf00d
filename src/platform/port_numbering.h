// COM numbers and display names for Linux serial devices, so the port scan,
// the `Port` setting and the bridge recognition work as with COMn ports.
//
// Pinned ports come from SysSet.ini [PortMap]; every other device the system
// lists gets a number by a fixed rule from its name (see README).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/serial_port.h"

namespace lxv {

class IniFile;

// A serial device as the system lists it.
struct SystemPort {
    std::string device;    // /dev/ttyUSB0
    std::string portName;  // ttyUSB0
    bool hasUsbIds = false;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::string serialNumber;
};

// One [PortMap] entry: COM<n> = device, COM<n>Id, COM<n>Name (both optional, empty when absent).
struct PinnedPort {
    int number = 0;
    std::string device;
    std::string identifier;
    std::string displayName;
};

inline constexpr int kMaxPortNumber = 255;
// Devices without a number of their own are numbered from here upward.
inline constexpr int kFirstSpareNumber = 61;

// "USB\VID_1A86&PID_5736\serial": the device identifier of a USB serial adapter.
std::string UsbIdentifier(std::uint16_t vendorId, std::uint16_t productId, const std::string& serialNumber);
// Identifier of a device the system lists (USB ids when it has them).
std::string SystemIdentifier(const SystemPort& port);
// "USB-UART Adapter (COMn)" for USB identifiers, "Communications Port (COMn)" otherwise.
std::string DefaultDisplayName(const std::string& identifier, int number);
// The fixed number of a device name: ttyS<k> -> k+1, ttyUSB<k> -> 21+k, ttyACM<k> -> 41+k
// (k 0..19); 0 for any other name.
int RuleNumber(const std::string& portName);

// The number of the port in `ports` whose device is `device` (the same file,
// also through a link); 0 when none is.
int NumberOfDevice(const std::vector<PortInfo>& ports, const std::string& device);

// Every COM<n> key of [PortMap] that names a device, in ascending n.
std::vector<PinnedPort> ReadPortMap(const IniFile& sysSet);

// The ports the program sees, ascending by number: the pins first claim their
// numbers, then each listed device that no pin names takes its rule number, or
// the first free number from kFirstSpareNumber when it has none or it is taken.
std::vector<PortInfo> NumberPorts(std::vector<SystemPort> system, const std::vector<PinnedPort>& pins);

}  // namespace lxv
