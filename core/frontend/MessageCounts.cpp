#include "frontend/MessageCounts.h"

#include "frontend/CharacterFilter.h"

#include <algorithm>

MessageCounts::MessageCounts(std::uint16_t maxChars, std::uint16_t partLen)
    : m_maxChars(maxChars), m_partLen(partLen) {}

int MessageCounts::Parts() const {
    return m_partLen == 0 ? 0 : m_maxChars / m_partLen;
}

int MessageCounts::MaxUserFor(bool flash) const {
    // Wide enough that no dummy length overflows.
    const long long d = m_dummyLen;
    long long most = 0;
    if (d > 0)
        most = flash ? m_partLen - d - 1 : m_maxChars - (d + 5) * Parts();
    else
        most = flash ? m_partLen : m_maxChars - 4 * Parts();
    return static_cast<std::uint16_t>(std::max(most, 0LL));
}

std::uint16_t MessageCounts::GetMaxUserCharCount() const {
    return static_cast<std::uint16_t>(MaxUserFor(m_flash));
}

int MessageCounts::SingleLimit() const {
    return m_dummyLen > 0 ? static_cast<int>(m_partLen - (m_dummyLen + 1LL)) : m_partLen;
}

int MessageCounts::PartsMax() const {
    return m_flash ? 1 : Parts();
}

int MessageCounts::PerPart() const {
    const int partsMax = PartsMax();
    return partsMax == 0 ? 0 : GetMaxUserCharCount() / partsMax;
}

int MessageCounts::GetSmsCount(const std::string& text) const {
    const int length = TextLength(text);
    if (length <= SingleLimit())
        return 1;
    const int perPart = PerPart();
    // No room at all: every character would need a part of its own.
    if (perPart <= 0)
        return length;
    return (length + perPart - 1) / perPart;
}

int MessageCounts::TextLimit() const {
    return m_dummyLen > 0 ? GetMaxUserCharCount() : std::max(m_maxChars - 4 * Parts(), 0);
}

int MessageCounts::TextLength(const std::string& text) {
    return static_cast<int>(CharacterFilter::ServiceText(text).size());
}

std::string MessageCounts::Cut(const std::string& text, int limit) {
    std::size_t size = static_cast<std::size_t>(std::max(limit, 0));
    if (size >= text.size())
        return text;
    if (size > 0 && text[size - 1] == '\r' && text[size] == '\n')
        --size;
    return text.substr(0, size);
}

MessageCounts::FlashCheck MessageCounts::CheckFlash(bool flash, const std::string& text) const {
    FlashCheck check;
    check.maxUser = static_cast<std::uint16_t>(MaxUserFor(flash));
    check.mustAsk = text.size() > check.maxUser;
    return check;
}
