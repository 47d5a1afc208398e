#pragma once

#include "SoapRequest.h"

#include <string>
#include <string_view>
#include <vector>

struct HttpHeader {
    std::string name;
    std::string value;
};

// The service's own strict reading of a request. Every check throws RequestError with a text
// that names the fault, so a client under test learns exactly what it did wrong.
namespace RequestReader {

// The request line and headers: POST over HTTP/1.1 with exactly the client's headers (Host,
// User-Agent "Quillon 1.1", the SOAP 1.2 content type, the exact Content-Length, "Connection:
// close"; credentials allowed) and nothing else.
void CheckHttp(std::string_view method, std::string_view version,
               const std::vector<HttpHeader>& headers, std::size_t bodySize);

// The envelope: the XML declaration, the five namespace declarations, a Body without
// encodingStyle holding the operation wrapper and its request element, whose children come in
// the schema's order with the schema's attributes and values.
SoapRequest ReadEnvelope(std::string_view body);

} // namespace RequestReader
