#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

// Runs the quillon-sim program for a test: starts it with extra arguments, reads its two start
// lines (service URL and CA file) and stops it with SIGTERM when the object goes.
class SimulatorProcess {
public:
    // Throws std::runtime_error when the program does not start or prints something else.
    explicit SimulatorProcess(const std::string& binary, const std::vector<std::string>& args = {});
    ~SimulatorProcess();
    SimulatorProcess(const SimulatorProcess&) = delete;
    SimulatorProcess& operator=(const SimulatorProcess&) = delete;

    // The service endpoint, e.g. "https://127.0.0.1:40123/sk/!kvws.sms".
    const std::string& Url() const { return m_url; }
    const std::string& CaFile() const { return m_caFile; }
    int Port() const { return m_port; }
    // "https://127.0.0.1:<port>" (or http with --http), for the web pages and the admin path.
    std::string BaseUrl() const;

    // Calls the admin path (the simulator must run with --admin), e.g.
    // Admin("/admin/advance?seconds=600", true); returns the body. Throws std::runtime_error
    // unless the answer is HTTP 200.
    std::string Admin(const std::string& pathAndQuery, bool post = false) const;

    // Sends SIGTERM, waits and returns the exit code (-1 when killed by a signal).
    int Stop();

private:
    pid_t m_pid = -1;
    std::string m_url;
    std::string m_caFile;
    int m_port = 0;
};
