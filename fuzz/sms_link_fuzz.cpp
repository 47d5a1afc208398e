// sms: links as the desktop hands them over: whatever the bytes, the parser either refuses the
// link or gives recipients that are numbers (maybe none) and a text without control characters.
#include "logic/SmsLink.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

bool IsNumber(const std::string& number) {
    const std::size_t first = !number.empty() && number[0] == '+' ? 1 : 0;
    if (number.size() == first || number.size() - first > SmsLink::kMaxDigits)
        return false;
    for (std::size_t i = first; i < number.size(); ++i) {
        if (number[i] < '0' || number[i] > '9')
            return false;
    }
    return true;
}

bool IsCleanText(const std::string& body) {
    for (const char c : body) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && c != '\n' && c != '\r' && c != '\t') || byte == 0x7f)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view link(reinterpret_cast<const char*>(data), size);
    const auto request = SmsLink::Parse(link);
    if (!request)
        return 0;
    if (request->numbers.size() > SmsLink::kMaxNumbers || !IsCleanText(request->body))
        std::abort();
    for (const std::string& number : request->numbers) {
        if (!IsNumber(number))
            std::abort();
    }
    return 0;
}
