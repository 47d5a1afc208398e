#pragma once

#include <string>

// The folder of the lock files of named mutexes, ending in "/": $XDG_RUNTIME_DIR, else
// <temporaryRoot>/quillon-<uid> when that is a private folder of this user, else the private
// configuration folder (see GetConfigDir), which is where the locked files are. So another user
// who made the shared folder first cannot make the lock guard one process alone. Empty only
// when not even the configuration folder is private.
std::string LockFolder(const std::string& temporaryRoot = "/tmp");

// Opens (with create, makes) the lock file "<folder><name>.lock" of this user, never through a
// link; a "/" in the name becomes "_". -1 when the folder is empty or the file cannot be opened.
int OpenLockFile(const std::string& folder, std::string name, bool create);

// An flock on fd (exclusive or shared), waiting for it or not. True when the lock is held; false
// when a non-blocking attempt finds a conflicting lock or the call fails.
bool FlockFile(int fd, bool exclusive, bool wait);
