#include "service/CurlTransport.h"

#include "service/CallCanceller.h"
#include "service/TlsTrust.h"
#include "service/TransferWatch.h"
#include "service/TransportError.h"

#include <curl/curl.h>

#include <chrono>
#include <memory>
#include <mutex>
#include <new>

namespace {

// Prompts per post, so that a prompt that always says yes cannot keep a call going for ever.
constexpr int kMaxPrompts = 5;
// The largest reply the client holds; the biggest real replies are some hundred kilobytes.
constexpr std::size_t kMaxReplyBytes = 16 * 1024 * 1024;

// How long one wait for the transfer lasts at most; a cancel ends it at once.
constexpr int kPollMilliseconds = 1000;

using CurlHandle = std::unique_ptr<CURL, decltype(&curl_easy_cleanup)>;
using CurlMulti = std::unique_ptr<CURLM, decltype(&curl_multi_cleanup)>;
using CurlUrl = std::unique_ptr<CURLU, decltype(&curl_url_cleanup)>;
using CurlHeaders = std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)>;

// What stays the same for every attempt of one post.
struct Prepared {
    std::string host;
    CurlHeaders headers{nullptr, curl_slist_free_all};
};

struct Attempt {
    Attempt(const TransportOptions& options, const std::string& host,
            const CallCanceller* canceller)
        : watch(options, TransferWatch::Clock::now()), tls{host, options.caFile, std::nullopt, {}},
          canceller(canceller) {}

    bool Cancelled() const { return canceller && canceller->IsCancelled(); }

    TransferWatch watch;
    std::optional<std::string> stopReason; // set when the watch ended the transfer
    bool opened = true;
    long httpStatus = 0;          // 0 when no status line was read
    bool memoryExhausted = false; // or the reply beyond the size the client holds
    std::string body;
    TlsTrust::Check tls;
    char curlError[CURL_ERROR_SIZE] = {};
    const CallCanceller* canceller; // of the posting thread, or null
};

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

