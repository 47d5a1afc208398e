#include "CliSession.h"

#include "ExitCode.h"
#include "ServiceErrors.h"
#include "Terminal.h"

#include "BuildConfig.h"
#include "model/SmsUserInfo.h"
#include "service/CurlTransport.h"

#include <cstdlib>

namespace {

constexpr const char* kClientType = "QLN";

std::string FromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string LoginName(const ParsedArgs& args) {
    std::string login = args.Value("--user").value_or(FromEnvironment("QUILLON_USER"));
    if (login.empty())
        throw UsageError("no user: give --user LOGIN or set QUILLON_USER");
    return login;
}

} // namespace

void AddGlobalOptions(ArgParser& parser) {
    parser.Option("--user", "LOGIN", "the login name (default: $QUILLON_USER)")
        .Flag("--accept-certificate", "accept a server certificate that fails verification")
        .Flag("--help", "show this help", "-h");
}

CliSession::CliSession(const ParsedArgs& args)
    : m_login(LoginName(args)),
      m_user(CSmsUserInfo::GetUserInfo(m_login, QUILLON_VERSION_STRING, kClientType)),
      m_prompt(args.Has("--accept-certificate")) {
    if (!m_user)
        throw LocalError("the profile of " + m_login + " cannot be loaded");
    m_savedPassword = m_user->GetPassword();
    m_user->SetTransport(std::make_unique<CurlTransport>(TransportOptions::FromEnvironment(),
                                                         &m_prompt));
}

CliSession::~CliSession() {
    if (m_loggedIn)
        m_user->KvwsLogout();
}

void CliSession::LogIn() {
    std::string password = FromEnvironment("QUILLON_PASSWORD");
    if (password.empty())
        password = m_savedPassword;
    if (password.empty())
        password = AskTerminal("Password for " + m_login + ": ", false).value_or("");
    if (password.empty())
        throw UsageError("no password for " + m_login +
                         ": set QUILLON_PASSWORD, save one with \"login --save-password\", or "
                         "run at a terminal");
    m_user->SetPassword(password);
    ExpectSuccess(m_user->KvwsLogin(true));
    m_loggedIn = true;
}

void CliSession::KeepPassword() {
    m_keepPassword = true;
    m_user->SavePassword(true);
}

void CliSession::GetServices() { ExpectSuccess(m_user->KvwsGetServices()); }

bool CliSession::ByCredit() const {
    return (m_user->UseOBK() && m_user->IsObkSvcActive()) || !m_user->IsPostpaidSvcActive();
}

int CliSession::DummyTextLength() const {
    const bool portal = m_user->UseOBK() && m_user->IsObkSvcActive();
    return static_cast<int>(portal ? m_user->GetObkSuppInfo().size()
                                   : m_user->GetPostpaidSuppInfo().size());
}

void CliSession::Save() {
    const std::string used = m_user->GetPassword();
    if (!m_keepPassword)
        m_user->SetPassword(m_savedPassword);
    m_user->Save(false);
    m_user->SetPassword(used);
}

void ExpectSuccess(int status) {
    if (status != 0)
        throw RefusalError(status);
}
