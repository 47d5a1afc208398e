#pragma once

#include "service/KvwsDbException.h"
#include "service/KvwsSoapException.h"
#include "service/SoapReader.h"
#include "service/SoapTransport.h"
#include "service/SoapWriter.h"

#include <cstdint>
#include <new>
#include <string>

namespace Kvws {

// The transport code of a reply that brought no readable answer: its own error, or an HTTP
// status below 200 or of 300 and more other than 400 and 500 (which carry SOAP faults); else 0.
int ReplyError(const SoapReply& reply);

// The status convention: a negative status throws CKvwsDbException, 99 and more
// CKvwsSoapException(status, 0); 0 (success) and 1 to 98 (refusals) are returned.
std::int32_t CheckStatus(std::int32_t status);

// Throws CKvwsSoapException(0, 21) when the calling thread's calls have been cancelled
// (CallCanceller).
void ThrowIfCancelled();

// Posts one request and returns its parsed response, whatever its status. Every failure at
// transport level (no answer, HTTP error, SOAP fault, unparsable reply, exhausted memory, a
// cancelled call) throws CKvwsSoapException(0, code, detail), the detail being the transport's
// words or the fault's reason.
template <class Request>
typename Request::Response Post(ISoapTransport& transport, const Request& request) {
    ThrowIfCancelled();
    typename Request::Response response;
    int code = 0;
    std::string detail;
    try {
        SoapReply reply = transport.Post(WriteSoapRequest(request));
        code = ReplyError(reply);
        detail = std::move(reply.detail);
        if (code == 0)
            code = ReadSoapResponse<Request>(reply.body, response, &detail);
    } catch (const std::bad_alloc&) {
        code = TransportError::OutOfMemory;
        detail.clear();
    }
    if (code != 0)
        throw CKvwsSoapException(0, code, detail);
    return response;
}

// One service call: Post, then onReply(response) (where the session takes the token, before
// the status is judged), then the status convention. Returns the response with status 0 to 98.
template <class Request, class OnReply>
typename Request::Response Call(ISoapTransport& transport, const Request& request,
                                OnReply&& onReply) {
    typename Request::Response response = Post(transport, request);
    onReply(static_cast<const typename Request::Response&>(response));
    CheckStatus(response.status.value);
    return response;
}

template <class Request>
typename Request::Response Call(ISoapTransport& transport, const Request& request) {
    return Call(transport, request, [](const auto&) {});
}

} // namespace Kvws
