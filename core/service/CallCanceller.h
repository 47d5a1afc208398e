#pragma once

#include "QuillonCoreExport.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>

// Lets one thread cancel the service calls that other threads make while they are bound to
// the canceller (Scope). A cancelled call ends at once as a transport failure (code 21), and
// so does every later call of a bound thread, automatic re-logins included, until Reset. The
// owner of a worker holds one, binds the worker's thread to it and cancels before joining.
class QUILLON_CORE_EXPORT CallCanceller {
public:
    CallCanceller() = default;
    CallCanceller(const CallCanceller&) = delete;
    CallCanceller& operator=(const CallCanceller&) = delete;

    void Cancel();
    void Reset();
    bool IsCancelled() const { return m_cancelled.load(); }
    // For a transport that waits: true as soon as the canceller is cancelled, false when the
    // time ran out first.
    bool WaitCancelled(std::chrono::milliseconds timeout) const;

    // The canceller bound to the calling thread, or null.
    static const CallCanceller* Current();

    // Binds the canceller to the calling thread for the scope's lifetime.
    class QUILLON_CORE_EXPORT Scope {
    public:
        explicit Scope(const CallCanceller& canceller);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        const CallCanceller* m_previous;
    };

    // While it lives, Cancel also calls wake (on the cancelling thread), so that a transport
    // blocked in a wait of its own returns at once. One at a time per canceller; a null
    // canceller makes it do nothing.
    class QUILLON_CORE_EXPORT Wakeup {
    public:
        Wakeup(const CallCanceller* canceller, std::function<void()> wake);
        ~Wakeup();
        Wakeup(const Wakeup&) = delete;
        Wakeup& operator=(const Wakeup&) = delete;

    private:
        const CallCanceller* m_canceller;
    };

private:
    std::atomic<bool> m_cancelled{false};
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    mutable std::function<void()> m_wake; // guarded by m_mutex
};
