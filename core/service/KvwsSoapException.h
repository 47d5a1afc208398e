#pragma once

#include "service/KvwsException.h"

#include <cstdint>
#include <string>

// A service status of 99 or more (transport code 0), or a failure at transport level (status 0
// and a transport code, service/TransportError.h).
class CKvwsSoapException : public CKvwsException {
public:
    CKvwsSoapException(std::int32_t status, std::int32_t transportCode);

    std::int32_t GetStatus() const { return m_status; }
    std::int32_t GetTransportCode() const { return m_transportCode; }
    const char* what() const noexcept override { return m_what.c_str(); }

    // GetErrorMessage (the reporting program's text for the status or code) belongs here; it
    // comes with the session.

private:
    std::int32_t m_status;
    std::int32_t m_transportCode;
    std::string m_what;
};
