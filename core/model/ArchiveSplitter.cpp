#include "ArchiveSplitter.h"

#include <algorithm>
#include <cstring>

namespace {

// Markup still unfinished after this many bytes is given up, so that a text that never ends a
// tag is not searched again from its start each time more of it arrives.
constexpr std::size_t kMaxMarkup = 64 << 10;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsQuote(char c) {
    return c == '"' || c == '\'';
}

const char* Find(const char* from, const char* end, char c) {
    return static_cast<const char*>(std::memchr(from, c, static_cast<std::size_t>(end - from)));
}

// The name at the start of a tag's inside ("name attr='value'" or "name/").
std::string_view TagName(std::string_view tag) {
    return tag.substr(0, std::min(tag.size(), tag.find_first_of(" \t\r\n/")));
}

} // namespace

void CArchiveSplitter::Scan(const char* text, std::size_t available) {
    while (m_state == State::Seeking && m_position < available) {
        const bool whole = text[m_position] == '<'
                               ? m_position + 1 < available && Markup(text, available)
                               : Text(text, available);
        if (!whole)
            return;
    }
}

bool CArchiveSplitter::Text(const char* text, std::size_t available) {
    const char* begin = text + m_position;
    const char* end = text + available;
    const char* next = Find(begin, end, '<');
    if (m_depth == 0 && !std::all_of(begin, next ? next : end, IsBlank)) {
        m_state = State::NoArchive;
        return false;
    }
    m_position = next ? static_cast<std::size_t>(next - text) : available;
    return next != nullptr;
}

bool CArchiveSplitter::Markup(const char* text, std::size_t available) {
    switch (text[m_position + 1]) {
    case '/':
        return EndTag(text, available);
    case '?':
        if (m_depth == 0)
            return Declaration(text, available);
        [[fallthrough]];
    case '!':
        m_state = State::NoArchive;
        return false;
    default:
        return StartTag(text, available);
    }
}

bool CArchiveSplitter::Unfinished(std::size_t available) {
    if (available - m_position > kMaxMarkup)
        m_state = State::NoArchive;
    return false;
}

bool CArchiveSplitter::Declaration(const char* text, std::size_t available) {
    const std::string_view rest(text + m_position, available - m_position);
    const std::size_t end = rest.find("?>", 2);
    if (end == std::string_view::npos)
        return Unfinished(available);
    m_position += end + 2;
    return true;
}

// The tag ends at the first ">" outside quoted attribute values.
bool CArchiveSplitter::StartTag(const char* text, std::size_t available) {
    const char* begin = text + m_position;
    const char* end = text + available;
    const char* from = begin + 1;
    const char* close = nullptr;
    while (!close) {
        const char* greater = Find(from, end, '>');
        if (!greater)
            return Unfinished(available);
        const char* quote = std::find_if(from, greater, IsQuote);
        if (quote == greater) {
            close = greater;
        } else {
            const char* endQuote = Find(quote + 1, end, *quote);
            if (!endQuote)
                return Unfinished(available);
            from = endQuote + 1;
        }
    }
    const std::string_view tag(begin + 1, static_cast<std::size_t>(close - begin - 1));
    m_position = static_cast<std::size_t>(close + 1 - text);
    Opened(TagName(tag), !tag.empty() && tag.back() == '/');
    return true;
}

bool CArchiveSplitter::EndTag(const char* text, std::size_t available) {
    const char* close = Find(text + m_position + 2, text + available, '>');
    if (!close)
        return Unfinished(available);
    m_position = static_cast<std::size_t>(close + 1 - text);
    Closed();
    return true;
}

// Only the first "User" of the root counts, and only its first "Archive".
void CArchiveSplitter::Opened(std::string_view name, bool empty) {
    if (m_depth == 0 && (name != "KvSmsDa" || empty)) {
        m_state = State::NoArchive;
    } else if (m_depth == kRootDepth && name == "User") {
        // Still seeking at the root's level: no user has been passed yet.
        m_inFirstUser = !empty;
        if (empty)
            m_state = State::NoArchive;
    } else if (m_depth == kUserDepth && m_inFirstUser && name == "Archive") {
        m_state = empty ? State::NoArchive : State::InArchive;
        m_childrenBegin = m_searched = m_position;
    }
    if (!empty)
        ++m_depth;
}

// The root or the first user closing ends the search.
void CArchiveSplitter::Closed() {
    if (m_depth == 0 || m_depth == kRootDepth || (m_inFirstUser && m_depth == kUserDepth))
        m_state = State::NoArchive;
    --m_depth;
}

std::size_t CArchiveSplitter::FindCut(const char* text, std::size_t available, std::size_t from,
                                      std::size_t minimum) {
    static constexpr std::string_view kItemEnd = "</ArchiveItem>";
    const std::size_t earliest = from + std::max(minimum, kItemEnd.size()) - kItemEnd.size();
    const std::size_t start = std::max(m_searched, earliest);
    if (m_state != State::InArchive || start >= available)
        return 0;
    const std::size_t found = std::string_view(text + start, available - start).find(kItemEnd);
    if (found == std::string_view::npos) {
        // An end tag may be arriving: its first bytes are searched again.
        m_searched = std::max(start, available - std::min(available, kItemEnd.size() - 1));
        return 0;
    }
    m_searched = start + found + kItemEnd.size();
    return m_searched;
}
