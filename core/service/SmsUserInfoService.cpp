// The user object's service session: login, keep-alive, logout, the service flags and the
// portal credit, and the session state the replies leave.

#include "service/SmsUserInfoService.h"

#include "service/ClientId.h"

#include "model/Utilities.h"
#include "platform/Clock.h"
#include "service/CurlTransport.h"

#include <algorithm>
#include <climits>

namespace {

// Service types of the "getServices" list, as indices of the session's service states.
constexpr std::size_t kObkService = 0;
constexpr std::size_t kPostpaidService = 1;
constexpr std::size_t kSmtpService = 2;

// Leading blanks skipped, reading stops at the first non-digit, no digits give 0; a number
// beyond the range of int saturates.
int ParseValidity(const char* text) {
    while (*text == ' ' || *text == '\t')
        ++text;
    long long value = 0;
    for (; *text >= '0' && *text <= '9'; ++text)
        value = std::min<long long>(value * 10 + (*text - '0'), INT_MAX);
    return static_cast<int>(value);
}

} // namespace

// Worked out at each login, so that it always goes with the login name sent.
std::string CSmsUserInfo::EncryptClientId() const {
    return EncipherClientId(GetName(), m_clientType);
}

bool CSmsUserInfo::ParseTokenValidity(const char* validity) {
    const int seconds = ParseValidity(validity);
    if (seconds < 1)
        return false;
    m_session.tokenValidity = seconds;
    m_session.tokenExpiry = Clock::Now() + seconds;
    return true;
}

void CSmsUserInfo::TakeToken(const std::optional<Kvws::Token>& token) {
    if (!token)
        return;
    std::lock_guard<std::mutex> lock(m_sessionLock);
    if (ParseTokenValidity(token->validity.value_or("").c_str()))
        m_session.token = token->value;
}

std::shared_ptr<ISoapTransport> CSmsUserInfo::Transport() {
    if (!m_transport)
        m_transport = std::make_shared<CurlTransport>();
    return m_transport;
}

void CSmsUserInfo::SetTransport(std::shared_ptr<ISoapTransport> transport) {
    std::lock_guard<std::recursive_mutex> lock(m_serviceLock);
    m_transport = std::move(transport);
}

int CSmsUserInfo::KvwsLogin(bool firstTime) {
    std::lock_guard<std::recursive_mutex> lock(m_serviceLock);
    const std::shared_ptr<ISoapTransport> transport = Transport();
    {
        std::lock_guard<std::mutex> sessionLock(m_sessionLock);
        m_session.token.clear();
        m_session.tokenExpiry = 0;
    }
    Kvws::LoginRequest request;
    request.LoginName = AnsiToUtf8(EncodeAmpChars(GetName()));
    request.Password = AnsiToUtf8(EncodeAmpChars(GetPassword()));
    request.Client.id = m_clientType;
    request.Client.firstTime = firstTime;
    request.Client.value = EncryptClientId();
    request.Version = m_version;
    const Kvws::LoginResponse response = Kvws::Call(
        *transport, request, [this](const Kvws::LoginResponse& reply) { TakeToken(reply.token); });
    if (response.status.value == 0) {
        std::lock_guard<std::mutex> sessionLock(m_sessionLock);
        m_session.phoneNr = response.mobile;
        m_session.notice = Utf8ToAnsi(response.notice);
    }
    return response.status.value;
}

int CSmsUserInfo::KvwsLogout() {
    // The lock comes first so that the token is never read while a call replaces it.
    std::lock_guard<std::recursive_mutex> lock(m_serviceLock);
    Kvws::LogoutRequest request;
    request.token = GetToken();
    if (request.token.empty() || IsTokenExpired())
        return 0;
    int status = 0;
    try {
        status = Kvws::Post(*Transport(), request).status.value;
    } catch (const std::exception&) {
        // The session ends here whatever the service says.
    }
    std::lock_guard<std::mutex> sessionLock(m_sessionLock);
    m_session.token.clear();
    m_session.tokenExpiry = 0;
    return status;
}

int CSmsUserInfo::KvwsKeepAlive() {
    Kvws::KeepAliveRequest request;
    return CallWithRenewal(
        request, [](const Kvws::KeepAliveResponse&) {}, Renewal::LoginOnly);
}

int CSmsUserInfo::KvwsGetServices() {
    Kvws::GetServicesRequest request;
    return CallWithRenewal(request, [this](const Kvws::GetServicesResponse& response) {
        std::lock_guard<std::mutex> lock(m_sessionLock);
        for (ServiceState& service : m_session.services)
            service.active = false;
        for (const Kvws::Service& item : response.services) {
            if (item.type < 0 || static_cast<std::size_t>(item.type) >= m_session.services.size())
                continue;
            ServiceState& service = m_session.services[item.type];
            service.active = item.enabled;
            service.suppInfo = item.supplementary_info.value_or("");
        }
    });
}

int CSmsUserInfo::KvwsGetObk() {
    Kvws::GetObkRequest request;
    return CallWithRenewal(request, [this](const Kvws::GetObkResponse& response) {
        std::lock_guard<std::mutex> lock(m_sessionLock);
        m_session.obk = response.OBK.value_or(0);
    });
}

std::string CSmsUserInfo::GetToken() const {
    std::lock_guard<std::recursive_mutex> lock(m_serviceLock);
    return ReadSession([](const SessionState& session) { return session.token; });
}

std::int64_t CSmsUserInfo::GetTokenExpiry() const {
    return ReadSession([](const SessionState& session) { return session.tokenExpiry; });
}

int CSmsUserInfo::GetTokenValidity() const {
    return ReadSession([](const SessionState& session) { return session.tokenValidity; });
}

bool CSmsUserInfo::IsTokenExpired() const {
    return Clock::Now() > GetTokenExpiry();
}

int CSmsUserInfo::GetObk() const {
    return ReadSession([](const SessionState& session) { return session.obk; });
}

bool CSmsUserInfo::IsPostpaidSvcActive() const {
    return ReadSession([](const SessionState& s) { return s.services[kPostpaidService].active; });
}

bool CSmsUserInfo::IsObkSvcActive() const {
    return ReadSession([](const SessionState& s) { return s.services[kObkService].active; });
}

bool CSmsUserInfo::IsSmtpSvcActive() const {
    return ReadSession([](const SessionState& s) { return s.services[kSmtpService].active; });
}

std::string CSmsUserInfo::GetPostpaidSuppInfo() const {
    return ReadSession([](const SessionState& s) { return s.services[kPostpaidService].suppInfo; });
}

std::string CSmsUserInfo::GetObkSuppInfo() const {
    return ReadSession([](const SessionState& s) { return s.services[kObkService].suppInfo; });
}

std::string CSmsUserInfo::GetSmtpSuppInfo() const {
    return ReadSession([](const SessionState& s) { return s.services[kSmtpService].suppInfo; });
}

std::string CSmsUserInfo::GetPhoneNr() const {
    return ReadSession([](const SessionState& session) { return session.phoneNr; });
}

std::string CSmsUserInfo::GetNotice() const {
    return ReadSession([](const SessionState& session) { return session.notice; });
}

bool CSmsUserInfo::HasNumber() const {
    return !GetPhoneNr().empty();
}

void CSmsUserInfo::SetPhoneNr(const std::string& phoneNr) {
    std::lock_guard<std::mutex> lock(m_sessionLock);
    m_session.phoneNr = phoneNr;
}
