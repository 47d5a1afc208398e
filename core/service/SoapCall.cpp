#include "service/SoapCall.h"

namespace Kvws {

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
