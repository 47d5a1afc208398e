#pragma once

#include "service/KvwsException.h"
#include "service/StringSource.h"

#include <cstdint>
#include <optional>
#include <string>

// A service status of 99 or more (transport code 0), or a failure at transport level (status 0
// and a transport code, service/TransportError.h).
class CKvwsSoapException : public CKvwsException {
public:
    CKvwsSoapException(std::int32_t status, std::int32_t transportCode);

    std::int32_t GetStatus() const { return m_status; }
    std::int32_t GetTransportCode() const { return m_transportCode; }
    const char* what() const noexcept override { return m_what.c_str(); }

    // The reporting program's text for this failure: its text for the transport code (400 +
    // code) or status (300 + status), else its generic text (400 for a positive transport
    // code, else 300) with the number put in for "%d"; nothing when it has neither.
    std::optional<std::string> GetErrorMessage(const IStringSource& strings) const;

private:
    std::int32_t m_status;
    std::int32_t m_transportCode;
    std::string m_what;
};
