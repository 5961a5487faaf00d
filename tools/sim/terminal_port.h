// The simulator's end of the line: a pseudo-terminal whose slave the program
// opens, or a real serial port. Both are raw (8N1, no echo, no line editing).
#pragma once

#include <string>

namespace lxv::sim {

class TerminalPort {
  public:
    TerminalPort() = default;
    ~TerminalPort() { Close(); }
    TerminalPort(const TerminalPort&) = delete;
    TerminalPort& operator=(const TerminalPort&) = delete;

    // A new pseudo-terminal pair. The simulator keeps a slave descriptor of its
    // own open, so the master never hangs up while no program has the slave open.
    bool OpenPseudoTerminal(std::string& error);
    // A serial device at `baud`, 8N1, no handshake.
    bool OpenDevice(const std::string& device, int baud, std::string& error);
    void Close();

    int fd() const { return fd_; }                     // non-blocking; read requests, write replies
    const std::string& path() const { return path_; }  // the slave's or the device's path
    bool isOpen() const { return fd_ >= 0; }

  private:
    int fd_ = -1;
    int keeper_ = -1;
    std::string path_;
};

// Makes (or atomically re-points) the symbolic link `link` to `target`: a new
// link under a temporary name is renamed over the old one. A `link` that is
// not a symbolic link is left alone and reported as an error.
bool PointLink(const std::string& link, const std::string& target, std::string& error);
// Removes `link` when it still points to `target`.
void RemoveLinkTo(const std::string& link, const std::string& target);

}  // namespace lxv::sim
