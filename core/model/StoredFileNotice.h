#pragma once

#include "QuillonCoreExport.h"

#include <string>
#include <vector>

// What the profile store found wrong with a profile or settings file. The store has no user
// interface and no log, so it keeps these for the front ends, which take them and tell the user.
struct QUILLON_CORE_EXPORT StoredFileNotice {
    enum class Problem {
        Damaged,    // not a file the store wrote; a copy of it is kept as keptAs
        NotRegular, // a folder, pipe or device: not read, and never replaced
        Unreadable, // could not be read (error): no user is made of it, so nothing overwrites it
    };
    Problem problem = Problem::Damaged;
    std::string path;
    // Damaged: the copy kept, or the file itself when it is never written (the legacy folder);
    // empty when no copy could be made.
    std::string keptAs;
    int error = 0; // Unreadable: the errno of the failed read
    bool operator==(const StoredFileNotice&) const = default;
};

// Adds a notice unless the same one was added before in this process (a save that reads the
// damaged file again finds the same). Only the newest few wait: a process whose front end never
// asks does not gather them for ever.
QUILLON_CORE_EXPORT void AddStoredFileNotice(const StoredFileNotice& notice);
// The notices added since the last call, oldest first; each is handed out once.
QUILLON_CORE_EXPORT std::vector<StoredFileNotice> TakeStoredFileNotices();
