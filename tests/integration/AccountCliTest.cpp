// quillon-cli's account, contacts and sync commands against the simulator, without a
// terminal: check codes are confirmed in a second run with --transaction and --code.
#include "CliRun.h"
#include "SimulatorProcess.h"
#include "TestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <regex>

using ::testing::HasSubstr;

namespace {

class AccountCli : public testing::Test {
protected:
    void SetUp() override {
        m_sim = std::make_unique<SimulatorProcess>(
            QUILLON_SIM_PATH,
            std::vector<std::string>{"--state", (m_home.Path() / "sim").string(), "--admin",
                                     "--account", "demo:demo-secret:421905123456,club=500"});
        m_env = {{"XDG_DATA_HOME", (m_home.Path() / "data").string()},
                 {"XDG_CONFIG_HOME", (m_home.Path() / "config").string()},
                 {"QUILLON_SERVICE_URL", m_sim->Url()},
                 {"QUILLON_CA_FILE", m_sim->CaFile()},
                 {"QUILLON_ANSI_CODEPAGE", "1250"},
                 {"LC_ALL", "C.UTF-8"},
                 {"QUILLON_USER", "demo"},
                 {"QUILLON_PASSWORD", "demo-secret"}};
    }

    CliResult Cli(const std::vector<std::string>& args) {
        return RunProgram(QUILLON_CLI_PATH, args, m_env, m_home.Path());
    }

    // Runs a two-step command, then confirms it with the code "sent by SMS" to login.
    CliResult Confirmed(std::vector<std::string> args, const std::string& login = "demo") {
        const CliResult first = Cli(args);
        EXPECT_EQ(first.exitCode, 0) << first.err;
        std::smatch match;
        if (!std::regex_search(first.out, match, std::regex("--transaction (\\d+) --code CODE"))) {
            ADD_FAILURE() << "no transaction in:\n" << first.out;
            return first;
        }
        const std::string codes = m_sim->Admin("/admin/codes/" + login);
        std::smatch code;
        EXPECT_TRUE(std::regex_search(codes, code, std::regex(match[1].str() + " (\\S+)")));
        args.insert(args.end(), {"--transaction", match[1].str(), "--code", code[1].str()});
        return Cli(args);
    }

    std::string Account(const std::string& login) const {
        return m_sim->Admin("/admin/account/" + login);
    }

