#include "platform/LockFolder.h"
#include "ScopedEnv.h"
#include "TestSupport.h"
#include "platform/Paths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Without a runtime folder, in a temporary root of the test's own.
class LockFolderTest : public testing::Test {
protected:
    std::string Shared() const {
        return (m_root.Path() / ("quillon-" + std::to_string(getuid()))).string();
    }
    std::string Lock() const { return LockFolder(m_root.Path().string()); }

    TempDir m_root;
    TempDir m_data;
    ScopedEnv m_noRuntime{"XDG_RUNTIME_DIR", nullptr};
    ScopedEnv m_dataHome{"XDG_DATA_HOME", m_data.Path().c_str()};
};

TEST_F(LockFolderTest, TheRuntimeFolderComesFirstThenAPrivateSharedFolder) {
    {
        const ScopedEnv runtime("XDG_RUNTIME_DIR", m_root.Path().c_str());
        EXPECT_EQ(Lock(), m_root.Path().string() + "/");
    }
    EXPECT_EQ(Lock(), Shared() + "/");
    struct stat info {};
    ASSERT_EQ(stat(Shared().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
}

// Another user who made the shared folder first (or left it open to everyone, or put a link in
// its place) must not turn the lock into one of this process alone.
TEST_F(LockFolderTest, ASharedFolderThatIsNotPrivateGivesWayToTheConfigurationFolder) {
    const std::string config = GetConfigDir(false, false);
    fs::create_directory(Shared());
    fs::permissions(Shared(), fs::perms::all);
    EXPECT_EQ(Lock(), config);
    struct stat info {};
    ASSERT_EQ(stat(config.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);

    fs::remove(Shared());
    const TempDir elsewhere;
    fs::create_directory_symlink(elsewhere.Path(), Shared());
    EXPECT_EQ(Lock(), config);

    // Root owns every folder it makes; one of nobody's shows the owner is checked as well.
    fs::remove(Shared());
    fs::create_directory(Shared());
    if (getuid() == 0 && chown(Shared().c_str(), 65534, 65534) == 0) {
        EXPECT_EQ(Lock(), config);
    }
}

} // namespace
