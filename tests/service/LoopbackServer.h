#pragma once

#include "service/TransportOptions.h"

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A raw HTTP server on 127.0.0.1 for transport tests: it takes one connection per scripted
// answer, records the request bytes exactly as they arrived, writes the answer and closes.
// With a drip interval it writes each answer's head at once and the rest a byte at a time.
class LoopbackServer {
public:
    // An answer that writes nothing and waits until the client gives up.
    static const std::string kSilent;
    // The head of a chunked answer whose body never ends: with a drip interval a one-byte
    // chunk follows every interval until the client gives up (or a minute has passed, so
    // that a failing test cannot hang).
    static const std::string kEndless;

    explicit LoopbackServer(std::vector<std::string> answers,
                            std::chrono::milliseconds drip = std::chrono::milliseconds(0));
    ~LoopbackServer();

    int Port() const { return m_port; }
    std::string Url() const;
    // What a client of this server sets: its address, plain HTTP allowed, the usual time-outs
    // (a minute to connect, 30 s of silence).
    TransportOptions ClientOptions() const;
    std::vector<std::string> Requests() const;

    // A complete HTTP answer with the given status line and body.
    static std::string Answer(const std::string& status, const std::string& body,
                              const std::string& extraHeaders = "");

private:
    void Serve(std::vector<std::string> answers);
    int Accept();
    void Write(int connection, const std::string& answer);
    // Waits one drip interval; false when the server stops or the drip has gone on too long.
    bool Pause(std::chrono::steady_clock::time_point started);

    std::chrono::milliseconds m_drip;

    int m_port = 0; // set while the listener is made
    int m_listener;
    std::atomic<bool> m_stop{false};
    mutable std::mutex m_mutex;
    std::vector<std::string> m_requests;
    std::thread m_thread;
};

// A port on 127.0.0.1 where nobody listens.
int UnusedPort();
