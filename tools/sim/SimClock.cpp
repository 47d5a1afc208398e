#include "SimClock.h"

#include <chrono>

SimClock::SimClock(std::optional<std::int64_t> frozenAt) : m_frozenAt(frozenAt) {}

std::int64_t SimClock::Now() const {
    std::lock_guard lock(m_mutex);
    if (m_frozenAt)
        return *m_frozenAt + m_offset;
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::seconds>(now).count() + m_offset;
}

void SimClock::Advance(std::int64_t seconds) {
    std::lock_guard lock(m_mutex);
    m_offset += seconds;
}
