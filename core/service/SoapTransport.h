#pragma once

#include "QuillonCoreExport.h"

#include <string>
#include <utility>

// What one post of a request envelope brought back.
struct QUILLON_CORE_EXPORT SoapReply {
    // A transport code (service/TransportError.h) when no HTTP answer was read, else 0.
    int error = 0;
    long httpStatus = 0;
    std::string body;
    // With an error: what went wrong, in words for the user (UTF-8); may be empty.
    std::string detail{};

    static SoapReply Failed(int error, std::string detail = {}) {
        return {error, 0, {}, std::move(detail)};
    }
};

// The HTTP layer under the service calls: posts one SOAP envelope and returns the answer.
// Each post stands alone (no connection is kept between calls). One post at a time per object.
class QUILLON_CORE_EXPORT ISoapTransport {
public:
    virtual ~ISoapTransport() = default;
    virtual SoapReply Post(const std::string& body) = 0;
};
