// Line speeds that termios has no constant for (14400 and 76800 of the
// program's baud list), set through the kernel's termios2 interface.
#pragma once

namespace lxv::sim {

// Sets input and output speed of the open serial port `fd` to `baud`; false on failure.
bool SetCustomBaud(int fd, int baud);

}  // namespace lxv::sim
