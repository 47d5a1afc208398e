#include "NamedMutex.h"

#include "LockFolder.h"

#include <cerrno>
#include <condition_variable>
#include <map>
#include <mutex>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace {

// The state of one name in this process: every CNamedMutex of the name shares it, so ownership
// belongs to a thread, as with a system mutex, whichever object the thread locks through.
struct SharedLock {
    std::mutex mutex;
    std::condition_variable released;
    std::thread::id owner;
    unsigned depth = 0;
    int fd = -1; // -1 when no lock file could be opened: then the lock guards this process only

    ~SharedLock() {
        if (fd >= 0)
            close(fd);
    }
};

std::shared_ptr<SharedLock> SharedLockOf(const std::string& name) {
    static std::mutex registryMutex;
    // Never destroyed: the library takes the lock while it unloads at process exit, after the
    // static objects are gone.
    static auto& registry = *new std::map<std::string, std::weak_ptr<SharedLock>>;
    std::lock_guard guard(registryMutex);
    std::weak_ptr<SharedLock>& entry = registry[name];
    std::shared_ptr<SharedLock> shared = entry.lock();
    if (!shared) {
        shared = std::make_shared<SharedLock>();
        shared->fd = OpenLockFile(LockFolder(), name, true);
        entry = shared;
    }
    return shared;
}

// False only when a non-blocking attempt finds the file locked by someone else. Other failures
// leave the lock guarding this process alone rather than stopping the caller.
bool LockFile(int fd, bool wait) {
    if (fd < 0 || FlockFile(fd, true, wait))
        return true;
    return errno != EWOULDBLOCK;
}

} // namespace

struct CNamedMutex::State {
    std::shared_ptr<SharedLock> shared;
};

CNamedMutex::CNamedMutex(const std::string& name)
    : m_state(std::make_unique<State>(State{SharedLockOf(name)})) {}

CNamedMutex::~CNamedMutex() = default;

void CNamedMutex::Lock() {
    SharedLock& s = *m_state->shared;
    const auto self = std::this_thread::get_id();
    std::unique_lock lock(s.mutex);
    if (s.depth > 0 && s.owner == self) {
        ++s.depth;
        return;
    }
    s.released.wait(lock, [&] { return s.depth == 0; });
    s.owner = self;
    s.depth = 1;
    // Other threads now see the mutex as owned; wait for other processes without blocking them.
    lock.unlock();
    LockFile(s.fd, true);
}

bool CNamedMutex::TryLock() {
    SharedLock& s = *m_state->shared;
    const auto self = std::this_thread::get_id();
    std::lock_guard lock(s.mutex);
    if (s.depth > 0) {
        if (s.owner != self)
            return false;
        ++s.depth;
        return true;
    }
    if (!LockFile(s.fd, false))
        return false;
    s.owner = self;
    s.depth = 1;
    return true;
}

void CNamedMutex::Unlock() {
    SharedLock& s = *m_state->shared;
    std::unique_lock lock(s.mutex);
    if (s.depth == 0 || s.owner != std::this_thread::get_id())
        return;
    if (--s.depth > 0)
        return;
    if (s.fd >= 0)
        flock(s.fd, LOCK_UN);
    s.owner = {};
    lock.unlock();
    s.released.notify_one();
}
