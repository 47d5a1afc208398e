#pragma once

#include "service/SoapPrompt.h"

#include <optional>
#include <string>

typedef struct ssl_ctx_st SSL_CTX;

// Verification of the service's TLS certificate: the system's trusted certificates plus an
// extra CA file, the host name checked by the TLS library, and certificates the user accepted
// (per host, for the rest of the process) let through.
namespace TlsTrust {

// The state of one connection attempt.
struct Check {
    std::string host;   // as in the URL (an IP address may be in brackets)
    std::string caFile; // extra trusted CA certificates in PEM; empty for none
    std::optional<CertificateProblem> problem; // set when the certificate was not trusted
    std::string caFileError; // why the extra CA file cannot be used; empty when it can
};

// Prepares a TLS context for the connection; check must outlive the handshake. False when the
// context cannot be prepared, for one because the extra CA file cannot be read.
bool Install(SSL_CTX* context, Check& check);

void AcceptCertificate(const CertificateProblem& problem);

} // namespace TlsTrust
