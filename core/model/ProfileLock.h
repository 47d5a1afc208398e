#pragma once

#include <memory>

class CNamedMutex;

// Holds the system-wide mutex "KV_SMS_DA", which serialises every read and write of the profile
// and settings files across processes, for its lifetime. Waits without a time limit; re-entrant
// for the thread that holds it.
class CProfileLock {
public:
    CProfileLock();
    ~CProfileLock();
    CProfileLock(const CProfileLock&) = delete;
    CProfileLock& operator=(const CProfileLock&) = delete;

    // The process's handle of the mutex, made when the library is loaded and closed when it is
    // unloaded. A lock taken outside that time opens a handle of its own.
    static void OpenMutex();
    static void CloseMutex();

private:
    std::unique_ptr<CNamedMutex> m_own;
    CNamedMutex* m_mutex;
};
