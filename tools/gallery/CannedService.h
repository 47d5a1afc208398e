#pragma once

#include "service/SoapTransport.h"

#include <mutex>
#include <string>

// The operator's service as the gallery's canned user sees it: a login, the service flags, and
// the activation and deactivation of the postpaid service (check string "1234"). Every answer
// comes at once, so the pictures show the same states every time.
class CannedService : public ISoapTransport {
public:
    CannedService(bool obkActive, bool postpaidActive);

    SoapReply Post(const std::string& body) override;

    // The terms of use the activation sends.
    static std::string Terms();

private:
    std::string Answer(const std::string& operation, const std::string& body);

    std::mutex m_mutex;
    bool m_obk;
    bool m_postpaid;
};
