// quillon-cli run as a program against quillon-sim over HTTPS, in a profile folder of its own.
#include "CliRun.h"
#include "SimulatorProcess.h"
#include "TestSupport.h"

#include "model/SmsAddressBook.h"
#include "model/SmsUserInfo.h"
#include "platform/Clock.h"

#include <gtest/gtest.h>

#include <ctime>
#include <memory>

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
                 {"QUILLON_USER", "demo"},
                 {"QUILLON_PASSWORD", "demo-secret"}};
    }

    CliResult Cli(const std::vector<std::string>& args, const std::string& input = {}) {
        return RunProgram(QUILLON_CLI_PATH, args, m_env, m_home.Path(), input);
    }

    // Puts contacts and a group into the demo user's profile, as the desktop program would.
    void WriteAddressBook() {
        setenv("XDG_DATA_HOME", m_env["XDG_DATA_HOME"].c_str(), 1);
        std::unique_ptr<CSmsUserInfo> user(CSmsUserInfo::GetUserInfo("demo", "1.1", "QLN"));
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
