#include "LockFolder.h"

#include "Paths.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A folder (not a link to one) of this user that nobody else may change.
bool IsPrivateFolder(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == getuid() &&
           (info.st_mode & 077) == 0;
}

} // namespace

std::string LockFolder(const std::string& temporaryRoot) {
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && runtime[0] == '/')
        return std::string(runtime) + "/";
    const std::string shared = temporaryRoot + "/quillon-" + std::to_string(getuid());
    mkdir(shared.c_str(), 0700);
    if (IsPrivateFolder(shared))
        return shared + "/";
    std::string config = GetConfigDir(true, false);
    config.pop_back(); // lstat of "folder/" would follow a link
    return IsPrivateFolder(config) ? config + "/" : std::string();
}

int OpenLockFile(const std::string& folder, std::string name, bool create) {
    if (folder.empty())
        return -1;
    for (char& c : name) {
        if (c == '/')
            c = '_';
    }
    const std::string path = folder + name + ".lock";
    return open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | (create ? O_CREAT : 0), 0600);
}

bool FlockFile(int fd, bool exclusive, bool wait) {
    const int operation = (exclusive ? LOCK_EX : LOCK_SH) | (wait ? 0 : LOCK_NB);
    int result;
    do {
        result = flock(fd, operation);
    } while (result != 0 && errno == EINTR);
    return result == 0;
}
