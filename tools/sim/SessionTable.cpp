#include "SessionTable.h"

#include "ServiceStatus.h"

#include <cstdio>
#include <iterator>

namespace {

// Expired tokens are answered with "expired" for this long, then forgotten.
constexpr std::int64_t kStaleAfter = 86400;

} // namespace

SessionTable::SessionTable(int validity) : m_validity(validity), m_random(std::random_device{}()) {}

std::string SessionTable::Open(const std::string& login, std::int64_t now) {
    ForgetStale(now);
    std::string token;
    do {
        char text[33];
        std::snprintf(text, sizeof text, "%016llx%016llx",
                      static_cast<unsigned long long>(m_random()),
                      static_cast<unsigned long long>(m_random()));
        token = text;
    } while (m_sessions.count(token));
    m_sessions[token] = {login, now + m_validity};
    return token;
}

int SessionTable::Use(const std::string& token, std::int64_t now, std::string& login) {
    const auto found = m_sessions.find(token);
    if (found == m_sessions.end())
        return ServiceStatus::kUnknownToken;
    if (now > found->second.expiry)
        return ServiceStatus::kExpiredToken;
    found->second.expiry = now + m_validity;
    login = found->second.login;
    return 0;
}

void SessionTable::Close(const std::string& token) {
    m_sessions.erase(token);
}

void SessionTable::ForgetStale(std::int64_t now) {
    for (auto it = m_sessions.begin(); it != m_sessions.end();)
        it = now > it->second.expiry + kStaleAfter ? m_sessions.erase(it) : std::next(it);
}
