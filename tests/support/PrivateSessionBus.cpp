#include "PrivateSessionBus.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int kStartTimeoutMs = 10000;

// The first line dbus-daemon prints: the bus address.
std::string ReadAddress(int fd) {
    std::string line;
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(kStartTimeoutMs);
    while (line.find('\n') == std::string::npos) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd wait{fd, POLLIN, 0};
        if (left.count() <= 0 || poll(&wait, 1, static_cast<int>(left.count())) <= 0)
            return {};
        char buffer[256];
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got <= 0)
            return {};
        line.append(buffer, static_cast<std::size_t>(got));
    }
    return line.substr(0, line.find('\n'));
}

} // namespace

PrivateSessionBus::PrivateSessionBus() {
    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0)
        throw std::runtime_error("cannot make a pipe");
    m_pid = fork();
    if (m_pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        execlp("dbus-daemon", "dbus-daemon", "--session", "--nofork", "--print-address=1",
               static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    if (m_pid > 0)
        m_address = ReadAddress(out[0]);
    close(out[0]);
    if (m_address.empty()) {
        Stop();
        throw std::runtime_error("dbus-daemon did not start (is the dbus-daemon package there?)");
    }
    setenv("DBUS_SESSION_BUS_ADDRESS", m_address.c_str(), 1);
}

PrivateSessionBus::~PrivateSessionBus() {
    Stop();
}

void PrivateSessionBus::Stop() {
    if (m_pid <= 0)
        return;
    kill(m_pid, SIGTERM);
    waitpid(m_pid, nullptr, 0);
    m_pid = -1;
}
