#include "logic/SearchFold.h"

#include "frontend/PlainLetters.h"
#include "platform/CodePage.h"

namespace {

// Latin-1 and Latin Extended-A, the letters of the two code pages; others keep their case.
wchar_t Lower(wchar_t c) {
    if (c < 0x80)
        return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 0x20) : c;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return static_cast<wchar_t>(c + 0x20);
    const bool evenUpper = (c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177);
    const bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if ((evenUpper && c % 2 == 0) || (oddUpper && c % 2 == 1))
        return static_cast<wchar_t>(c + 1);
    if (c == 0x178)
        return 0xFF;
    return c;
}

bool IsAscii(const std::string& text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

std::wstring Widen(const std::string& ansi) {
    return IsAscii(ansi) ? std::wstring(ansi.begin(), ansi.end()) : AnsiToWide(ansi);
}

wchar_t Plain(wchar_t c) {
    if (c < 0x80 || c > 0xFFFF)
        return c;
    static const PlainLetters& central = PlainLetters::OfCodePage(1250);
    static const PlainLetters& western = PlainLetters::OfCodePage(1252);
    const char16_t wide = static_cast<char16_t>(c);
    if (const char plain = central.Of(wide))
        return static_cast<unsigned char>(plain);
    if (const char plain = western.Of(wide))
        return static_cast<unsigned char>(plain);
    return c;
}

std::wstring Fold(std::wstring text) {
    for (wchar_t& c : text)
        c = Lower(Plain(Lower(c)));
    return text;
}

} // namespace

std::wstring SearchFold::OfAnsi(const std::string& ansi) {
    return Fold(Widen(ansi));
}

std::wstring SearchFold::OfUtf8(const std::string& utf8) {
    return OfAnsi(Utf8TextToAnsi(utf8));
}

std::wstring SearchFold::LowerOfAnsi(const std::string& ansi) {
    std::wstring text = Widen(ansi);
    for (wchar_t& c : text)
        c = Lower(c);
    return text;
}
