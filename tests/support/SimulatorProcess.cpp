#include "SimulatorProcess.h"

#include <curl/curl.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int kStartTimeoutMs = 20000;

// Reads lines from fd until count lines have come, the pipe closes or the time runs out.
std::vector<std::string> ReadLines(int fd, std::size_t count) {
    std::vector<std::string> lines;
    std::string pending;
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(kStartTimeoutMs);
    while (lines.size() < count) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd wait{fd, POLLIN, 0};
        if (left.count() <= 0 || poll(&wait, 1, static_cast<int>(left.count())) <= 0)
            break;
        char buffer[512];
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got <= 0)
            break;
        pending.append(buffer, static_cast<std::size_t>(got));
        for (std::size_t end; (end = pending.find('\n')) != std::string::npos;) {
            lines.push_back(pending.substr(0, end));
            pending.erase(0, end + 1);
        }
    }
    return lines;
}

std::string After(const std::string& line, const std::string& prefix) {
    if (line.compare(0, prefix.size(), prefix) != 0)
        throw std::runtime_error("quillon-sim printed \"" + line + "\"");
    return line.substr(prefix.size());
}

std::size_t Collect(char* data, std::size_t size, std::size_t count, void* body) {
    static_cast<std::string*>(body)->append(data, size * count);
    return size * count;
}

} // namespace

SimulatorProcess::SimulatorProcess(const std::string& binary,
                                   const std::vector<std::string>& args) {
    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0)
        throw std::runtime_error("cannot make a pipe");
    std::vector<std::string> all = {binary};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : all)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    m_pid = fork();
    if (m_pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        execv(binary.c_str(), argv.data());
        _exit(127);
    }
    close(out[1]);
    const std::vector<std::string> lines =
        m_pid > 0 ? ReadLines(out[0], 2) : std::vector<std::string>{};
    close(out[0]);
    try {
        if (lines.size() < 2)
            throw std::runtime_error("quillon-sim did not start: " + binary);
        m_url = After(lines[0], "quillon-sim listening on ");
        m_caFile = After(lines[1], "CA file: ");
        const std::size_t colon = m_url.rfind(':');
        m_port = std::stoi(m_url.substr(colon + 1));
    } catch (...) {
        Stop();
        throw;
    }
}

SimulatorProcess::~SimulatorProcess() {
    Stop();
}

std::string SimulatorProcess::BaseUrl() const {
    return m_url.substr(0, m_url.find("/sk/"));
}

std::string SimulatorProcess::Admin(const std::string& pathAndQuery, bool post) const {
    CURL* curl = curl_easy_init();
    if (!curl)
        throw std::runtime_error("no curl handle");
    std::string body;
    const std::string url = BaseUrl() + pathAndQuery;
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_CAINFO, m_caFile.c_str());
    curl_easy_setopt(curl, CURLOPT_NOPROXY, "*");
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, Collect);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &body);
    if (post)
        curl_easy_setopt(curl, CURLOPT_POSTFIELDS, "");
    const CURLcode result = curl_easy_perform(curl);
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    curl_easy_cleanup(curl);
    if (result != CURLE_OK || status != 200)
        throw std::runtime_error("admin call " + pathAndQuery +
                                 " failed: " + curl_easy_strerror(result) + ", HTTP " +
                                 std::to_string(status) + " " + body);
    return body;
}

int SimulatorProcess::Stop() {
    if (m_pid <= 0)
        return -1;
    kill(m_pid, SIGTERM);
    int status = 0;
    waitpid(m_pid, &status, 0);
    m_pid = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
