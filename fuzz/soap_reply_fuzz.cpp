// Feeds arbitrary bytes to the reader of the service's replies, as the reply of every kind of
// response: it must return a code, never crash or throw, and a fault's reason must come out of
// the exception cleaned.
#include "service/KvwsSoapException.h"
#include "service/SoapReader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

template <class Request> void ReadAs(std::string_view body) {
    typename Request::Response response;
    std::string reason;
    const int code = Kvws::ReadSoapResponse<Request>(body, response, &reason);
    if (code != 0 && code != TransportError::SoapFault && code != TransportError::UnparsableReply &&
        code != TransportError::OutOfMemory)
        std::abort();
    // A fault's reason reaches the user only through the exception's cleaning.
    const std::string detail = CKvwsSoapException(0, code, reason).GetDetail();
    if (detail.size() > 303 || detail.find_first_of("\r\n\x1B") != std::string::npos)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view body(reinterpret_cast<const char*>(data), size);
    ReadAs<Kvws::Ask4CreditListRequest>(body);
    ReadAs<Kvws::LoginRequest>(body);
    ReadAs<Kvws::GetObkRequest>(body);
    ReadAs<Kvws::GetServicesRequest>(body);
    ReadAs<Kvws::Ask4ServiceActivationRequest>(body);
    ReadAs<Kvws::SendSmsRequest>(body);
    ReadAs<Kvws::GetNotificationsRequest>(body);
    ReadAs<Kvws::GetAddressBookRequest>(body);
    ReadAs<Kvws::LogoutRequest>(body);
    ReadAs<Kvws::Ask4UserRegistrationRequest>(body);
    ReadAs<Kvws::KeepAliveRequest>(body);
    return 0;
}