    TempDir m_home;
    std::unique_ptr<SimulatorProcess> m_sim;
    std::map<std::string, std::string> m_env;
};

TEST_F(AccountCli, CreditIsListedAndRechargedWithACheckCode) {
    const CliResult list = Cli({"credit", "list", "--club"});
    ASSERT_EQ(list.exitCode, 0) << list.err;
    EXPECT_THAT(list.out, HasSubstr("50\n  or 100 club points, surcharge 0.50 EUR excl. VAT\n"));
    EXPECT_THAT(list.out, HasSubstr("\n500\n"));

    const CliResult wrong = Cli({"credit", "recharge", "--transaction", "1", "--code", "x"});
    EXPECT_EQ(wrong.exitCode, 1);
    const CliResult recharge = Confirmed({"credit", "recharge", "50", "--points", "100"});
    EXPECT_EQ(recharge.exitCode, 0) << recharge.err;
    EXPECT_THAT(recharge.out, HasSubstr("Credit recharged."));
    EXPECT_THAT(Account("demo"), HasSubstr("credit=150\nclub=400\n"));
}

TEST_F(AccountCli, ServicesAreActivatedAndDeactivated) {
    const CliResult activate = Confirmed({"service", "activate", "smtp"});
    EXPECT_EQ(activate.exitCode, 0) << activate.err;
    EXPECT_THAT(activate.out, HasSubstr("smtp      active"));
    const CliResult deactivate = Cli({"service", "deactivate", "postpaid"});
    EXPECT_THAT(deactivate.out, HasSubstr("postpaid  not active"));
    const CliResult services = Cli({"services"});
    EXPECT_THAT(services.out, HasSubstr("smtp      active"));
    EXPECT_THAT(services.out, HasSubstr("Portal credit: 100"));
    EXPECT_EQ(Cli({"service", "deactivate", "postpaid"}).exitCode, 1);
    EXPECT_EQ(Cli({"service", "activate", "fax"}).exitCode, 2);
}

TEST_F(AccountCli, NumberAndUserAreRegistered) {
    const CliResult number = Confirmed({"register-number", "0905 777 888"});
    EXPECT_THAT(number.out, HasSubstr("Mobile number 421905777888 registered."));
    EXPECT_THAT(Account("demo"), HasSubstr("mobile=421905777888\n"));

    m_env["QUILLON_USER"] = "newbie";
    m_env["QUILLON_PASSWORD"] = "pw1234";
    const CliResult user = Confirmed({"register-user", "--mobile", "0910123123"}, "newbie");
    EXPECT_EQ(user.exitCode, 0) << user.err;
    EXPECT_THAT(user.out, HasSubstr("Account newbie registered."));
    EXPECT_EQ(Cli({"services"}).exitCode, 0);
}

TEST_F(AccountCli, NewAccountLogsInWithTheAccentedPasswordItWasGiven) {
    m_env["QUILLON_USER"] = "novak";
    m_env["QUILLON_PASSWORD"] = "ťažké";
    const CliResult user = Confirmed({"register-user", "--mobile", "0910123124"}, "novak");
    ASSERT_EQ(user.exitCode, 0) << user.err;
    const CliResult login = Cli({"login"});
    EXPECT_EQ(login.exitCode, 0) << login.err;
}

TEST_F(AccountCli, ConfirmationFollowedAsPrintedRunsUnderTheNewUser) {
    m_env["QUILLON_PASSWORD"] = "pw1234";
    const CliResult first =
        Cli({"register-user", "--user", "newbie", "--mobile", "0910123125", "--save-password"});
    ASSERT_EQ(first.exitCode, 0) << first.err;
    std::smatch hint;
    ASSERT_TRUE(std::regex_search(first.out, hint,
                                  std::regex("\n  quillon-cli (.* --transaction (\\d+) .*)\n")))
        << first.out;
    const std::string codes = m_sim->Admin("/admin/codes/newbie");
    std::smatch code;
    ASSERT_TRUE(std::regex_search(codes, code, std::regex(hint[2].str() + " (\\S+)")));
    const std::string command =
        std::regex_replace(hint[1].str(), std::regex("CODE"), code[1].str());

    // QUILLON_USER names another profile, which the confirmation must not use.
    const CliResult confirmed =
        RunProgram("/bin/sh", {"-c", "'" QUILLON_CLI_PATH "' " + command}, m_env, m_home.Path());
    EXPECT_EQ(confirmed.exitCode, 0) << confirmed.err;
    EXPECT_THAT(confirmed.out, HasSubstr("Account newbie registered."));
    EXPECT_THAT(confirmed.out, HasSubstr("Password saved in the profile."));
    m_env["QUILLON_PASSWORD"] = "";
    EXPECT_EQ(Cli({"--user", "newbie", "login"}).exitCode, 0);
    EXPECT_EQ(Cli({"login"}).exitCode, 2); // demo saved no password
}

TEST_F(AccountCli, ContactsAreSynchronisedByPolicy) {
    ASSERT_EQ(Cli({"contacts", "add", "Šimon Kováčik Nový", "0905111222"}).exitCode, 0);
    ASSERT_EQ(Cli({"contacts", "add", "Eva", "0905000003"}).exitCode, 0);
    ASSERT_EQ(Cli({"contacts", "group-set", "Rodina", "Eva", "Šimon Kováčik Nový"}).exitCode, 0);
    ASSERT_EQ(Cli({"contacts", "add", "Eva", "0905999999", "--server"}).exitCode, 0);
    EXPECT_EQ(Cli({"contacts", "add", "Eva", "0905000004"}).exitCode, 4);

    // Without a terminal and without a policy the conflict ends the merge.
    const CliResult ended = Cli({"sync", "--mode", "merge"});
    EXPECT_EQ(ended.exitCode, 1);
    EXPECT_THAT(ended.out, HasSubstr("nothing was sent"));
    EXPECT_EQ(Cli({"contacts", "list", "--server"}).out, "Eva\t421905999999\n");

    const CliResult merged = Cli({"sync", "--mode", "merge", "--on-name-conflict", "phone2"});
    EXPECT_EQ(merged.exitCode, 0) << merged.err;
    EXPECT_EQ(Cli({"contacts", "list"}).out,
              "Šimon Kováčik Nový\t0905111222\nEva\t0905000003\t+421905999999\n");
    EXPECT_EQ(Cli({"contacts", "list", "--server"}).out,
              "Eva\t421905999999\nSimon Kovacik N\t421905111222\n");
    EXPECT_EQ(Cli({"contacts", "groups", "--server"}).out, "Rodina\tEva, Simon Kovacik N\n");

    ASSERT_EQ(Cli({"contacts", "remove", "Eva", "--server"}).exitCode, 0);
    ASSERT_EQ(Cli({"sync", "--mode", "obk-to-local"}).exitCode, 0);
    EXPECT_EQ(Cli({"contacts", "list"}).out, "Simon Kovacik N\t+421905111222\n");
    EXPECT_EQ(Cli({"contacts", "groups"}).out, "Rodina\tSimon Kovacik N\n");
}

TEST_F(AccountCli, SyncWantsAModeAndKnownPolicies) {
    EXPECT_EQ(Cli({"sync"}).exitCode, 2);
    const CliResult policy = Cli({"sync", "--mode", "merge", "--on-name-conflict", "maybe"});
    EXPECT_EQ(policy.exitCode, 2);
    EXPECT_THAT(policy.err, HasSubstr("copy-to-obk, phone1, phone2, skip, stop"));
    EXPECT_THAT(Cli({"sync", "--help"}).out, HasSubstr("local-to-obk"));
    EXPECT_THAT(Cli({"help"}).out, HasSubstr("register-user"));
}

} // namespace
