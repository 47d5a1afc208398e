#pragma once

#include "service/SoapPrompt.h"

#include <optional>

// A prompt that answers as a test tells it and counts the questions.
class ScriptedPrompt : public ISoapPrompt {
public:
    bool acceptCertificate = false;
    std::optional<HttpCredentials> credentials; // none: refuse
    int certificateQuestions = 0;
    int credentialQuestions = 0;
    bool askedForProxy = false;
    CertificateProblem lastProblem;

    bool AcceptCertificate(const CertificateProblem& problem) override {
        ++certificateQuestions;
        lastProblem = problem;
        return acceptCertificate;
    }

    bool SupplyCredentials(bool proxy, const std::string&, HttpCredentials& supplied) override {
        ++credentialQuestions;
        askedForProxy = proxy;
        if (credentials)
            supplied = *credentials;
        return credentials.has_value();
    }
};
