#include "frontend/ServiceErrorText.h"

#include "frontend/Utf8StringSource.h"
#include "model/FormatText.h"
#include "service/EnglishServiceStrings.h"
#include "service/KvwsDbException.h"
#include "service/KvwsSoapException.h"

namespace {

// What a message box shows of a failure's text.
constexpr std::size_t kMaxCharacters = 256;

// For a host that lacks the text: the browser toolbar's English words for the same cases.
constexpr const char* kUnavailable = "Service is temporary not available";
constexpr const char* kCommunication = "An error occurred while communicating with Velora server";

bool StartsCharacter(unsigned char byte) {
    return (byte & 0xC0) != 0x80;
}

// The first kMaxCharacters characters of a UTF-8 text, never half a letter.
std::string CutToCharacters(const std::string& utf8) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (StartsCharacter(static_cast<unsigned char>(utf8[i])) && ++characters > kMaxCharacters)
            return utf8.substr(0, i);
    }
    return utf8;
}

IMessageBox::Request StopBox(int id, std::string text) {
    return IMessageBox::Request{id, std::move(text), IMessageBox::Icon::Stop,
                                IMessageBox::Buttons::Ok, IMessageBox::Answer::Ok};
}

} // namespace

ServiceErrorText::ServiceErrorText(const StringTable& host, ServiceErrorIds ids)
    : m_host(host), m_ids(ids) {}

IMessageBox::Request ServiceErrorText::ForStatus(int status) const {
    const int id = 300 + status;
    if (const auto text = m_host.GetUtf8(id))
        return StopBox(id, std::string(*text));
    if (const auto generic = m_host.GetUtf8(300))
        return StopBox(300, FormatText(*generic, {status}));
    const CEnglishServiceStrings english;
    return StopBox(0, CKvwsSoapException(status, 0)
                          .GetErrorMessage(Utf8StringSource(english))
                          .value_or(std::to_string(status)));
}

IMessageBox::Request ServiceErrorText::ForFailure(const std::exception_ptr& failure) const {
    if (!failure)
        return FromHost(m_ids.communication, kCommunication);
    try {
        std::rethrow_exception(failure);
    } catch (const CKvwsSoapException& error) {
        return ForSoapError(error);
    } catch (const CKvwsDbException&) {
        return ForDatabaseError();
    } catch (...) {
        // Anything else that stopped a call (no memory, a broken reply) is a failed exchange.
        return FromHost(m_ids.communication, kCommunication);
    }
}

IMessageBox::Request ServiceErrorText::ForSoapError(const CKvwsSoapException& error) const {
    if (const auto text = error.GetErrorMessage(Utf8StringSource(m_host)))
        return StopBox(0, CutToCharacters(*text));
    return FromHost(m_ids.communication, kCommunication);
}

IMessageBox::Request ServiceErrorText::ForDatabaseError() const {
    return FromHost(m_ids.unavailable, kUnavailable);
}

IMessageBox::Request ServiceErrorText::FromHost(int id, const char* fallback) const {
    if (const auto text = m_host.GetUtf8(id))
        return StopBox(id, std::string(*text));
    return StopBox(0, fallback);
}
