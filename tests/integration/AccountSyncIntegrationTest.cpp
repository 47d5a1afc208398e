// The account operations and the address book synchronisation of the user object against the
// simulator over HTTPS.
#include "../service/ScriptedSyncUi.h"
#include "../service/SyncTestBooks.h"

#include "SimulatorProcess.h"
#include "TestSupport.h"

#include "model/SmsUserInfo.h"
#include "model/Utilities.h"
#include "service/CurlTransport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <mutex>

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

namespace {

// The HTTPS transport, with the operation of every request it posted.
class RecordingTransport : public ISoapTransport {
public:
    explicit RecordingTransport(const SimulatorProcess& sim) : m_transport(Options(sim)) {}

    SoapReply Post(const std::string& body) override {
        const std::size_t start = body.find("<ns1:", body.find("Body")) + 5;
        {
            std::lock_guard lock(m_mutex);
            m_operations.push_back(body.substr(start, body.find_first_of(" >", start) - start));
        }
        return m_transport.Post(body);
    }

    std::vector<std::string> TakeOperations() {
        std::lock_guard lock(m_mutex);
        return std::exchange(m_operations, {});
    }

private:
    static TransportOptions Options(const SimulatorProcess& sim) {
        TransportOptions options;
        options.url = sim.Url();
        options.caFile = sim.CaFile();
        options.connectTimeout = 10;
        options.inactivityTimeout = 10;
        return options;
    }

    CurlTransport m_transport;
    std::mutex m_mutex;
    std::vector<std::string> m_operations;
};

class AccountSyncIntegration : public testing::Test {
protected:
    void SetUp() override {
        setenv("QUILLON_ANSI_CODEPAGE", "1250", 1);
        sim = std::make_unique<SimulatorProcess>(
            QUILLON_SIM_PATH,
            std::vector<std::string>{"--state", (home.Path() / "sim").string(), "--admin",
                                     "--account", "demo:demo-secret:421905123456,club=500"});
        transport = std::make_shared<RecordingTransport>(*sim);
        user = NewUser("demo", "demo-secret");
        ASSERT_EQ(user->KvwsLogin(true), 0);
        transport->TakeOperations();
    }

    std::unique_ptr<CSmsUserInfo> NewUser(const std::string& login, const std::string& password) {
        auto newUser = std::make_unique<CSmsUserInfo>(login, "1.1", "QLN");
        newUser->SetPassword(password);
        newUser->SetTransport(transport);
        return newUser;
    }

    // The last check code "sent by SMS" to the account.
    std::string CheckCode(const std::string& login) const {
        const std::string lines = sim->Admin("/admin/codes/" + login);
        const std::size_t last = lines.find_last_of(' ');
        return lines.substr(last + 1, lines.find('\n', last) - last - 1);
    }

    std::string Account(const std::string& login) const {
        return sim->Admin("/admin/account/" + login);
    }

    std::vector<std::string> Server() {
        CSmsAddressBook book;
        EXPECT_EQ(user->KvwsGetAddressBook(&book), 0);
        return SyncTestBooks::Describe(book);
    }

    void Synchronize(CAddressBookSync::ManualSyncMode mode) {
        ui.mode = mode;
        user->Synchronize(ui);
    }

    static std::string A(const char* utf8) { return Utf8ToAnsi(utf8); }

