#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A raw HTTP server on 127.0.0.1 for transport tests: it takes one connection per scripted
// answer, records the request bytes exactly as they arrived, writes the answer and closes.
class LoopbackServer {
public:
    // An answer that writes nothing and waits until the client gives up.
    static const std::string kSilent;

    explicit LoopbackServer(std::vector<std::string> answers);
    ~LoopbackServer();

    int Port() const { return m_port; }
    std::string Url() const;
    std::vector<std::string> Requests() const;

    // A complete HTTP answer with the given status line and body.
    static std::string Answer(const std::string& status, const std::string& body,
                              const std::string& extraHeaders = "");

private:
    void Serve(std::vector<std::string> answers);
    int Accept();

    int m_port = 0; // set while the listener is made
    int m_listener;
    std::atomic<bool> m_stop{false};
    mutable std::mutex m_mutex;
    std::vector<std::string> m_requests;
    std::thread m_thread;
};

// A port on 127.0.0.1 where nobody listens.
int UnusedPort();
