#include "platform/LibsecretStore.h"
#include "PrivateSessionBus.h"
#include "TestSupport.h"
#include "model/SmsUserInfo.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr const char* kKeyringPassword = "keyring-of-the-test";

bool HasKeyringDaemon() {
    return std::system("command -v gnome-keyring-daemon >/dev/null 2>&1") == 0;
}

// One bus for the whole test program: the process keeps its first session bus connection.
PrivateSessionBus& SharedBus() {
    static const auto bus = std::make_unique<PrivateSessionBus>();
    return *bus;
}

// gnome-keyring-daemon with only its secret service, unlocked with a password on its input,
// keeping its keyring under the test's own data folder (XDG_DATA_HOME).
class KeyringDaemon {
public:
    KeyringDaemon() {
        if (const char* data = std::getenv("XDG_DATA_HOME"))
            std::filesystem::remove_all(std::filesystem::path(data) / "keyrings");
        int input[2];
        if (pipe(input) != 0)
            return;
        m_pid = fork();
        if (m_pid == 0) {
            dup2(input[0], STDIN_FILENO);
            close(input[0]);
            close(input[1]);
            execlp("gnome-keyring-daemon", "gnome-keyring-daemon", "--foreground", "--unlock",
                   "--components=secrets", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(input[0]);
        const std::string password = kKeyringPassword;
        if (write(input[1], password.data(), password.size()) < 0)
            m_pid = -1;
        close(input[1]);
    }
    ~KeyringDaemon() {
        if (m_pid <= 0)
            return;
        kill(m_pid, SIGTERM);
        waitpid(m_pid, nullptr, 0);
    }
    KeyringDaemon(const KeyringDaemon&) = delete;
    KeyringDaemon& operator=(const KeyringDaemon&) = delete;

    // Waits until the daemon owns the service's name on the bus.
    bool WaitUntilRunning(const LibsecretStore& store) const {
        for (int i = 0; i < 200 && m_pid > 0; ++i) {
            if (store.IsRunning())
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return false;
    }

private:
    pid_t m_pid = -1;
};

class LibsecretStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("QUILLON_ANSI_CODEPAGE", "1250", 1);
        if (!HasKeyringDaemon())
            GTEST_SKIP() << "gnome-keyring-daemon is not installed";
    }

    LibsecretStore store;
};

} // namespace

TEST_F(LibsecretStoreTest, WithoutARunningServiceNothingIsKeptAndNoneIsStarted) {
    // The test's session bus address leads nowhere.
    EXPECT_FALSE(store.IsRunning());
    EXPECT_FALSE(store.Store("alice", "secret"));
    EXPECT_EQ(store.Lookup("alice"), std::nullopt);

    // A bus on which the service could be started on demand: it is not.
    SharedBus();
    EXPECT_FALSE(store.Store("alice", "secret"));
    EXPECT_EQ(store.Lookup("alice"), std::nullopt);
    EXPECT_FALSE(store.Remove("alice"));
    EXPECT_FALSE(store.IsRunning());
}

TEST_F(LibsecretStoreTest, PasswordsAreKeptPerUserAndTheProfileLeavesThemThere) {
    SharedBus();
    const KeyringDaemon daemon;
    ASSERT_TRUE(daemon.WaitUntilRunning(store));

    const std::string name = "\x8Eofia"; // Žofia in code page 1250
    const std::string password = "k\xF9\xF2 \x9A"
                                 "e";
    EXPECT_EQ(store.Lookup(name), std::nullopt);
    ASSERT_TRUE(store.Store(name, password));
    ASSERT_TRUE(store.Store("bob", "first"));
    ASSERT_TRUE(store.Store("bob", "second")); // replaces, does not add
    EXPECT_EQ(store.Lookup(name), password);
    EXPECT_EQ(store.Lookup("bob"), "second");
    EXPECT_TRUE(store.Remove("bob"));
    EXPECT_TRUE(store.Remove("bob")); // nothing left to remove is no failure
    EXPECT_EQ(store.Lookup("bob"), std::nullopt);
    EXPECT_EQ(store.Lookup(name), password);

    // The profile through the installed store.
    const ScopedDataHome dataHome;
    SecretStore::Install(&store);
    {
        auto user = CSmsUserInfo::GetUserInfo("carol", "1.1", "QLN");
        ASSERT_NE(user, nullptr);
        user->SetPassword("carol's");
        ASSERT_TRUE(user->Save(false));
        EXPECT_TRUE(user->IsPasswordInSecretStore());
    }
    EXPECT_EQ(store.Lookup("carol"), "carol's");
    EXPECT_EQ(CSmsUserInfo::GetUserInfo("carol", "1.1", "QLN")->GetPassword(), "carol's");
    ASSERT_TRUE(CSmsUserInfo::ResetPwd("carol"));
    EXPECT_EQ(store.Lookup("carol"), std::nullopt);
    SecretStore::Install(nullptr);
}
