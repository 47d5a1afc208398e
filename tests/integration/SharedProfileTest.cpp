// Several programs on one profile at once, as a user runs them: quillon-cli processes sending
// and adding contacts side by side, a poll waiting for reports meanwhile, and a long-lived user
// object in this process standing for the desktop program. Whatever each was told is done must
// be in the profile afterwards.
#include "CliRun.h"
#include "SimulatorProcess.h"
#include "TestSupport.h"

#include "model/SmsConfig.h"
#include "model/SmsUserInfo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <thread>

namespace {

constexpr int kSenders = 6;
constexpr int kMessagesEach = 5;
constexpr int kEditors = 3;
constexpr int kContactsEach = 10;

class SharedProfile : public testing::Test {
protected:
    void SetUp() override {
        m_sim = std::make_unique<SimulatorProcess>(
            QUILLON_SIM_PATH,
            std::vector<std::string>{"--state", (m_home.Path() / "sim").string(), "--account",
                                     "demo:demo-secret:421905123456", "--delivery-after", "1"});
        m_env = {{"XDG_DATA_HOME", m_data.Path().string()},
                 {"QUILLON_SERVICE_URL", m_sim->Url()},
                 {"QUILLON_CA_FILE", m_sim->CaFile()},
                 {"QUILLON_USER", "demo"},
                 {"QUILLON_PASSWORD", "demo-secret"}};
    }

    // Runs the command lines one after the other in a scratch folder of their own; the first
    // failure is kept.
    CliResult RunAll(const std::vector<std::vector<std::string>>& commands,
                     const std::string& scratch) {
        const auto folder = m_home.Path() / scratch;
        std::filesystem::create_directories(folder);
        for (const auto& command : commands) {
            CliResult result = RunProgram(QUILLON_CLI_PATH, command, m_env, folder);
            if (result.exitCode != 0)
                return result;
        }
        return {0, {}, {}};
    }

    static std::unique_ptr<CSmsUserInfo> Load() {
        return CSmsUserInfo::GetUserInfo("demo", "1.1", "QLN");
    }

    static std::vector<std::string> Texts(CSmsUserInfo& user) {
        std::vector<std::string> texts;
        for (int i = 0; i < user.GetArchive().GetItemCount(); ++i)
            texts.push_back(user.GetArchive().GetItem(i)->GetSmsText());
        std::sort(texts.begin(), texts.end());
        return texts;
    }

    static std::vector<std::string> Contacts(CSmsUserInfo& user) {
        std::vector<std::string> names;
        for (int i = 0; i < user.GetAddressBook().GetItemCount(); ++i)
            names.push_back(user.GetAddressBook().GetItem(i)->GetName());
        std::sort(names.begin(), names.end());
        return names;
    }

    TempDir m_home;
    ScopedDataHome m_data; // this process's user objects share the programs' profile
    std::unique_ptr<SimulatorProcess> m_sim;
    std::map<std::string, std::string> m_env;
};

TEST_F(SharedProfile, ProgramsSendingAndAddingContactsAtOnceLoseNothing) {
    auto desktop = Load();
    desktop->GetAddressBook().AddContact("Desktop 1", "0905000001", "");
    ASSERT_TRUE(desktop->Save(false));

    std::vector<std::string> expectedTexts{"from the desktop"};
    std::vector<std::string> expectedContacts{"Desktop 1", "Desktop 2"};
    std::vector<CliResult> results(kSenders + kEditors);
    std::vector<std::thread> programs;
    for (int p = 0; p < kSenders; ++p) {
        std::vector<std::vector<std::string>> sends;
        for (int m = 0; m < kMessagesEach; ++m) {
            const std::string text = "message " + std::to_string(p) + "." + std::to_string(m);
            sends.push_back({"send", "-m", text, "0905123401"});
            expectedTexts.push_back(text);
        }
        programs.emplace_back(
            [&, p, sends] { results[p] = RunAll(sends, "sender" + std::to_string(p)); });
    }
    for (int p = 0; p < kEditors; ++p) {
        std::vector<std::vector<std::string>> adds;
        for (int c = 0; c < kContactsEach; ++c) {
            const std::string name = "Contact " + std::to_string(p) + "." + std::to_string(c);
            adds.push_back(
                {"contacts", "add", name, "09052" + std::to_string(10000 + p * 100 + c)});
            expectedContacts.push_back(name);
        }
        programs.emplace_back(
            [&, p, adds] { results[kSenders + p] = RunAll(adds, "editor" + std::to_string(p)); });
    }
    // The desktop program goes on with its own copy meanwhile.
    desktop->GetAddressBook().AddContact("Desktop 2", "0905000002", "");
    ASSERT_TRUE(desktop->Save(false));
    for (std::thread& program : programs)
        program.join();
    for (const CliResult& result : results)
        ASSERT_EQ(result.exitCode, 0) << result.err;
    desktop->GetArchive().AddItem("from the desktop", "Eva", "421905000003", 100, false, 7, 1);
    ASSERT_TRUE(desktop->Save(false));

    std::sort(expectedTexts.begin(), expectedTexts.end());
    std::sort(expectedContacts.begin(), expectedContacts.end());
    EXPECT_EQ(Texts(*desktop), expectedTexts);
    EXPECT_EQ(Contacts(*desktop), expectedContacts);
    const auto stored = Load();
    EXPECT_EQ(Texts(*stored), expectedTexts);
    EXPECT_EQ(Contacts(*stored), expectedContacts);
    EXPECT_EQ(stored->GetSentTotal(), kSenders * kMessagesEach);
}

// The poll's first query comes 30 seconds after sending, as in the desktop program, so this
// takes about half a minute.
TEST_F(SharedProfile, AWaitingPollKeepsWhatOthersStoredMeanwhile) {
    ASSERT_EQ(RunAll({{"send", "--report", "-m", "reported", "0905123401"}}, "first").exitCode, 0);
    CliResult poll;
    std::thread polling([&] {
        std::filesystem::create_directories(m_home.Path() / "poll");
        poll =
            RunProgram(QUILLON_CLI_PATH, {"poll", "--wait", "--interval", "1", "--timeout", "120"},
                       m_env, m_home.Path() / "poll");
    });
    std::vector<std::vector<std::string>> sends;
    std::vector<std::string> expected{"reported"};
    for (int m = 0; m < 5; ++m) {
        sends.push_back({"send", "--report", "-m", "meanwhile " + std::to_string(m), "0905123402"});
        expected.push_back("meanwhile " + std::to_string(m));
    }
    const CliResult sent = RunAll(sends, "sender");
    {
        CSmsConfig settingsPage;
        settingsPage.SetAppMode(CSmsConfig::SingleUserSavedPwd);
        settingsPage.SetDefaultUser("demo");
        ASSERT_TRUE(settingsPage.Save(false));
    }
    polling.join();
    ASSERT_EQ(sent.exitCode, 0) << sent.err;
    ASSERT_EQ(poll.exitCode, 0) << poll.err;

    const auto stored = Load();
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Texts(*stored), expected);
    bool delivered = false;
    for (int i = 0; i < stored->GetArchive().GetItemCount(); ++i) {
        const CSmsArchiveItem& item = *stored->GetArchive().GetItem(i);
        if (item.GetSmsText() == "reported")
            delivered = item.GetStatus() == CSmsRecipientInfo::Delivered;
    }
    EXPECT_TRUE(delivered);
    const CSmsConfig settings;
    EXPECT_EQ(settings.GetAppMode(), CSmsConfig::SingleUserSavedPwd);
    EXPECT_EQ(settings.GetDefaultUser(), "demo");
}

} // namespace
