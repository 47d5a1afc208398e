// Several processes save one user's profile at once, as the desktop program, the mail plug-in and
// the browser toolbar do. The test runs its own executable again as each saving process.
#include "ProfileTestFolder.h"
#include "model/SmsUserInfo.h"

#include <algorithm>
#include <set>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {

constexpr const char* kUser = "carol";
constexpr const char* kRoleVariable = "QUILLON_TEST_SAVER";
constexpr int kSaves = 25;
constexpr int kEntriesEvery = 5; // so 4 processes add 20 history entries, the history's limit
constexpr int kProcesses = 4;    // process 0 saves whole, the others partially

std::string EntryText(int process, int entry) {
    return "p" + std::to_string(process) + "-" + std::to_string(entry);
}

std::string MessageText(int save) {
    return "message " + std::to_string(save);
}

bool HasHistory(CSmsUserInfo& user, const std::string& text) {
    const SmsHistoryList& history = user.GetHistory();
    return std::any_of(history.begin(), history.end(),
                       [&](const auto& entry) { return entry->GetText() == text; });
}

std::set<std::string> ArchiveTexts(CSmsUserInfo& user) {
    std::set<std::string> texts;
    for (int i = 0; i < user.GetArchive().GetItemCount(); ++i)
        texts.insert(user.GetArchive().GetItem(i)->GetSmsText());
    return texts;
}

// One saving process: a user object held for the whole run, like a running program, that adds
// history entries, counts messages and (the whole saver) files messages and changes a setting.
void RunSaver(int process) {
    const bool whole = process == 0;
    auto user = CSmsUserInfo::GetUserInfo(kUser, "1.1", whole ? "QLN" : "QLN IE");
    ASSERT_NE(user, nullptr);
    for (int save = 0; save < kSaves; ++save) {
        const std::string entry = EntryText(process, save / kEntriesEvery);
        if (save % kEntriesEvery == 0)
            CSmsArchive::InsertHistory(
                user->GetHistory(),
                std::make_unique<CSmsHistoryItem>(entry, 1000 + process * 100 + save),
                CSmsArchive::MaxHistoryItems);
        user->IncrementCounters(1);
        if (whole) {
            user->GetArchive().AddItem(MessageText(save), "0903", "421903", 5000 + save, false,
                                       save, 1);
            user->SetMaxDays(123);
        }
        ASSERT_TRUE(user->Save(!whole));
        // The file always loads, and holds what this process just stored.
        const auto stored = CSmsUserInfo::GetUserInfo(kUser, "1.1", "QLN");
        ASSERT_TRUE(HasHistory(*stored, entry)) << "process " << process << " save " << save;
        if (whole) {
            ASSERT_TRUE(ArchiveTexts(*stored).count(MessageText(save)));
        }
    }
}

pid_t StartSaver(int process) {
    const std::string role = std::string(kRoleVariable) + "=" + std::to_string(process);
    std::vector<char*> environment;
    for (char** variable = environ; *variable; ++variable)
        environment.push_back(*variable);
    environment.push_back(const_cast<char*>(role.c_str()));
    environment.push_back(nullptr);
    std::string filter = "--gtest_filter=ProfileSaverProcess.Run";
    char* arguments[] = {const_cast<char*>("/proc/self/exe"), filter.data(), nullptr};
    pid_t pid = -1;
    if (posix_spawn(&pid, "/proc/self/exe", nullptr, nullptr, arguments, environment.data()) != 0)
        return -1;
    return pid;
}

TEST(ProfileSaverProcess, Run) {
    const char* role = std::getenv(kRoleVariable);
    if (!role)
        GTEST_SKIP() << "runs only as a process started by the concurrency test";
    RunSaver(std::atoi(role));
}

using ProfileConcurrencyTest = ProfileFolderTest;

TEST_F(ProfileConcurrencyTest, ConcurrentSavesKeepWhatTheMergeRulesPromise) {
    {
        CSmsUserInfo initial(kUser, "1.1", "QLN");
        initial.GetArchive().AddItem("filed before", "0905", "421905", 100, false, 1, 1);
        ASSERT_TRUE(initial.Save(false));
    }
    std::vector<pid_t> saver;
    for (int process = 0; process < kProcesses; ++process) {
        saver.push_back(StartSaver(process));
        ASSERT_GT(saver.back(), 0);
    }
    for (pid_t pid : saver) {
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a saving process failed";
    }

    const auto stored = CSmsUserInfo::GetUserInfo(kUser, "1.1", "QLN");
    // Every history entry of every process, none pushed out (there are exactly 20).
    EXPECT_EQ(stored->GetHistory().size(), static_cast<std::size_t>(CSmsArchive::MaxHistoryItems));
    for (int process = 0; process < kProcesses; ++process) {
        for (int entry = 0; entry < kSaves / kEntriesEvery; ++entry)
            EXPECT_TRUE(HasHistory(*stored, EntryText(process, entry)))
                << EntryText(process, entry);
    }
    // The whole saver's archive and settings, kept by every partial save after it.
    std::set<std::string> expected{"filed before"};
    for (int save = 0; save < kSaves; ++save)
        expected.insert(MessageText(save));
    EXPECT_EQ(ArchiveTexts(*stored), expected);
    EXPECT_EQ(stored->GetMaxDays(), 123u);
    // The counters are those of the process that saved last, which counted all its messages.
    EXPECT_GE(stored->GetSentTotal(), kSaves);
    EXPECT_LE(stored->GetSentTotal(), kSaves * kProcesses);
}

} // namespace
