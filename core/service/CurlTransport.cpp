#include "service/CurlTransport.h"

#include "service/TlsTrust.h"
#include "service/TransportError.h"

#include "BuildConfig.h"

#include <curl/curl.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <new>

namespace {

// Prompts per post, so that a prompt that always says yes cannot keep a call going for ever.
constexpr int kMaxPrompts = 5;
// The largest reply the client holds; the biggest real replies are some hundred kilobytes.
constexpr std::size_t kMaxReplyBytes = 16 * 1024 * 1024;

using CurlHandle = std::unique_ptr<CURL, decltype(&curl_easy_cleanup)>;
using CurlUrl = std::unique_ptr<CURLU, decltype(&curl_url_cleanup)>;
using CurlHeaders = std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)>;

// What stays the same for every attempt of one post.
struct Prepared {
    std::string host;
    CurlHeaders headers{nullptr, curl_slist_free_all};
};

struct Attempt {
    long inactivityTimeout = 0;
    curl_off_t progressBytes = 0; // bytes sent and received so far
    std::chrono::steady_clock::time_point lastProgress;
    bool opened = true;
    long httpStatus = 0;          // 0 when no status line was read
    bool memoryExhausted = false; // or the reply beyond the size the client holds
    std::string body;
    TlsTrust::Check tls;
};

std::string EnvironmentOr(const char* name, const char* fallback) {
    const char* value = std::getenv(name);
    return value && *value ? value : fallback;
}

std::string UrlPart(CURLU* url, CURLUPart part) {
    char* text = nullptr;
    if (curl_url_get(url, part, &text, CURLU_DEFAULT_PORT) != CURLUE_OK)
        return {};
    std::string result = text;
    curl_free(text);
    return result;
}

bool Append(CurlHeaders& headers, const std::string& line) {
    curl_slist* list = curl_slist_append(headers.get(), line.c_str());
    if (!list)
        return false;
    headers.release();
    headers.reset(list);
    return true;
}

// Splits the URL and writes the header lines; returns 0 or the transport code.
int Prepare(const std::string& url, std::size_t bodyLength, Prepared& prepared) {
    CurlUrl parts(curl_url(), curl_url_cleanup);
    if (!parts)
        return TransportError::OpenFailed;
    if (curl_url_set(parts.get(), CURLUPART_URL, url.c_str(), 0) != CURLUE_OK)
        return TransportError::InvalidUrl;
    const std::string scheme = UrlPart(parts.get(), CURLUPART_SCHEME);
    prepared.host = UrlPart(parts.get(), CURLUPART_HOST);
    const std::string port = UrlPart(parts.get(), CURLUPART_PORT);
    if ((scheme != "http" && scheme != "https") || prepared.host.empty() || port.empty())
        return TransportError::InvalidUrl;

    // "Accept:", "Expect:" and "Proxy-Connection:" without a value keep curl from adding them.
    const bool written =
        Append(prepared.headers, "Host: " + prepared.host + (port == "80" ? "" : ":" + port)) &&
        Append(prepared.headers, "User-Agent: Quillon 1.1") &&
        Append(prepared.headers, "Content-Type: application/soap+xml; charset=utf-8") &&
        Append(prepared.headers, "Content-Length: " + std::to_string(bodyLength)) &&
        Append(prepared.headers, "Connection: close") && Append(prepared.headers, "Accept:") &&
        Append(prepared.headers, "Expect:") && Append(prepared.headers, "Proxy-Connection:");
    return written ? 0 : TransportError::OpenFailed;
}

size_t Collect(char* data, size_t size, size_t count, void* attempt) {
    auto& reply = *static_cast<Attempt*>(attempt);
    const size_t length = size * count;
    try {
        if (reply.body.size() + length <= kMaxReplyBytes) {
            reply.body.append(data, length);
            return length;
        }
    } catch (const std::bad_alloc&) {
        // No exception may pass through curl's C code.
    }
    reply.memoryExhausted = true;
    return 0;
}

// Ends a transfer that has not moved a byte for the inactivity time-out. The clock starts with
// the first byte of the request; connecting and the TLS handshake have a time-out of their own.
int OnProgress(void* attempt, curl_off_t, curl_off_t received, curl_off_t, curl_off_t sent) {
    auto& state = *static_cast<Attempt*>(attempt);
    const auto now = std::chrono::steady_clock::now();
    if (sent + received != state.progressBytes || state.progressBytes == 0) {
        state.progressBytes = sent + received;
        state.lastProgress = now;
        return 0;
    }
    return now - state.lastProgress >= std::chrono::seconds(state.inactivityTimeout);
}

CURLcode OnTlsContext(CURL*, void* context, void* check) noexcept {
    try {
        auto& state = *static_cast<TlsTrust::Check*>(check);
        return TlsTrust::Install(static_cast<SSL_CTX*>(context), state) ? CURLE_OK
                                                                        : CURLE_SSL_CERTPROBLEM;
    } catch (const std::bad_alloc&) {
        return CURLE_OUT_OF_MEMORY;
    }
}

