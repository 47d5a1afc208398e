#pragma once

#include "QuillonCoreExport.h"

#include <string>

// A server certificate that failed verification.
struct QUILLON_CORE_EXPORT CertificateProblem {
    std::string host;
    std::string error; // why verification failed
    std::string subject;
    std::string issuer;
    std::string fingerprint; // SHA-256 of the certificate, hexadecimal
};

struct QUILLON_CORE_EXPORT HttpCredentials {
    std::string user;
    std::string password;
};

// Lets the user decide on certificate and authentication problems of a service call. The
// front ends implement it (a dialog in the GUI); the transport resends the request when the
// user accepts or supplies credentials, and lets the answer stand when the user refuses.
class QUILLON_CORE_EXPORT ISoapPrompt {
public:
    virtual ~ISoapPrompt() = default;
    // True accepts this certificate for this host for the rest of the process.
    virtual bool AcceptCertificate(const CertificateProblem& problem) = 0;
    // An HTTP 401 (server) or 407 (proxy) answer: true when credentials were filled in.
    virtual bool SupplyCredentials(bool proxy, const std::string& host,
                                   HttpCredentials& credentials) = 0;
};
