#include "SessionFixture.h"

#include "service/KvwsDbException.h"
#include "service/KvwsSoapException.h"
#include "service/TransportError.h"

#include <future>

using Strings = std::vector<std::string>;

namespace {

std::string KeepAliveReply(int status, const std::string& token = {}) {
    return Reply::Status(status) + token;
}

} // namespace

using LoginTest = SessionFixture;

TEST_F(LoginTest, SendsCredentialsAndClientIdAndKeepsTheSession) {
    transport->Answer("Login", Reply::Status(0) + "<mobile>421903123456</mobile>" +
                                   Reply::Token("T1", "600") + "<notice>News</notice>");
    EXPECT_EQ(user.KvwsLogin(true), 0);

    const ParsedRequest request = transport->Request(0);
    EXPECT_EQ(request.Operation(), "Login");
    EXPECT_EQ(request.Text("LoginName"), "jan.novak");
    EXPECT_EQ(request.Text("Password"), "secret");
    EXPECT_EQ(request.Text("Version"), "1.6");
    EXPECT_STREQ(request.Find("Client").attribute("id").value(), "QLN");
    EXPECT_STREQ(request.Find("Client").attribute("firstTime").value(), "true");
    EXPECT_EQ(request.Text("Client"),
              "6380DE50F79E84F7179C272DFBB1D4B22AE077A66FAB37802AE077A66FAB3780");

    EXPECT_EQ(user.GetToken(), "T1");
    EXPECT_EQ(user.GetTokenExpiry(), kNow + 600);
    EXPECT_EQ(user.GetTokenValidity(), 600);
    EXPECT_FALSE(user.IsTokenExpired());
    EXPECT_EQ(user.GetPhoneNr(), "421903123456");
    EXPECT_TRUE(user.HasNumber());
    EXPECT_EQ(user.GetNotice(), "News");
}

TEST_F(LoginTest, RefusalIsReturnedAndLeavesNoSession) {
    LogIn();
    transport->Answer("Login", Reply::Status(12) + "<mobile>421900000000</mobile>");
    EXPECT_EQ(user.KvwsLogin(false), 12);
    EXPECT_EQ(user.GetToken(), "");
    EXPECT_EQ(user.GetTokenExpiry(), 0);
    EXPECT_EQ(user.GetPhoneNr(), "421903123456"); // kept from the earlier login
    EXPECT_STREQ(transport->Request(1).Find("Client").attribute("firstTime").value(), "false");
}

TEST_F(LoginTest, ErrorStatusesAndTransportFailuresThrow) {
    transport->Answer("Login", Reply::Status(99));
    try {
        user.KvwsLogin(true);
        FAIL() << "no exception";
    } catch (const CKvwsSoapException& e) {
        EXPECT_EQ(e.GetStatus(), 99);
        EXPECT_EQ(e.GetTransportCode(), 0);
    }
    transport->Answer("Login", Reply::Status(-3));
    EXPECT_THROW(user.KvwsLogin(true), CKvwsDbException);
    transport->Fail(TransportError::SendFailed);
    try {
        user.KvwsLogin(true);
        FAIL() << "no exception";
    } catch (const CKvwsSoapException& e) {
        EXPECT_EQ(e.GetStatus(), 0);
        EXPECT_EQ(e.GetTransportCode(), TransportError::SendFailed);
    }
}

TEST(ClientIdTest, LoginNameCutTo32BytesAndClientTypeTo8) {
    FixedClock clock(0);
    const auto clientIdOf = [](const std::string& name, const std::string& clientType) {
        auto transport = std::make_shared<ScriptedTransport>();
        transport->Answer("Login", Reply::Status(10));
        CSmsUserInfo user(name, "1.6", clientType);
        user.SetTransport(transport);
        user.KvwsLogin(true);
        return transport->Request(0).Text("Client");
    };
    const std::string name32(32, 'n');
    EXPECT_EQ(clientIdOf(name32 + "tail", "QLN"), clientIdOf(name32, "QLN"));
    EXPECT_NE(clientIdOf(name32, "QLN"), clientIdOf(name32.substr(0, 31), "QLN"));
    // The key is the client type padded with blanks: "QLN" and "QLN     " are the same key.
    EXPECT_EQ(clientIdOf("jan.novak", "QLN"), clientIdOf("jan.novak", "QLN     "));
    EXPECT_EQ(clientIdOf("jan.novak", "QLN IE"),
              "BB6961C18D5ABD8925D0AB25E988EADA21FBE2683775D25221FBE2683775D252");
    EXPECT_EQ(clientIdOf("jan.novak", "QLN IE TOOLBAR"), clientIdOf("jan.novak", "QLN IE T"));
}

