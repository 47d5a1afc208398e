#include "service/KvwsSoapException.h"

CKvwsSoapException::CKvwsSoapException(std::int32_t status, std::int32_t transportCode)
    : m_status(status), m_transportCode(transportCode),
      m_what(transportCode != 0 ? "transport error " + std::to_string(transportCode)
                                : "service status " + std::to_string(status)) {}

namespace {

// Puts the number in for the first "%d" and turns "%%" into "%"; any other "%" stays as it is,
// so a translated text can never act as a format of its own.
std::string FormatNumber(const std::string& text, std::int32_t number) {
    std::string result;
    bool numberPlaced = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        if (text[i] == '%' && next == '%') {
            result += '%';
            ++i;
        } else if (text[i] == '%' && next == 'd' && !numberPlaced) {
            result += std::to_string(number);
            numberPlaced = true;
            ++i;
        } else {
            result += text[i];
        }
    }
    return result;
}

} // namespace

std::optional<std::string> CKvwsSoapException::GetErrorMessage(const IStringSource& strings) const {
    // 64-bit, so that no code, however large, overflows its string id.
    const std::int64_t id = m_transportCode != 0 ? 400LL + m_transportCode : 300LL + m_status;
    if (m_status < 100 && id >= INT32_MIN && id <= INT32_MAX) {
        if (std::optional<std::string> text = strings.GetString(static_cast<int>(id)))
            return text;
    }
    const std::optional<std::string> generic = strings.GetString(m_transportCode > 0 ? 400 : 300);
    if (!generic)
        return std::nullopt;
    return FormatNumber(*generic, m_transportCode != 0 ? m_transportCode : m_status);
}
