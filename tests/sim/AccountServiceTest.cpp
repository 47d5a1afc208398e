#include "ServiceFixture.h"

namespace {

class AccountService : public ServiceFixture {
protected:
    AccountService() {
        m_options.accountLines = {"ann:pw:421905000001,credit=100,club=500",
                                  "pre:pw:421905000002,prepaid,services=obk,club=500",
                                  "bare:pw:,services=", "stop:pw:421905000003,blocked=smtp"};
        m_options.tokenValidity = 86400; // tokens outlive the jumps in time
    }

    static std::string Code(std::int64_t id, const std::string& code) {
        return "<code id=\"" + std::to_string(id) + "\">" + code + "</code>";
    }

    static std::string Credit(int amount, int points = 0) {
        return points ? "<credit clubMemberPoints=\"" + std::to_string(points) + "\">" +
                            std::to_string(amount) + "</credit>"
                      : "<credit>" + std::to_string(amount) + "</credit>";
    }

    static std::string Selector(int type, const char* name = "SMTP") {
        return "<service type=\"" + std::to_string(type) + "\">" + name + "</service>";
    }

    static std::int64_t TransactionOf(const ParsedReply& reply) {
        EXPECT_EQ(reply.Status(), 0);
        return reply.Response().child("status").attribute("id").as_llong();
    }

    // Asks for a check code and confirms with it; the confirmation's status.
    int TwoSteps(const std::string& login, const std::string& token, const std::string& ask,
                 const std::string& askChildren, const std::string& confirm) {
        const std::int64_t id =
            TransactionOf(Call(SimRequests::WithToken(ask, token, askChildren)));
        return Call(SimRequests::WithToken(confirm, token, Code(id, CodeOf(login, id)))).Status();
    }

    const Account& AccountOf(const std::string& login) {
        return *Service().State().FindAccount(login);
    }
};

} // namespace

TEST_F(AccountService, CreditListCarriesClubPointOptions) {
    const ParsedReply reply =
        Call(SimRequests::WithToken("ask4CreditList", LoginToken("ann", "pw")));
    const auto offers = reply.Items("creditList");
    ASSERT_EQ(offers.size(), 4u);
    EXPECT_STREQ(reply.Response().child("creditList").attribute("SOAP-ENC:itemType").value(),
                 "ns1:clubMemberPoints");
    EXPECT_EQ(offers[0].attribute("value").as_int(), 50);
    EXPECT_STREQ(offers[0].attribute("clubMemberOnly").value(), "false");
    EXPECT_STREQ(offers[0].attribute("SOAP-ENC:arraySize").value(), "2");
    EXPECT_STREQ(offers[0].first_child().attribute("addCharge").value(), "0.5");
    EXPECT_STREQ(offers[0].first_child().attribute("currency").value(), "EUR");
    EXPECT_EQ(offers[0].first_child().text().as_int(), 100);
    EXPECT_STREQ(offers[3].attribute("clubMemberOnly").value(), "true");
}

TEST_F(AccountService, RechargeInTwoSteps) {
    const std::string token = LoginToken("ann", "pw");
    const std::int64_t id =
        TransactionOf(Call(SimRequests::WithToken("ask4CreditRecharge", token, Credit(100))));
    EXPECT_EQ(Call(SimRequests::WithToken("CreditRecharge", token, Code(id, "000000"))).Status(),
              58);
    EXPECT_EQ(
        Call(SimRequests::WithToken("CreditRecharge", token, Code(id, CodeOf("ann", id)))).Status(),
        0);
    EXPECT_EQ(AccountOf("ann").portalCredit, 200);
    EXPECT_EQ(Call(SimRequests::WithToken("ask4CreditRecharge", token, Credit(50))).Status(), 41);
    Advance(3600);
    EXPECT_EQ(TwoSteps("ann", token, "ask4CreditRecharge", Credit(50, 100), "CreditRecharge"), 0);
    EXPECT_EQ(AccountOf("ann").clubPoints, 400);
    Advance(3600);
    EXPECT_EQ(Call(SimRequests::WithToken("ask4CreditRecharge", token, Credit(500, 900))).Status(),
              46);
    EXPECT_EQ(Call(SimRequests::WithToken("ask4CreditRecharge", token, Credit(75))).Status(), 40);
    const std::string prepaid = LoginToken("pre", "pw");
    EXPECT_EQ(Call(SimRequests::WithToken("ask4CreditRecharge", prepaid, Credit(50, 100))).Status(),
              42);
}

