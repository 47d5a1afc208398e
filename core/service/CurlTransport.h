#pragma once

#include "QuillonCoreExport.h"

#include "service/SoapPrompt.h"
#include "service/SoapTransport.h"
#include "service/TransportOptions.h"

#include <optional>
#include <string>

// The HTTPS transport on libcurl. Each post is one POST "HTTP/1.1" with exactly the headers
// Host, User-Agent, Content-Type, Content-Length and Connection (no others), over a connection
// of its own; the proxy comes from the standard environment variables. Plain http:// is
// refused unless the options allow it. Certificate problems and HTTP 401/407 answers go to the
// prompt (none: refused); the request is sent again when the user accepts or gives
// credentials, which are kept for this transport's later posts. Every sending ends within the
// options' limits, whatever the server does.
class QUILLON_CORE_EXPORT CurlTransport : public ISoapTransport {
public:
    explicit CurlTransport(TransportOptions options = TransportOptions::FromEnvironment(),
                           ISoapPrompt* prompt = nullptr);
    SoapReply Post(const std::string& body) override;

private:
    bool AskCredentials(bool proxy, const std::string& host);

    TransportOptions m_options;
    ISoapPrompt* m_prompt;
    std::optional<HttpCredentials> m_serverCredentials;
    std::optional<HttpCredentials> m_proxyCredentials;
};
