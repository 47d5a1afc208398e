// The wire layer against the simulator over real HTTPS: every operation round-trips, fault
// injection gives the transport codes the client promises, certificate and authentication
// problems reach the prompt.
#include "../service/ScriptedPrompt.h"

#include "SimulatorProcess.h"
#include "TestSupport.h"

#include "model/Utilities.h"
#include "service/ClientId.h"
#include "service/CurlTransport.h"
#include "service/SoapCall.h"

#include <gtest/gtest.h>

#include <ctime>
#include <optional>
#include <sstream>

using namespace Kvws;

namespace {

TransportOptions Options(const SimulatorProcess& sim, bool trusted = true) {
    TransportOptions options;
    options.url = sim.Url();
    options.caFile = trusted ? sim.CaFile() : "";
    options.connectTimeout = 10;
    options.inactivityTimeout = 10;
    return options;
}

// The transport code a call ends with, or 0.
template <class Request> int CodeOf(ISoapTransport& transport, const Request& request) {
    try {
        Post(transport, request);
        return 0;
    } catch (const CKvwsSoapException& e) {
        return e.GetTransportCode();
    }
}

class WireIntegration : public testing::Test {
protected:
    static void SetUpTestSuite() {
        s_state = new TempDir;
        s_sim = new SimulatorProcess(QUILLON_SIM_PATH,
                                     {"--state", s_state->Path().string(), "--admin", "--account",
                                      "jan:heslo:421905111222", "--notice", "Nov\xC3\xA1 verzia"});
    }
    static void TearDownTestSuite() {
        delete s_sim;
        delete s_state;
    }
    void TearDown() override { s_sim->Admin("/admin/faults?" + m_faults + "=0", true); }

    void Fault(const std::string& name, const std::string& value) {
        m_faults = name;
        s_sim->Admin("/admin/faults?" + name + "=" + value, true);
    }

    // Logs in as jan and returns the token.
    std::string Login() {
        LoginRequest request;
        request.LoginName = "jan";
        request.Password = "heslo";
        request.Client = ClientId{"QLN", true, EncipherClientId("jan", "QLN")};
        request.Version = "1.1";
        const LoginResponse response = Call(m_transport, request);
        EXPECT_EQ(response.status.value, 0);
        EXPECT_EQ(response.mobile, "421905111222");
        EXPECT_EQ(response.notice, "Nov\xC3\xA1 verzia");
        EXPECT_EQ(response.token.value().validity, "600");
        return response.token.value().value;
    }

    // The newest check code "sent by SMS" for a transaction of the account.
    std::string CodeFor(const std::string& login, std::int64_t transaction) {
        std::istringstream lines(s_sim->Admin("/admin/codes/" + login));
        std::int64_t id = 0;
        std::string code;
        while (lines >> id >> code) {
            if (id == transaction)
                return code;
        }
        return {};
    }

    // Calls with the token and expects status 0 and a fresh token.
    template <class Request> typename Request::Response Ok(Request request) {
        request.token = m_token;
        const auto response = Call(m_transport, request);
        EXPECT_EQ(response.status.value, 0) << Request::kOperation;
        EXPECT_TRUE(response.token.has_value()) << Request::kOperation;
        return response;
    }