// Splits the URL and writes the header lines; returns a failed reply, or one with error 0.
SoapReply Prepare(const TransportOptions& options, std::size_t bodyLength, Prepared& prepared) {
    CurlUrl parts(curl_url(), curl_url_cleanup);
    if (!parts)
        return SoapReply::Failed(TransportError::OpenFailed);
    if (curl_url_set(parts.get(), CURLUPART_URL, options.url.c_str(), 0) != CURLUE_OK)
        return SoapReply::Failed(TransportError::InvalidUrl, "the service address is not a URL");
    const std::string scheme = UrlPart(parts.get(), CURLUPART_SCHEME);
    prepared.host = UrlPart(parts.get(), CURLUPART_HOST);
    const std::string port = UrlPart(parts.get(), CURLUPART_PORT);
    if ((scheme != "http" && scheme != "https") || prepared.host.empty() || port.empty())
        return SoapReply::Failed(TransportError::InvalidUrl,
                                 "the service address needs https:// and a host");
    if (scheme == "http" && !options.allowHttp)
        return SoapReply::Failed(TransportError::InvalidUrl,
                                 "the service address is plain http://, which would send the "
                                 "password unencrypted; use https:// (QUILLON_ALLOW_HTTP=1 "
                                 "allows http:// for a test service)");

    // "Accept:", "Expect:" and "Proxy-Connection:" without a value keep curl from adding them.
    const bool written =
        Append(prepared.headers, "Host: " + prepared.host + (port == "80" ? "" : ":" + port)) &&
        Append(prepared.headers, "User-Agent: Quillon 1.1") &&
        Append(prepared.headers, "Content-Type: application/soap+xml; charset=utf-8") &&
        Append(prepared.headers, "Content-Length: " + std::to_string(bodyLength)) &&
        Append(prepared.headers, "Connection: close") && Append(prepared.headers, "Accept:") &&
        Append(prepared.headers, "Expect:") && Append(prepared.headers, "Proxy-Connection:");
    return written ? SoapReply{} : SoapReply::Failed(TransportError::OpenFailed);
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

// Ends a transfer when the watch says so; curl calls this at least once a second.
int OnProgress(void* attempt, curl_off_t, curl_off_t received, curl_off_t,
               curl_off_t sent) noexcept {
    auto& state = *static_cast<Attempt*>(attempt);
    if (state.Cancelled())
        return 1;
    try {
        state.stopReason = state.watch.Check(TransferWatch::Clock::now(), sent + received);
    } catch (const std::bad_alloc&) {
        state.memoryExhausted = true;
        return 1;
    }
    return state.stopReason.has_value();
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

// Runs the transfer in waits that a cancel of the posting thread's calls ends at once.
CURLcode Perform(CURL* curl, const Attempt& attempt) {
    CurlMulti multi(curl_multi_init(), curl_multi_cleanup);
    if (!multi || curl_multi_add_handle(multi.get(), curl) != CURLM_OK)
        return CURLE_OUT_OF_MEMORY;
    CURLcode result = CURLE_ABORTED_BY_CALLBACK;
    {
        const CallCanceller::Wakeup wakeup(attempt.canceller,
                                           [handle = multi.get()] { curl_multi_wakeup(handle); });
        int running = 1;
        CURLMcode step = curl_multi_perform(multi.get(), &running);
        while (step == CURLM_OK && running != 0 && !attempt.Cancelled()) {
            step = curl_multi_poll(multi.get(), nullptr, 0, kPollMilliseconds, nullptr);
            if (step == CURLM_OK)
                step = curl_multi_perform(multi.get(), &running);
        }
        int queued = 0;
        while (const CURLMsg* message = curl_multi_info_read(multi.get(), &queued)) {
            if (message->msg == CURLMSG_DONE)
                result = message->data.result;
        }
        if (step != CURLM_OK && result == CURLE_ABORTED_BY_CALLBACK)
            result = step == CURLM_OUT_OF_MEMORY ? CURLE_OUT_OF_MEMORY : CURLE_SEND_ERROR;
    }
    curl_multi_remove_handle(multi.get(), curl);
    return result;
}

// Sends the request once over a connection of its own.
void SendOnce(CURL* curl, const Prepared& prepared, const std::string& body,
              const TransportOptions& options, const std::optional<HttpCredentials>& server,
              const std::optional<HttpCredentials>& proxy, Attempt& attempt) {
    CURLcode set = CURLE_OK;
    auto option = [&](CURLoption name, auto value) {
        if (set == CURLE_OK)
            set = curl_easy_setopt(curl, name, value);
    };
    option(CURLOPT_URL, options.url.c_str());
    option(CURLOPT_PROTOCOLS_STR, options.allowHttp ? "http,https" : "https");
    option(CURLOPT_HTTP_VERSION, long{CURL_HTTP_VERSION_1_1});
    option(CURLOPT_POST, 1L);
    option(CURLOPT_POSTFIELDS, body.data());
    option(CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
    option(CURLOPT_HTTPHEADER, prepared.headers.get());
    option(CURLOPT_WRITEFUNCTION, Collect);
    option(CURLOPT_WRITEDATA, static_cast<void*>(&attempt));
    option(CURLOPT_NOSIGNAL, 1L);
    option(CURLOPT_ERRORBUFFER, static_cast<char*>(attempt.curlError));
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
    const CURLcode result = Perform(curl, attempt);
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &attempt.httpStatus);
    long connectStatus = 0;
    // A proxy that refuses the tunnel answers in place of the server.
    if (attempt.httpStatus == 0 && result != CURLE_OK &&
        curl_easy_getinfo(curl, CURLINFO_HTTP_CONNECTCODE, &connectStatus) == CURLE_OK &&
        connectStatus >= 300)
        attempt.httpStatus = connectStatus;
}

// The failure an attempt ended with before its answer could be judged, if any.
std::optional<SoapReply> Failure(const Attempt& attempt, const TransportOptions& options) {
    if (attempt.Cancelled())
        return SoapReply::Failed(TransportError::SendFailed, TransportError::CancelledDetail);
    if (!attempt.opened)
        return SoapReply::Failed(TransportError::OpenFailed);
    if (attempt.memoryExhausted)
        return SoapReply::Failed(TransportError::OutOfMemory);
    if (attempt.stopReason)
        return SoapReply::Failed(TransportError::SendFailed, *attempt.stopReason);
    if (!attempt.tls.caFileError.empty())
        return SoapReply::Failed(TransportError::OpenFailed,
                                 "the CA file \"" + options.caFile +
                                     "\" cannot be read: " + attempt.tls.caFileError);
    return std::nullopt;
}

// Why no HTTP status was read, in words for the user.
std::string SendFailure(const Attempt& attempt) {
    if (const auto& problem = attempt.tls.problem)
        return "the certificate of " + problem->host + " is not trusted: " + problem->error;
    return attempt.curlError;
}

} // namespace

CurlTransport::CurlTransport(TransportOptions options, ISoapPrompt* prompt)
    : m_options(std::move(options)), m_prompt(prompt) {
    static std::once_flag initialised;
    std::call_once(initialised, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

SoapReply CurlTransport::Post(const std::string& body) {
    Prepared prepared;
    if (SoapReply failed = Prepare(m_options, body.size(), prepared); failed.error != 0)
        return failed;
    for (int prompts = 0;; ++prompts) {
        Attempt attempt(m_options, prepared.host, CallCanceller::Current());
        {
            CurlHandle curl(curl_easy_init(), curl_easy_cleanup);
            if (!curl)
                return SoapReply::Failed(TransportError::OpenFailed);
            SendOnce(curl.get(), prepared, body, m_options, m_serverCredentials, m_proxyCredentials,
                     attempt);
        }
        if (std::optional<SoapReply> failed = Failure(attempt, m_options))
            return std::move(*failed);
        const bool mayAsk = m_prompt && prompts < kMaxPrompts;
        const long status = attempt.httpStatus;
        if (status == 0) {
            const auto& problem = attempt.tls.problem;
            if (!problem || !mayAsk || !m_prompt->AcceptCertificate(*problem))
                return SoapReply::Failed(TransportError::SendFailed, SendFailure(attempt));
            TlsTrust::AcceptCertificate(*problem);
        } else if ((status != 401 && status != 407) || !mayAsk ||
                   !AskCredentials(status == 407, prepared.host)) {
            return {0, status, std::move(attempt.body), {}};
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