// Sends the request once over a connection of its own.
void SendOnce(CURL* curl, const std::string& url, const Prepared& prepared, const std::string& body,
              const TransportOptions& options, const std::optional<HttpCredentials>& server,
              const std::optional<HttpCredentials>& proxy, Attempt& attempt) {
    CURLcode set = CURLE_OK;
    auto option = [&](CURLoption name, auto value) {
        if (set == CURLE_OK)
            set = curl_easy_setopt(curl, name, value);
    };
    option(CURLOPT_URL, url.c_str());
    option(CURLOPT_PROTOCOLS_STR, "http,https");
    option(CURLOPT_HTTP_VERSION, long{CURL_HTTP_VERSION_1_1});
    option(CURLOPT_POST, 1L);
    option(CURLOPT_POSTFIELDS, body.data());
    option(CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
    option(CURLOPT_HTTPHEADER, prepared.headers.get());
    option(CURLOPT_WRITEFUNCTION, Collect);
    option(CURLOPT_WRITEDATA, static_cast<void*>(&attempt));
    option(CURLOPT_NOSIGNAL, 1L);
    option(CURLOPT_CONNECTTIMEOUT, options.connectTimeout);
    option(CURLOPT_NOPROGRESS, 0L);
    option(CURLOPT_XFERINFOFUNCTION, OnProgress);
    option(CURLOPT_XFERINFODATA, static_cast<void*>(&attempt));
    // The certificate chain and the host name are checked by TlsTrust, which knows the
    // certificates the user accepted.
    option(CURLOPT_SSL_VERIFYPEER, 1L);
    option(CURLOPT_SSL_VERIFYHOST, 0L);
    option(CURLOPT_CAINFO, static_cast<const char*>(nullptr));
    option(CURLOPT_CAPATH, static_cast<const char*>(nullptr));
    option(CURLOPT_SSL_CTX_FUNCTION, OnTlsContext);
    option(CURLOPT_SSL_CTX_DATA, static_cast<void*>(&attempt.tls));
    if (server) {
        option(CURLOPT_HTTPAUTH, static_cast<unsigned long>(CURLAUTH_BASIC));
        option(CURLOPT_USERNAME, server->user.c_str());
        option(CURLOPT_PASSWORD, server->password.c_str());
    }
    if (proxy) {
        option(CURLOPT_PROXYAUTH, static_cast<unsigned long>(CURLAUTH_BASIC));
        option(CURLOPT_PROXYUSERNAME, proxy->user.c_str());
        option(CURLOPT_PROXYPASSWORD, proxy->password.c_str());
    }
    if (set != CURLE_OK) {
        attempt.opened = false;
        return;
    }
    const CURLcode result = curl_easy_perform(curl);
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &attempt.httpStatus);
    long connectStatus = 0;
    // A proxy that refuses the tunnel answers in place of the server.
    if (attempt.httpStatus == 0 && result != CURLE_OK &&
        curl_easy_getinfo(curl, CURLINFO_HTTP_CONNECTCODE, &connectStatus) == CURLE_OK &&
        connectStatus >= 300)
        attempt.httpStatus = connectStatus;
}

} // namespace

TransportOptions TransportOptions::FromEnvironment() {
    TransportOptions options;
    options.url = EnvironmentOr("QUILLON_SERVICE_URL", QUILLON_DEFAULT_SERVICE_URL);
    options.caFile = EnvironmentOr("QUILLON_CA_FILE", "");
    return options;
}

CurlTransport::CurlTransport(TransportOptions options, ISoapPrompt* prompt)
    : m_options(std::move(options)), m_prompt(prompt) {
    static std::once_flag initialised;
    std::call_once(initialised, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

SoapReply CurlTransport::Post(const std::string& body) {
    Prepared prepared;
    if (const int error = Prepare(m_options.url, body.size(), prepared))
        return SoapReply::Failed(error);
    for (int prompts = 0;; ++prompts) {
        Attempt attempt;
        attempt.inactivityTimeout = m_options.inactivityTimeout;
        attempt.tls = {prepared.host, m_options.caFile, std::nullopt};
        {
            CurlHandle curl(curl_easy_init(), curl_easy_cleanup);
            if (!curl)
                return SoapReply::Failed(TransportError::OpenFailed);
            SendOnce(curl.get(), m_options.url, prepared, body, m_options, m_serverCredentials,
                     m_proxyCredentials, attempt);
        }
        if (!attempt.opened)
            return SoapReply::Failed(TransportError::OpenFailed);
        if (attempt.memoryExhausted)
            return SoapReply::Failed(TransportError::OutOfMemory);
        const bool mayAsk = m_prompt && prompts < kMaxPrompts;
        const long status = attempt.httpStatus;
        if (status == 0) {
            const auto& problem = attempt.tls.problem;
            if (!problem || !mayAsk || !m_prompt->AcceptCertificate(*problem))
                return SoapReply::Failed(TransportError::SendFailed);
            TlsTrust::AcceptCertificate(*problem);
        } else if ((status != 401 && status != 407) || !mayAsk ||
                   !AskCredentials(status == 407, prepared.host)) {
            return {0, status, std::move(attempt.body)};
        }
    }
}

bool CurlTransport::AskCredentials(bool proxy, const std::string& host) {
    HttpCredentials credentials;
    if (!m_prompt->SupplyCredentials(proxy, host, credentials))
        return false;
    (proxy ? m_proxyCredentials : m_serverCredentials) = std::move(credentials);
    return true;
}
