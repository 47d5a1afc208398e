#include "XmlWriter.h"

#include "XmlText.h"
#include "platform/CodePage.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <limits>
#include <utility>

namespace {

// What a byte is in a text: escaped in element texts, escaped in attribute values, or past
// ASCII. NUL is marked escaped in both, as the text ends there.
constexpr std::uint8_t kEscapedInText = 1;
constexpr std::uint8_t kEscapedInAttribute = 2;
constexpr std::uint8_t kNotAscii = 4;

constexpr std::array<std::uint8_t, 256> MakeByteKinds() {
    std::array<std::uint8_t, 256> kinds{};
    for (int byte = 0; byte < 32; ++byte) {
        const bool blank = byte == '\t' || byte == '\n' || byte == '\r';
        kinds[byte] = blank ? kEscapedInAttribute : kEscapedInText | kEscapedInAttribute;
    }
    kinds['&'] = kinds['<'] = kEscapedInText | kEscapedInAttribute;
    kinds['>'] = kEscapedInText;
    kinds['"'] = kEscapedInAttribute;
    for (int byte = 128; byte < 256; ++byte)
        kinds[byte] = kNotAscii;
    return kinds;
}

constexpr std::array<std::uint8_t, 256> kByteKinds = MakeByteKinds();

// An escape is at most this many times as long as its byte ("&quot;"); a converted byte is
// shorter.
constexpr std::size_t kMaxGrowth = 6;
// Texts are escaped in pieces whose longest escaped form fits the buffer.
constexpr std::size_t kPieceSize = CXmlWriter::kBufferSize / kMaxGrowth;
// The longest decimal int64: "-9223372036854775808".
constexpr std::size_t kMaxNumberSize = std::numeric_limits<std::int64_t>::digits10 + 2;

char* PutLiteral(char* out, std::string_view literal) {
    return std::copy(literal.begin(), literal.end(), out);
}

// Writes the escape of a byte marked escaped; returns the end of what it wrote.
char* PutEscape(char* out, char byte) {
    switch (byte) {
    case '&':
        return PutLiteral(out, "&amp;");
    case '<':
        return PutLiteral(out, "&lt;");
    case '>':
        return PutLiteral(out, "&gt;");
    case '"':
        return PutLiteral(out, "&quot;");
    default: // a control character
        const char digits[] = {'&', '#', static_cast<char>('0' + byte / 10),
                               static_cast<char>('0' + byte % 10), ';'};
        return std::copy(std::begin(digits), std::end(digits), out);
    }
}

// The code pages of the system, 1250 and 1252, have one character for each byte and join no
// characters: their texts convert byte by byte.
bool ConvertsByteByByte(int codePage) {
    return codePage == 1250 || codePage == 1252;
}

std::vector<std::array<char, 4>> HighByteForms() {
    std::vector<std::array<char, 4>> forms;
    if (!ConvertsByteByByte(GetAnsiCodePage()))
        return forms;
    forms.resize(128);
    for (std::size_t i = 0; i < forms.size(); ++i) {
        // At most three bytes: both pages hold characters of the Basic Multilingual Plane only.
        const std::string utf8 = AnsiToXmlText(std::string(1, static_cast<char>(128 + i)));
        std::copy(utf8.begin(), utf8.end(), forms[i].begin());
        forms[i].back() = static_cast<char>(utf8.size());
    }
    return forms;
}

// Copies the text to out, escaping the bytes of the escaped kind and, with highBytes, writing
// each byte past ASCII in its form there; up to the end or a NUL. False at a NUL.
bool Escape(std::string_view text, std::uint8_t escaped, const std::array<char, 4>* highBytes,
            char*& out) {
    const std::uint8_t marked = highBytes ? escaped | kNotAscii : escaped;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const std::uint8_t kind = kByteKinds[byte];
        if ((kind & marked) == 0) {
            *out++ = c;
        } else if ((kind & kNotAscii) != 0) {
            const std::array<char, 4>& form = highBytes[byte - 128];
            std::memcpy(out, form.data(), 3); // the buffer has room for the longest form
            out += form.back();
        } else if (byte == 0) {
            return false;
        } else {
            out = PutEscape(out, c);
        }
    }
    return true;
}

} // namespace

