#include "service/SoapReader.h"

#include "ParamName.h"

#include <gtest/gtest.h>

using namespace Kvws;

namespace {

const std::string kNs = "http://portal.velora.example/kvws/kvws.wsdl";

// A SOAP 1.2 reply with the given response element.
std::string Reply(const std::string& response) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<env:Envelope xmlns:env=\"http://www.w3.org/2003/05/soap-envelope\" "
           "xmlns:enc=\"http://www.w3.org/2003/05/soap-encoding\" "
           "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" xmlns:k=\"" +
           kNs + "\">\n  <env:Body>\n    " + response + "\n  </env:Body>\n</env:Envelope>\n";
}

// Reads a reply to Request; returns the transport code (0 on success).
template <class Request> int Read(const std::string& body, typename Request::Response& response) {
    return ReadSoapResponse<Request>(body, response);
}

template <class Request> typename Request::Response ReadOk(const std::string& body) {
    typename Request::Response response;
    EXPECT_EQ(Read<Request>(body, response), 0) << body;
    return response;
}

template <class Request> int ReadCode(const std::string& body) {
    typename Request::Response response;
    return Read<Request>(body, response);
}

const std::string kToken = "<token validity=\"600\">T2</token>";

void ExpectToken(const std::optional<Token>& token, const char* validity, const char* value) {
    ASSERT_TRUE(token.has_value());
    ASSERT_TRUE(token->validity.has_value());
    EXPECT_EQ(*token->validity, validity);
    EXPECT_EQ(token->value, value);
}

// ---- every operation's response ----

TEST(SoapReader, TokenOnlyResponsesOfEveryOperation) {
    const auto check = [](auto request, const char* op) {
        using Request = decltype(request);
        const auto response =
            ReadOk<Request>(Reply(std::string("<k:") + op + "Response>" + "<status>21</status>" +
                                  kToken + "</k:" + op + "Response>"));
        EXPECT_EQ(response.status.value, 21) << op;
        ExpectToken(response.token, "600", "T2");
    };
    check(ServiceActivationRequest{}, "ServiceActivation");
    check(ServiceDeactivationRequest{}, "ServiceDeactivation");
    check(SetAliasRequest{}, "setAlias");
    check(SetGroupRequest{}, "setGroup");
    check(UserRegistrationRequest{}, "UserRegistration");
    check(MobileRegistrationRequest{}, "MobileRegistration");
    check(KeepAliveRequest{}, "KeepAlive");
    check(CreditRechargeRequest{}, "CreditRecharge");
    check(DeleteAliasRequest{}, "deleteAlias");
    check(DeleteGroupRequest{}, "deleteGroup");
    check(DeleteSmsRequest{}, "deleteSMS");
}

TEST(SoapReader, TrackedStatusesCarryTheTransactionNumber) {
    const auto check = [](auto request, const char* op) {
        using Request = decltype(request);
        const auto response = ReadOk<Request>(Reply(std::string("<k:") + op + "Response>" +
                                                    "<status id=\"9000000001\">0</status>" +
                                                    kToken + "</k:" + op + "Response>"));
        EXPECT_EQ(response.status.id, 9000000001) << op;
        EXPECT_EQ(response.status.value, 0);
    };
    check(Ask4MobileRegistrationRequest{}, "ask4MobileRegistration");
    check(Ask4CreditRechargeRequest{}, "ask4CreditRecharge");
    check(Ask4ServiceActivationRequest{}, "ask4ServiceActivation");
}

TEST(SoapReader, Login) {
    const auto r = ReadOk<LoginRequest>(
        Reply("<k:LoginResponse><status>0</status><mobile>421903111222</mobile>" + kToken +
              "<notice>Nov\xC3\xA1 verzia</notice></k:LoginResponse>"));
    EXPECT_EQ(r.mobile, "421903111222");
    ExpectToken(r.token, "600", "T2");
    EXPECT_EQ(r.notice, "Nov\xC3\xA1 verzia"); // UTF-8 mode keeps the bytes
}

