#include "Paths.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dlfcn.h>
#include <fcntl.h>
#include <link.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

std::string HomeDir() {
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
        found->pw_dir)
        return found->pw_dir;
    return ".";
}

// The user's local application data folder, without a trailing "/".
std::string LocalDataDir() {
    // A relative XDG_DATA_HOME is invalid and ignored, as the XDG rules say.
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && data[0] == '/')
        return data;
    return HomeDir() + "/.local/share";
}

// Creates every missing folder along the path, private to the user; existing ones stay as they
// are.
void MakeFolders(const std::string& path) {
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1))
        mkdir(path.substr(0, slash).c_str(), 0700);
    mkdir(path.c_str(), 0700);
}

std::string ExecutablePath() {
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
    return length > 0 ? std::string(path, static_cast<std::size_t>(length)) : std::string();
}

// The file of the module holding the address; the main program's own entry has no name.
std::string ModulePath(const void* address) {
    Dl_info info{};
    link_map* module = nullptr;
    if (dladdr1(address, &info, reinterpret_cast<void**>(&module), RTLD_DL_LINKMAP) && module &&
        module->l_name && module->l_name[0] != '\0')
        return module->l_name;
    return ExecutablePath();
}

} // namespace

std::string GetConfigDir(bool create, bool legacy) {
    const std::string data = LocalDataDir();
    const std::string vendor = data + (legacy ? "/Korvana" : "/Velora");
    const std::string folder = vendor + "/Quillon";
    if (create) {
        MakeFolders(data);
        MakePrivateFolder(vendor);
        MakePrivateFolder(folder);
    }
    return folder + "/";
}

void TightenFolder(const std::string& path) {
    // A trailing "/" would have a link followed.
    const std::string folder = path.substr(0, path.find_last_not_of('/') + 1);
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat info {};
    if (fstat(fd, &info) == 0 && info.st_uid == getuid() && (info.st_mode & 077) != 0)
        fchmod(fd, info.st_mode & 0700);
    close(fd);
}

std::string GetAppDir(const void* moduleAddress) {
    const void* address = moduleAddress ? moduleAddress : reinterpret_cast<const void*>(&GetAppDir);
    std::string path = ModulePath(address);
    if (char* resolved = realpath(path.c_str(), nullptr)) {
        path = resolved;
        std::free(resolved);
    }
    return path.substr(0, path.rfind('/') + 1);
}

void MakePrivateFolder(const std::string& path) {
    if (mkdir(path.c_str(), 0700) != 0 && errno == EEXIST)
        TightenFolder(path);
}
