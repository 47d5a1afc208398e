#include "XmlText.h"

#include "platform/CodePage.h"

#include <cstdint>

bool IsValidUtf8(std::string_view text) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n) {
        const auto c = static_cast<unsigned char>(text[i]);
        std::size_t extra;
        std::uint32_t min;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            extra = 1;
            min = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2;
            min = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3;
            min = 0x10000;
        } else {
            return false;
        }
        if (n - i <= extra)
            return false;
        std::uint32_t code = c & (0x3F >> extra);
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (next & 0x3F);
        }
        if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

std::string XmlTextToAnsi(const char* text) {
    const std::string_view raw = text ? text : "";
    return IsValidUtf8(raw) ? Utf8TextToAnsi(raw) : std::string(raw);
}

std::string AnsiToXmlText(const std::string& ansi) {
    return AnsiTextToUtf8(ansi);
}

std::string XmlChildText(const pugi::xml_node& node, const char* childName) {
    return XmlTextToAnsi(node.child(childName).text().get());
}

std::string XmlAttributeText(const pugi::xml_node& node, const char* attributeName) {
    return XmlTextToAnsi(node.attribute(attributeName).value());
}
