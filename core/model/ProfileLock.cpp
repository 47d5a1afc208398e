#include "ProfileLock.h"

#include "platform/NamedMutex.h"

namespace {

constexpr const char* kMutexName = "KV_SMS_DA";

// Constant-initialised, so it is valid before and after every other static of the library.
CNamedMutex* g_mutex = nullptr;

} // namespace

CProfileLock::CProfileLock()
    : m_own(g_mutex ? nullptr : std::make_unique<CNamedMutex>(kMutexName)),
      m_mutex(g_mutex ? g_mutex : m_own.get()) {
    m_mutex->Lock();
}

CProfileLock::~CProfileLock() {
    m_mutex->Unlock();
}

void CProfileLock::OpenMutex() {
    if (!g_mutex)
        g_mutex = new CNamedMutex(kMutexName);
}

void CProfileLock::CloseMutex() {
    delete g_mutex;
    g_mutex = nullptr;
}
