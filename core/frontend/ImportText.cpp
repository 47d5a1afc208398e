#include "frontend/ImportText.h"

#include "platform/CodePage.h"

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool HasHighByte(std::string_view bytes) {
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return true;
    return false;
}

} // namespace

bool IsUtf8WithLetters(std::string_view bytes) {
    return HasHighByte(bytes) && IsValidUtf8(bytes);
}

std::string ImportTextToAnsi(std::string bytes) {
    std::string_view text = bytes;
    const bool marked = text.substr(0, kByteOrderMark.size()) == kByteOrderMark;
    if (marked)
        text.remove_prefix(kByteOrderMark.size());
    if (IsUtf8WithLetters(text))
        return Utf8TextToAnsi(text);
    if (marked)
        return std::string(text);
    return bytes;
}

bool ImportLines::Next(std::string_view& line) {
    if (m_pos >= m_text.size())
        return false;
    const std::size_t end = m_text.find_first_of("\r\n", m_pos);
    ++m_lineNumber;
    if (end == std::string_view::npos) {
        line = m_text.substr(m_pos);
        m_pos = m_text.size();
        return true;
    }
    line = m_text.substr(m_pos, end - m_pos);
    m_pos = end + 1;
    if (m_text[end] == '\r' && m_pos < m_text.size() && m_text[m_pos] == '\n')
        ++m_pos;
    return true;
}

std::string_view TrimImportLine(std::string_view line) {
    const std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = line.find_last_not_of(" \t");
    return line.substr(first, last - first + 1);
}