TEST(SoapReader, LogoutAndUserRegistrationHaveNoToken) {
    EXPECT_EQ(ReadOk<LogoutRequest>(Reply("<k:LogoutResponse><status>0</status>"
                                          "</k:LogoutResponse>"))
                  .status.value,
              0);
    const auto r = ReadOk<Ask4UserRegistrationRequest>(
        Reply("<k:ask4UserRegistrationResponse><status id=\"42\">0</status>"
              "<EULA>Line 1\nLine 2</EULA></k:ask4UserRegistrationResponse>"));
    EXPECT_EQ(r.status.id, 42);
    EXPECT_EQ(r.EULA, "Line 1\nLine 2");
}

TEST(SoapReader, ObkIsOptional) {
    EXPECT_EQ(ReadOk<GetObkRequest>(Reply("<k:getOBKResponse><status>0</status>" + kToken +
                                          "<OBK>250</OBK></k:getOBKResponse>"))
                  .OBK,
              250);
    EXPECT_FALSE(
        ReadOk<GetObkRequest>(Reply("<k:getOBKResponse><status>0</status></k:getOBKResponse>"))
            .OBK.has_value());
}

TEST(SoapReader, Services) {
    const auto r = ReadOk<GetServicesRequest>(
        Reply("<k:getServicesResponse><status>0</status>" + kToken +
              "<services xsi:type=\"enc:Array\" enc:itemType=\"k:service\" enc:arraySize=\"2\">"
              "<item supplementary_info=\"od 1.5.\" enabled=\"true\" type=\"1\">Postpaid</item>"
              "<item enabled=\"0\" type=\"2\"/></services></k:getServicesResponse>"));
    ASSERT_EQ(r.services.size(), 2u);
    EXPECT_EQ(r.services[0].supplementary_info, "od 1.5.");
    EXPECT_TRUE(r.services[0].enabled);
    EXPECT_EQ(r.services[0].type, 1);
    EXPECT_EQ(r.services[0].value, "Postpaid");
    EXPECT_FALSE(r.services[1].supplementary_info.has_value());
    EXPECT_FALSE(r.services[1].enabled);
    EXPECT_EQ(r.services[1].type, 2);
}

TEST(SoapReader, SendAndReplaceAnswerWithMessageIdAndRecipients) {
    const auto check = [](auto request, const char* op) {
        using Request = decltype(request);
        const auto r = ReadOk<Request>(Reply(
            std::string("<k:") + op + "Response><status messageid=\"77\">0</status>" + kToken +
            "<recipients xsi:type=\"enc:Array\" enc:itemType=\"k:to\" enc:arraySize=\"2\">"
            "<item mobile=\"421903111222\"><smsid>1001</smsid></item><item mobile=\"4219\"/>"
            "</recipients></k:" +
            op + "Response>"));
        EXPECT_EQ(r.status.messageid, 77);
        ASSERT_EQ(r.recipients.size(), 2u);
        EXPECT_EQ(r.recipients[0].mobile, "421903111222");
        EXPECT_EQ(r.recipients[0].smsid, 1001);
        EXPECT_FALSE(r.recipients[1].smsid.has_value());
    };
    check(SendSmsRequest{}, "sendSMS");
    check(ReplaceSmsRequest{}, "replaceSMS");
}

TEST(SoapReader, Notifications) {
    const auto r = ReadOk<GetNotificationsRequest>(
        Reply("<k:getNotificationsResponse><status>0</status>" + kToken +
              "<sms xsi:type=\"enc:Array\" enc:itemType=\"k:id\" enc:arraySize=\"2\">"
              "<item delivered=\"10.03.2005 14:30:05\" status=\"2\" mobile=\"4219\">1001</item>"
              "<item status=\"3\">9000000000</item></sms></k:getNotificationsResponse>"));
    ASSERT_EQ(r.sms.size(), 2u);
    EXPECT_EQ(r.sms[0].delivered, "10.03.2005 14:30:05");
    EXPECT_EQ(r.sms[0].status, 2);
    EXPECT_EQ(r.sms[0].mobile, "4219");
    EXPECT_EQ(r.sms[0].smsid, 1001);
    EXPECT_FALSE(r.sms[1].delivered.has_value());
    EXPECT_EQ(r.sms[1].smsid, 9000000000);
}

