// A settings file of any content, and any value text, as read at start-up:
// every read either gives a value or the standard conversion error.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/ini_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const auto& convert : {+[](const std::string& t) { (void)lxv::StrictToInt(t); },
                                +[](const std::string& t) { (void)lxv::StrictToDouble(t); }}) {
        try {
            convert(text);
        } catch (const lxv::ConversionError& e) {
            const std::string message = e.what();
            if (text.find('\0') == std::string::npos && message.find("is not a valid") == std::string::npos)
                std::abort();
        }
    }

    static const std::string path = "/tmp/lxv-fuzz-settings-" + std::to_string(::getpid()) + ".ini";
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    lxv::IniFile ini(path);
    const char* keys[][2] = {{"CommBaudrate", "Baudrate"}, {"CommPort", "Port"},
                             {"CommAddress", "Address"},   {"WaveSet", "WaveBackground"},
                             {"WaveSet", "ScaleColor"},    {"SkinSet", "Skin"}};
    for (const auto& k : keys) {
        try {
            (void)ini.readInteger(k[0], k[1], 2);
        } catch (const lxv::ConversionError&) {
        }
    }
    for (int n = 1; n <= 4; ++n) (void)ini.readString("PortMap", "COM" + std::to_string(n), "");
    // Writing keeps the rest of the file readable.
    ini.writeInteger("commport", "port", 3);
    lxv::IniFile again(path);
    if (again.readInteger("CommPort", "Port", 0) != 3) std::abort();
    return 0;
}
