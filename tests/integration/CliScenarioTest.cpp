// quillon-cli run as a program against quillon-sim over HTTPS, in a profile folder of its own.
#include "CliRun.h"
#include "SimulatorProcess.h"
#include "TestSupport.h"

#include "model/SmsAddressBook.h"
#include "model/SmsUserInfo.h"
#include "platform/Clock.h"
#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <fstream>
#include <future>
#include <iterator>
#include <memory>
#include <optional>
#include <set>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace {

const std::string kAccount = "demo:demo-secret:421905123456";

// "DD.MM.YYYY HH:MM" in local time, some hours from now.
std::string HoursAhead(int hours) {
    const std::time_t t = static_cast<std::time_t>(Clock::Now() + hours * 3600);
    std::tm local{};
    localtime_r(&t, &local);
    char text[32];
    std::strftime(text, sizeof text, "%d.%m.%Y %H:%M", &local);
    return text;
}

class CliScenario : public testing::Test {
protected:
    void SetUp() override {
        m_sim = std::make_unique<SimulatorProcess>(
            QUILLON_SIM_PATH,
            std::vector<std::string>{"--state", (m_home.Path() / "sim").string(), "--account",
                                     kAccount, "--admin", "--delivery-after", "1"});
        m_env = {{"XDG_DATA_HOME", (m_home.Path() / "data").string()},
                 {"XDG_CONFIG_HOME", (m_home.Path() / "config").string()},
                 {"QUILLON_SERVICE_URL", m_sim->Url()},
                 {"QUILLON_CA_FILE", m_sim->CaFile()},
                 {"LC_ALL", "C.UTF-8"},
                 {"QUILLON_USER", "demo"},
                 {"QUILLON_PASSWORD", "demo-secret"}};
    }

    CliResult Cli(const std::vector<std::string>& args, const std::string& input = {}) {
        return RunProgram(QUILLON_CLI_PATH, args, m_env, m_home.Path(), input);
    }

    // The demo user's profile as the desktop program would load it.
    std::unique_ptr<CSmsUserInfo> Profile() {
        setenv("XDG_DATA_HOME", m_env["XDG_DATA_HOME"].c_str(), 1);
        return std::unique_ptr<CSmsUserInfo>(CSmsUserInfo::GetUserInfo("demo", "1.1", "QLN"));
    }

    // Files a message to one number with a delivery report, sent at the given time, as if
    // quillon-cli had sent it.
    void AddWaitingMessage(std::int64_t sent) {
        std::unique_ptr<CSmsUserInfo> user = Profile();
        user->GetArchive().AddItem("Hello", "0905123401", "421905123401", sent, false, 4242, 1);
        ASSERT_TRUE(user->Save(false));
    }

    // Puts contacts and a group into the demo user's profile, as the desktop program would.
    void WriteAddressBook() {
        std::unique_ptr<CSmsUserInfo> user = Profile();
        CSmsAddressBook& book = user->GetAddressBook();
        book.AddContact("Alice", "0905000001", "0905000002");
        book.AddContact("Bob", "0905000666", "");
        book.AddGroup("Team");
        book.AddGroupMember("Team", "Alice");
        book.AddGroupMember("Team", "Bob");
        user->Save(false);
    }

    TempDir m_home;
    std::unique_ptr<SimulatorProcess> m_sim;
    std::map<std::string, std::string> m_env;
};

