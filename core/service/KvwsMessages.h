#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

// The messages of the operator's service: one request and one response structure per
// operation. Every structure lists its fields once, in a static Visit(self, visitor), in the
// order of the service schema; the request writer (SoapWriter) and the reply reader
// (SoapReader) both walk that list. Field names are the element and attribute names.
//
// Visitor calls: Attribute(name, field); Content(field) for an element's text; Element(name,
// field[, Presence]); Array(name, itemType, itemName, items) for a SOAP-encoded array;
// Items(itemType, itemName, items) for the items of an element that is itself an array;
// Repeated(name, items) for a run of equal elements. std::optional fields are left out when
// absent. Strings are passed unchanged in the operation's string mode (kMode): the callers
// convert texts of UTF-8 operations with AnsiToUtf8 / Utf8ToAnsi.
namespace Kvws {

enum class StringMode {
    Default, // bytes of 0x80 and more go out as character references, characters come in as bytes
    Utf8,    // bytes go out and come in unchanged (UTF-8)
};

enum class Presence { Optional, Required };

template <class T> struct IsOptional : std::false_type {};
template <class T> struct IsOptional<std::optional<T>> : std::true_type {};

// Structures with a Visit of their own, as opposed to the scalar values.
template <class T>
concept Composite = std::is_class_v<T> && !std::is_same_v<T, std::string>;

// The name of an operation as a template argument.
template <std::size_t N> struct OperationName {
    constexpr OperationName(const char (&name)[N]) {
        for (std::size_t i = 0; i < N; ++i)
            text[i] = name[i];
    }
    char text[N];
};

// Traits of a request: the operation's name, its response structure and its string mode.
template <OperationName Name, class ResponseType, StringMode Mode = StringMode::Default>
struct Operation {
    static constexpr const char* kOperation = Name.text;
    static constexpr StringMode kMode = Mode;
    using Response = ResponseType;
};

// ---- Recurring element shapes ----

// Session token; "validity" holds a decimal number of seconds.
struct Token {
    std::optional<std::string> validity;
    std::string value;
    template <class S, class V> static void Visit(S& s, V& v) {
        v.Attribute("validity", s.validity);
        v.Content(s.value);
    }
};

// The status of every reply. Two-step requests are answered with "id" (the transaction
// number), sends with "messageid" (the service's number of the message).
struct Status {
    std::optional<std::int64_t> id;
    std::optional<std::int64_t> messageid;
    std::int32_t value = 0;
    template <class S, class V> static void Visit(S& s, V& v) {
        v.Attribute("id", s.id);
        v.Attribute("messageid", s.messageid);
        v.Content(s.value);
    }
};

// A check code received by SMS, with the transaction number of the request it confirms.
struct ConfirmationCode {
    std::int64_t id = 0;
    std::string code;
    template <class S, class V> static void Visit(S& s, V& v) {
        v.Attribute("id", s.id);
        v.Content(s.code);
    }
};

struct ServiceSelector {
    std::int32_t type = 0;
    std::string name;
    template <class S, class V> static void Visit(S& s, V& v) {
        v.Attribute("type", s.type);
        v.Content(s.name);
    }
};

// A name with an optional phone number; also the items of the server's alias list.
struct NamedNumber {
    std::optional<std::string> mobile;
    std::string name;
    template <class S, class V> static void Visit(S& s, V& v) {
        v.Attribute("mobile", s.mobile);
        v.Content(s.name);
    }
};

struct CreditAmount {
    std::optional<std::int32_t> clubMemberPoints;
    std::int32_t amount = 0;
    template <class S, class V> static void Visit(S& s, V& v) {
        v.Attribute("clubMemberPoints", s.clubMemberPoints);
        v.Content(s.amount);
    }
};

// Client identification: client type and the enciphered client id.
struct ClientId {
    std::optional<std::string> id;
    bool firstTime = false;
    std::string value;
    template <class S, class V> static void Visit(S& s, V& v) {
        v.Attribute("id", s.id);
        v.Attribute("firstTime", s.firstTime);
        v.Content(s.value);
    }
};

// Options of a message; the content is the tariff selector.
struct MessageOptions {
    bool notification = false;
    bool flash = false;
    std::int32_t type = 0;
    std::optional<std::string> deliverAt;
    std::optional<std::int32_t> periodicity;
    std::string tariff;
    template <class S, class V> static void Visit(S& s, V& v) {
        v.Attribute("notification", s.notification);
        v.Attribute("flash", s.flash);
        v.Attribute("type", s.type);
        v.Attribute("deliverAt", s.deliverAt);
        v.Attribute("periodicity", s.periodicity);
        v.Content(s.tariff);
    }
};

// The "sms" array of a notification query: SMS numbers (32-bit items), or the number of a
// scheduled message in "messageid".
struct SmsIds {
    std::optional<std::int64_t> messageid;
    std::vector<std::int32_t> id;
    template <class S, class V> static void Visit(S& s, V& v) {
        v.Attribute("messageid", s.messageid);
        v.Items("xsd:int", "id", s.id);
    }
};

// ---- Array items of the replies ----

// "ns1:service"
struct Service {
    std::optional<std::string> supplementary_info;
    bool enabled = false;
    std::int32_t type = 0;
    std::string value;
    template <class S, class V> static void Visit(S& s, V& v) {
        v.Attribute("supplementary_info", s.supplementary_info);
        v.Attribute("enabled", s.enabled);
        v.Attribute("type", s.type);
        v.Content(s.value);
    }
};

// "ns1:to": one recipient of a send.
struct SentTo {
    std::optional<std::string> mobile;
    std::optional<std::int64_t> smsid;
    template <class S, class V> static void Visit(S& s, V& v) {
        v.Attribute("mobile", s.mobile);
        v.Element("smsid", s.smsid);
    }
};

// "ns1:id": the delivery state of one sent SMS (its number is the content).
struct Delivery {
    std::optional<std::string> delivered;
    std::int32_t status = 0;
    std::optional<std::string> mobile;
    std::int64_t smsid = 0;
    template <class S, class V> static void Visit(S& s, V& v) {
        v.Attribute("delivered", s.delivered);
        v.Attribute("status", s.status);
        v.Attribute("mobile", s.mobile);
        v.Content(s.smsid);
    }
};

// "ns1:group": a group of the server's address book with its member aliases.
struct Group {
    std::optional<std::string> name;
    std::vector<std::string> alias;
    template <class S, class V> static void Visit(S& s, V& v) {
        v.Attribute("name", s.name);
        v.Repeated("alias", s.alias);
    }
};

// An item of a "ns1:clubMemberPoints" array: the club points that buy a credit amount.
struct ClubPoints {
    float addCharge = 0;
    std::optional<std::string> currency;
    std::int32_t points = 0;
    template <class S, class V> static void Visit(S& s, V& v) {
        v.Attribute("addCharge", s.addCharge);
        v.Attribute("currency", s.currency);
        v.Content(s.points);
    }
};

// "ns1:clubMemberPoints": one credit amount of the credit list, itself an array of the ways
// to pay for it in club points.
struct CreditOption {
    std::int32_t value = 0;
    bool clubMemberOnly = false;
    std::vector<ClubPoints> points;
    template <class S, class V> static void Visit(S& s, V& v) {
        v.Attribute("value", s.value);
        v.Attribute("clubMemberOnly", s.clubMemberOnly);
        v.Items("ns1:clubMemberPoints", "item", s.points);
    }
};

// ---- Responses ----

struct StatusResponse {
    Status status;
    template <class S, class V> static void Visit(S& s, V& v) {
        v.Element("status", s.status, Presence::Required);
    }
};

// Status and the token that refreshes the session.
struct TokenResponse {
    Status status;
    std::optional<Token> token;
    template <class S, class V> static void Visit(S& s, V& v) {
        v.Element("status", s.status, Presence::Required);
        v.Element("token", s.token);
    }
};

struct Ask4CreditListResponse : TokenResponse {
    std::vector<CreditOption> creditList;
    template <class S, class V> static void Visit(S& s, V& v) {
        TokenResponse::Visit(s, v);
        v.Array("creditList", "ns1:clubMemberPoints", "item", s.creditList);
    }
};

struct LoginResponse {
    Status status;
    std::string mobile;
    std::optional<Token> token;
    std::string notice;
    template <class S, class V> static void Visit(S& s, V& v) {
        v.Element("status", s.status, Presence::Required);
        v.Element("mobile", s.mobile);
        v.Element("token", s.token);
        v.Element("notice", s.notice);
    }
};

struct GetObkResponse : TokenResponse {
    std::optional<std::int32_t> OBK;
    template <class S, class V> static void Visit(S& s, V& v) {
        TokenResponse::Visit(s, v);
        v.Element("OBK", s.OBK);
    }
};

struct GetServicesResponse : TokenResponse {
    std::vector<Service> services;
    template <class S, class V> static void Visit(S& s, V& v) {
        TokenResponse::Visit(s, v);
        v.Array("services", "ns1:service", "item", s.services);
    }
};

struct Ask4ServiceActivationResponse : TokenResponse {
    std::string EULA;
    template <class S, class V> static void Visit(S& s, V& v) {
        TokenResponse::Visit(s, v);
        v.Element("EULA", s.EULA);
    }
};

struct SendSmsResponse : TokenResponse {
    std::vector<SentTo> recipients;
    template <class S, class V> static void Visit(S& s, V& v) {
        TokenResponse::Visit(s, v);
        v.Array("recipients", "ns1:to", "item", s.recipients);
    }
};

struct GetNotificationsResponse : TokenResponse {
    std::vector<Delivery> sms;
    template <class S, class V> static void Visit(S& s, V& v) {
        TokenResponse::Visit(s, v);
        v.Array("sms", "ns1:id", "item", s.sms);
    }
};

struct GetAddressBookResponse : TokenResponse {
    std::vector<NamedNumber> aliases;
    std::vector<Group> groups;
    template <class S, class V> static void Visit(S& s, V& v) {
        TokenResponse::Visit(s, v);
        v.Array("aliases", "ns1:alias", "item", s.aliases);
        v.Array("groups", "ns1:group", "item", s.groups);
    }
};

// The only reply with an EULA and without a token.
struct Ask4UserRegistrationResponse : StatusResponse {
    std::string EULA;
    template <class S, class V> static void Visit(S& s, V& v) {
        StatusResponse::Visit(s, v);
        v.Element("EULA", s.EULA);
    }
};

using LogoutResponse = StatusResponse;
using ServiceActivationResponse = TokenResponse;
using ServiceDeactivationResponse = TokenResponse;
using SetAliasResponse = TokenResponse;
using SetGroupResponse = TokenResponse;
using UserRegistrationResponse = TokenResponse;
using Ask4MobileRegistrationResponse = TokenResponse;
using MobileRegistrationResponse = TokenResponse;
using KeepAliveResponse = TokenResponse;
using Ask4CreditRechargeResponse = TokenResponse;
using CreditRechargeResponse = TokenResponse;
using DeleteAliasResponse = TokenResponse;
using DeleteGroupResponse = TokenResponse;
using ReplaceSmsResponse = SendSmsResponse;
using DeleteSmsResponse = TokenResponse;

// ---- Requests ----

// Shapes shared by several requests.
struct TokenRequest {
    std::string token;
    template <class S, class V> static void Visit(S& s, V& v) { v.Element("token", s.token); }
};

struct TokenServiceRequest : TokenRequest {
    ServiceSelector service;
    template <class S, class V> static void Visit(S& s, V& v) {
        TokenRequest::Visit(s, v);
        v.Element("service", s.service);
    }
};

struct TokenCodeRequest : TokenRequest {
    ConfirmationCode code;
    template <class S, class V> static void Visit(S& s, V& v) {
        TokenRequest::Visit(s, v);
        v.Element("code", s.code);
    }
};

struct TokenNameRequest : TokenRequest {
    NamedNumber name;
    template <class S, class V> static void Visit(S& s, V& v) {
        TokenRequest::Visit(s, v);
        v.Element("name", s.name);
    }
};

struct TokenMessageIdRequest : TokenRequest {
    std::int64_t messageid = 0;
    template <class S, class V> static void Visit(S& s, V& v) {
        TokenRequest::Visit(s, v);
        v.Element("messageid", s.messageid);
    }
};

struct Ask4CreditListRequest : TokenRequest, Operation<"ask4CreditList", Ask4CreditListResponse> {};

struct LoginRequest : Operation<"Login", LoginResponse, StringMode::Utf8> {
    std::string LoginName;
    std::string Password;
    ClientId Client;
    std::string Version;
    template <class S, class V> static void Visit(S& s, V& v) {
        v.Element("LoginName", s.LoginName);
        v.Element("Password", s.Password);
        v.Element("Client", s.Client);
        v.Element("Version", s.Version);
    }
};

struct GetObkRequest : TokenRequest, Operation<"getOBK", GetObkResponse> {};

struct GetServicesRequest : TokenRequest, Operation<"getServices", GetServicesResponse> {};

struct Ask4ServiceActivationRequest
    : TokenServiceRequest,
      Operation<"ask4ServiceActivation", Ask4ServiceActivationResponse, StringMode::Utf8> {};

struct ServiceActivationRequest : TokenCodeRequest,
                                  Operation<"ServiceActivation", ServiceActivationResponse> {};

struct ServiceDeactivationRequest : TokenServiceRequest,
                                    Operation<"ServiceDeactivation", ServiceDeactivationResponse> {
};

struct SendSmsRequest : TokenRequest, Operation<"sendSMS", SendSmsResponse> {
    MessageOptions service;
    std::vector<std::string> recipients;
    std::string text;
    template <class S, class V> static void Visit(S& s, V& v) {
        TokenRequest::Visit(s, v);
        v.Element("service", s.service);
        v.Array("recipients", "xsd:string", "to", s.recipients);
        v.Element("text", s.text);
    }
};

struct GetNotificationsRequest : TokenRequest,
                                 Operation<"getNotifications", GetNotificationsResponse> {
    SmsIds sms;
    template <class S, class V> static void Visit(S& s, V& v) {
        TokenRequest::Visit(s, v);
        v.Element("sms", s.sms);
    }
};

struct GetAddressBookRequest
    : TokenRequest,
      Operation<"getAddressBook", GetAddressBookResponse, StringMode::Utf8> {};

struct SetAliasRequest : TokenNameRequest,
                         Operation<"setAlias", SetAliasResponse, StringMode::Utf8> {};

struct SetGroupRequest : TokenRequest, Operation<"setGroup", SetGroupResponse, StringMode::Utf8> {
    Group group;
    template <class S, class V> static void Visit(S& s, V& v) {
        TokenRequest::Visit(s, v);
        v.Element("group", s.group);
    }
};

struct LogoutRequest : TokenRequest, Operation<"Logout", LogoutResponse> {};

struct Ask4UserRegistrationRequest
    : Operation<"ask4UserRegistration", Ask4UserRegistrationResponse, StringMode::Utf8> {
    std::string LoginName;
    std::string Password;
    std::string Mobile;
    template <class S, class V> static void Visit(S& s, V& v) {
        v.Element("LoginName", s.LoginName);
        v.Element("Password", s.Password);
        v.Element("Mobile", s.Mobile);
    }
};

struct UserRegistrationRequest : Operation<"UserRegistration", UserRegistrationResponse> {
    ConfirmationCode code;
    template <class S, class V> static void Visit(S& s, V& v) { v.Element("code", s.code); }
};

struct Ask4MobileRegistrationRequest
    : TokenRequest,
      Operation<"ask4MobileRegistration", Ask4MobileRegistrationResponse> {
    std::string mobile;
    template <class S, class V> static void Visit(S& s, V& v) {
        TokenRequest::Visit(s, v);
        v.Element("mobile", s.mobile);
    }
};

struct MobileRegistrationRequest : TokenCodeRequest,
                                   Operation<"MobileRegistration", MobileRegistrationResponse> {};

struct KeepAliveRequest : TokenRequest, Operation<"KeepAlive", KeepAliveResponse> {};

struct Ask4CreditRechargeRequest : TokenRequest,
                                   Operation<"ask4CreditRecharge", Ask4CreditRechargeResponse> {
    CreditAmount credit;
    template <class S, class V> static void Visit(S& s, V& v) {
        TokenRequest::Visit(s, v);
        v.Element("credit", s.credit);
    }
};

struct CreditRechargeRequest : TokenCodeRequest,
                               Operation<"CreditRecharge", CreditRechargeResponse> {};

struct DeleteAliasRequest : TokenNameRequest,
                            Operation<"deleteAlias", DeleteAliasResponse, StringMode::Utf8> {};

struct DeleteGroupRequest : TokenRequest,
                            Operation<"deleteGroup", DeleteGroupResponse, StringMode::Utf8> {
    std::string name;
    template <class S, class V> static void Visit(S& s, V& v) {
        TokenRequest::Visit(s, v);
        v.Element("name", s.name);
    }
};

struct ReplaceSmsRequest : TokenMessageIdRequest, Operation<"replaceSMS", ReplaceSmsResponse> {
    std::optional<MessageOptions> service;
    std::vector<std::string> recipients;
    std::string text;
    template <class S, class V> static void Visit(S& s, V& v) {
        TokenMessageIdRequest::Visit(s, v);
        v.Element("service", s.service);
        v.Array("recipients", "xsd:string", "to", s.recipients);
        v.Element("text", s.text);
    }
};

struct DeleteSmsRequest : TokenMessageIdRequest, Operation<"deleteSMS", DeleteSmsResponse> {};

} // namespace Kvws
