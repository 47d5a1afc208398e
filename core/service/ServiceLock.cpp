#include "service/ServiceLock.h"

#include <thread>

CServiceLock::CServiceLock(Sleep sleep) : m_sleep(std::move(sleep)) {
    if (!m_sleep)
        m_sleep = [](std::chrono::milliseconds delay) { std::this_thread::sleep_for(delay); };
}

std::unique_lock<CServiceLock::Mutex> CServiceLock::LockForCall() {
    std::unique_lock<Mutex> lock(m_mutex);
    if (m_linkOpened) {
        m_sleep(LinkDelay);
        m_linkOpened = false;
    }
    return lock;
}
