#pragma once

#include <string>
#include <sys/types.h>

// A D-Bus session bus of the test's own: starts dbus-daemon, points DBUS_SESSION_BUS_ADDRESS
// at it (before the first connection to the session bus is made) and stops it when the object
// goes. Tests that fake a desktop service (notifications, the tray, the secret store) register
// it there and never touch the real user's session.
class PrivateSessionBus {
public:
    // Throws std::runtime_error when dbus-daemon cannot be started.
    PrivateSessionBus();
    ~PrivateSessionBus();
    PrivateSessionBus(const PrivateSessionBus&) = delete;
    PrivateSessionBus& operator=(const PrivateSessionBus&) = delete;

    const std::string& Address() const { return m_address; }

private:
    void Stop();

    pid_t m_pid = -1;
    std::string m_address;
};
