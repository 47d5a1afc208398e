#pragma once

// The common pattern of the user object's service calls, for the sources that define Kvws
// methods.

#include "model/SmsUserInfo.h"
#include "service/SoapCall.h"

namespace Kvws {

// Statuses 20 and 21: the session token is invalid or has expired.
constexpr bool IsSessionInvalid(std::int32_t status) {
    return status == 20 || status == 21;
}

} // namespace Kvws

template <class Request, class OnSuccess>
int CSmsUserInfo::CallWithRenewal(Request& request, OnSuccess&& onSuccess, Renewal renewal) {
    std::lock_guard<std::recursive_mutex> lock(m_serviceLock);
    const std::shared_ptr<ISoapTransport> transport = Transport();
    const auto takeToken = [this](const auto& reply) { TakeToken(reply.token); };
    for (bool firstAttempt = true;; firstAttempt = false) {
        request.token = ReadSession([](const SessionState& session) { return session.token; });
        const typename Request::Response response = Kvws::Call(*transport, request, takeToken);
        const int status = response.status.value;
        if (status == 0) {
            onSuccess(response);
            return 0;
        }
        if (!firstAttempt || !Kvws::IsSessionInvalid(status))
            return status;
        // An exception of the re-login leaves through here; the request and the response are
        // released on the way.
        const int loginStatus = KvwsLogin(false);
        if (loginStatus != 0 || renewal == Renewal::LoginOnly)
            return loginStatus;
    }
}
