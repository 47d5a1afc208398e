#include "platform/RunningCopies.h"

#include "LockFolder.h"

#include <cerrno>
#include <unistd.h>

RunningCopies::RunningCopies(const std::string& kind) : RunningCopies(kind, LockFolder()) {}

RunningCopies::RunningCopies(const std::string& kind, const std::string& folder)
    : m_kind(kind), m_folder(folder) {
    for (int slot = 0; slot < kSlots && m_slot < 0; ++slot) {
        const int fd = OpenLockFile(m_folder, SlotName(slot), true);
        if (fd < 0)
            continue;
        if (FlockFile(fd, true, false)) {
            m_slot = slot;
            m_fd = fd;
        } else {
            close(fd);
        }
    }
}

RunningCopies::~RunningCopies() {
    if (m_fd >= 0)
        close(m_fd);
}

int RunningCopies::Others() const {
    int others = 0;
    for (int slot = 0; slot < kSlots; ++slot) {
        if (slot != m_slot && IsHeld(slot))
            ++others;
    }
    return others;
}

std::string RunningCopies::SlotName(int slot) const {
    return m_kind + "-copy-" + std::to_string(slot);
}

// A shared probe: it conflicts only with a holder's exclusive lock, so two copies counting at
// once never see each other's probes as copies.
bool RunningCopies::IsHeld(int slot) const {
    const int fd = OpenLockFile(m_folder, SlotName(slot), false);
    if (fd < 0)
        return false;
    const bool held = !FlockFile(fd, false, false) && errno == EWOULDBLOCK;
    close(fd);
    return held;
}
