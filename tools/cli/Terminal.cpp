#include "Terminal.h"

#include <cstdio>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {

// Opens the controlling terminal for the object's lifetime.
class TerminalFile {
public:
    TerminalFile() : m_fd(open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC)) {}
    ~TerminalFile() {
        if (m_fd >= 0)
            close(m_fd);
    }
    TerminalFile(const TerminalFile&) = delete;
    TerminalFile& operator=(const TerminalFile&) = delete;

    int Fd() const { return m_fd; }

private:
    int m_fd;
};

// Turns echo off for the object's lifetime.
class EchoOff {
public:
    explicit EchoOff(int fd) : m_fd(fd), m_active(tcgetattr(fd, &m_saved) == 0) {
        if (!m_active)
            return;
        termios quiet = m_saved;
        quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        m_active = tcsetattr(fd, TCSAFLUSH, &quiet) == 0;
    }
    ~EchoOff() {
        if (m_active)
            tcsetattr(m_fd, TCSAFLUSH, &m_saved);
    }
    EchoOff(const EchoOff&) = delete;
    EchoOff& operator=(const EchoOff&) = delete;

private:
    int m_fd;
    termios m_saved{};
    bool m_active;
};

void Write(int fd, const std::string& text) {
    for (std::size_t done = 0; done < text.size();) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n <= 0)
            return;
        done += static_cast<std::size_t>(n);
    }
}

std::optional<std::string> ReadLine(int fd) {
    std::string line;
    char c = 0;
    for (;;) {
        const ssize_t n = read(fd, &c, 1);
        if (n <= 0)
            return line.empty() ? std::nullopt : std::optional<std::string>(line);
        if (c == '\n')
            return line;
        if (c != '\r')
            line += c;
    }
}

} // namespace

std::optional<std::string> AskTerminal(const std::string& prompt, bool echo) {
    TerminalFile terminal;
    if (terminal.Fd() < 0)
        return std::nullopt;
    Write(terminal.Fd(), prompt);
    if (echo)
        return ReadLine(terminal.Fd());
    std::optional<std::string> line;
    {
        EchoOff quiet(terminal.Fd());
        line = ReadLine(terminal.Fd());
    }
    Write(terminal.Fd(), "\n");
    return line;
}
