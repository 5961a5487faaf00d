// Opening the pseudo-terminal or the serial device, and the --link symlink.
#include "sim/terminal_port.h"

#include <fcntl.h>
#include <pty.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>

#include "sim/custom_baud.h"

namespace lxv::sim {

namespace {

std::string ErrnoText(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

void MakeRaw(int fd) {
    termios tio{};
    if (tcgetattr(fd, &tio) != 0) return;
    cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    tio.c_cflag &= ~(CSTOPB | CRTSCTS);
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    tcsetattr(fd, TCSANOW, &tio);
}

speed_t StandardSpeed(int baud) {
    switch (baud) {
        case 1200: return B1200;
        case 2400: return B2400;
        case 4800: return B4800;
        case 9600: return B9600;
        case 19200: return B19200;
        case 38400: return B38400;
        case 57600: return B57600;
        case 115200: return B115200;
        case 230400: return B230400;
        case 460800: return B460800;
        case 921600: return B921600;
        default: return B0;
    }
}

}  // namespace

bool TerminalPort::OpenPseudoTerminal(std::string& error) {
    Close();
    int master = -1, slave = -1;
    char name[PATH_MAX] = {};
    if (openpty(&master, &slave, name, nullptr, nullptr) != 0) {
        error = ErrnoText("openpty");
        return false;
    }
    fcntl(master, F_SETFD, FD_CLOEXEC);
    fcntl(slave, F_SETFD, FD_CLOEXEC);
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    MakeRaw(slave);
    fd_ = master;
    keeper_ = slave;
    path_ = name;
    return true;
}

bool TerminalPort::OpenDevice(const std::string& device, int baud, std::string& error) {
    Close();
    const int fd = open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = ErrnoText(device);
        return false;
    }
    MakeRaw(fd);
    termios tio{};
    tcgetattr(fd, &tio);
    const speed_t speed = StandardSpeed(baud);
    bool speedSet = false;
    if (speed != B0) {
        cfsetispeed(&tio, speed);
        cfsetospeed(&tio, speed);
        speedSet = tcsetattr(fd, TCSANOW, &tio) == 0;
    } else {
        speedSet = SetCustomBaud(fd, baud);
    }
    if (!speedSet) {
        error = ErrnoText(device + ": cannot set " + std::to_string(baud) + " baud");
        close(fd);
        return false;
    }
    tcflush(fd, TCIOFLUSH);
    fd_ = fd;
    path_ = device;
    return true;
}

void TerminalPort::Close() {
    if (fd_ >= 0) close(fd_);
    if (keeper_ >= 0) close(keeper_);
    fd_ = keeper_ = -1;
}

bool PointLink(const std::string& link, const std::string& target, std::string& error) {
    // Only a link is ever replaced: a file of the user's under that name stays.
    struct stat existing {};
    if (lstat(link.c_str(), &existing) == 0 && !S_ISLNK(existing.st_mode)) {
        error = link + " exists and is not a symbolic link";
        return false;
    }
    const std::string temporary = link + ".new." + std::to_string(getpid());
    unlink(temporary.c_str());
    if (symlink(target.c_str(), temporary.c_str()) != 0) {
        error = ErrnoText("symlink " + temporary);
        return false;
    }
    if (rename(temporary.c_str(), link.c_str()) != 0) {
        error = ErrnoText("rename to " + link);
        unlink(temporary.c_str());
        return false;
    }
    return true;
}

void RemoveLinkTo(const std::string& link, const std::string& target) {
    char buffer[PATH_MAX];
    const ssize_t n = readlink(link.c_str(), buffer, sizeof buffer - 1);
    if (n < 0) return;
    buffer[n] = '\0';
    if (target == buffer) unlink(link.c_str());
}

}  // namespace lxv::sim