TEST_F(AccountService, RechargeStopsAtTheCreditCap) {
    m_options.accountLines = {"rich:pw:421905000009,credit=900"};
    const std::string token = LoginToken("rich", "pw");
    EXPECT_EQ(Call(SimRequests::WithToken("ask4CreditRecharge", token, Credit(200))).Status(), 40);
    EXPECT_EQ(Call(SimRequests::WithToken("ask4CreditRecharge", token, Credit(100))).Status(), 0);
}

TEST_F(AccountService, ServiceActivationAndDeactivation) {
    const std::string token = LoginToken("ann", "pw");
    EXPECT_EQ(Call(SimRequests::WithToken("ask4ServiceActivation", token, Selector(1, "POSTPAID")))
                  .Status(),
              60);
    EXPECT_EQ(Call(SimRequests::WithToken("ask4ServiceActivation", token, Selector(7))).Status(),
              32);
    const ParsedReply asked =
        Call(SimRequests::WithToken("ask4ServiceActivation", token, Selector(2)));
    const std::int64_t id = TransactionOf(asked);
    EXPECT_NE(std::string(asked.Response().child_value("EULA")).find("\n"), std::string::npos);
    EXPECT_EQ(Call(SimRequests::WithToken("ask4ServiceActivation", token, Selector(2))).Status(),
              61);
    EXPECT_EQ(Call(SimRequests::WithToken("ServiceActivation", token, Code(id, "1"))).Status(), 37);
    EXPECT_EQ(Call(SimRequests::WithToken("ServiceActivation", token, Code(id, CodeOf("ann", id))))
                  .Status(),
              0);
    const ParsedReply services = Call(SimRequests::WithToken("getServices", token));
    EXPECT_STREQ(services.Items("services")[2].attribute("enabled").value(), "true");
    EXPECT_EQ(Call(SimRequests::WithToken("ServiceDeactivation", token, Selector(2))).Status(), 0);
    EXPECT_EQ(Call(SimRequests::WithToken("ServiceDeactivation", token, Selector(2))).Status(), 33);
    EXPECT_EQ(Call(SimRequests::WithToken("ask4ServiceActivation", LoginToken("pre", "pw"),
                                          Selector(1, "POSTPAID")))
                  .Status(),
              38);
    EXPECT_EQ(
        Call(SimRequests::WithToken("ServiceDeactivation", LoginToken("stop", "pw"), Selector(2)))
            .Status(),
        32);
}

TEST_F(AccountService, MobileRegistration) {
    const std::string token = LoginToken("bare", "pw");
    const auto ask = [&](const std::string& mobile) {
        return Call(SimRequests::WithToken("ask4MobileRegistration", token,
                                           "<mobile>" + mobile + "</mobile>"));
    };
    EXPECT_EQ(ask("0905").Status(), 49);
    EXPECT_EQ(ask("420605123456").Status(), 22);
    EXPECT_EQ(ask("421905000001").Status(), 48);
    const std::int64_t id = TransactionOf(ask("421905777777"));
    EXPECT_EQ(Call(SimRequests::WithToken("MobileRegistration", token, Code(id, "x"))).Status(),
              50);
    EXPECT_EQ(
        Call(SimRequests::WithToken("MobileRegistration", token, Code(id, CodeOf("bare", id))))
            .Status(),
        0);
    EXPECT_EQ(Call(SimRequests::Login("bare", "pw")).Response().child_value("mobile"),
              std::string("421905777777"));
}

