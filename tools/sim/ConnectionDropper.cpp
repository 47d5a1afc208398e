#include "ConnectionDropper.h"

#include <arpa/inet.h>
#include <filesystem>
#include <netinet/in.h>
#include <sys/socket.h>

namespace {

bool IsConnection(int fd, const std::string& remoteAddress, int remotePort, int localPort) {
    sockaddr_in local{};
    sockaddr_in peer{};
    socklen_t localLength = sizeof local;
    socklen_t peerLength = sizeof peer;
    if (getsockname(fd, reinterpret_cast<sockaddr*>(&local), &localLength) != 0 ||
        getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &peerLength) != 0 ||
        local.sin_family != AF_INET || peer.sin_family != AF_INET)
        return false;
    char address[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &peer.sin_addr, address, sizeof address);
    return ntohs(local.sin_port) == localPort && ntohs(peer.sin_port) == remotePort &&
           remoteAddress == address;
}

} // namespace

bool DropConnection(const std::string& remoteAddress, int remotePort, int localPort) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd", error)) {
        int fd = -1;
        try {
            fd = std::stoi(entry.path().filename().string());
        } catch (const std::exception&) {
            continue;
        }
        if (IsConnection(fd, remoteAddress, remotePort, localPort)) {
            shutdown(fd, SHUT_RDWR);
            return true;
        }
    }
    return false;
}
