#include "frontend/PlainLetters.h"

#include "model/UtilitiesInternal.h"
#include "platform/CodePage.h"

#include <string>

PlainLetters::PlainLetters(int codePage) {
    // The code page's own transliteration, each byte read as the character it stands for there.
    const CCodePageScope scope(codePage);
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        const std::string ansi(1, static_cast<char>(byte));
        const std::string plain = StripAccents(ansi);
        const std::wstring wide = AnsiToWide(ansi);
        if (plain.size() != 1 || wide.size() != 1 || wide[0] < 0x80 || wide[0] > 0xFFFF)
            continue;
        char& entry = m_plain[static_cast<char16_t>(wide[0])];
        if (entry == 0)
            entry = plain[0];
    }
}

const PlainLetters& PlainLetters::OfCodePage(int codePage) {
    static const PlainLetters centralEuropean(1250);
    static const PlainLetters westernEuropean(1252);
    static const PlainLetters none;
    switch (codePage) {
    case 1250:
        return centralEuropean;
    case 1252:
        return westernEuropean;
    default:
        return none;
    }
}
