// COM numbers and names for Linux serial devices: the fixed blocks, the spare
// numbers, and what [PortMap] pins.
#include "platform/port_numbering.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/ini_file.h"

namespace lxv {
namespace {

namespace fs = std::filesystem;

SystemPort Listed(const std::string& name) {
    return {"/dev/" + name, name, false, 0, 0, ""};
}
SystemPort Usb(const std::string& name, std::uint16_t vid, std::uint16_t pid, const std::string& serial) {
    return {"/dev/" + name, name, true, vid, pid, serial};
}

std::vector<int> Numbers(const std::vector<PortInfo>& ports) {
    std::vector<int> out;
    for (const PortInfo& p : ports) out.push_back(p.number);
    return out;
}

const PortInfo* Find(const std::vector<PortInfo>& ports, const std::string& device) {
    for (const PortInfo& p : ports)
        if (p.device == device) return &p;
    return nullptr;
}

TEST(PortNumbering, FixedBlocksByDeviceName) {
    EXPECT_EQ(RuleNumber("ttyS0"), 1);
    EXPECT_EQ(RuleNumber("ttyS19"), 20);
    EXPECT_EQ(RuleNumber("ttyUSB0"), 21);
    EXPECT_EQ(RuleNumber("ttyUSB19"), 40);
    EXPECT_EQ(RuleNumber("ttyACM0"), 41);
    EXPECT_EQ(RuleNumber("ttyACM19"), 60);
    for (const char* other :
         {"ttyS20", "ttyUSB20", "ttyAMA0", "ttyS", "ttySAC0", "rfcomm0", "ttyUSB001", "pts/3"})
        EXPECT_EQ(RuleNumber(other), 0) << other;
}

TEST(PortNumbering, IdentifiersAndNamesFollowTheWindowsForm) {
    EXPECT_EQ(UsbIdentifier(0x1a86, 0x5736, "A1B2"), "USB\\VID_1A86&PID_5736\\A1B2");
    const std::string usb = SystemIdentifier(Usb("ttyUSB0", 0x0403, 0x6001, ""));
    EXPECT_EQ(usb, "USB\\VID_0403&PID_6001\\");
    EXPECT_EQ(SystemIdentifier(Listed("ttyS0")), "SERIAL\\/dev/ttyS0");
    // USB names are 23..25 characters long for COM1..COM255, so a bridge is recognised.
    EXPECT_EQ(DefaultDisplayName(usb, 5), "USB-UART Adapter (COM5)");
    EXPECT_EQ(DefaultDisplayName(usb, 5).size(), 23u);
    EXPECT_EQ(DefaultDisplayName(usb, 42).size(), 24u);
    EXPECT_EQ(DefaultDisplayName(usb, 255).size(), 25u);
    EXPECT_EQ(DefaultDisplayName("SERIAL\\/dev/ttyS0", 1), "Communications Port (COM1)");
}

TEST(PortNumbering, ListedDevicesTakeTheirBlockOrTheNextSpareNumber) {
    const auto ports = NumberPorts({Listed("ttyUSB1"), Listed("ttyS0"), Listed("ttyAMA0"), Listed("ttyACM0"),
                                    Listed("rfcomm0"), Usb("ttyUSB0", 0x1a86, 0x5736, "S")},
                                   {});
    EXPECT_EQ(Numbers(ports), (std::vector<int>{1, 21, 22, 41, 61, 62}));
    EXPECT_EQ(Find(ports, "/dev/ttyUSB0")->number, 21);
    EXPECT_EQ(Find(ports, "/dev/ttyUSB0")->identifier, "USB\\VID_1A86&PID_5736\\S");
    EXPECT_EQ(Find(ports, "/dev/ttyUSB0")->displayName, "USB-UART Adapter (COM21)");
    // Spare numbers go by device path: /dev/rfcomm0 before /dev/ttyAMA0.
    EXPECT_EQ(Find(ports, "/dev/rfcomm0")->number, 61);
    EXPECT_EQ(Find(ports, "/dev/ttyAMA0")->number, 62);
    EXPECT_EQ(Find(ports, "/dev/ttyS0")->displayName, "Communications Port (COM1)");
    // The same devices listed in another order get the same numbers.
    const auto again = NumberPorts({Listed("rfcomm0"), Usb("ttyUSB0", 0x1a86, 0x5736, "S"), Listed("ttyACM0"),
                                    Listed("ttyAMA0"), Listed("ttyS0"), Listed("ttyUSB1")},
                                   {});
    for (const PortInfo& p : ports) EXPECT_EQ(Find(again, p.device)->number, p.number) << p.device;
}

TEST(PortNumbering, PinsClaimTheirNumbersFirst) {
    const std::vector<PinnedPort> pins = {
        {21, "/dev/pts/7", "USB\\VID_1A86&PID_5736\\SIM", ""},  // the simulator takes COM21
        {2, "/dev/ttyUSB0", "", "My bridge name"},              // a listed device pinned elsewhere
        {61, "/dev/pts/9", "", ""},
    };
    const auto ports =
        NumberPorts({Usb("ttyUSB0", 0x0403, 0x6001, "FT1"), Listed("ttyUSB1"), Listed("ttyAMA0")}, pins);
    EXPECT_EQ(Numbers(ports), (std::vector<int>{2, 21, 22, 61, 62}));
    const PortInfo* sim = Find(ports, "/dev/pts/7");
    EXPECT_EQ(sim->number, 21);
    EXPECT_EQ(sim->identifier, "USB\\VID_1A86&PID_5736\\SIM");
    EXPECT_EQ(sim->displayName, "USB-UART Adapter (COM21)");
    // The pinned listed device keeps its USB identifier and is not listed twice.
    const PortInfo* pinned = Find(ports, "/dev/ttyUSB0");
    EXPECT_EQ(pinned->number, 2);
    EXPECT_EQ(pinned->identifier, "USB\\VID_0403&PID_6001\\FT1");
    EXPECT_EQ(pinned->displayName, "My bridge name");
    EXPECT_EQ(Find(ports, "/dev/ttyUSB1")->number, 22);
    EXPECT_EQ(Find(ports, "/dev/pts/9")->identifier, "SERIAL\\/dev/pts/9");
    EXPECT_EQ(Find(ports, "/dev/ttyAMA0")->number, 62);  // 61 is pinned
}

TEST(PortNumbering, ABlockNumberTakenByAPinMovesTheDeviceToASpareNumber) {
    const auto ports = NumberPorts({Listed("ttyUSB0")}, {{21, "/dev/pts/3", "", ""}});
    EXPECT_EQ(Find(ports, "/dev/ttyUSB0")->number, 61);
    EXPECT_EQ(Find(ports, "/dev/pts/3")->number, 21);
}

TEST(PortNumbering, PinThroughALinkNamesTheListedDevice) {
    const fs::path dir = fs::temp_directory_path() / ("lxv_pin_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    std::ofstream(dir / "ttyUSB0").put('x');
    fs::create_symlink(dir / "ttyUSB0", dir / "usb-1a86_LXV7700-if00-port0");
    SystemPort listed{(dir / "ttyUSB0").string(), "ttyUSB0", true, 0x1a86, 0x5736, "X"};
    const auto ports = NumberPorts({listed}, {{5, (dir / "usb-1a86_LXV7700-if00-port0").string(), "", ""}});
    ASSERT_EQ(ports.size(), 1u);
    EXPECT_EQ(ports[0].number, 5);
    EXPECT_EQ(ports[0].identifier, "USB\\VID_1A86&PID_5736\\X");
    fs::remove_all(dir);
}

TEST(PortNumbering, PortMapIsReadFromSysSet) {
    const fs::path file = fs::temp_directory_path() / ("lxv_portmap_" + std::to_string(::getpid()) + ".ini");
    std::ofstream(file)
        << "[portmap]\ncom3=/dev/pts/4\nCOM3Id=USB\\VID_1A86&PID_5736\\\nCOM3Name=Sim (COM3)\n"
           "COM300=/dev/ttyS1\nCOM7=\nCOMx=/dev/ttyS2\nCOM255=/dev/ttyS3\n[CommPort]\nPort=3\n";
    IniFile ini(file.string());
    const auto pins = ReadPortMap(ini);
    ASSERT_EQ(pins.size(), 2u);
    EXPECT_EQ(pins[0].number, 3);
    EXPECT_EQ(pins[0].device, "/dev/pts/4");
    EXPECT_EQ(pins[0].identifier, "USB\\VID_1A86&PID_5736\\");
    EXPECT_EQ(pins[0].displayName, "Sim (COM3)");
    EXPECT_EQ(pins[1].number, 255);
    EXPECT_TRUE(pins[1].identifier.empty());
    fs::remove(file);
}

}  // namespace
}  // namespace lxv
