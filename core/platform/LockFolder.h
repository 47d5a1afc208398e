#pragma once

#include <string>

// The folder of the lock files of named mutexes, ending in "/": $XDG_RUNTIME_DIR, else
// <temporaryRoot>/quillon-<uid> when that is a private folder of this user, else the private
// configuration folder (see GetConfigDir), which is where the locked files are. So another user
// who made the shared folder first cannot make the lock guard one process alone. Empty only
// when not even the configuration folder is private.
std::string LockFolder(const std::string& temporaryRoot = "/tmp");
