#pragma once

#include "service/SoapPrompt.h"

// The command-line client's answers to certificate and authentication problems: a certificate
// that fails verification is refused unless the user said --accept-certificate (either way the
// reason goes to stderr); HTTP credentials are asked at the terminal, refused without one.
class CliPrompt : public ISoapPrompt {
public:
    explicit CliPrompt(bool acceptCertificate) : m_acceptCertificate(acceptCertificate) {}

    bool AcceptCertificate(const CertificateProblem& problem) override;
    bool SupplyCredentials(bool proxy, const std::string& host,
                           HttpCredentials& credentials) override;

private:
    bool m_acceptCertificate;
};
