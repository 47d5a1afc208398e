#pragma once

#include <chrono>

// The background worker's wait between two passes, which its owner ends early to stop it.
// Tests put in one that does not sleep.
class IWorkerWait {
public:
    virtual ~IWorkerWait() = default;
    // Waits up to timeout; true when the worker is to stop (Signal came, now or earlier).
    virtual bool Wait(std::chrono::milliseconds timeout) = 0;
    // Ends the current and every later wait until Reset; from any thread.
    virtual void Signal() = 0;
    virtual void Reset() = 0;
};
