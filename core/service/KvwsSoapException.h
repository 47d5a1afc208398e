#pragma once

#include "QuillonCoreExport.h"
#include "model/StringSource.h"

#include "service/KvwsException.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A service status of 99 or more (transport code 0), or a failure at transport level (status 0
// and a transport code, service/TransportError.h), with what else is known about it.
class QUILLON_CORE_EXPORT CKvwsSoapException : public CKvwsException {
public:
    // detail (UTF-8): a SOAP fault's own reason text, or the transport's words on its failure.
    // It may come from the server, so it is cut to a length that fits a message box and freed
    // of control characters.
    CKvwsSoapException(std::int32_t status, std::int32_t transportCode,
                       std::string_view detail = {});

    std::int32_t GetStatus() const { return m_status; }
    std::int32_t GetTransportCode() const { return m_transportCode; }
    // The detail in ANSI, on one line; empty when there is none.
    const std::string& GetDetail() const { return m_detail; }
    const char* what() const noexcept override { return m_what.c_str(); }

    // The reporting program's text for this failure: its text for the transport code (400 +
    // code) or status (300 + status), else its generic text (400 for a positive transport
    // code, else 300) with the number put in for "%d"; nothing when it has neither.
    std::optional<std::string> GetErrorMessage(const IStringSource& strings) const;

private:
    std::int32_t m_status;
    std::int32_t m_transportCode;
    std::string m_detail;
    std::string m_what;
};