using TokenTest = SessionFixture;

TEST_F(TokenTest, ValidityBelowOneOrNotANumberKeepsTheOldToken) {
    LogIn();
    for (const char* validity : {"0", "-5", "abc", ""}) {
        transport->Answer("KeepAlive", KeepAliveReply(0, Reply::Token("T2", validity)));
        EXPECT_EQ(user.KvwsKeepAlive(), 0);
        EXPECT_EQ(user.GetToken(), "T1") << validity;
        EXPECT_EQ(user.GetTokenExpiry(), kNow + 600) << validity;
    }
    transport->Answer("KeepAlive", KeepAliveReply(0)); // no token element at all
    user.KvwsKeepAlive();
    EXPECT_EQ(user.GetToken(), "T1");
}

TEST_F(TokenTest, EveryReplyWithAValidTokenExtendsTheSession) {
    LogIn();
    clock.Advance(100);
    transport->Answer("KeepAlive", KeepAliveReply(0, Reply::Token("T2", " 300s")));
    user.KvwsKeepAlive();
    EXPECT_EQ(user.GetToken(), "T2");
    EXPECT_EQ(user.GetTokenExpiry(), kNow + 100 + 300);
    EXPECT_EQ(user.GetTokenValidity(), 300);
    EXPECT_EQ(transport->Request(1).Text("token"), "T1");
    clock.Advance(301);
    EXPECT_TRUE(user.IsTokenExpired());
}

using RenewalTest = SessionFixture;

TEST_F(RenewalTest, ExpiredTwiceReturnsTheSecondStatusWithoutAThirdCall) {
    LogIn();
    transport->Answer("getOBK", Reply::Status(21))
        .Answer("Login", Reply::Status(0) + Reply::Token("T2"))
        .Answer("getOBK", Reply::Status(21));
    EXPECT_EQ(user.KvwsGetObk(), 21);
    EXPECT_EQ(transport->Operations(), (Strings{"Login", "getOBK", "Login", "getOBK"}));
    EXPECT_EQ(transport->Request(3).Text("token"), "T2"); // the repeat carries the new token
    EXPECT_STREQ(transport->Request(2).Find("Client").attribute("firstTime").value(), "false");
}

TEST_F(RenewalTest, RepeatAfterReloginSucceeds) {
    LogIn();
    transport->Answer("getOBK", Reply::Status(20))
        .Answer("Login", Reply::Status(0) + Reply::Token("T2"))
        .Answer("getOBK", Reply::Status(0) + Reply::Token("T3") + "<OBK>42</OBK>");
    EXPECT_EQ(user.KvwsGetObk(), 0);
    EXPECT_EQ(user.GetObk(), 42);
    EXPECT_EQ(user.GetToken(), "T3");
}

TEST_F(RenewalTest, RefusedReloginBecomesTheResult) {
    LogIn();
    transport->Answer("getServices", Reply::Status(20)).Answer("Login", Reply::Status(12));
    EXPECT_EQ(user.KvwsGetServices(), 12);
    EXPECT_EQ(transport->Unused(), 0u);
    EXPECT_EQ(transport->Requests().size(), 3u);
}

TEST_F(RenewalTest, ReloginExceptionIsRaisedAndTheUserStaysUsable) {
    LogIn();
    transport->Answer("getOBK", Reply::Status(20)).Fail(TransportError::SendFailed);
    try {
        user.KvwsGetObk();
        FAIL() << "no exception";
    } catch (const CKvwsSoapException& e) {
        EXPECT_EQ(e.GetTransportCode(), TransportError::SendFailed);
    }
    // The lock was released on the way out: another thread gets through.
    transport->Answer("getOBK", Reply::Status(0) + "<OBK>7</OBK>");
    auto other = std::async(std::launch::async, [this] { return user.KvwsGetObk(); });
    EXPECT_EQ(other.get(), 0);
    EXPECT_EQ(user.GetObk(), 7);
}

