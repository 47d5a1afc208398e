#include "StoredFileNotice.h"

#include <algorithm>
#include <mutex>

namespace {

constexpr std::size_t kMaxWaiting = 32;

// Constant-initialised: the settings are read, and may be found damaged, when the library is
// loaded, before other statics exist.
std::mutex g_mutex;

std::vector<StoredFileNotice>& Waiting() {
    // Never destroyed, so the unload at exit may still add to it.
    static auto& waiting = *new std::vector<StoredFileNotice>;
    return waiting;
}

} // namespace

void AddStoredFileNotice(const StoredFileNotice& notice) {
    const std::lock_guard lock(g_mutex);
    std::vector<StoredFileNotice>& waiting = Waiting();
    if (std::find(waiting.begin(), waiting.end(), notice) != waiting.end())
        return;
    if (waiting.size() == kMaxWaiting)
        waiting.erase(waiting.begin());
    waiting.push_back(notice);
}

std::vector<StoredFileNotice> TakeStoredFileNotices() {
    const std::lock_guard lock(g_mutex);
    std::vector<StoredFileNotice> taken;
    taken.swap(Waiting());
    return taken;
}
