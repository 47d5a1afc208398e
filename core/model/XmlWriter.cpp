#include "XmlWriter.h"

#include "XmlText.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <limits>
#include <utility>

namespace {

// What a byte is in a text: escaped in element texts, escaped in attribute values, or past
// ASCII. NUL is marked escaped in both, as the escaping stops there.
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

// An escape is at most this many times as long as its byte ("&quot;").
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

// Copies the text to out, escaping the bytes of the escaped kind, up to its end, a NUL or a byte
// of the stop kind. Returns where it stopped.
const char* Escape(std::string_view text, std::uint8_t escaped, std::uint8_t stop, char*& out) {
    const std::uint8_t marked = escaped | stop;
    const char* p = text.data();
    const char* const end = p + text.size();
    for (; p != end; ++p) {
        const std::uint8_t kind = kByteKinds[static_cast<unsigned char>(*p)];
        if ((kind & marked) == 0)
            *out++ = *p;
        else if (*p == '\0' || (kind & stop) != 0)
            break;
        else
            out = PutEscape(out, *p);
    }
    return p;
}

} // namespace

CXmlWriter::CXmlWriter(TextSink sink)
    : m_sink(std::move(sink)), m_buffer(std::make_unique<char[]>(kBufferSize)) {}

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

char* CXmlWriter::Reserve(std::size_t count) {
    if (kBufferSize - m_used < count)
        Flush();
    return m_buffer.get() + m_used;
}

void CXmlWriter::Commit(const char* end) {
    m_used = static_cast<std::size_t>(end - m_buffer.get());
}

void CXmlWriter::Put(std::string_view text) {
    while (!text.empty()) {
        const std::string_view piece = text.substr(0, kBufferSize);
        Commit(PutLiteral(Reserve(piece.size()), piece));
        text.remove_prefix(piece.size());
    }
}

void CXmlWriter::PutNumber(std::int64_t number) {
    char* const out = Reserve(kMaxNumberSize);
    Commit(std::to_chars(out, out + kMaxNumberSize, number).ptr);
}

void CXmlWriter::StartAttribute(std::string_view name) {
    Put(" ");
    Put(name);
    Put("=\"");
}

void CXmlWriter::EndStartTag() {
    if (!m_inStartTag)
        return;
    Put(">");
    m_inStartTag = false;
}

// ASCII text goes straight into the buffer; a text with any other byte is converted whole (a
// code page may join a letter with the mark after it), so what was escaped of it is dropped.
void CXmlWriter::PutAnsi(const std::string& ansi, std::uint8_t escaped) {
    if (ansi.size() <= kPieceSize) {
        char* out = Reserve(ansi.size() * kMaxGrowth);
        const char* const stop = Escape(ansi, escaped, kNotAscii, out);
        if (stop == ansi.data() + ansi.size() || *stop == '\0') {
            Commit(out);
            return;
        }
    }
    PutUtf8(AnsiToXmlText(ansi), escaped);
}

void CXmlWriter::PutUtf8(std::string_view utf8, std::uint8_t escaped) {
    while (!utf8.empty()) {
        const std::string_view piece = utf8.substr(0, kPieceSize);
        char* out = Reserve(piece.size() * kMaxGrowth);
        const char* const stop = Escape(piece, escaped, 0, out);
        Commit(out);
        if (stop != piece.data() + piece.size())
            return; // at a NUL
        utf8.remove_prefix(piece.size());
    }
}
