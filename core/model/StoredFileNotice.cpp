#include "StoredFileNotice.h"

#include <algorithm>
#include <mutex>

namespace {

constexpr std::size_t kMaxKept = 32;

// Constant-initialised: the settings are read, and may be found damaged, when the library is
// loaded, before other statics exist.
std::mutex g_mutex;

// The notices waiting, and the newest ones ever added (so each is told once in a process).
struct Notices {
    std::vector<StoredFileNotice> waiting;
    std::vector<StoredFileNotice> added;
};

Notices& TheNotices() {
    // Never destroyed, so the unload at exit may still add to it.
    static auto& notices = *new Notices;
    return notices;
}

// Appends, dropping the oldest when the list is full.
void Append(std::vector<StoredFileNotice>& list, const StoredFileNotice& notice) {
    if (list.size() == kMaxKept)
        list.erase(list.begin());
    list.push_back(notice);
}

} // namespace

void AddStoredFileNotice(const StoredFileNotice& notice) {
    const std::lock_guard lock(g_mutex);
    Notices& notices = TheNotices();
    if (std::find(notices.added.begin(), notices.added.end(), notice) != notices.added.end())
        return;
    Append(notices.added, notice);
    Append(notices.waiting, notice);
}

std::vector<StoredFileNotice> TakeStoredFileNotices() {
    const std::lock_guard lock(g_mutex);
    std::vector<StoredFileNotice> taken;
    taken.swap(TheNotices().waiting);
    return taken;
}
