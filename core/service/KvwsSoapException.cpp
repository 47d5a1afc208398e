#include "service/KvwsSoapException.h"

#include "model/FormatText.h"
#include "platform/CodePage.h"

#include <algorithm>

namespace {

// Characters of a detail; a message box holds a few lines of them.
constexpr std::size_t kMaxDetail = 300;

// Controls and line breaks, which become spaces.
bool IsControl(wchar_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029;
}

// Invisible characters that hide or reorder the text around them, which are dropped.
bool IsFormatting(wchar_t c) {
    return (c >= 0x200B && c <= 0x200F) || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2060 && c <= 0x2069) || c == 0xFEFF;
}

// One line of at most kMaxDetail characters (and "..." when cut), runs of spaces made one.
std::string CleanDetail(std::string_view utf8) {
    std::wstring clean;
    bool cut = false;
    for (const wchar_t c : Utf8ToWide(std::string(utf8))) {
        if (IsFormatting(c))
            continue;
        if (IsControl(c) || c == L' ') {
            if (!clean.empty() && clean.back() != L' ')
                clean += L' ';
            continue;
        }
        cut = clean.size() >= kMaxDetail;
        if (cut)
            break;
        clean += c;
    }
    clean.resize(std::min(clean.size(), kMaxDetail));
    while (!clean.empty() && clean.back() == L' ')
        clean.pop_back();
    return WideToAnsi(cut ? clean + L"..." : clean);
}

} // namespace

CKvwsSoapException::CKvwsSoapException(std::int32_t status, std::int32_t transportCode,
                                       std::string_view detail)
    : m_status(status), m_transportCode(transportCode), m_detail(CleanDetail(detail)),
      m_what(transportCode != 0 ? "transport error " + std::to_string(transportCode)
                                : "service status " + std::to_string(status)) {}

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
    // FormatText, so that a translated text can never act as a format of its own.
    return FormatText(*generic, {m_transportCode != 0 ? m_transportCode : m_status});
}
