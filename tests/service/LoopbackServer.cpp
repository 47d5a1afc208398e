#include "LoopbackServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>
#include <thread>

namespace {

int ListenOnLoopback(int& port, int backlog) {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        (backlog > 0 && listen(fd, backlog) != 0) ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        throw std::runtime_error("cannot listen on 127.0.0.1");
    port = ntohs(address.sin_port);
    return fd;
}

bool Readable(int fd, const std::atomic<bool>& stop) {
    pollfd entry{fd, POLLIN, 0};
    while (!stop) {
        if (poll(&entry, 1, 50) > 0)
            return true;
    }
    return false;
}

// Reads one request: the head up to the empty line and a body of Content-Length bytes.
std::string ReadRequest(int fd, const std::atomic<bool>& stop) {
    std::string request;
    char buffer[4096];
    while (Readable(fd, stop)) {
        const ssize_t count = recv(fd, buffer, sizeof buffer, 0);
        if (count <= 0)
            break;
        request.append(buffer, count);
        const std::size_t headEnd = request.find("\r\n\r\n");
        if (headEnd == std::string::npos)
            continue;
        const std::size_t field = request.find("Content-Length: ");
        const std::size_t bodyLength = field < headEnd ? std::stoul(request.substr(field + 16)) : 0;
        if (request.size() >= headEnd + 4 + bodyLength)
            break;
    }
    return request;
}

// False when the client gave up.
bool WriteAll(int fd, std::string_view data) {
    for (std::size_t sent = 0; sent < data.size();) {
        const ssize_t count = send(fd, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
        if (count <= 0)
            return false;
        sent += count;
    }
    return true;
}

constexpr std::chrono::seconds kLongestDrip{60};

} // namespace

const std::string LoopbackServer::kSilent;
const std::string LoopbackServer::kEndless =
    "HTTP/1.1 200 OK\r\nContent-Type: application/soap+xml; charset=utf-8\r\n"
    "Transfer-Encoding: chunked\r\nConnection: close\r\n\r\n";

LoopbackServer::LoopbackServer(std::vector<std::string> answers, std::chrono::milliseconds drip)
    : m_drip(drip), m_listener(ListenOnLoopback(m_port, 8)),
      m_thread(&LoopbackServer::Serve, this, std::move(answers)) {}

LoopbackServer::~LoopbackServer() {
    m_stop = true;
    m_thread.join();
    close(m_listener);
}

std::string LoopbackServer::Url() const {
    return "http://127.0.0.1:" + std::to_string(m_port) + "/sk/!kvws.sms";
}

TransportOptions LoopbackServer::ClientOptions() const {
    TransportOptions options;
    options.url = Url();
    options.allowHttp = true;
    return options;
}

std::vector<std::string> LoopbackServer::Requests() const {
    std::lock_guard lock(m_mutex);
    return m_requests;
}

std::string LoopbackServer::Answer(const std::string& status, const std::string& body,
                                   const std::string& extraHeaders) {
    return "HTTP/1.1 " + status + "\r\nContent-Type: application/soap+xml; charset=utf-8\r\n" +
           extraHeaders + "Content-Length: " + std::to_string(body.size()) +
           "\r\nConnection: close\r\n\r\n" + body;
}

int LoopbackServer::Accept() {
    return Readable(m_listener, m_stop) ? accept(m_listener, nullptr, nullptr) : -1;
}

void LoopbackServer::Serve(std::vector<std::string> answers) {
    for (const std::string& answer : answers) {
        const int connection = Accept();
        if (connection < 0)
            return;
        std::string request = ReadRequest(connection, m_stop);
        {
            std::lock_guard lock(m_mutex);
            m_requests.push_back(std::move(request));
        }
        if (answer.empty()) {
            char byte;
            while (Readable(connection, m_stop) && recv(connection, &byte, 1, 0) > 0) {
            }
        } else {
            Write(connection, answer);
        }
        close(connection);
    }
}

void LoopbackServer::Write(int connection, const std::string& answer) {
    if (m_drip.count() == 0) {
        WriteAll(connection, answer);
        return;
    }
    const std::size_t headLength = answer.find("\r\n\r\n") + 4;
    if (!WriteAll(connection, std::string_view(answer).substr(0, headLength)))
        return;
    const auto started = std::chrono::steady_clock::now();
    if (answer == kEndless) {
        while (Pause(started) && WriteAll(connection, "1\r\n \r\n")) {
        }
        return;
    }
    for (std::size_t at = headLength; at < answer.size() && Pause(started); ++at) {
        if (!WriteAll(connection, std::string_view(answer).substr(at, 1)))
            return;
    }
}

bool LoopbackServer::Pause(std::chrono::steady_clock::time_point started) {
    std::this_thread::sleep_for(m_drip);
    return !m_stop && std::chrono::steady_clock::now() - started < kLongestDrip;
}

int UnusedPort() {
    int port = 0;
    close(ListenOnLoopback(port, 0));
    return port;
}