TEST_F(RenewalTest, OtherRefusalsAndErrorsAreNotRetried) {
    LogIn();
    transport->Answer("getOBK", Reply::Status(27) + Reply::Token("T2"));
    EXPECT_EQ(user.KvwsGetObk(), 27);
    EXPECT_EQ(user.GetToken(), "T2"); // taken before the status is judged
    transport->Answer("getOBK", Reply::Status(150));
    EXPECT_THROW(user.KvwsGetObk(), CKvwsSoapException);
    transport->Answer("getOBK", Reply::Status(-1));
    EXPECT_THROW(user.KvwsGetObk(), CKvwsDbException);
    EXPECT_EQ(transport->Unused(), 0u);
    EXPECT_EQ(transport->Requests().size(), 4u);
}

TEST_F(RenewalTest, KeepAliveLogsInAgainWithoutRepeating) {
    LogIn();
    transport->Answer("KeepAlive", KeepAliveReply(20))
        .Answer("Login", Reply::Status(0) + Reply::Token("T2"));
    EXPECT_EQ(user.KvwsKeepAlive(), 0);
    transport->Answer("KeepAlive", KeepAliveReply(21)).Answer("Login", Reply::Status(13));
    EXPECT_EQ(user.KvwsKeepAlive(), 13);
    EXPECT_EQ(transport->Operations(),
              (Strings{"Login", "KeepAlive", "Login", "KeepAlive", "Login"}));
}

using LogoutTest = SessionFixture;

TEST_F(LogoutTest, ExpiredOrMissingTokenSendsNothing) {
    EXPECT_EQ(user.KvwsLogout(), 0);
    LogIn();
    clock.Advance(601);
    EXPECT_EQ(user.KvwsLogout(), 0);
    EXPECT_EQ(transport->Requests().size(), 1u);
}

TEST_F(LogoutTest, EndsTheSessionEvenWhenTheCallFails) {
    LogIn();
    transport->Fail(TransportError::SendFailed);
    EXPECT_EQ(user.KvwsLogout(), 0);
    EXPECT_EQ(transport->Request(1).Operation(), "Logout");
    EXPECT_EQ(transport->Request(1).Text("token"), "T1");
    EXPECT_EQ(user.GetToken(), "");
    EXPECT_EQ(user.GetTokenExpiry(), 0);

    LogIn();
    transport->Answer("Logout", Reply::Status(150));
    EXPECT_EQ(user.KvwsLogout(), 150);
    EXPECT_EQ(user.GetToken(), "");
}

using ServicesTest = SessionFixture;

TEST_F(ServicesTest, OnlyListedServicesStayActiveAndMissingOnesKeepTheirTexts) {
    LogIn();
    transport->Answer(
        "getServices",
        Reply::Status(0) +
            "<services><item type=\"0\" enabled=\"true\" supplementary_info=\"obk\">x</item>"
            "<item type=\"1\" enabled=\"false\" supplementary_info=\"post\"/>"
            "<item type=\"2\" enabled=\"true\" supplementary_info=\"smtp\"/>"
            "<item type=\"7\" enabled=\"true\" supplementary_info=\"other\"/></services>");
    EXPECT_EQ(user.KvwsGetServices(), 0);
    EXPECT_TRUE(user.IsObkSvcActive());
    EXPECT_FALSE(user.IsPostpaidSvcActive());
    EXPECT_TRUE(user.IsSmtpSvcActive());

    transport->Answer("getServices",
                      Reply::Status(0) +
                          "<services><item type=\"1\" enabled=\"true\"/></services>");
    EXPECT_EQ(user.KvwsGetServices(), 0);
    EXPECT_FALSE(user.IsObkSvcActive());
    EXPECT_TRUE(user.IsPostpaidSvcActive());
    EXPECT_FALSE(user.IsSmtpSvcActive());
    EXPECT_EQ(user.GetObkSuppInfo(), "obk");
    EXPECT_EQ(user.GetPostpaidSuppInfo(), ""); // listed without a text
    EXPECT_EQ(user.GetSmtpSuppInfo(), "smtp");

    transport->Answer("getServices", Reply::Status(33));
    EXPECT_EQ(user.KvwsGetServices(), 33);
    EXPECT_TRUE(user.IsPostpaidSvcActive()); // a refusal changes nothing
}

TEST_F(ServicesTest, PortalCreditIsZeroWhenTheReplyHasNone) {
    LogIn();
    transport->Answer("getOBK", Reply::Status(0) + "<OBK>120</OBK>")
        .Answer("getOBK", Reply::Status(0));
    user.KvwsGetObk();
    EXPECT_EQ(user.GetObk(), 120);
    user.KvwsGetObk();
    EXPECT_EQ(user.GetObk(), 0);
}