// The small steps every element takes are inline: calls between the functions of a shared
// library are not inlined otherwise.

inline char* CXmlWriter::Reserve(std::size_t count) {
    if (kBufferSize - m_used < count)
        Flush();
    return m_buffer.get() + m_used;
}

inline void CXmlWriter::Commit(const char* end) {
    m_used = static_cast<std::size_t>(end - m_buffer.get());
}

inline void CXmlWriter::Put(std::string_view text) {
    while (!text.empty()) {
        const std::string_view piece = text.substr(0, kBufferSize);
        Commit(PutLiteral(Reserve(piece.size()), piece));
        text.remove_prefix(piece.size());
    }
}

inline void CXmlWriter::PutNumber(std::int64_t number) {
    char* const out = Reserve(kMaxNumberSize);
    Commit(std::to_chars(out, out + kMaxNumberSize, number).ptr);
}

inline void CXmlWriter::StartAttribute(std::string_view name) {
    Put(" ");
    Put(name);
    Put("=\"");
}

inline void CXmlWriter::EndStartTag() {
    if (!m_inStartTag)
        return;
    Put(">");
    m_inStartTag = false;
}

CXmlWriter::CXmlWriter(TextSink sink)
    : m_sink(std::move(sink)), m_highBytes(HighByteForms()),
      m_buffer(std::make_unique<char[]>(kBufferSize)) {}

void CXmlWriter::Declaration() {
    Put(R"(<?xml version="1.0" encoding="UTF-8"?>)");
}

void CXmlWriter::Open(std::string_view name) {
    EndStartTag();
    Put("<");
    Put(name);
    m_open.push_back(name);
    m_inStartTag = true;
}

void CXmlWriter::Attribute(std::string_view name, std::int64_t number) {
    StartAttribute(name);
    PutNumber(number);
    Put("\"");
}

void CXmlWriter::Attribute(std::string_view name, const std::string& ansi) {
    StartAttribute(name);
    PutAnsi(ansi, kEscapedInAttribute);
    Put("\"");
}

void CXmlWriter::Text(const std::string& ansi) {
    EndStartTag();
    PutAnsi(ansi, kEscapedInText);
}

void CXmlWriter::Text(std::int64_t number) {
    EndStartTag();
    PutNumber(number);
}

void CXmlWriter::Close() {
    const std::string_view name = m_open.back();
    m_open.pop_back();
    if (m_inStartTag) {
        Put("/>");
        m_inStartTag = false;
        return;
    }
    Put("</");
    Put(name);
    Put(">");
}

void CXmlWriter::Element(std::string_view name, const std::string& ansi) {
    Open(name);
    Text(ansi);
    Close();
}

void CXmlWriter::Element(std::string_view name, std::int64_t number) {
    Open(name);
    Text(number);
    Close();
}

void CXmlWriter::Flush() {
    if (m_used == 0)
        return;
    m_sink(m_buffer.get(), m_used);
    m_used = 0;
}

void CXmlWriter::PutAnsi(const std::string& ansi, std::uint8_t escaped) {
    if (m_highBytes.empty())
        PutEscaped(AnsiToXmlText(ansi), escaped, nullptr);
    else
        PutEscaped(ansi, escaped, m_highBytes.data());
}

void CXmlWriter::PutEscaped(std::string_view text, std::uint8_t escaped,
                            const HighByteForm* highBytes) {
    while (!text.empty()) {
        const std::string_view piece = text.substr(0, kPieceSize);
        char* out = Reserve(piece.size() * kMaxGrowth);
        const bool whole = Escape(piece, escaped, highBytes, out);
        Commit(out);
        if (!whole)
            return;
        text.remove_prefix(piece.size());
    }
}
