#pragma once

#include "QuillonCoreExport.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>

// A program's own service lock: serialises the service calls of its background work with the
// opening of web links that carry the session token. After such a link was opened, the next
// service call waits a moment first, so that the browser uses the token before a call can
// replace it.
class QUILLON_CORE_EXPORT CServiceLock {
public:
    using Mutex = std::recursive_mutex;
    using Sleep = std::function<void(std::chrono::milliseconds)>;

    static constexpr std::chrono::milliseconds LinkDelay{3000};

    // sleep waits for the link delay (by default on the real clock, ended early when the
    // calling thread's calls are cancelled); tests pass one that does not.
    explicit CServiceLock(Sleep sleep = nullptr);

    // Around a service call: takes the lock, then waits out the link delay if a link was opened.
    std::unique_lock<Mutex> LockForCall();
    // Around opening a token-bearing link, with SetLinkOpened once it is open.
    std::unique_lock<Mutex> Lock() { return std::unique_lock<Mutex>(m_mutex); }
    void SetLinkOpened() { m_linkOpened = true; }

private:
    Mutex m_mutex;
    std::atomic<bool> m_linkOpened{false};
    Sleep m_sleep;
};