void ExpectContains(const std::string& text, const std::string& part) {
    EXPECT_NE(text.find(part), std::string::npos) << "\"" << part << "\" not in:\n" << text;
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Waits until a file holds the text; false when it does not come within a minute (a guard, so a
// broken program cannot hang the test).
bool WaitForText(const std::filesystem::path& path, const std::string& text) {
    for (int i = 0; i < 600; ++i) {
        if (ReadFile(path).find(text) != std::string::npos)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::optional<std::filesystem::path> FindProgram(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::stringstream folders(path ? path : "/usr/bin:/bin");
    for (std::string folder; std::getline(folders, folder, ':');) {
        const std::filesystem::path candidate = std::filesystem::path(folder) / name;
        if (!folder.empty() && access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return std::nullopt;
}

// Builds a locale such as sk_SK.CP1250 into a folder for LOCPATH; false when this machine has
// no localedef or not the sources it needs.
bool MakeLocale(const std::filesystem::path& folder, const std::string& language,
                const std::string& charset, const std::filesystem::path& scratch) {
    const auto localedef = FindProgram("localedef");
    if (!localedef)
        return false;
    const std::filesystem::path locale = folder / (language + "." + charset);
    std::filesystem::create_directories(folder);
    RunProgram(localedef->string(), {"-f", charset, "-i", language, locale.string()}, {}, scratch);
    return std::filesystem::exists(locale / "LC_CTYPE");
}

} // namespace

TEST_F(CliScenario, DemoSendsWaitsForReportsAndListsTheArchive) {
    const CliResult login = Cli({"login"});
    ASSERT_EQ(login.exitCode, 0) << login.err;
    ExpectContains(login.out, "Logged in as demo, mobile number 421905123456.");

    const CliResult send =
        Cli({"send", "--report", "-m", "Hello from the demo", "0905123401", "0905123666"});
    ASSERT_EQ(send.exitCode, 0) << send.err;
    ExpectContains(send.out, "Message sent to 2 recipient(s) with delivery reports.");

    const CliResult poll = Cli({"poll", "--wait", "--interval", "1", "--timeout", "60"});
    ASSERT_EQ(poll.exitCode, 0) << poll.err;

    const CliResult archive = Cli({"archive"});
    ASSERT_EQ(archive.exitCode, 0) << archive.err;
    ExpectContains(archive.out, "Hello from the demo");
    ExpectContains(archive.out, "0905123401  421905123401  delivered ");
    ExpectContains(archive.out, "0905123666  421905123666  not deliverable");
    EXPECT_EQ(Cli({"archive", "--pending"}).out, "");

    // One item per typed number, both counted.
    const CliResult tsv = Cli({"archive", "--tsv"});
    EXPECT_EQ(std::count(tsv.out.begin(), tsv.out.end(), '\n'), 2);
    ExpectContains(tsv.out, "\t421905123666\t");
    ExpectContains(Cli({"login"}).out, "Sent today: 2, in total: 2.");
}

TEST_F(CliScenario, ContactsAndGroupsComeFromTheProfilesAddressBook) {
    WriteAddressBook();
    const CliResult send = Cli({"send", "--report", "-m", "To the team", "Team", "alice#2"});
    ASSERT_EQ(send.exitCode, 0) << send.err;
    ExpectContains(send.out, "Message sent to 3 recipient(s)");
    const CliResult archive = Cli({"archive"});
    ExpectContains(archive.out, "group \"Team\"");
    ExpectContains(archive.out, "to Alice");
    ExpectContains(archive.out, "421905000002");

    const CliResult unknown = Cli({"send", "-m", "x", "Carol"});
    EXPECT_EQ(unknown.exitCode, 4);
    ExpectContains(unknown.err, "\"Carol\" is neither a valid number nor a contact or group");
}

TEST_F(CliScenario, ScheduledMessageIsReplacedAndCancelled) {
    const std::string at = HoursAhead(2);
    const CliResult send = Cli({"send", "-m", "Standup", "--at", at, "--every", "workdays",
                                "--name", "Standup", "0905123401"});
    ASSERT_EQ(send.exitCode, 0) << send.err;
    ExpectContains(send.out, "scheduled from " + at);

    const CliResult listed = Cli({"archive", "--scheduled"});
    ExpectContains(listed.out, "#1  ");
    ExpectContains(listed.out, "scheduled \"Standup\", workdays from " + at);

    const CliResult unchanged = Cli({"replace", "1", "-m", "Standup"});
    EXPECT_EQ(unchanged.exitCode, 0) << unchanged.err;
    ExpectContains(unchanged.out, "Nothing to change.");

    const std::string later = HoursAhead(3);
    const CliResult replaced =
        Cli({"replace", "#1", "-m", "Standup moved", "--at", later, "0905123402", "0905123403"});
    ASSERT_EQ(replaced.exitCode, 0) << replaced.err;
    ExpectContains(replaced.out, "workdays " + later + ", 2 recipient(s)");
    const CliResult after = Cli({"archive"});
    ExpectContains(after.out, "Standup moved");
    ExpectContains(after.out, "421905123403");
    EXPECT_EQ(after.out.find("421905123401"), std::string::npos) << after.out;

    EXPECT_EQ(Cli({"cancel", "2"}).exitCode, 4); // no such item
    const CliResult cancelled = Cli({"cancel", "1"});
    ASSERT_EQ(cancelled.exitCode, 0) << cancelled.err;
    ExpectContains(cancelled.out, "cancelled");
    EXPECT_EQ(Cli({"archive"}).out, "");
}

// The delivery report choice of a scheduled message is the one sent, and replacing keeps it
// unless told otherwise.
TEST_F(CliScenario, ScheduledMessageKeepsTheReportChoiceItWasSentWith) {
    const auto expectReport = [this](bool report) {
        const std::string account = m_sim->Admin("/admin/account/demo");
        ExpectContains(account, report ? ":notification=true" : ":notification=false");
        const CliResult listed = Cli({"archive", "--scheduled"});
        EXPECT_EQ(listed.out.find(", report") != std::string::npos, report) << listed.out;
    };
    const CliResult send = Cli({"send", "-m", "Quiet", "--at", HoursAhead(2), "0905123401"});
    ASSERT_EQ(send.exitCode, 0) << send.err;
    expectReport(false);

    ASSERT_EQ(Cli({"replace", "1", "-m", "Quiet moved"}).exitCode, 0);
    expectReport(false);
    ASSERT_EQ(Cli({"replace", "1", "--report"}).exitCode, 0);
    expectReport(true);
    ASSERT_EQ(Cli({"replace", "1", "-m", "Quiet again"}).exitCode, 0);
    expectReport(true);
    ASSERT_EQ(Cli({"replace", "1", "--no-report"}).exitCode, 0);
    expectReport(false);
}

TEST_F(CliScenario, RefusalsAndFailuresHaveTheirExitCodes) {
    m_env["QUILLON_PASSWORD"] = "wrong";
    const CliResult wrong = Cli({"login"});
    EXPECT_EQ(wrong.exitCode, 1);
    ExpectContains(wrong.err, "Wrong username or password");

    m_env["QUILLON_PASSWORD"] = "demo-secret";
    const CliResult foreign = Cli({"send", "-m", "x", "+421944123456"});
    EXPECT_EQ(foreign.exitCode, 1);
    ExpectContains(foreign.err, "Number is not an Velora mobile number");

    EXPECT_EQ(Cli({"send", "0905123401"}, "  \n").exitCode, 2); // empty text from stdin
    EXPECT_EQ(Cli({"send", "-m", "x"}).exitCode, 2);
    EXPECT_EQ(Cli({"send", "--every", "daily", "-m", "x", "0905123401"}).exitCode, 2);
    EXPECT_EQ(Cli({"frobnicate"}).exitCode, 2);
    EXPECT_EQ(Cli({"archive", "--limit", "0"}).exitCode, 2);

    // Without the simulator's CA its certificate is refused unless accepted.
    m_env["QUILLON_CA_FILE"] = "";
    const CliResult untrusted = Cli({"login"});
    EXPECT_EQ(untrusted.exitCode, 3);
    ExpectContains(untrusted.err, "--accept-certificate");
    EXPECT_EQ(Cli({"--accept-certificate", "login"}).exitCode, 0);

    m_env["QUILLON_SERVICE_URL"] = "https://127.0.0.1:1/sk/!kvws.sms";
    const CliResult unreachable = Cli({"login"});
    EXPECT_EQ(unreachable.exitCode, 3);
    ExpectContains(unreachable.err, "Can not establish conneciton to Velora");
}

TEST_F(CliScenario, TransportProblemsSayWhy) {
    // The service's own reason for a fault.
    m_sim->Admin("/admin/faults?soap-fault=1", true);
    const CliResult fault = Cli({"login"});
    EXPECT_EQ(fault.exitCode, 3);
    ExpectContains(fault.err, "Error S1: the service says \"the service failed (simulated)\"");
    m_sim->Admin("/admin/faults?soap-fault=0", true);

    // An extra CA file that cannot be read is named, not passed over.
    const std::string missing = (m_home.Path() / "missing-ca.pem").string();
    m_env["QUILLON_CA_FILE"] = missing;
    const CliResult unreadable = Cli({"login"});
    EXPECT_EQ(unreadable.exitCode, 3);
    ExpectContains(unreadable.err, "the CA file \"" + missing + "\" cannot be read");

    // Plain HTTP only when asked for: the password would travel in clear.
    SimulatorProcess plain(QUILLON_SIM_PATH, {"--state", (m_home.Path() / "plain-sim").string(),
                                              "--account", kAccount, "--http"});
    m_env["QUILLON_SERVICE_URL"] = plain.Url();
    m_env["QUILLON_CA_FILE"] = "";
    m_env["QUILLON_ALLOW_HTTP"] = "";
    const CliResult refused = Cli({"login"});
    EXPECT_EQ(refused.exitCode, 3);
    ExpectContains(refused.err, "plain http://, which would send the password unencrypted");
    ExpectContains(refused.err, "QUILLON_ALLOW_HTTP=1");
    m_env["QUILLON_ALLOW_HTTP"] = "1";
    const CliResult allowed = Cli({"login"});
    EXPECT_EQ(allowed.exitCode, 0) << allowed.err;
}

TEST_F(CliScenario, WaitingGivesUpAfterItsTimeout) {
    ASSERT_EQ(Cli({"send", "--report", "-m", "x", "0905123401"}).exitCode, 0);
    ExpectContains(Cli({"archive", "--pending"}).out, "0905123401  421905123401  pending");
    // The first query is due 30 seconds after sending, so one second is not enough.
    const CliResult poll = Cli({"poll", "--wait", "--interval", "1", "--timeout", "1"});
    EXPECT_EQ(poll.exitCode, 5);
    ExpectContains(poll.err, "waiting for delivery reports of 1 message(s)");
    ExpectContains(poll.err, "timed out after 1 s with 1 message(s) still waiting");
    const CliResult once = Cli({"poll"});
    EXPECT_EQ(once.exitCode, 0);
    EXPECT_EQ(once.out, "0 message(s) updated, 1 still waiting for delivery reports.\n");
}

TEST_F(CliScenario, SavedPasswordServesLaterCommandsUntilLogout) {
    ASSERT_EQ(Cli({"login", "--save-password"}).exitCode, 0);
    m_env["QUILLON_PASSWORD"] = "";
    EXPECT_EQ(Cli({"login"}).exitCode, 0);
    EXPECT_EQ(Cli({"logout"}).exitCode, 0);
    const CliResult none = Cli({"login"});
    EXPECT_EQ(none.exitCode, 2);
    ExpectContains(none.err, "no password for demo");
}

TEST_F(CliScenario, PasswordGivenForOneCommandIsNotSaved) {
    ASSERT_EQ(Cli({"send", "-m", "x", "0905123401"}).exitCode, 0);
    m_env["QUILLON_PASSWORD"] = "";
    EXPECT_EQ(Cli({"login"}).exitCode, 2);
}

TEST_F(CliScenario, HelpDescribesEveryCommand) {
    const CliResult help = Cli({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    for (const char* command :
         {"login", "logout", "send", "poll", "archive", "cancel", "replace"}) {
        ExpectContains(help.out, command);
        const CliResult own = Cli({"help", command});
        EXPECT_EQ(own.exitCode, 0);
        ExpectContains(own.out, std::string("Usage: quillon-cli ") + command);
        EXPECT_EQ(Cli({command, "--help"}).out, own.out);
    }
    EXPECT_EQ(Cli({}).exitCode, 2);
}

TEST_F(CliScenario, InputOfAnEightBitLocaleIsDecodedInItsCharacterSet) {
    const std::filesystem::path locales = m_home.Path() / "locales";
    if (!MakeLocale(locales, "sk_SK", "CP1250", m_home.Path()))
        GTEST_SKIP() << "localedef cannot build sk_SK.CP1250 on this machine";
    m_env["LOCPATH"] = locales.string();
    m_env["LC_ALL"] = "sk_SK.CP1250";
    // "Žltý kôň", "Šimon" and "Ďakujem" in Windows-1250; a file with a byte-order mark is UTF-8.
    ASSERT_EQ(Cli({"contacts", "add", "\x8Aimon", "0905123402"}).exitCode, 0);
    const CliResult typed = Cli({"send", "-m", "\x8Elt\xFD k\xF4\xF2", "0905123401"});
    ASSERT_EQ(typed.exitCode, 0) << typed.err;
    WriteFile(m_home.Path() / "bom.txt", "\xEF\xBB\xBF\xC4\x8E"
                                         "akujem");
    const CliResult bom =
        Cli({"send", "--text-file", (m_home.Path() / "bom.txt").string(), "\x8Aimon"});
    ASSERT_EQ(bom.exitCode, 0) << bom.err;
    WriteFile(m_home.Path() / "ansi.txt", "\xCF"
                                          "akujem");
    const CliResult ansi =
        Cli({"send", "--text-file", (m_home.Path() / "ansi.txt").string(), "0905123401"});
    ASSERT_EQ(ansi.exitCode, 0) << ansi.err;

    const CCodePageScope codePage(1250);
    const std::unique_ptr<CSmsUserInfo> user = Profile();
    ASSERT_EQ(user->GetAddressBook().GetItemCount(), 1);
    EXPECT_EQ(user->GetAddressBook().GetItem(0)->GetName(), "\x8Aimon");
    std::multiset<std::string> texts;
    for (int i = 0; i < user->GetArchive().GetItemCount(); ++i)
        texts.insert(user->GetArchive().GetItem(i)->GetSmsText());
    EXPECT_EQ(texts, (std::multiset<std::string>{"Dakujem", "Dakujem", "Zlty kon"}));
}

TEST_F(CliScenario, InputThatDoesNotDecodeIsRefused) {
    // "café" in Latin-1, which is no UTF-8.
    const CliResult text = Cli({"send", "-m", "caf\xE9", "0905123401"});
    EXPECT_EQ(text.exitCode, 2);
    ExpectContains(text.err, "the message text is not valid UTF-8 text");
    WriteFile(m_home.Path() / "latin1.txt", "caf\xE9");
    const CliResult file =
        Cli({"send", "--text-file", (m_home.Path() / "latin1.txt").string(), "0905123401"});
    EXPECT_EQ(file.exitCode, 2);
    ExpectContains(file.err, "is not valid UTF-8 text");
    EXPECT_EQ(Cli({"send", "0905123401"}, "caf\xE9").exitCode, 2);
    EXPECT_EQ(Cli({"contacts", "add", "Ren\xE9", "0905123402"}).exitCode, 2);
    EXPECT_EQ(Cli({"--user", "ren\xE9", "login"}).exitCode, 2);
    m_env["QUILLON_PASSWORD"] = "demo-secret\xE9";
    const CliResult password = Cli({"login"});
    EXPECT_EQ(password.exitCode, 2);
    ExpectContains(password.err, "QUILLON_PASSWORD is not valid UTF-8 text");
    EXPECT_EQ(Cli({"archive"}).out, "");
    EXPECT_EQ(Cli({"contacts", "list"}).out, "");
}

TEST_F(CliScenario, PollReportsAQueryThatFailsOrIsRefused) {
    AddWaitingMessage(Clock::Now() - 3600);
    m_sim->Admin("/admin/refuse?login=demo&operation=getNotifications&status=150", true);
    const CliResult failed = Cli({"poll"});
    EXPECT_EQ(failed.exitCode, 3);
    ExpectContains(failed.err, "Error sending request: Error E150");
    EXPECT_EQ(failed.out, "");

    m_sim->Admin("/admin/refuse?login=demo&operation=getNotifications&status=26", true);
    const CliResult refused = Cli({"poll", "--wait", "--interval", "1", "--timeout", "10"});
    EXPECT_EQ(refused.exitCode, 1);
    ExpectContains(refused.err, "Service disabled");
}

TEST_F(CliScenario, PollFailsWhenTheServiceCannotBeReached) {
    // The first query is due 30 seconds after sending: 15 seconds from now, after the first
    // pass, which follows the login.
    AddWaitingMessage(Clock::Now() - 15);
    auto poll = std::async(std::launch::async, [this] {
        return Cli({"poll", "--wait", "--interval", "1", "--timeout", "45"});
    });
    ASSERT_TRUE(WaitForText(m_home.Path() / "stderr", "waiting for delivery reports"));
    m_sim->Stop();
    const CliResult unreachable = poll.get();
    EXPECT_EQ(unreachable.exitCode, 3);
    ExpectContains(unreachable.err, "Can not establish conneciton to Velora");
}

TEST_F(CliScenario, MessageSentWithoutAReportIsNotWaitedFor) {
    ASSERT_EQ(Cli({"send", "--no-report", "-m", "x", "0905123401"}).exitCode, 0);
    ExpectContains(Cli({"archive"}).out, "0905123401  421905123401  no delivery report");
    EXPECT_EQ(Cli({"archive", "--pending"}).out, "");
    const CliResult poll = Cli({"poll", "--wait", "--interval", "1", "--timeout", "5"});
    EXPECT_EQ(poll.exitCode, 0) << poll.err;
    EXPECT_EQ(poll.out, "0 message(s) updated, 0 still waiting for delivery reports.\n");
}
