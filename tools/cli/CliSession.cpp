#include "CliSession.h"

#include "ExitCode.h"
#include "InputDecoder.h"
#include "ServiceErrors.h"
#include "Terminal.h"

#include "BuildConfig.h"
#include "frontend/ClientTypes.h"
#include "frontend/Payment.h"
#include "model/SmsConfig.h"
#include "model/SmsUserInfo.h"
#include "model/Utilities.h"
#include "service/CurlTransport.h"

#include <cstdio>
#include <cstdlib>

namespace {

std::string FromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The desktop program's single user, when it is set up for one.
std::string DefaultUser() {
    const CSmsConfig* config = CSmsConfig::GetInstance();
    if (!config || config->GetAppMode() == CSmsConfig::MultiUser)
        return {};
    return config->GetDefaultUser();
}

// ANSI, like every name of the profile store.
std::string LoginName(const ParsedArgs& args) {
    const auto option = args.Value("--user");
    const std::string given = option.value_or(FromEnvironment("QUILLON_USER"));
    const std::string login =
        given.empty() ? DefaultUser()
                      : InputDecoder::OfLocale().ToAnsi(given, option ? "--user" : "QUILLON_USER");
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

ArgParser CommandParser(const std::string& usage, const std::string& description) {
    ArgParser parser(usage, description);
    AddGlobalOptions(parser);
    return parser;
}

std::optional<ParsedArgs> ParseCommand(const ArgParser& parser,
                                       const std::vector<std::string>& args) {
    ParsedArgs parsed = parser.Parse(args);
    if (!parsed.Has("--help"))
        return parsed;
    std::fputs(parser.Help().c_str(), stdout);
    return std::nullopt;
}

CliSession::CliSession(const ParsedArgs& args)
    : m_login(LoginName(args)), m_prompt(args.Has("--accept-certificate")),
      m_user(CSmsUserInfo::GetUserInfo(m_login, QUILLON_VERSION_STRING, kDesktopClientType)) {
    if (!m_user)
        throw LocalError("the profile of " + AnsiToUtf8(m_login) + " cannot be loaded");
    m_savedPassword = m_user->GetPassword();
    m_user->SetTransport(
        std::make_shared<CurlTransport>(TransportOptions::FromEnvironment(), &m_prompt));
}

CliSession::~CliSession() {
    if (m_loggedIn)
        m_user->KvwsLogout();
}

void CliSession::LogIn() {
    // The profile and the session keep ANSI text.
    const InputDecoder& decoder = InputDecoder::OfLocale();
    std::string password = decoder.ToAnsi(FromEnvironment("QUILLON_PASSWORD"), "QUILLON_PASSWORD");
    if (password.empty())
        password = m_savedPassword;
    if (password.empty())
        password = decoder.ToAnsi(
            AskTerminal("Password for " + AnsiToUtf8(m_login) + ": ", false).value_or(""),
            "the password");
    if (password.empty())
        throw UsageError("no password for " + AnsiToUtf8(m_login) +
                         ": set QUILLON_PASSWORD, save one with \"login --save-password\", or "
                         "run at a terminal");
    // Every save of the profile writes the object's password when it is to be saved.
    if (m_savedPassword.empty())
        m_user->SavePassword(false);
    m_user->SetPassword(password);
    ExpectSuccess(m_user->KvwsLogin(true));
    m_loggedIn = true;
}

void CliSession::KeepPassword() {
    m_user->SavePassword(true);
}

void CliSession::GetServices() {
    ExpectSuccess(m_user->KvwsGetServices());
    m_hasServices = true;
}

void CliSession::Open(Access access) {
    if (access != Access::Offline && !m_loggedIn)
        LogIn();
    if (access == Access::WithServices && !m_hasServices)
        GetServices();
}

bool CliSession::ByCredit() const {
    return Payment::Of(*m_user).ByCredit();
}

int CliSession::DummyTextLength() const {
    return Payment::Of(*m_user).DummyTextLength();
}

void CliSession::Save() {
    Update(nullptr);
}

void CliSession::Update(const std::function<void(CSmsUserInfo&)>& change) {
    if (!m_user->Update(change))
        throw LocalError("the profile of " + AnsiToUtf8(m_login) +
                         " cannot be written: " + m_user->GetLastSaveError().Describe());
}

void ExpectSuccess(int status) {
    if (status != 0)
        throw RefusalError(status);
}