    TempDir home;
    std::unique_ptr<SimulatorProcess> sim;
    std::shared_ptr<RecordingTransport> transport;
    std::unique_ptr<CSmsUserInfo> user;
    CScriptedSyncUi ui;
};

TEST_F(AccountSyncIntegration, CreditIsListedOnceAndRechargedWithClubPoints) {
    std::vector<unsigned> amounts;
    user->GetAvailableCredits(false, amounts);
    EXPECT_THAT(amounts, ElementsAre(50u, 100u, 200u));
    user->GetAvailableCredits(true, amounts);
    EXPECT_THAT(amounts, ElementsAre(50u, 100u, 200u, 500u));
    EXPECT_THAT(transport->TakeOperations(), ElementsAre("ask4CreditList"));
    ASSERT_NE(user->GetCreditInfo(50), nullptr);
    EXPECT_EQ(user->GetCreditInfo(50)->front().points, 100);

    std::int64_t transaction = 0;
    ASSERT_EQ(user->KvwsAsk4CreditRecharge(50, 100, transaction), 0);
    EXPECT_NE(transaction, 0);
    EXPECT_EQ(user->KvwsCreditRecharge("000000x", transaction), 58);
    EXPECT_EQ(user->KvwsCreditRecharge(CheckCode("demo"), transaction), 0);
    EXPECT_THAT(Account("demo"), HasSubstr("credit=150\nclub=400\n"));
    // Within the hour of the last recharge.
    EXPECT_EQ(user->KvwsAsk4CreditRecharge(50, 0, transaction), 41);
}

TEST_F(AccountSyncIntegration, ServiceIsActivatedWithTheTermsAndDeactivated) {
    std::string eula;
    std::int64_t transaction = 0;
    ASSERT_EQ(user->KvwsAsk4ServiceActivation(2, "SMTP", eula, transaction), 0);
    EXPECT_THAT(eula, HasSubstr("SMTP\r\n1. "));
    EXPECT_EQ(user->KvwsServiceActivation(CheckCode("demo"), transaction), 0);
    ASSERT_EQ(user->KvwsGetServices(), 0);
    EXPECT_TRUE(user->IsSmtpSvcActive());

    EXPECT_EQ(user->KvwsServiceDeactivation(2, "SMTP"), 0);
    EXPECT_EQ(user->KvwsServiceDeactivation(2, "SMTP"), 33);
    ASSERT_EQ(user->KvwsGetServices(), 0);
    EXPECT_FALSE(user->IsSmtpSvcActive());
}

TEST_F(AccountSyncIntegration, MobileRegistrationChangesTheAccountNotTheStoredNumber) {
    std::int64_t transaction = 0;
    EXPECT_EQ(user->KvwsAsk4MobileRegistration("421805000000", transaction), 22);
    ASSERT_EQ(user->KvwsAsk4MobileRegistration("421905777888", transaction), 0);
    EXPECT_EQ(user->KvwsMobileRegistration(CheckCode("demo"), transaction), 0);
    EXPECT_EQ(user->GetPhoneNr(), "421905123456");
    EXPECT_THAT(Account("demo"), HasSubstr("mobile=421905777888\n"));
}

TEST_F(AccountSyncIntegration, UserRegistrationOpensASessionOnlyWithTheRightCode) {
    std::unique_ptr<CSmsUserInfo> newbie = NewUser("newbie", "pw1234");
    newbie->SetPhoneNr("421910123123");
    std::string eula;
    std::int64_t transaction = 0;
    ASSERT_EQ(newbie->KvwsAsk4UserRegistration(eula, transaction), 0);
    EXPECT_THAT(eula, HasSubstr("Quillon\n1. "));
    EXPECT_EQ(newbie->KvwsUserRegistration("wrong", transaction), 57);
    EXPECT_EQ(newbie->GetToken(), "");
    EXPECT_EQ(newbie->KvwsUserRegistration(CheckCode("newbie"), transaction), 0);
    EXPECT_NE(newbie->GetToken(), "");
    EXPECT_EQ(newbie->KvwsGetServices(), 0);
    EXPECT_THAT(transport->TakeOperations(), ElementsAre("ask4UserRegistration", "UserRegistration",
                                                         "UserRegistration", "getServices"));
}

TEST_F(AccountSyncIntegration, MergeThenLocalToObkThenObkToLocal) {
    const std::string simon = A("Šimon Kováčik Nový");
    SyncTestBooks::Fill(
        user->GetAddressBook(),
        {{simon, "0905111222", ""}, {"Jan", "0905000001", "0905000002"}, {"Eva", "0905000003", ""}},
        {{"Rodina", {"Jan", simon}}});
    ASSERT_EQ(user->KvwsSetAlias("Eva", "421905999999"), 0);
    ASSERT_EQ(user->KvwsSetAlias("Fero", "421905000004"), 0);
    ui.nameAnswers = {IAddressBookSyncUi::NameConflictChoice::StoreAsPhone2};

    Synchronize(CAddressBookSync::Merge);
    EXPECT_THAT(ui.events,
                ElementsAre("mode?", "progress on", "name conflict Eva +421905999999 0905000003",
                            "completed", "progress off"));
    EXPECT_THAT(Server(),
                ElementsAre("Eva 421905999999", "Fero 421905000004", "Simon Kovacik N 421905111222",
                            "Jan 421905000001", "[Rodina] Jan, Simon Kovacik N,"));
    EXPECT_THAT(SyncTestBooks::Describe(user->GetAddressBook()),
                ElementsAre(simon + " 0905111222", "Jan 0905000001, 0905000002",
                            "Eva 0905000003, +421905999999", "Fero +421905000004",
                            "[Rodina] Jan, " + simon + ","));

    // Books in step: the fetch is the only request.
    transport->TakeOperations();
    Synchronize(CAddressBookSync::Merge);
    EXPECT_THAT(transport->TakeOperations(), ElementsAre("getAddressBook"));

    user->GetAddressBook().DelContactByID(user->GetAddressBook().GetItemByName("Jan")->GetID());
    Synchronize(CAddressBookSync::QlnToOb);
    EXPECT_THAT(Server(), ElementsAre("Eva 421905999999", "Fero 421905000004",
                                      "Simon Kovacik N 421905111222", "[Rodina] Simon Kovacik N,"));

    ASSERT_EQ(user->KvwsSetAlias("Zoe", "421905000009"), 0);
    Synchronize(CAddressBookSync::ObToQln);
    EXPECT_THAT(SyncTestBooks::Describe(user->GetAddressBook()),
                ElementsAre("Eva +421905999999", "Fero +421905000004",
                            "Simon Kovacik N +421905111222", "Zoe +421905000009",
                            "[Rodina] Simon Kovacik N,"));
    EXPECT_THAT(ui.events, Not(testing::Contains("errors")));
}

TEST_F(AccountSyncIntegration, RefusalsAreListedAndARefusedFetchChangesNothing) {
    SyncTestBooks::Fill(user->GetAddressBook(), {{"Jana", "", "0905000001"}});
    ASSERT_EQ(user->KvwsSetAlias("Janka", "421905000001"), 0);
    transport->TakeOperations();
    // The contact's first number is empty: the alias of its second number goes, and the
    // upload without a number is refused.
    Synchronize(CAddressBookSync::QlnToOb);
    EXPECT_THAT(transport->TakeOperations(),
                ElementsAre("getAddressBook", "deleteAlias", "setAlias"));
    EXPECT_EQ(ui.errorLines, A("Chyba pri ukladaní kontaktu \"Jana\" na Portella. E31\r\n"));
    EXPECT_THAT(Server(), IsEmpty());

    sim->Admin("/admin/refuse?login=demo&operation=getAddressBook&status=27", true);
    ui.events.clear();
    Synchronize(CAddressBookSync::ObToQln);
    EXPECT_THAT(ui.events, ElementsAre("mode?", "progress on", "fetch refused 27", "progress off"));
    EXPECT_THAT(SyncTestBooks::Describe(user->GetAddressBook()), ElementsAre("Jana , 0905000001"));
}

} // namespace
