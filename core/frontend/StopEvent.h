#pragma once

#include "QuillonCoreExport.h"
#include "frontend/IWorkerWait.h"

#include <condition_variable>
#include <mutex>

// The worker's wait on the real clock: a manual-reset event that stops it.
class QUILLON_CORE_EXPORT StopEvent : public IWorkerWait {
public:
    bool Wait(std::chrono::milliseconds timeout) override;
    void Signal() override;
    void Reset() override;

private:
    std::mutex m_mutex;
    std::condition_variable m_signalled;
    bool m_set = false;
};