TEST(SoapReader, AddressBook) {
    const auto r = ReadOk<GetAddressBookRequest>(
        Reply("<k:getAddressBookResponse><status>0</status>" + kToken +
              "<groups xsi:type=\"enc:Array\" enc:arraySize=\"2\">"
              "<item name=\"Rodina\"><alias>Mama</alias><x>skip</x><alias>Tata</alias></item>"
              "<item/></groups>"
              "<aliases xsi:type=\"enc:Array\" enc:arraySize=\"1\">"
              "<item mobile=\"4219\">M\xC3\xA1ma</item></aliases>"
              "</k:getAddressBookResponse>"));
    ASSERT_EQ(r.aliases.size(), 1u);
    EXPECT_EQ(r.aliases[0].mobile, "4219");
    EXPECT_EQ(r.aliases[0].name, "M\xC3\xA1ma");
    ASSERT_EQ(r.groups.size(), 2u);
    EXPECT_EQ(r.groups[0].name, "Rodina");
    EXPECT_EQ(r.groups[0].alias, (std::vector<std::string>{"Mama", "Tata"}));
    EXPECT_FALSE(r.groups[1].name.has_value());
}

TEST(SoapReader, CreditListOfNestedArrays) {
    const auto r = ReadOk<Ask4CreditListRequest>(Reply(
        "<k:ask4CreditListResponse><status>0</status>" + kToken +
        "<creditList xsi:type=\"enc:Array\" enc:itemType=\"k:clubMemberPoints\" "
        "enc:arraySize=\"1\"><item value=\"10\" clubMemberOnly=\"true\" xsi:type=\"enc:Array\">"
        "<item addCharge=\"1.5\" currency=\"EUR\">300</item><item addCharge=\"0\">500</item>"
        "</item></creditList></k:ask4CreditListResponse>"));
    ASSERT_EQ(r.creditList.size(), 1u);
    EXPECT_EQ(r.creditList[0].value, 10);
    EXPECT_TRUE(r.creditList[0].clubMemberOnly);
    ASSERT_EQ(r.creditList[0].points.size(), 2u);
    EXPECT_FLOAT_EQ(r.creditList[0].points[0].addCharge, 1.5f);
    EXPECT_EQ(r.creditList[0].points[0].currency, "EUR");
    EXPECT_EQ(r.creditList[0].points[1].points, 500);
}

// ---- envelopes and shapes ----

TEST(SoapReader, Soap11EnvelopeWithOtherPrefixesAndADefaultNamespace) {
    const auto r = ReadOk<GetServicesRequest>(
        "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\" "
        "xmlns:SOAP-ENC=\"http://schemas.xmlsoap.org/soap/encoding/\">"
        "<soap:Header><x/></soap:Header><soap:Body>"
        "<getServicesResponse xmlns=\"" +
        kNs +
        "\"><status>0</status><services SOAP-ENC:arrayType=\"ns1:service[1]\">"
        "<service enabled=\"true\" type=\"0\"/></services></getServicesResponse>"
        "</soap:Body></soap:Envelope>");
    ASSERT_EQ(r.services.size(), 1u);
    EXPECT_TRUE(r.services[0].enabled);
}

TEST(SoapReader, ItemsAreTakenByPositionWhateverTheirNames) {
    const auto r = ReadOk<GetNotificationsRequest>(
        Reply("<k:getNotificationsResponse><status>0</status><sms>"
              "<id status=\"1\">5</id><k:foo status=\"2\">6</k:foo><!-- note --><bar>7</bar>"
              "</sms></k:getNotificationsResponse>"));
    ASSERT_EQ(r.sms.size(), 3u);
    EXPECT_EQ(r.sms[1].smsid, 6);
    EXPECT_EQ(r.sms[2].smsid, 7);
}

TEST(SoapReader, ChildrenInAnyOrderTheFirstOfTwinsCounts) {
    const auto r = ReadOk<LoginRequest>(
        Reply("<k:LoginResponse><notice>n</notice><token>A</token><token>B</token>"
              "<status>12</status><status>0</status></k:LoginResponse>"));
    EXPECT_EQ(r.status.value, 12);
    EXPECT_EQ(r.token->value, "A");
    EXPECT_EQ(r.notice, "n");
    EXPECT_EQ(r.mobile, "");
}

