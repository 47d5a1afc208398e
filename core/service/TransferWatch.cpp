#include "service/TransferWatch.h"

TransferWatch::TransferWatch(const TransportOptions& options, Clock::time_point start)
    : m_inactivity(options.inactivityTimeout), m_callTimeout(options.callTimeout),
      m_minimumRate(options.minimumRate), m_rateWindow(options.rateWindow), m_start(start) {}

std::optional<std::string> TransferWatch::Check(Clock::time_point now, std::int64_t bytes) {
    if (now - m_start >= m_callTimeout)
        return "the exchange took longer than " + std::to_string(m_callTimeout.count()) + " s";
    if (bytes == 0)
        return std::nullopt; // still connecting
    if (m_bytes == 0) {
        m_windowStart = now;
        m_windowBytes = 0;
    }
    if (bytes != m_bytes) {
        m_bytes = bytes;
        m_lastProgress = now;
    } else if (now - m_lastProgress >= m_inactivity) {
        return "nothing was sent or received for " + std::to_string(m_inactivity.count()) + " s";
    }
    return CheckRate(now);
}

std::optional<std::string> TransferWatch::CheckRate(Clock::time_point now) {
    if (m_minimumRate <= 0 || m_rateWindow.count() <= 0 || now - m_windowStart < m_rateWindow)
        return std::nullopt;
    if (m_bytes - m_windowBytes < m_minimumRate * m_rateWindow.count())
        return "the data came slower than " + std::to_string(m_minimumRate) + " bytes/s";
    m_windowStart = now;
    m_windowBytes = m_bytes;
    return std::nullopt;
}
