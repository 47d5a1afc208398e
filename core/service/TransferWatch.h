#pragma once

#include "service/TransportOptions.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

// Decides when one sending of a request and its reply has to end: the whole exchange took
// longer than the call time-out, nothing moved for the inactivity time-out, or a window of the
// rate check moved fewer bytes than the minimum rate asks for. The last two count from the
// first byte of the request (connecting has its own time-out). A server that keeps sending a
// byte now and then is stopped by the first and the last.
class TransferWatch {
public:
    using Clock = std::chrono::steady_clock;

    TransferWatch(const TransportOptions& options, Clock::time_point start);

    // Called as the transfer goes on, with the bytes sent and received so far. Returns why the
    // transfer must end (English, for the user), else nothing.
    std::optional<std::string> Check(Clock::time_point now, std::int64_t bytes);

private:
    std::optional<std::string> CheckRate(Clock::time_point now);

    std::chrono::seconds m_inactivity;
    std::chrono::seconds m_callTimeout;
    std::int64_t m_minimumRate;
    std::chrono::seconds m_rateWindow;
    Clock::time_point m_start;
    std::int64_t m_bytes = 0;
    Clock::time_point m_lastProgress; // when m_bytes changed last
    Clock::time_point m_windowStart;  // of the rate check's current window
    std::int64_t m_windowBytes = 0;   // bytes at the start of that window
};
