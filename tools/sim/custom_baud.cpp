// Kept apart from every other file: <asm/termbits.h> cannot share a
// translation unit with <termios.h>.
#include "sim/custom_baud.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace lxv::sim {

bool SetCustomBaud(int fd, int baud) {
    struct termios2 tio;
    if (ioctl(fd, TCGETS2, &tio) != 0) return false;
    tio.c_cflag &= ~CBAUD;
    tio.c_cflag |= BOTHER;
    tio.c_cflag &= ~(CBAUD << IBSHIFT);
    tio.c_cflag |= BOTHER << IBSHIFT;
    tio.c_ispeed = static_cast<speed_t>(baud);
    tio.c_ospeed = static_cast<speed_t>(baud);
    return ioctl(fd, TCSETS2, &tio) == 0;
}

}  // namespace lxv::sim
