#include "service/CallCanceller.h"

namespace {
thread_local const CallCanceller* t_current = nullptr;
}

void CallCanceller::Cancel() {
    const std::lock_guard lock(m_mutex);
    m_cancelled = true;
    if (m_wake)
        m_wake();
    m_changed.notify_all();
}

void CallCanceller::Reset() {
    const std::lock_guard lock(m_mutex);
    m_cancelled = false;
}

bool CallCanceller::WaitCancelled(std::chrono::milliseconds timeout) const {
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, timeout, [this] { return m_cancelled.load(); });
}

const CallCanceller* CallCanceller::Current() {
    return t_current;
}

CallCanceller::Scope::Scope(const CallCanceller& canceller) : m_previous(t_current) {
    t_current = &canceller;
}

CallCanceller::Scope::~Scope() {
    t_current = m_previous;
}

CallCanceller::Wakeup::Wakeup(const CallCanceller* canceller, std::function<void()> wake)
    : m_canceller(canceller) {
    if (!m_canceller)
        return;
    const std::lock_guard lock(m_canceller->m_mutex);
    m_canceller->m_wake = std::move(wake);
}

CallCanceller::Wakeup::~Wakeup() {
    if (!m_canceller)
        return;
    const std::lock_guard lock(m_canceller->m_mutex);
    m_canceller->m_wake = nullptr;
}
