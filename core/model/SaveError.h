#pragma once

#include "QuillonCoreExport.h"

#include <string>

// Why a profile or settings file could not be written, for the front ends to tell the user. The
// store has no user interface, so it keeps the reason beside its boolean result.
struct QUILLON_CORE_EXPORT SaveError {
    enum class Reason {
        None,             // the file was written
        NoFolder,         // the folder of the file is missing and could not be created
        PermissionDenied, // the folder or the file may not be written
        DiskFull,         // no room is left on the disk, or the user's quota is used up
        RenameFailed,     // the new file could not take the place of the old one
        IoError,          // any other failure
    };

    Reason reason = Reason::None;
    std::string path;       // the file or folder concerned
    std::string systemText; // the system's words for the error, when it gave one

    // Of a step that failed with errno error; errors without a reason of their own get fallback.
    static SaveError FromErrno(int error, const std::string& path, Reason fallback);

    bool Failed() const { return reason != Reason::None; }
    // One line in English, such as "the disk is full: /home/ann/x.dat could not be written (No
    // space left on device)".
    std::string Describe() const;
    bool operator==(const SaveError&) const = default;
};
