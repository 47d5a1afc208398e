#pragma once

#include "BuildConfig.h"

#include <string_view>

// The namespaces of the service's envelopes, in the order the envelope declares them.
namespace SoapNamespaces {
inline constexpr std::string_view kEnvelope12 = "http://www.w3.org/2003/05/soap-envelope";
inline constexpr std::string_view kEncoding12 = "http://www.w3.org/2003/05/soap-encoding";
inline constexpr std::string_view kEnvelope11 = "http://schemas.xmlsoap.org/soap/envelope/";
inline constexpr std::string_view kEncoding11 = "http://schemas.xmlsoap.org/soap/encoding/";
inline constexpr std::string_view kSchemaInstance = "http://www.w3.org/2001/XMLSchema-instance";
inline constexpr std::string_view kSchema = "http://www.w3.org/2001/XMLSchema";
inline constexpr std::string_view kService = QUILLON_SERVICE_NAMESPACE;
} // namespace SoapNamespaces