    static TempDir* s_state;
    static SimulatorProcess* s_sim;
    std::string m_faults = "delay";
    CurlTransport m_transport{Options(*s_sim)};
    std::string m_token;
};

TempDir* WireIntegration::s_state = nullptr;
SimulatorProcess* WireIntegration::s_sim = nullptr;

TEST_F(WireIntegration, SessionAndAccountOperationsRoundTrip) {
    m_token = Login();
    Ok(KeepAliveRequest{});
    const auto services = Ok(GetServicesRequest{}).services;
    ASSERT_EQ(services.size(), 3u);
    EXPECT_TRUE(services[0].enabled);
    EXPECT_EQ(Ok(GetObkRequest{}).OBK, 100);
    const auto credits = Ok(Ask4CreditListRequest{}).creditList;
    ASSERT_FALSE(credits.empty());
    EXPECT_EQ(credits[0].points.at(1).addCharge, 0.99f);

    Ask4ServiceActivationRequest activate;
    activate.service = ServiceSelector{2, "SMTP"};
    const auto asked = Ok(activate);
    EXPECT_NE(asked.EULA.find("Zmluvn\xC3\xA9"), std::string::npos);
    ServiceActivationRequest confirm;
    confirm.code = ConfirmationCode{asked.status.id.value(), ""};
    confirm.code.code = CodeFor("jan", confirm.code.id);
    Ok(confirm);
    ServiceDeactivationRequest deactivate;
    deactivate.service = ServiceSelector{2, "SMTP"};
    Ok(deactivate);

    Ask4CreditRechargeRequest recharge;
    recharge.credit.amount = 50;
    const std::int64_t rechargeId = Ok(recharge).status.id.value();
    CreditRechargeRequest recharged;
    recharged.code = ConfirmationCode{rechargeId, CodeFor("jan", rechargeId)};
    Ok(recharged);
    EXPECT_EQ(Ok(GetObkRequest{}).OBK, 150);

    LogoutRequest logout;
    logout.token = m_token;
    EXPECT_EQ(Call(m_transport, logout).status.value, 0);
    KeepAliveRequest stale;
    stale.token = m_token;
    EXPECT_EQ(Call(m_transport, stale).status.value, 20);
}

TEST_F(WireIntegration, UserRegistrationRoundTrips) {
    Ask4UserRegistrationRequest ask;
    ask.LoginName = "eva";
    ask.Password = "tajne";
    ask.Mobile = "421905333444";
    const auto asked = Call(m_transport, ask);
    ASSERT_EQ(asked.status.value, 0);
    EXPECT_FALSE(asked.EULA.empty());
    UserRegistrationRequest confirm;
    confirm.code = ConfirmationCode{asked.status.id.value(), CodeFor("eva", *asked.status.id)};
    const auto registered = Call(m_transport, confirm);
    EXPECT_EQ(registered.status.value, 0);
    m_token = registered.token.value().value;

    Ask4MobileRegistrationRequest mobile;
    mobile.mobile = "421905999888";
    const std::int64_t mobileId = Ok(mobile).status.id.value();
    MobileRegistrationRequest mobileRegistered;
    mobileRegistered.code = ConfirmationCode{mobileId, CodeFor("eva", mobileId)};
    Ok(mobileRegistered);
}

TEST_F(WireIntegration, MessagesRoundTrip) {
    m_token = Login();
    SendSmsRequest send;
    send.service.notification = true;
    send.service.tariff = "credit";
    send.recipients = {"421905000001", "421905000002"};
    send.text = EncodeAmpChars("Dobr\xE1 noc & <3"); // the session's duty
    const auto sent = Ok(send);
    ASSERT_EQ(sent.recipients.size(), 2u);
    EXPECT_EQ(sent.recipients[1].mobile, "421905000002");
    ASSERT_TRUE(sent.recipients[0].smsid.has_value());

    GetNotificationsRequest query;
    query.sms.id = {static_cast<std::int32_t>(*sent.recipients[0].smsid)};
    const auto states = Ok(query).sms;
    ASSERT_EQ(states.size(), 1u);
    EXPECT_EQ(states[0].smsid, *sent.recipients[0].smsid);

    SendSmsRequest scheduled = send;
    const std::time_t at = std::stoll(s_sim->Admin("/admin/time")) + 86400;
    char when[32];
    std::strftime(when, sizeof when, "%d.%m.%Y %H:%M", std::gmtime(&at));
    scheduled.service.deliverAt = when;
    scheduled.service.periodicity = 0;
    const std::int64_t messageId = Ok(scheduled).status.messageid.value();
    ReplaceSmsRequest replace;
    replace.messageid = messageId;
    replace.service = scheduled.service;
    replace.recipients = {"421905000003"};
    replace.text = "Nov\xFD text";
    EXPECT_EQ(Ok(replace).recipients.size(), 1u);
    GetNotificationsRequest scheduledQuery;
    scheduledQuery.sms.messageid = messageId;
    scheduledQuery.sms.id = {0};
    EXPECT_EQ(Ok(scheduledQuery).sms.at(0).mobile, "421905000003");
    DeleteSmsRequest remove;
    remove.messageid = messageId;
    Ok(remove);
}

TEST_F(WireIntegration, AddressBookRoundTrips) {
    m_token = Login();
    SetAliasRequest alias;
    alias.name = NamedNumber{"421905000001", "Mama"};
    Ok(alias);
    SetGroupRequest group;
    group.group = Group{"Rodina", {"Mama"}};
    Ok(group);
    const auto book = Ok(GetAddressBookRequest{});
    ASSERT_EQ(book.aliases.size(), 1u);
    EXPECT_EQ(book.aliases[0].name, "Mama");
    EXPECT_EQ(book.aliases[0].mobile, "421905000001");
    ASSERT_EQ(book.groups.size(), 1u);
    EXPECT_EQ(book.groups[0].alias, std::vector<std::string>{"Mama"});
    DeleteGroupRequest dropGroup;
    dropGroup.name = "Rodina";
    Ok(dropGroup);
    DeleteAliasRequest dropAlias;
    dropAlias.name.name = "Mama";
    Ok(dropAlias);
    EXPECT_TRUE(Ok(GetAddressBookRequest{}).aliases.empty());
}

TEST_F(WireIntegration, FaultsGiveTheirTransportCodes) {
    KeepAliveRequest request;
    const struct {
        const char* fault;
        const char* value;
        int code;
    } cases[] = {
        {"drop", "1", TransportError::SendFailed},
        {"http-status", "503", 503},
        {"http-status", "302", 302},
        {"soap-fault", "1", TransportError::SoapFault},
        {"truncate", "1", TransportError::UnparsableReply},
    };
    for (const auto& c : cases) {
        Fault(c.fault, c.value);
        EXPECT_EQ(CodeOf(m_transport, request), c.code) << c.fault;
        TearDown();
    }
}

TEST_F(WireIntegration, ASilentServiceEndsWithCode21) {
    TransportOptions options = Options(*s_sim);
    options.inactivityTimeout = 1;
    CurlTransport impatient(options);
    Fault("delay", "4000");
    EXPECT_EQ(CodeOf(impatient, KeepAliveRequest{}), TransportError::SendFailed);
}

// The exception of a failed call, or nothing.
template <class Request>
std::optional<CKvwsSoapException> FailureOf(ISoapTransport& transport, const Request& request) {
    try {
        Post(transport, request);
        return std::nullopt;
    } catch (const CKvwsSoapException& e) {
        return e;
    }
}

TEST_F(WireIntegration, ASoapFaultBringsItsReason) {
    Fault("soap-fault", "1");
    for (const char* version : {"0", "1"}) {
        s_sim->Admin(std::string("/admin/faults?soap11=") + version, true);
        const auto failure = FailureOf(m_transport, KeepAliveRequest{});
        ASSERT_TRUE(failure) << version;
        EXPECT_EQ(failure->GetTransportCode(), TransportError::SoapFault);
        EXPECT_EQ(failure->GetDetail(), "the service failed (simulated)") << version;
    }
    s_sim->Admin("/admin/faults?soap11=0", true);
}

// A service that drips its replies ends the call within the limits, with code 21; one that is
// merely slow gets its reply through whole.
TEST_F(WireIntegration, ADrippingServiceIsCutOff) {
    TransportOptions options = Options(*s_sim);
    options.callTimeout = 2;
    options.minimumRate = 0;
    CurlTransport impatient(options);
    options.callTimeout = 600;
    options.minimumRate = 1000;
    options.rateWindow = 1;
    CurlTransport rateChecking(options);
    const struct {
        const char* fault;
        const char* value;
        CurlTransport& transport;
        const char* reason;
    } cases[] = {
        {"drip", "50", impatient, "the exchange took longer than 2 s"},
        {"drip-endless", "20", rateChecking, "the data came slower than 1000 bytes/s"},
    };
    for (const auto& c : cases) {
        Fault(c.fault, c.value);
        const auto failure = FailureOf(c.transport, KeepAliveRequest{});
        ASSERT_TRUE(failure) << c.reason;
        EXPECT_EQ(failure->GetTransportCode(), TransportError::SendFailed);
        EXPECT_EQ(failure->GetDetail(), c.reason);
        TearDown();
    }
    Fault("drip", "1");
    EXPECT_EQ(CodeOf(m_transport, KeepAliveRequest{}), 0);
}

TEST_F(WireIntegration, Soap11RepliesOtherItemNamesAndBadValidityAreRead) {
    m_token = Login();
    Fault("soap11", "1");
    EXPECT_EQ(Ok(GetServicesRequest{}).services.size(), 3u);
    TearDown();
    Fault("item-name", "service");
    EXPECT_EQ(Ok(GetServicesRequest{}).services.size(), 3u);
    TearDown();
    Fault("bad-validity", "1");
    EXPECT_EQ(Ok(KeepAliveRequest{}).token->validity, "abc");
}

TEST_F(WireIntegration, Refused401EndsWith401) {
    ScriptedPrompt prompt;
    CurlTransport transport(Options(*s_sim), &prompt);
    Fault("http-status", "401");
    EXPECT_EQ(CodeOf(transport, KeepAliveRequest{}), 401);
    EXPECT_EQ(prompt.credentialQuestions, 1);
}

// A simulator with a CA of its own that nobody trusts yet.
TEST(WireTrust, AnUntrustedCertificateGoesToThePrompt) {
    TempDir state;
    SimulatorProcess sim(QUILLON_SIM_PATH, {"--state", state.Path().string()});
    ScriptedPrompt prompt;
    CurlTransport refusing(Options(sim, false), &prompt);
    EXPECT_EQ(CodeOf(refusing, KeepAliveRequest{}), TransportError::SendFailed);
    EXPECT_EQ(prompt.certificateQuestions, 1);
    EXPECT_EQ(prompt.lastProblem.host, "127.0.0.1");
    EXPECT_EQ(prompt.lastProblem.fingerprint.size(), 64u);

    prompt.acceptCertificate = true;
    CurlTransport accepting(Options(sim, false), &prompt);
    EXPECT_EQ(CodeOf(accepting, KeepAliveRequest{}), 0);
    EXPECT_EQ(prompt.certificateQuestions, 2);
    // Accepted for the rest of the process: no more questions.
    prompt.acceptCertificate = false;
    EXPECT_EQ(CodeOf(refusing, KeepAliveRequest{}), 0);
    EXPECT_EQ(prompt.certificateQuestions, 2);
}

} // namespace
