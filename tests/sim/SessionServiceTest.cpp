#include "ServiceFixture.h"

#include "ClientId.h"

#include <string>
#include <vector>

namespace {

using SessionService = ServiceFixture;

std::vector<std::string> ChildNames(pugi::xml_node node) {
    std::vector<std::string> names;
    for (pugi::xml_node child : node.children())
        names.emplace_back(child.name());
    return names;
}

} // namespace

TEST_F(SessionService, LoginAnswersStatusMobileTokenAndNotice) {
    m_options.notice = "Údržba v nedeľu";
    const ParsedReply reply = Call(SimRequests::Login("demo", "demo"));
    EXPECT_EQ(ChildNames(reply.Response()),
              (std::vector<std::string>{"status", "mobile", "token", "notice"}));
    EXPECT_EQ(reply.Status(), 0);
    EXPECT_EQ(std::string(reply.Response().child_value("mobile")), "421905123456");
    EXPECT_EQ(reply.Response().child("token").attribute("validity").as_int(), 600);
    EXPECT_EQ(reply.Token().size(), 32u);
    EXPECT_EQ(std::string(reply.Response().child_value("notice")), "Údržba v nedeľu");
}

TEST_F(SessionService, LoginRefusals) {
    m_options.accountLines = {"alice:pw:421905000001,versions=1.1.0+1.1.1",
                              "gone:pw:421905000002,deactivated"};
    m_options.maxLoginFailures = 3;
    EXPECT_EQ(Call(SimRequests::Login("nobody", "pw")).Status(), 10);
    EXPECT_EQ(Call(SimRequests::Login("gone", "pw")).Status(), 13);
    EXPECT_EQ(Call(SimRequests::Login("alice", "pw", "1.0.0")).Status(), 66);
    EXPECT_EQ(Call(SimRequests::Login("alice", "pw", "1.1.1")).Status(), 0);
    EXPECT_EQ(Call(SimRequests::Login("alice", "bad")).Status(), 11);
    EXPECT_EQ(Call(SimRequests::Login("alice", "bad")).Status(), 11);
    const ParsedReply locked = Call(SimRequests::Login("alice", "bad"));
    EXPECT_EQ(locked.Status(), 12);
    EXPECT_FALSE(locked.Response().child("token"));
    EXPECT_EQ(Call(SimRequests::Login("alice", "pw")).Status(), 12);
}

TEST_F(SessionService, ASuccessfulLoginResetsTheFailureCount) {
    m_options.maxLoginFailures = 2;
    EXPECT_EQ(Call(SimRequests::Login("demo", "bad")).Status(), 11);
    EXPECT_EQ(Call(SimRequests::Login("demo", "demo")).Status(), 0);
    EXPECT_EQ(Call(SimRequests::Login("demo", "bad")).Status(), 11);
}

TEST_F(SessionService, LoginChecksTheClientId) {
    ParsedReply reply = Call(SimRequests::Envelope(
        "Login", "<LoginName>demo</LoginName><Password>demo</Password><Client id=\"QLN\" "
                 "firstTime=\"false\">" +
                     EncryptClientId("other", "QLN") + "</Client><Version>1.1.0</Version>"));
    ASSERT_TRUE(reply.IsFault());
    EXPECT_NE(reply.FaultText().find("client id"), std::string::npos);
    reply = Call(SimRequests::Login("demo", "demo", "1.1.0", "XYZ"));
    ASSERT_TRUE(reply.IsFault());
    EXPECT_NE(reply.FaultText().find("client type"), std::string::npos);
    EXPECT_EQ(Call(SimRequests::Login("demo", "demo", "1.1.0", "QLN IE")).Status(), 0);
}

TEST_F(SessionService, TokensExpireAfterTheirValiditySinceLastUse) {
    m_options.tokenValidity = 600;
    const std::string token = LoginToken();
    Advance(500);
    const ParsedReply alive = Call(SimRequests::WithToken("KeepAlive", token));
    EXPECT_EQ(ChildNames(alive.Response()), (std::vector<std::string>{"status", "token"}));
    EXPECT_EQ(alive.Status(), 0);
    EXPECT_EQ(alive.Token(), token);
    Advance(600);
    EXPECT_EQ(Call(SimRequests::WithToken("KeepAlive", token)).Status(), 0);
    Advance(601);
    const ParsedReply expired = Call(SimRequests::WithToken("getOBK", token));
    EXPECT_EQ(expired.Status(), 21);
    EXPECT_FALSE(expired.Response().child("token"));
    EXPECT_EQ(Call(SimRequests::WithToken("getOBK", "feedface")).Status(), 20);
}

TEST_F(SessionService, LogoutEndsTheSessionAndCarriesNoToken) {
    const std::string token = LoginToken();
    const ParsedReply reply = Call(SimRequests::WithToken("Logout", token));
    EXPECT_EQ(ChildNames(reply.Response()), (std::vector<std::string>{"status"}));
    EXPECT_EQ(reply.Status(), 0);
    EXPECT_EQ(Call(SimRequests::WithToken("KeepAlive", token)).Status(), 20);
}

TEST_F(SessionService, ServicesAndPortalCredit) {
    m_options.accountLines = {"bob:pw:421905000003,services=postpaid+smtp,credit=7",
                              "carol:pw:421905000004,credit=12"};
    const ParsedReply services =
        Call(SimRequests::WithToken("getServices", LoginToken("bob", "pw")));
    const pugi::xml_node array = services.Response().child("services");
    EXPECT_STREQ(array.attribute("xsi:type").value(), "SOAP-ENC:Array");
    EXPECT_STREQ(array.attribute("SOAP-ENC:itemType").value(), "ns1:service");
    EXPECT_STREQ(array.attribute("SOAP-ENC:arraySize").value(), "3");
    const auto items = services.Items("services");
    ASSERT_EQ(items.size(), 3u);
    EXPECT_STREQ(items[0].name(), "item");
    EXPECT_STREQ(items[0].attribute("enabled").value(), "false");
    EXPECT_STREQ(items[1].attribute("enabled").value(), "true");
    EXPECT_EQ(items[1].attribute("type").as_int(), 1);
    EXPECT_STREQ(items[2].attribute("supplementary_info").value(), "bob@sms.velora.example");
    EXPECT_FALSE(
        Call(SimRequests::WithToken("getOBK", LoginToken("bob", "pw"))).Response().child("OBK"));
    EXPECT_EQ(Call(SimRequests::WithToken("getOBK", LoginToken("carol", "pw")))
                  .Response()
                  .child("OBK")
                  .text()
                  .as_int(),
              12);
}

TEST_F(SessionService, ConfiguredRefusalsAnswerWithTheirStatus) {
    m_options.accountLines = {"dave:pw:421905000005,refuse=getOBK/99,refuse=Login/-1"};
    EXPECT_EQ(Call(SimRequests::Login("dave", "pw")).Status(), -1);
    Service().State().FindAccount("dave")->refusals.erase("Login");
    const ParsedReply reply = Call(SimRequests::WithToken("getOBK", LoginToken("dave", "pw")));
    EXPECT_EQ(reply.Status(), 99);
    EXPECT_FALSE(reply.Token().empty());
}
