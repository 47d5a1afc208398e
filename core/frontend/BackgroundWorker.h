#pragma once

#include "QuillonCoreExport.h"
#include "frontend/BackgroundPass.h"
#include "service/CallCanceller.h"

#include <cstdint>
#include <memory>
#include <thread>

class IBackgroundEvents;
class IClock;
class IWorkerWait;

// The desktop program's background worker: one thread that wakes at least once a minute, polls
// the delivery reports that are due and keeps the session alive in the last eighth of the
// token's validity (BackgroundPass). It reports through IBackgroundEvents on its own thread.
// Its owner starts and stops it; Stop cancels a service call in progress (and any re-login that
// would follow), so stopping never waits for a slow or silent service.
class QUILLON_CORE_EXPORT BackgroundWorker {
public:
    // clock null: the installed time source (platform/Clock.h); wait null: a StopEvent. user,
    // serviceLock, events and clock must outlive the worker.
    BackgroundWorker(CSmsUserInfo& user, CServiceLock& serviceLock, IBackgroundEvents& events,
                     const IClock* clock = nullptr, std::unique_ptr<IWorkerWait> wait = nullptr);
    ~BackgroundWorker();
    BackgroundWorker(const BackgroundWorker&) = delete;
    BackgroundWorker& operator=(const BackgroundWorker&) = delete;

    // Runs the loop on a thread of its own; nothing when it runs already.
    void Start();
    // Cancels the worker's service call in progress, ends its wait and joins the thread.
    void Stop();
    bool IsRunning() const { return m_thread.joinable(); }

    // The loop itself on the calling thread, until the wait says stop: wait until keep-alive
    // is due, 1 to 60 s, then one pass.
    void Run();

private:
    std::int64_t Now() const;

    CSmsUserInfo& m_user;
    const IClock* m_clock;
    std::unique_ptr<IWorkerWait> m_wait;
    BackgroundPass m_pass;
    CallCanceller m_canceller;
    std::thread m_thread;
};
