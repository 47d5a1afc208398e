#include "service/SoapCall.h"

#include "service/CallCanceller.h"
#include "service/TransportError.h"

namespace Kvws {

void ThrowIfCancelled() {
    const CallCanceller* canceller = CallCanceller::Current();
    if (canceller && canceller->IsCancelled())
        throw CKvwsSoapException(0, TransportError::SendFailed, TransportError::CancelledDetail);
}

int ReplyError(const SoapReply& reply) {
    if (reply.error != 0)
        return reply.error;
    const long status = reply.httpStatus;
    if (status <= 0)
        return TransportError::SendFailed; // no status line was read
    const bool carriesEnvelope = (status >= 200 && status < 300) || status == 400 || status == 500;
    return carriesEnvelope ? 0 : static_cast<int>(status);
}

std::int32_t CheckStatus(std::int32_t status) {
    if (status < 0)
        throw CKvwsDbException();
    if (status >= 99)
        throw CKvwsSoapException(status, 0);
    return status;
}

} // namespace Kvws
