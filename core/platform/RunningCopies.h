#pragma once

#include "QuillonCoreExport.h"

#include <string>

// This copy's place among the running copies of a program: one of a fixed set of slot files in
// the lock folder, held with an flock for the object's lifetime. The kernel drops the lock when
// the process ends in any way, so a copy that crashed is never counted again.
class QUILLON_CORE_EXPORT RunningCopies {
public:
    // The slots of the program named kind in the folder of the named mutexes.
    explicit RunningCopies(const std::string& kind);
    // The slots in folder (ending in "/"); no slot at all when folder is empty.
    RunningCopies(const std::string& kind, const std::string& folder);
    ~RunningCopies();
    RunningCopies(const RunningCopies&) = delete;
    RunningCopies& operator=(const RunningCopies&) = delete;

    // How many other copies hold a slot now. When every slot is taken this copy holds none and
    // all of them count as others.
    int Others() const;
    // Whether this copy holds a slot (false only when all are taken or the folder is unusable).
    bool HoldsSlot() const { return m_slot >= 0; }

    static constexpr int kSlots = 64;

private:
    std::string SlotName(int slot) const;
    bool IsHeld(int slot) const;

    std::string m_kind;
    std::string m_folder;
    int m_slot = -1;
    int m_fd = -1;
};