TEST(SoapReader, TokenWithoutElementOrValidity) {
    const auto none = ReadOk<KeepAliveRequest>(
        Reply("<k:KeepAliveResponse><status>0</status></k:KeepAliveResponse>"));
    EXPECT_FALSE(none.token.has_value());
    const auto bare = ReadOk<KeepAliveRequest>(
        Reply("<k:KeepAliveResponse><status>0</status><token>T</token></k:KeepAliveResponse>"));
    ASSERT_TRUE(bare.token.has_value());
    EXPECT_FALSE(bare.token->validity.has_value());
    // The validity is text; judging it belongs to the session.
    const auto bad = ReadOk<KeepAliveRequest>(
        Reply("<k:KeepAliveResponse><status>0</status><token validity=\"abc\">T</token>"
              "</k:KeepAliveResponse>"));
    ExpectToken(bad.token, "abc", "T");
}

TEST(SoapReader, DefaultModeStoresOneBytePerCharacter) {
    const auto r = ReadOk<KeepAliveRequest>(
        Reply("<k:KeepAliveResponse><status> 0\n</status><token validity=\"&#225;\">"
              "\xC3\xA1&#225;\xE2\x82\xAC&#x10348;<![CDATA[<c>]]>\xE1!</token>"
              "</k:KeepAliveResponse>"));
    ExpectToken(r.token, "\xE1",
                "\xE1\xE1?"
                "?<c>\xE1!");
}

TEST(SoapReader, Utf8ModeKeepsTheBytes) {
    const auto r = ReadOk<GetAddressBookRequest>(
        Reply("<k:getAddressBookResponse><status>0</status><aliases><item>&#225;\xE2\x82\xAC"
              "</item></aliases></k:getAddressBookResponse>"));
    EXPECT_EQ(r.aliases.at(0).name, "\xC3\xA1\xE2\x82\xAC");
}

TEST(SoapReader, LenientNumbersWithinTheirTypes) {
    const auto r = ReadOk<GetNotificationsRequest>(
        Reply("<k:getNotificationsResponse><status>+0</status><sms>"
              "<i status=\" -2147483648 \">9223372036854775807</i></sms>"
              "</k:getNotificationsResponse>"));
    EXPECT_EQ(r.sms.at(0).status, INT32_MIN);
    EXPECT_EQ(r.sms.at(0).smsid, INT64_MAX);
}

// The fault's reason as the server wrote it, or nothing when the fault has none.
std::string FaultReasonOf(const std::string& body) {
    LoginResponse response;
    std::string reason = "(untouched)";
    EXPECT_EQ(ReadSoapResponse<LoginRequest>(body, response, &reason), TransportError::SoapFault)
        << body;
    return reason;
}

std::string Soap11(const std::string& fault) {
    return "<s:Envelope xmlns:s=\"http://schemas.xmlsoap.org/soap/envelope/\"><s:Body>" + fault +
           "</s:Body></s:Envelope>";
}

TEST(SoapReader, FaultsEndTheCallWithTheirReason) {
    EXPECT_EQ(FaultReasonOf(Reply("<env:Fault><env:Code><env:Value>env:Receiver"
                                  "</env:Value></env:Code></env:Fault>")),
              "");
    EXPECT_EQ(FaultReasonOf(Soap11("<s:Fault><faultcode>s:Server</faultcode></s:Fault>")), "");

    // SOAP 1.2: the first text of the reason; SOAP 1.1: the faultstring.
    EXPECT_EQ(FaultReasonOf(Reply("<env:Fault><env:Code><env:Value>env:Receiver</env:Value>"
                                  "</env:Code><env:Reason><env:Text xml:lang=\"sk\">Slu\xC5\xBE"
                                  "ba &amp; <![CDATA[<spol>]]></env:Text><env:Text xml:lang=\"en\">"
                                  "Service</env:Text></env:Reason></env:Fault>")),
              "Slu\xC5\xBE"
              "ba & <spol>");
    EXPECT_EQ(FaultReasonOf(Soap11("<s:Fault><faultcode>s:Client</faultcode>"
                                   "<faultstring>bad login</faultstring></s:Fault>")),
              "bad login");
    // Without a reason pointer the code alone comes back.
    EXPECT_EQ(ReadCode<LoginRequest>(Soap11("<s:Fault><faultstring>x</faultstring></s:Fault>")),
              TransportError::SoapFault);
}

