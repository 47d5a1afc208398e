#pragma once

#include <cstdint>
#include <map>
#include <random>
#include <string>

// The service's sessions: a random token per login, valid for a fixed number of seconds after
// its last use. Expired tokens are remembered (status 21) until they are long stale; tokens
// never issued or logged out are unknown (status 20).
class SessionTable {
public:
    explicit SessionTable(int validity);

    int Validity() const { return m_validity; }
    std::string Open(const std::string& login, std::int64_t now);
    // 0 with the session's login when the token is valid (its validity starts again),
    // otherwise the status for an unknown or an expired token.
    int Use(const std::string& token, std::int64_t now, std::string& login);
    void Close(const std::string& token);

private:
    struct Session {
        std::string login;
        std::int64_t expiry;
    };

    void ForgetStale(std::int64_t now);

    std::map<std::string, Session> m_sessions;
    int m_validity;
    std::mt19937_64 m_random;
};
