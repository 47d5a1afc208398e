#include "platform/Paths.h"
#include "ScopedEnv.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

unsigned ModeOf(const fs::path& path) {
    struct stat info {};
    EXPECT_EQ(stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

} // namespace

TEST(Paths, ConfigDirLiesUnderTheLocalDataFolder) {
    TempDir temp;
    ScopedEnv data("XDG_DATA_HOME", (temp.Path() / "data").c_str());
    EXPECT_EQ(GetConfigDir(false, false), (temp.Path() / "data/Velora/Quillon/").string());
    EXPECT_EQ(GetConfigDir(false, true), (temp.Path() / "data/Korvana/Quillon/").string());
    EXPECT_FALSE(fs::exists(temp.Path() / "data")) << "only create makes folders";

    ScopedEnv noData("XDG_DATA_HOME", nullptr);
    ScopedEnv home("HOME", temp.Path().c_str());
    EXPECT_EQ(GetConfigDir(false, false), (temp.Path() / ".local/share/Velora/Quillon/").string());
    ScopedEnv relative("XDG_DATA_HOME", "relative/data");
    EXPECT_EQ(GetConfigDir(false, true), (temp.Path() / ".local/share/Korvana/Quillon/").string());
}

TEST(Paths, CreateMakesEveryMissingFolderPrivate) {
    TempDir temp;
    const fs::path data = temp.Path() / "a" / "b";
    ScopedEnv env("XDG_DATA_HOME", data.c_str());
    const mode_t oldMask = umask(0);
    const std::string dir = GetConfigDir(true, false);
    const std::string legacy = GetConfigDir(true, true);
    umask(oldMask);
    for (const fs::path& folder : {data / "Velora", data / "Velora/Quillon", data / "Korvana",
                                   data / "Korvana/Quillon", temp.Path() / "a"}) {
        EXPECT_TRUE(fs::is_directory(folder)) << folder;
        EXPECT_EQ(ModeOf(folder), 0700u) << folder;
    }
    EXPECT_EQ(GetConfigDir(true, false), dir) << "an existing folder is fine";
}

TEST(Paths, CreateMakesTheProgramsOwnLooseFoldersPrivateButNoOthers) {
    TempDir temp;
    const fs::path data = temp.Path() / "data";
    ScopedEnv env("XDG_DATA_HOME", data.c_str());
    fs::create_directories(data / "Velora/Quillon");
    fs::create_directories(data / "Korvana/Quillon");
    fs::permissions(data, fs::perms(0755));
    fs::permissions(data / "Velora", fs::perms::all);
    fs::permissions(data / "Velora/Quillon", fs::perms(0755));
    fs::permissions(data / "Korvana/Quillon", fs::perms(02775));
    GetConfigDir(false, false);
    EXPECT_EQ(ModeOf(data / "Velora"), 0777u) << "only create changes folders";
    GetConfigDir(true, false);
    GetConfigDir(true, true);
    EXPECT_EQ(ModeOf(data), 0755u);
    EXPECT_EQ(ModeOf(data / "Velora"), 0700u);
    EXPECT_EQ(ModeOf(data / "Velora/Quillon"), 0700u);
    EXPECT_EQ(ModeOf(data / "Korvana/Quillon"), 0700u);

    // A folder of someone else, or a link, is left as it is.
    const fs::path shared = temp.Path() / "shared";
    fs::create_directory(shared);
    fs::permissions(shared, fs::perms::all);
    fs::create_directory_symlink(shared, temp.Path() / "link");
    MakePrivateFolder((temp.Path() / "link").string());
    EXPECT_EQ(ModeOf(shared), 0777u);
    if (getuid() == 0 && chown(shared.c_str(), 65534, 65534) == 0) {
        MakePrivateFolder(shared.string());
        EXPECT_EQ(ModeOf(shared), 0777u);
    }
}

TEST(Paths, AppDirIsTheFolderOfTheModuleHoldingTheAddress) {
    const fs::path program = fs::read_symlink("/proc/self/exe");
    static int anchor;
    EXPECT_EQ(GetAppDir(&anchor), program.parent_path().string() + "/");

    // This test holds the core's objects, so the core's own module is the program (the shared
    // library's case is in the core library test).
    EXPECT_EQ(GetAppDir(nullptr), program.parent_path().string() + "/");
}
