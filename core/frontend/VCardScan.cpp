#include "frontend/VCardScan.h"

namespace {

constexpr std::string_view kBegin = "BEGIN:VCARD";
constexpr std::string_view kEnd = "END:VCARD";

} // namespace

VCardScan::Result VCardScan::Next(std::string_view& card) {
    const std::size_t begin = m_bytes.find(kBegin, m_pos);
    if (begin == std::string_view::npos) {
        m_pos = m_bytes.size();
        return Result::End;
    }
    const std::size_t start = begin + kBegin.size();
    const std::size_t end = m_bytes.find(kEnd, start);
    if (end == std::string_view::npos) {
        m_pos = m_bytes.size();
        return Result::Unterminated;
    }
    card = m_bytes.substr(start, end - start);
    m_pos = end + kEnd.size();
    return Result::Card;
}
