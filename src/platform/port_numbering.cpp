#include "platform/port_numbering.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>

#include "platform/ini_file.h"

namespace lxv {

namespace {

// Same device when the paths resolve to the same file (pins may use /dev/serial/by-id links).
std::string Resolved(const std::string& path) {
    std::error_code ec;
    const auto p = std::filesystem::weakly_canonical(path, ec);
    return ec ? path : p.string();
}

// k of "<prefix><k>" when the rest is 1 or 2 digits, else -1.
int SuffixNumber(const std::string& name, const std::string& prefix) {
    if (name.size() <= prefix.size() || name.size() > prefix.size() + 2 ||
        name.compare(0, prefix.size(), prefix) != 0)
        return -1;
    int k = 0;
    for (std::size_t i = prefix.size(); i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9') return -1;
        k = k * 10 + (name[i] - '0');
    }
    return k;
}

}  // namespace

std::string UsbIdentifier(std::uint16_t vendorId, std::uint16_t productId, const std::string& serialNumber) {
    char ids[32];
    std::snprintf(ids, sizeof ids, "USB\\VID_%04X&PID_%04X\\", vendorId, productId);
    return ids + serialNumber;
}

std::string SystemIdentifier(const SystemPort& port) {
    if (port.hasUsbIds) return UsbIdentifier(port.vendorId, port.productId, port.serialNumber);
    return "SERIAL\\" + port.device;
}

std::string DefaultDisplayName(const std::string& identifier, int number) {
    // A 16-character name keeps the recognised lengths 23..25 for COM1..COM255.
    const bool usb = identifier.rfind("USB\\", 0) == 0;
    return std::string(usb ? "USB-UART Adapter" : "Communications Port") + " (COM" + std::to_string(number) +
           ")";
}

int RuleNumber(const std::string& portName) {
    struct Block {
        const char* prefix;
        int first;
    };
    static constexpr Block blocks[] = {{"ttyUSB", 21}, {"ttyACM", 41}, {"ttyS", 1}};
    for (const Block& b : blocks) {
        const int k = SuffixNumber(portName, b.prefix);
        if (k >= 0 && k < 20) return b.first + k;
    }
    return 0;
}

int NumberOfDevice(const std::vector<PortInfo>& ports, const std::string& device) {
    const std::string resolved = Resolved(device);
    for (const PortInfo& p : ports)
        if (Resolved(p.device) == resolved) return p.number;
    return 0;
}

std::vector<PinnedPort> ReadPortMap(const IniFile& sysSet) {
    std::vector<PinnedPort> pins;
    for (int n = 1; n <= kMaxPortNumber; ++n) {
        const std::string key = "COM" + std::to_string(n);
        const std::string device = sysSet.readString("PortMap", key, "");
        if (device.empty()) continue;
        pins.push_back({n, device, sysSet.readString("PortMap", key + "Id", ""),
                        sysSet.readString("PortMap", key + "Name", "")});
    }
    return pins;
}

std::vector<PortInfo> NumberPorts(std::vector<SystemPort> system, const std::vector<PinnedPort>& pins) {
    std::sort(system.begin(), system.end(),
              [](const SystemPort& a, const SystemPort& b) { return a.device < b.device; });
    std::map<int, PortInfo> byNumber;
    std::set<std::string> pinnedDevices;

    for (const PinnedPort& pin : pins) {
        if (pin.number < 1 || pin.number > kMaxPortNumber || pin.device.empty() || byNumber.count(pin.number))
            continue;
        const std::string resolved = Resolved(pin.device);
        pinnedDevices.insert(resolved);
        std::string identifier = pin.identifier;
        if (identifier.empty()) {
            const auto listed = std::find_if(system.begin(), system.end(), [&](const SystemPort& s) {
                return Resolved(s.device) == resolved;
            });
            identifier = listed != system.end() ? SystemIdentifier(*listed) : "SERIAL\\" + pin.device;
        }
        const std::string name =
            pin.displayName.empty() ? DefaultDisplayName(identifier, pin.number) : pin.displayName;
        byNumber[pin.number] = {pin.number, pin.device, identifier, name};
    }

    std::vector<const SystemPort*> spare;
    auto place = [&](const SystemPort& s, int n) {
        const std::string identifier = SystemIdentifier(s);
        byNumber[n] = {n, s.device, identifier, DefaultDisplayName(identifier, n)};
    };
    for (const SystemPort& s : system) {
        if (pinnedDevices.count(Resolved(s.device))) continue;
        const int n = RuleNumber(s.portName);
        if (n > 0 && !byNumber.count(n))
            place(s, n);
        else
            spare.push_back(&s);
    }
    int next = kFirstSpareNumber;
    for (const SystemPort* s : spare) {
        while (next <= kMaxPortNumber && byNumber.count(next)) ++next;
        if (next > kMaxPortNumber) break;
        place(*s, next);
    }

    std::vector<PortInfo> out;
    for (auto& [n, info] : byNumber) out.push_back(std::move(info));
    return out;
}

}  // namespace lxv
