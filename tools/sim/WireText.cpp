#include "WireText.h"

#include <cstdint>

namespace {

// Decodes one UTF-8 sequence at text[i]; advances i. Returns -1 when it is malformed.
long NextCodePoint(std::string_view text, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(text[i++]);
    if (lead < 0x80)
        return lead;
    int length = 0;
    long value = 0;
    if ((lead & 0xe0) == 0xc0) {
        length = 1;
        value = lead & 0x1f;
    } else if ((lead & 0xf0) == 0xe0) {
        length = 2;
        value = lead & 0x0f;
    } else if ((lead & 0xf8) == 0xf0) {
        length = 3;
        value = lead & 0x07;
    } else {
        return -1;
    }
    for (int k = 0; k < length; ++k, ++i) {
        if (i >= text.size() || (static_cast<unsigned char>(text[i]) & 0xc0) != 0x80)
            return -1;
        value = value << 6 | (static_cast<unsigned char>(text[i]) & 0x3f);
    }
    static constexpr long kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (value < kSmallest[length] || value > 0x10ffff || (value >= 0xd800 && value <= 0xdfff))
        return -1;
    return value;
}

bool IsEscapedByEqualSign(char c) {
    return c == '\t' || c == '\n' || c == '\r' || c == '&' || c == '<' || c == '>';
}

} // namespace

std::optional<std::string> DefaultModeBytes(std::string_view utf8) {
    std::string bytes;
    for (std::size_t i = 0; i < utf8.size();) {
        const long codePoint = NextCodePoint(utf8, i);
        if (codePoint < 0 || codePoint > 0xff)
            return std::nullopt;
        bytes += static_cast<char>(codePoint);
    }
    return bytes;
}

std::size_t FindInvalidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t start = i;
        if (NextCodePoint(text, i) < 0)
            return start;
    }
    return std::string_view::npos;
}

std::string EscapeXml(std::string_view text, bool utf8Mode, bool attribute) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else if (c == '"' && attribute)
            out += "&quot;";
        else if ((byte >= 0x80 && !utf8Mode) || c == '\r' ||
                 (attribute && (c == '\t' || c == '\n')))
            out += "&#" + std::to_string(byte) + ";";
        else if (byte < 0x20 && c != '\t' && c != '\n')
            out += '?'; // not allowed in XML 1.0 at all
        else
            out += c;
    }
    return out;
}

std::optional<std::string> DecodeAmpChars(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (IsEscapedByEqualSign(c)) {
            if (i + 1 >= text.size() || text[i + 1] != '=')
                return std::nullopt;
            out += c;
            ++i;
        } else if (c == '%') {
            const std::string_view code = text.substr(i + 1, 2);
            if (code != "25" && code != "2B")
                return std::nullopt;
            out += code == "25" ? '%' : '+';
            i += 2;
        } else if (c == '+') {
            return std::nullopt;
        } else {
            out += c;
        }
    }
    return out;
}
