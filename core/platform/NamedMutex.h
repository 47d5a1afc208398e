#pragma once

#include <memory>
#include <string>

// A system-wide named mutex: an advisory lock on "<name>.lock" in $XDG_RUNTIME_DIR (else in
// /tmp/quillon-<uid>/, else in the configuration folder; see LockFolder). Re-entrant for the owning
// thread; other threads and processes wait without a time limit.
class CNamedMutex {
public:
    explicit CNamedMutex(const std::string& name);
    ~CNamedMutex();
    CNamedMutex(const CNamedMutex&) = delete;
    CNamedMutex& operator=(const CNamedMutex&) = delete;

    void Lock();
    void Unlock();
    // Non-blocking attempt; true when the calling thread now holds the mutex.
    bool TryLock();

private:
    struct State;
    std::unique_ptr<State> m_state;
};
