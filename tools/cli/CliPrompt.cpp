#include "CliPrompt.h"

#include "Terminal.h"

#include <cstdio>

bool CliPrompt::AcceptCertificate(const CertificateProblem& problem) {
    std::fprintf(stderr,
                 "quillon-cli: the certificate of %s failed verification: %s\n"
                 "  subject: %s\n  issuer: %s\n  SHA-256: %s\n",
                 problem.host.c_str(), problem.error.c_str(), problem.subject.c_str(),
                 problem.issuer.c_str(), problem.fingerprint.c_str());
    std::fprintf(stderr, m_acceptCertificate
                             ? "quillon-cli: accepted (--accept-certificate)\n"
                             : "quillon-cli: refused; trust its CA with QUILLON_CA_FILE, or "
                               "accept it with --accept-certificate\n");
    return m_acceptCertificate;
}

bool CliPrompt::SupplyCredentials(bool proxy, const std::string& host,
                                  HttpCredentials& credentials) {
    const std::string what = std::string(proxy ? "proxy " : "") + host;
    const auto user = AskTerminal("User name for " + what + ": ", true);
    const auto password = user ? AskTerminal("Password for " + what + ": ", false) : std::nullopt;
    if (!password) {
        std::fprintf(stderr,
                     "quillon-cli: %s asks for a user name and password (HTTP %d); "
                     "none given\n",
                     what.c_str(), proxy ? 407 : 401);
        return false;
    }
    credentials = {*user, *password};
    return true;
}
