#include "service/ServiceLock.h"

#include "service/CallCanceller.h"

#include <thread>

CServiceLock::CServiceLock(Sleep sleep) : m_sleep(std::move(sleep)) {
    if (m_sleep)
        return;
    // A thread whose calls may be cancelled ends the delay with them: its call fails at once.
    m_sleep = [](std::chrono::milliseconds delay) {
        if (const CallCanceller* canceller = CallCanceller::Current())
            canceller->WaitCancelled(delay);
        else
            std::this_thread::sleep_for(delay);
    };
}

std::unique_lock<CServiceLock::Mutex> CServiceLock::LockForCall() {
    std::unique_lock<Mutex> lock(m_mutex);
    if (m_linkOpened) {
        m_sleep(LinkDelay);
        m_linkOpened = false;
    }
    return lock;
}