struct Hostile {
    const char* name;
    std::string body;
};

std::string DeepNesting() {
    std::string deep;
    for (int i = 0; i < 200000; ++i)
        deep += "<d>";
    return deep;
}

const Hostile kHostile[] = {
    {"empty", ""},
    {"not XML", "HTTP/1.1 200 OK"},
    {"truncated",
     Reply("<k:KeepAliveResponse><status>0</status>" + kToken + "</k:KeepAliveResponse>")
         .substr(0, 300)},
    {"no status", Reply("<k:KeepAliveResponse>" + kToken + "</k:KeepAliveResponse>")},
    {"status not a number", Reply("<k:KeepAliveResponse><status>abc</status>"
                                  "</k:KeepAliveResponse>")},
    {"status too big", Reply("<k:KeepAliveResponse><status>99999999999999999999</status>"
                             "</k:KeepAliveResponse>")},
    {"status id not an integer", Reply("<k:KeepAliveResponse><status id=\"1e5\">0</status>"
                                       "</k:KeepAliveResponse>")},
    {"empty status", Reply("<k:KeepAliveResponse><status/></k:KeepAliveResponse>")},
    {"another operation's response", Reply("<k:LoginResponse><status>0</status>"
                                           "</k:LoginResponse>")},
    {"response in another namespace",
     Reply("<KeepAliveResponse xmlns=\"urn:other\"><status>0</status></KeepAliveResponse>")},
    {"undeclared prefix", Reply("<x:KeepAliveResponse><status>0</status></x:KeepAliveResponse>")},
    {"empty body", Reply("")},
    {"no envelope", "<KeepAliveResponse><status>0</status></KeepAliveResponse>"},
    {"envelope of another namespace",
     "<e:Envelope xmlns:e=\"urn:x\"><e:Body><k:KeepAliveResponse xmlns:k=\"" + kNs +
         "\"><status>0</status></k:KeepAliveResponse></e:Body></e:Envelope>"},
    {"deep nesting", Reply("<k:KeepAliveResponse><status>0</status><token>" + DeepNesting() +
                           "</token></k:KeepAliveResponse>")},
};

class SoapReaderHostile : public testing::TestWithParam<Hostile> {};

TEST_P(SoapReaderHostile, IsAnUnparsableReply) {
    KeepAliveResponse response;
    EXPECT_EQ(Read<KeepAliveRequest>(GetParam().body, response), TransportError::UnparsableReply);
}

INSTANTIATE_TEST_SUITE_P(Replies, SoapReaderHostile, testing::ValuesIn(kHostile),
                         ParamName<Hostile>);

TEST(SoapReader, DeepNestingInsideAFieldIsSkipped) {
    std::string closing;
    for (int i = 0; i < 200000; ++i)
        closing += "</d>";
    const auto r =
        ReadOk<KeepAliveRequest>(Reply("<k:KeepAliveResponse><status>0</status><token>" +
                                       DeepNesting() + closing + "</token></k:KeepAliveResponse>"));
    EXPECT_EQ(r.token->value, "");
}

TEST(SoapReader, WrongTypesInItemsSpoilTheWholeReply) {
    EXPECT_EQ(ReadCode<GetServicesRequest>(
                  Reply("<k:getServicesResponse><status>0</status><services>"
                        "<item enabled=\"yes\" type=\"1\"/></services></k:getServicesResponse>")),
              TransportError::UnparsableReply);
    EXPECT_EQ(ReadCode<Ask4CreditListRequest>(Reply(
                  "<k:ask4CreditListResponse><status>0</status><creditList><item value=\"1\">"
                  "<item addCharge=\"x\">1</item></item></creditList></k:ask4CreditListResponse>")),
              TransportError::UnparsableReply);
}

} // namespace