TEST_F(AccountService, UserRegistrationOpensASession) {
    const auto ask = [&](const std::string& login, const std::string& password,
                         const std::string& mobile) {
        return Call(SimRequests::Envelope(
            "ask4UserRegistration", "<LoginName>" + login + "</LoginName><Password>" + password +
                                        "</Password><Mobile>" + mobile + "</Mobile>"));
    };
    EXPECT_EQ(ask("ann", "secret", "421905888888").Status(), 51);
    EXPECT_EQ(ask("a b", "secret", "421905888888").Status(), 52);
    EXPECT_EQ(ask("newbie", "abc", "421905888888").Status(), 53);
    EXPECT_EQ(ask("newbie", "secret", "09x").Status(), 54);
    EXPECT_EQ(ask("newbie", "secret", "420605123456").Status(), 55);
    EXPECT_EQ(ask("newbie", "secret", "421905000001").Status(), 56);
    const ParsedReply asked = ask("newbie", "secret", "421905888888");
    EXPECT_FALSE(asked.Response().child("token"));
    EXPECT_TRUE(asked.Response().child("EULA"));
    const std::int64_t id = TransactionOf(asked);
    EXPECT_EQ(Call(SimRequests::Envelope("UserRegistration", Code(id, "nope"))).Status(), 57);
    const ParsedReply registered =
        Call(SimRequests::Envelope("UserRegistration", Code(id, CodeOf("newbie", id))));
    EXPECT_EQ(registered.Status(), 0);
    EXPECT_EQ(Call(SimRequests::WithToken("KeepAlive", registered.Token())).Status(), 0);
    EXPECT_EQ(Call(SimRequests::Login("newbie", "secret")).Status(), 0);
}

TEST_F(AccountService, ServerAddressBook) {
    const std::string token = LoginToken("ann", "pw");
    const auto setAlias = [&](const std::string& name, const std::string& number) {
        return Call(SimRequests::WithToken("setAlias", token,
                                           "<name mobile=\"" + number + "\">" + name + "</name>"))
            .Status();
    };
    EXPECT_EQ(setAlias("Jana", "421905100001"), 0);
    EXPECT_EQ(setAlias("Peter", "421905100002"), 0);
    EXPECT_EQ(setAlias("Peter", "421905100003"), 0); // a new number for the same name
    EXPECT_EQ(setAlias("Eva", "421905100001"), 35);
    EXPECT_EQ(setAlias("Simon Kovacik No", "421905100004"), 36);
    EXPECT_EQ(setAlias("Eva", ""), 31);
    EXPECT_EQ(
        Call(SimRequests::WithToken("setGroup", token,
                                    "<group name=\"Rodina\"><alias>Jana</alias><alias>Nikto</alias>"
                                    "<alias>Peter</alias></group>"))
            .Status(),
        0);
    ParsedReply book = Call(SimRequests::WithToken("getAddressBook", token));
    ASSERT_EQ(book.Items("aliases").size(), 2u);
    EXPECT_STREQ(book.Items("aliases")[1].attribute("mobile").value(), "421905100003");
    EXPECT_STREQ(book.Items("aliases")[1].text().get(), "Peter");
    ASSERT_EQ(book.Items("groups").size(), 1u);
    EXPECT_STREQ(book.Items("groups")[0].attribute("name").value(), "Rodina");
    EXPECT_STREQ(book.Items("groups")[0].last_child().text().get(), "Peter");

    EXPECT_EQ(Call(SimRequests::WithToken("deleteAlias", token,
                                          "<name mobile=\"421905100001\">Jana</name>"))
                  .Status(),
              0);
    book = Call(SimRequests::WithToken("getAddressBook", token));
    EXPECT_EQ(book.Items("aliases").size(), 1u);
    EXPECT_STREQ(book.Items("groups")[0].first_child().text().get(), "Peter");
    EXPECT_EQ(Call(SimRequests::WithToken("deleteGroup", token, "<name>Rodina</name>")).Status(),
              0);
    book = Call(SimRequests::WithToken("getAddressBook", token));
    EXPECT_TRUE(book.Items("groups").empty());
    EXPECT_EQ(Call(SimRequests::WithToken("getAddressBook", LoginToken("bare", "pw"))).Status(),
              27);
}
