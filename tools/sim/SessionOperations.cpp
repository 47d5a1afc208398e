#include "SessionOperations.h"

#include "ClientId.h"
#include "RequestError.h"

#include "ServiceStatus.h"

#include <algorithm>

namespace {

using namespace ServiceStatus;

void CheckClient(const SoapRequest& request, const std::string& login) {
    const std::optional<std::string> type = request.Attribute("Client", "id");
    if (type != "QLN" && type != "QLN IE")
        throw RequestError("Client carries the client type " +
                           (type ? "\"" + *type + "\"" : std::string("(none)")) +
                           "; known types are \"QLN\" and \"QLN IE\"");
    if (!ClientIdMatches(request.Text("Client"), login, *type))
        throw RequestError("the enciphered client id in Client does not match the login name "
                           "and the client type");
}

} // namespace

void SessionOperations::Register(OperationRegistry& registry) {
    registry.AddPublic("Login", this, &SessionOperations::Login);
    registry.AddSession("Logout", this, &SessionOperations::Logout, false);
    registry.AddSession("KeepAlive", this, &SessionOperations::KeepAlive);
    registry.AddSession("getServices", this, &SessionOperations::GetServices);
    registry.AddSession("getOBK", this, &SessionOperations::GetObk);
}

int SessionOperations::LoginStatus(Account* account, const std::string& password,
                                   const std::string& version) {
    if (!account)
        return kUnknownLogin;
    if (const int refusal = ConfiguredRefusal(*account, "Login"))
        return refusal;
    if (account->deactivated)
        return kDeactivated;
    const int maxFailures = m_state.Options().maxLoginFailures;
    if (account->failedLogins >= maxFailures)
        return kLockedOut;
    if (password != account->password)
        return ++account->failedLogins >= maxFailures ? kLockedOut : kWrongPassword;
    account->failedLogins = 0;
    const auto& versions = account->versions;
    if (!versions.empty() && std::find(versions.begin(), versions.end(), version) == versions.end())
        return kWrongVersion;
    return 0;
}

void SessionOperations::Login(const SoapRequest& request, ReplyWriter& reply) {
    const std::string login = request.EscapedText("LoginName");
    CheckClient(request, login);
    Account* account = m_state.FindAccount(login);
    const int status =
        LoginStatus(account, request.EscapedText("Password"), request.Text("Version"));
    reply.Status(status);
    if (status != 0)
        return;
    reply.Field("mobile").Text(account->mobile);
    reply.Token(m_state.Sessions().Open(login, m_state.Now()), m_state.Sessions().Validity());
    if (!m_state.Options().notice.empty())
        reply.Field("notice").Text(m_state.Options().notice);
}

void SessionOperations::Logout(Account&, const SoapRequest& request, ReplyWriter& reply) {
    m_state.Sessions().Close(request.Text("token"));
    reply.Status(0);
}

void SessionOperations::KeepAlive(Account&, const SoapRequest&, ReplyWriter& reply) {
    reply.Status(0);
}

void SessionOperations::GetServices(Account& account, const SoapRequest&, ReplyWriter& reply) {
    static const char* const kNames[kServiceCount] = {"OBK", "POSTPAID", "SMTP"};
    reply.Status(0);
    ReplyElement& services = reply.Array("services", "ns1:service");
    for (int type = 0; type < kServiceCount; ++type) {
        ReplyElement& item = services.AddItem();
        if (type == kServiceSmtp && account.active[type])
            item.Attribute("supplementary_info", account.login + "@sms.velora.example");
        item.Attribute("enabled", account.active[type] ? "true" : "false")
            .Attribute("type", std::to_string(type))
            .Text(kNames[type]);
    }
}

void SessionOperations::GetObk(Account& account, const SoapRequest&, ReplyWriter& reply) {
    reply.Status(0);
    if (account.active[kServiceObk])
        reply.Field("OBK").Text(std::to_string(account.portalCredit));
}
