#include "service/SoapWriter.h"

#include "ParamName.h"

#include <gtest/gtest.h>

#include <functional>

using namespace Kvws;

namespace {

const std::string kEnvelopeStart =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<SOAP-ENV:Envelope xmlns:SOAP-ENV=\"http://www.w3.org/2003/05/soap-envelope\" "
    "xmlns:SOAP-ENC=\"http://www.w3.org/2003/05/soap-encoding\" "
    "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
    "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\" "
    "xmlns:ns1=\"http://portal.velora.example/kvws/kvws.wsdl\"><SOAP-ENV:Body>";
const std::string kEnvelopeEnd = "</SOAP-ENV:Body></SOAP-ENV:Envelope>";

// The expected envelope of operation op with the request's children.
std::string Expected(const std::string& op, const std::string& children) {
    return kEnvelopeStart + "<ns1:" + op + "><ns1:" + op + "Request>" + children + "</ns1:" + op +
           "Request></ns1:" + op + ">" + kEnvelopeEnd;
}

template <class R> R WithToken(const std::string& token = "T1") {
    R request;
    request.token = token;
    return request;
}

MessageOptions ScheduledOptions() {
    MessageOptions options;
    options.flash = true;
    options.type = 1;
    options.deliverAt = "10.03.2005 13:30";
    options.periodicity = 2;
    options.tariff = "sa";
    return options;
}

ConfirmationCode Code(std::int64_t id, const std::string& code) {
    ConfirmationCode confirmation;
    confirmation.id = id;
    confirmation.code = code;
    return confirmation;
}

const std::string kArrayOf = "xsi:type=\"SOAP-ENC:Array\" SOAP-ENC:itemType=";

struct Golden {
    const char* name;
    std::function<std::string()> write;
    std::string expected;
};

// One representative request per operation. Default-mode strings carry the byte 0xE1 ("a" with
// an acute accent), UTF-8-mode strings its UTF-8 bytes C3 A1.
const Golden kGolden[] = {
    {"ask4CreditList", [] { return WriteSoapRequest(WithToken<Ask4CreditListRequest>()); },
     Expected("ask4CreditList", "<token>T1</token>")},
    {"Login",
     [] {
         LoginRequest r;
         r.LoginName = "j\xC3\xA1n";
         r.Password = "p&w<>";
         r.Client.id = "QLN";
         r.Client.firstTime = true;
         r.Client.value = "0A1B";
         r.Version = "1.1";
         return WriteSoapRequest(r);
     },
     Expected("Login", "<LoginName>j\xC3\xA1n</LoginName><Password>p&amp;w&lt;&gt;</Password>"
                       "<Client id=\"QLN\" firstTime=\"true\">0A1B</Client>"
                       "<Version>1.1</Version>")},
    {"Login without client type",
     [] {
         LoginRequest r;
         r.Client.value = "0A1B";
         return WriteSoapRequest(r);
     },
     Expected("Login", "<LoginName></LoginName><Password></Password>"
                       "<Client firstTime=\"false\">0A1B</Client><Version></Version>")},
    {"getOBK", [] { return WriteSoapRequest(WithToken<GetObkRequest>()); },
     Expected("getOBK", "<token>T1</token>")},
    {"getServices", [] { return WriteSoapRequest(WithToken<GetServicesRequest>()); },
     Expected("getServices", "<token>T1</token>")},
    {"ask4ServiceActivation",
     [] {
         auto r = WithToken<Ask4ServiceActivationRequest>();
         r.service.type = 2;
         r.service.name = "E-mail \xC3\xA1";
         return WriteSoapRequest(r);
     },
     Expected("ask4ServiceActivation",
              "<token>T1</token><service type=\"2\">E-mail \xC3\xA1</service>")},
    {"ServiceActivation",
     [] {
         auto r = WithToken<ServiceActivationRequest>();
         r.code = Code(123456789012, "ab&c");
         return WriteSoapRequest(r);
     },
     Expected("ServiceActivation", "<token>T1</token><code id=\"123456789012\">ab&amp;c</code>")},
    {"ServiceDeactivation",
     [] {
         auto r = WithToken<ServiceDeactivationRequest>();
         r.service.type = 1;
         r.service.name = "\xE1";
         return WriteSoapRequest(r);
     },
     Expected("ServiceDeactivation", "<token>T1</token><service type=\"1\">&#225;</service>")},
    {"sendSMS",
     [] {
         auto r = WithToken<SendSmsRequest>();
         r.service.notification = true;
         r.service.tariff = "credit";
         r.recipients = {"421903111222", "421903333444"};
         r.text = "Dobr\xE1 noc <3";
         return WriteSoapRequest(r);
     },
     Expected("sendSMS",
              "<token>T1</token>"
              "<service notification=\"true\" flash=\"false\" type=\"0\">credit</service>"
              "<recipients " +
                  kArrayOf +
                  "\"xsd:string\" SOAP-ENC:arraySize=\"2\">"
                  "<to>421903111222</to><to>421903333444</to></recipients>"
                  "<text>Dobr&#225; noc &lt;3</text>")},
    {"sendSMS scheduled to nobody",
     [] {
         auto r = WithToken<SendSmsRequest>();
         r.service = ScheduledOptions();
         return WriteSoapRequest(r);
     },
     Expected("sendSMS", "<token>T1</token><service notification=\"false\" flash=\"true\" "
                         "type=\"1\" deliverAt=\"10.03.2005 13:30\" periodicity=\"2\">sa</service>"
                         "<recipients " +
                             kArrayOf +
                             "\"xsd:string\" SOAP-ENC:arraySize=\"0\"></recipients>"
                             "<text></text>")},
    {"getNotifications",
     [] {
         auto r = WithToken<GetNotificationsRequest>();
         r.sms.id = {7, -8};
         return WriteSoapRequest(r);
     },
     Expected("getNotifications", "<token>T1</token><sms " + kArrayOf +
                                      "\"xsd:int\" SOAP-ENC:arraySize=\"2\">"
                                      "<id>7</id><id>-8</id></sms>")},
    {"getNotifications of a scheduled message",
     [] {
         auto r = WithToken<GetNotificationsRequest>();
         r.sms.messageid = 9000000000;
         r.sms.id = {0};
         return WriteSoapRequest(r);
     },
     Expected("getNotifications", "<token>T1</token><sms messageid=\"9000000000\" " + kArrayOf +
                                      "\"xsd:int\" SOAP-ENC:arraySize=\"1\"><id>0</id></sms>")},
    {"getAddressBook", [] { return WriteSoapRequest(WithToken<GetAddressBookRequest>()); },
     Expected("getAddressBook", "<token>T1</token>")},
    {"setAlias",
     [] {
         auto r = WithToken<SetAliasRequest>();
         r.name.mobile = "421903111222";
         r.name.name = "Mam\xC3\xA1";
         return WriteSoapRequest(r);
     },
     Expected("setAlias", "<token>T1</token><name mobile=\"421903111222\">Mam\xC3\xA1</name>")},
    {"setGroup",
     [] {
         auto r = WithToken<SetGroupRequest>();
         r.group.name = "Rodina";
         r.group.alias = {"Mama", "Tata"};
         return WriteSoapRequest(r);
     },
     Expected("setGroup", "<token>T1</token><group name=\"Rodina\">"
                          "<alias>Mama</alias><alias>Tata</alias></group>")},
    {"Logout", [] { return WriteSoapRequest(WithToken<LogoutRequest>()); },
     Expected("Logout", "<token>T1</token>")},
    {"ask4UserRegistration",
     [] {
         Ask4UserRegistrationRequest r;
         r.LoginName = "j\xC3\xA1n";
         r.Password = "pw";
         r.Mobile = "421903111222";
         return WriteSoapRequest(r);
     },
     Expected("ask4UserRegistration", "<LoginName>j\xC3\xA1n</LoginName><Password>pw</Password>"
                                      "<Mobile>421903111222</Mobile>")},
    {"UserRegistration",
     [] {
         UserRegistrationRequest r;
         r.code = Code(5, "x\xE1");
         return WriteSoapRequest(r);
     },
     Expected("UserRegistration", "<code id=\"5\">x&#225;</code>")},
    {"ask4MobileRegistration",
     [] {
         auto r = WithToken<Ask4MobileRegistrationRequest>();
         r.mobile = "421903111222";
         return WriteSoapRequest(r);
     },
     Expected("ask4MobileRegistration", "<token>T1</token><mobile>421903111222</mobile>")},
    {"MobileRegistration",
     [] {
         auto r = WithToken<MobileRegistrationRequest>();
         r.code = Code(-1, "abc");
         return WriteSoapRequest(r);
     },
     Expected("MobileRegistration", "<token>T1</token><code id=\"-1\">abc</code>")},
    {"KeepAlive", [] { return WriteSoapRequest(WithToken<KeepAliveRequest>("a&b")); },
     Expected("KeepAlive", "<token>a&amp;b</token>")},
    {"ask4CreditRecharge",
     [] {
         auto r = WithToken<Ask4CreditRechargeRequest>();
         r.credit.amount = 10;
         r.credit.clubMemberPoints = 300;
         return WriteSoapRequest(r);
     },
     Expected("ask4CreditRecharge",
              "<token>T1</token><credit clubMemberPoints=\"300\">10</credit>")},
    {"ask4CreditRecharge without points",
     [] {
         auto r = WithToken<Ask4CreditRechargeRequest>();
         r.credit.amount = 10;
         return WriteSoapRequest(r);
     },
     Expected("ask4CreditRecharge", "<token>T1</token><credit>10</credit>")},
    {"CreditRecharge",
     [] {
         auto r = WithToken<CreditRechargeRequest>();
         r.code = Code(77, "1234");
         return WriteSoapRequest(r);
     },
     Expected("CreditRecharge", "<token>T1</token><code id=\"77\">1234</code>")},
    {"deleteAlias",
     [] {
         auto r = WithToken<DeleteAliasRequest>();
         r.name.name = "Mama";
         return WriteSoapRequest(r);
     },
     Expected("deleteAlias", "<token>T1</token><name>Mama</name>")},
    {"deleteGroup",
     [] {
         auto r = WithToken<DeleteGroupRequest>();
         r.name = "Rodina \xC3\xA1";
         return WriteSoapRequest(r);
     },
     Expected("deleteGroup", "<token>T1</token><name>Rodina \xC3\xA1</name>")},
    {"replaceSMS",
     [] {
         auto r = WithToken<ReplaceSmsRequest>();
         r.messageid = 9000000000;
         r.service = ScheduledOptions();
         r.recipients = {"421903111222"};
         r.text = "x";
         return WriteSoapRequest(r);
     },
     Expected("replaceSMS",
              "<token>T1</token><messageid>9000000000</messageid>"
              "<service notification=\"false\" flash=\"true\" type=\"1\" "
              "deliverAt=\"10.03.2005 13:30\" periodicity=\"2\">sa</service><recipients " +
                  kArrayOf +
                  "\"xsd:string\" SOAP-ENC:arraySize=\"1\"><to>421903111222</to></recipients>"
                  "<text>x</text>")},
    {"replaceSMS without options",
     [] {
         auto r = WithToken<ReplaceSmsRequest>();
         r.messageid = 1;
         return WriteSoapRequest(r);
     },
     Expected("replaceSMS", "<token>T1</token><messageid>1</messageid><recipients " + kArrayOf +
                                "\"xsd:string\" SOAP-ENC:arraySize=\"0\"></recipients>"
                                "<text></text>")},
    {"deleteSMS",
     [] {
         auto r = WithToken<DeleteSmsRequest>();
         r.messageid = -9000000000;
         return WriteSoapRequest(r);
     },
     Expected("deleteSMS", "<token>T1</token><messageid>-9000000000</messageid>")},
};

class SoapWriterGolden : public testing::TestWithParam<Golden> {};

TEST_P(SoapWriterGolden, WritesTheExactRequestBytes) {
    EXPECT_EQ(GetParam().write(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Operations, SoapWriterGolden, testing::ValuesIn(kGolden),
                         ParamName<Golden>);

TEST(SoapWriter, EscapesWhatTheReaderWouldOtherwiseChange) {
    auto r = WithToken<SetAliasRequest>("");
    r.name.mobile = "a\"b\tc\nd\re<&>";
    r.name.name = "x\"y\tz\nw\rv";
    EXPECT_EQ(WriteSoapRequest(r),
              Expected("setAlias", "<token></token><name mobile=\"a&quot;b&#9;c&#10;d&#13;e"
                                   "&lt;&amp;&gt;\">x\"y\tz\nw&#13;v</name>"));
}

TEST(SoapWriter, DefaultModeWritesEveryHighByteAsItsReference) {
    auto r = WithToken<KeepAliveRequest>("\x80\xC3\xA1\xFF");
    EXPECT_EQ(WriteSoapRequest(r),
              Expected("KeepAlive", "<token>&#128;&#195;&#161;&#255;</token>"));
}

TEST(SoapWriter, ResponsesForFakeServicesWithFloatsOfEightDigits) {
    Ask4CreditListResponse response;
    response.status.value = 0;
    response.token = Token{"600", "T2"};
    CreditOption option;
    option.value = 10;
    option.points = {ClubPoints{1.23456789f, "EUR", 300}, ClubPoints{0.5f, std::nullopt, 1}};
    response.creditList = {option};
    EXPECT_EQ(WriteSoapResponse<Ask4CreditListRequest>(response),
              kEnvelopeStart +
                  "<ns1:ask4CreditListResponse><status>0</status>"
                  "<token validity=\"600\">T2</token><creditList " +
                  kArrayOf +
                  "\"ns1:clubMemberPoints\" SOAP-ENC:arraySize=\"1\">"
                  "<item value=\"10\" clubMemberOnly=\"false\" " +
                  kArrayOf +
                  "\"ns1:clubMemberPoints\" SOAP-ENC:arraySize=\"2\">"
                  "<item addCharge=\"1.2345679\" currency=\"EUR\">300</item>"
                  "<item addCharge=\"0.5\">1</item></item></creditList>"
                  "</ns1:ask4CreditListResponse>" +
                  kEnvelopeEnd);
}

} // namespace
