#include "frontend/StopEvent.h"

bool StopEvent::Wait(std::chrono::milliseconds timeout) {
    std::unique_lock lock(m_mutex);
    return m_signalled.wait_for(lock, timeout, [this] { return m_set; });
}

void StopEvent::Signal() {
    {
        const std::lock_guard lock(m_mutex);
        m_set = true;
    }
    m_signalled.notify_all();
}

void StopEvent::Reset() {
    const std::lock_guard lock(m_mutex);
    m_set = false;
}
