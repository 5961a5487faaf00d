// The poll loop of lxv7700-sim and its commands.
#include "sim/simulator.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>

#include "link/frame_codec.h"
#include "sim/wire_trace.h"

namespace lxv::sim {

namespace {

// A write this late inside a reply is told in the trace.
constexpr double kHeldUpMs = 10.0;

int g_signalPipe[2] = {-1, -1};

void OnSignalCaught(int signal) {
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t n = write(g_signalPipe[1], &byte, 1);
    errno = saved;
}

void InstallSignals() {
    if (pipe2(g_signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    struct sigaction sa {};
    sa.sa_handler = OnSignalCaught;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int s : {SIGINT, SIGTERM, SIGHUP, SIGUSR1}) sigaction(s, &sa, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
}

// A pause this long between request bytes ends a partial frame: 15 ms on a
// pseudo-terminal, so a busy machine that delays one piece of a request does
// not cut it. A real port gets more, as USB bridges deliver bytes in packets
// several ms apart.
double SilenceMs(const SimOptions& o) {
    const double chars = o.baud > 0 ? 35000.0 / o.baud : 0.0;
    return o.device.empty() ? std::max(15.0, chars) : 20.0 + chars;
}

}  // namespace

Simulator::Simulator(const SimOptions& options)
    : options_(options),
      framer_(SilenceMs(options)),
      instrument_(options.address, options.load, options.seed),
      faults_(options.faults, options.seed ^ 0x4641554C54ULL),
      // On a real port the UART sets the pace.
      output_(options.device.empty() ? options.baud : 0, options.turnaroundMs) {}

Simulator::~Simulator() {
    if (!options_.link.empty()) RemoveLinkTo(options_.link, port_.path());
}

double Simulator::NowMs() const {
    using std::chrono::steady_clock;
    return std::chrono::duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

void Simulator::Log(const std::string& text, double atMs) const {
    if (options_.traceClock) {
        const double at = atMs >= 0.0 ? atMs : NowMs();
        std::fprintf(stderr, "lxv7700-sim: [%.6f] %s\n", (at - startMs_) / 1000.0, text.c_str());
    } else {
        std::fprintf(stderr, "lxv7700-sim: %s\n", text.c_str());
    }
}

bool Simulator::OpenLine(std::string& error) {
    const bool opened =
        options_.device.empty()
            ? port_.OpenPseudoTerminal(error)
            : port_.OpenDevice(options_.device, options_.baud > 0 ? options_.baud : 14400, error);
    if (!opened) return false;
    if (!options_.link.empty() && !PointLink(options_.link, port_.path(), error)) return false;
    std::printf("%s\n", port_.path().c_str());
    std::fflush(stdout);
    return true;
}

int Simulator::Run() {
    InstallSignals();
    startMs_ = NowMs();
    if (!options_.blockLog.empty() && !blockLog_.Open(options_.blockLog)) {
        Log("cannot open the block log " + options_.blockLog + ": " + std::strerror(errno));
        return 1;
    }
    std::string error;
    if (!OpenLine(error)) {
        Log(error);
        return 1;
    }
    while (running_) Step();
    return exitStatus_;
}

void Simulator::Step() {
    double now = NowMs();
    if (const std::size_t dropped = framer_.Expire(now); dropped > 0 && options_.trace)
        Log("<- dropped " + std::to_string(dropped) + " bytes that made no whole frame");
    if (switchAt_ && now >= *switchAt_) {
        switchAt_.reset();
        PressStartingSwitch(now);
    }
    if (replugAt_ && now >= *replugAt_) {
        replugAt_.reset();
        Replug();
    }
    if (port_.isOpen()) WriteLine(now);

    std::optional<double> wake;
    auto consider = [&wake](std::optional<double> t) {
        if (t && (!wake || *t < *wake)) wake = t;
    };
    consider(framer_.Deadline());
    consider(switchAt_);
    consider(replugAt_);
    consider(output_.NextDue(now));
    const bool portQuiet = now < portQuietUntil_;
    if (portQuiet) consider(portQuietUntil_);

    pollfd fds[3];
    nfds_t n = 0;
    fds[n++] = {g_signalPipe[0], POLLIN, 0};
    const int stdinIndex = stdinOpen_ ? static_cast<int>(n) : -1;
    if (stdinOpen_) fds[n++] = {STDIN_FILENO, POLLIN, 0};
    const int portIndex = port_.isOpen() && !portQuiet ? static_cast<int>(n) : -1;
    if (portIndex >= 0) {
        const short events = static_cast<short>(POLLIN | (output_.Ready(now) > 0 ? POLLOUT : 0));
        fds[n++] = {port_.fd(), events, 0};
    }
    // Round up, so a wake-up never comes before its deadline and spins.
    const int timeout = wake ? static_cast<int>(std::max(0.0, *wake - now) + 0.999) : -1;
    if (poll(fds, n, timeout) < 0) {
        if (errno != EINTR) running_ = false;
        return;
    }
    now = NowMs();
    if (fds[0].revents & POLLIN) {
        unsigned char signals[16];
        const ssize_t got = read(g_signalPipe[0], signals, sizeof signals);
        for (ssize_t i = 0; i < got; ++i) OnSignal(signals[i], now);
    }
    if (stdinIndex >= 0 && fds[stdinIndex].revents) ReadCommands();
    if (portIndex >= 0 && port_.isOpen()) {
        const short revents = fds[portIndex].revents;
        if (revents & POLLIN) {
            ReadLine(now);
        } else if (revents & (POLLHUP | POLLERR)) {
            // A device that went away: look again in a while instead of spinning.
            portQuietUntil_ = now + 100.0;
        }
    }
}

void Simulator::ReadLine(double now) {
    std::uint8_t buffer[512];
    for (;;) {
        const ssize_t got = read(port_.fd(), buffer, sizeof buffer);
        if (got <= 0) {
            if (got < 0 && errno != EAGAIN && errno != EINTR) portQuietUntil_ = now + 100.0;
            return;
        }
        for (const ReceivedFrame& frame : framer_.Feed(buffer, static_cast<std::size_t>(got), now))
            OnFrame(frame, now);
    }
}

void Simulator::WriteLine(double now) {
    while (!output_.empty()) {
        const std::size_t ready = output_.Ready(now);
        if (ready == 0) return;
        // This process was held up (a loaded machine): the line paused inside
        // the reply, and a long pause ends a reply for the program.
        const double late = now - output_.FrontDueMs();
        if (replyWritten_ > 0 && late >= kHeldUpMs && options_.trace) {
            char text[96];
            std::snprintf(text, sizeof text, "-> held up %.0f ms after %zu bytes of the reply", late,
                          replyWritten_);
            Log(text, now);
        }
        const ssize_t put = write(port_.fd(), output_.Front(), ready);
        if (put <= 0) return;  // the line is full; poll waits for room
        replyWritten_ += static_cast<std::size_t>(put);
        // Stamped with the moment of writing: from here to the next request is
        // the program's reaction time at the wire.
        if (output_.Consume(static_cast<std::size_t>(put), now)) {
            replyWritten_ = 0;
            if (options_.trace) Log("-> end of reply", now);
        }
    }
}

void Simulator::OnFrame(const ReceivedFrame& frame, double now) {
    const bool wasAwaiting = instrument_.awaitingSwitch();
    Reply reply = instrument_.Handle(frame, (now - startMs_) / 1000.0);
    if (options_.trace)
        // Stamped with its arrival, not with the end of building the reply.
        Log("<- " + HexText(frame.bytes) + "  [" + DescribeRequest(frame.bytes, frame.crcOk) + "]" +
                (reply.kind == ReplyKind::None ? "  " + reply.note : ""),
            now);
    if (!wasAwaiting && instrument_.awaitingSwitch()) {
        if (options_.autoTriggerSeconds >= 0.0) switchAt_ = now + options_.autoTriggerSeconds * 1000.0;
        Log("starting test requested: press the Starting switch (line \"s\" or SIGUSR1)");
    }
    if (reply.kind != ReplyKind::None) Send(std::move(reply), now);
}

void Simulator::PressStartingSwitch(double now) {
    Reply reply = instrument_.PressStartingSwitch();
    Log(reply.note);
    if (reply.kind == ReplyKind::StartAck) {
        char crc[8];
        std::snprintf(crc, sizeof crc, "%04x", Crc16(instrument_.capture().data(), kStartingRecordSize));
        Log(std::string("capture ") + crc);
        chunkDamaged_ = false;
    }
    if (reply.kind != ReplyKind::None) Send(std::move(reply), now);
}

void Simulator::Send(Reply reply, double now) {
    const std::vector<std::uint8_t> intact = reply.bytes;
    if (reply.kind == ReplyKind::Chunk && reply.chunk == options_.damageChunk && !chunkDamaged_) {
        chunkDamaged_ = true;
        reply.bytes[reply.bytes.size() / 2] ^= 0x10;
        Log("fault: flipped a bit of chunk " + std::to_string(reply.chunk));
    }
    FaultOutcome out = faults_.Apply(std::move(reply.bytes));
    if (reply.kind == ReplyKind::MeasureBlock) {
        std::size_t bytes = 0;
        double pausesMs = 0.0;
        for (const Piece& p : out.pieces) {
            bytes += p.bytes.size();
            pausesMs += p.gapBeforeMs;
        }
        blockLog_.Write(reply.blockCrc, FaultWord(out.fault), (now - startMs_) / 1000.0, bytes, pausesMs);
    }
    if (out.fault == Fault::Muted) {
        if (!muteLogged_) Log("muted: no more replies until \"unmute\"");
        muteLogged_ = true;
        return;
    }
    if (!out.note.empty()) Log("fault: " + out.note + " (" + DescribeReply(intact) + ")");
    if (options_.trace && out.fault != Fault::Drop) {
        std::vector<std::uint8_t> sent;
        for (const Piece& p : out.pieces) sent.insert(sent.end(), p.bytes.begin(), p.bytes.end());
        Log("-> " + HexText(sent) + "  [" + DescribeReply(intact) + "]" +
            (reply.note.empty() ? "" : "  " + reply.note));
    }
    if (port_.isOpen()) output_.Add(std::move(out.pieces), now);
}

void Simulator::ReadCommands() {
    // One read per wake-up: standard input stays blocking, as it may be the
    // user's terminal, shared with the shell that started us.
    char buffer[256];
    const ssize_t got = read(STDIN_FILENO, buffer, sizeof buffer);
    if (got > 0) {
        stdinBuffer_.append(buffer, static_cast<std::size_t>(got));
    } else if (got == 0 || errno != EINTR) {
        stdinOpen_ = false;
        if (options_.exitOnEof) running_ = false;
    }
    std::size_t eol;
    while ((eol = stdinBuffer_.find('\n')) != std::string::npos) {
        std::string line = stdinBuffer_.substr(0, eol);
        stdinBuffer_.erase(0, eol + 1);
        std::erase_if(line, [](char c) { return c == '\r' || c == ' ' || c == '\t'; });
        if (!line.empty()) Command(line, NowMs());
    }
}

void Simulator::Command(const std::string& line, double now) {
    if (line == "s") {
        PressStartingSwitch(now);
    } else if (line == "mute") {
        faults_.Mute();
        if (!muteLogged_) Log("muted: no more replies until \"unmute\"");
        muteLogged_ = true;
    } else if (line == "unmute") {
        faults_.Unmute();
        muteLogged_ = false;
        Log("unmuted");
    } else if (line == "unplug") {
        Unplug(now);
    } else if (line == "quit") {
        running_ = false;
    } else {
        Log("unknown command \"" + line + "\" (s, mute, unmute, unplug, quit)");
    }
}

void Simulator::OnSignal(int signal, double now) {
    if (signal == SIGUSR1) {
        PressStartingSwitch(now);
    } else {
        running_ = false;
    }
}

void Simulator::Unplug(double now) {
    if (!options_.device.empty()) {
        Log("unplug needs the pseudo-terminal; a real port is unplugged by hand");
        return;
    }
    if (!port_.isOpen()) return;
    // The link stays, pointing at the dead slave, until the new one replaces it.
    port_.Close();
    output_.Clear();
    replyWritten_ = 0;
    framer_.Reset();
    replugAt_ = now + options_.replugMs;
    Log("unplugged; plugging back in after " + std::to_string(options_.replugMs) + " ms");
}

void Simulator::Replug() {
    std::string error;
    if (!OpenLine(error)) {
        Log(error);
        exitStatus_ = 1;
        running_ = false;
        return;
    }
    Log("plugged back in at " + port_.path());
}

}  // namespace lxv::sim
