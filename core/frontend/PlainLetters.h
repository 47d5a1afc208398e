#pragma once

#include "QuillonCoreExport.h"

#include <array>

// The plain letters of the accented letters of an ANSI code page, looked up by their Unicode
// characters: a window holds Unicode text, yet lets in only what the code page's table turns
// into ASCII. Code pages other than 1250 and 1252 have no table.
class QUILLON_CORE_EXPORT PlainLetters {
public:
    // The table of one code page; built once per code page and shared.
    static const PlainLetters& OfCodePage(int codePage);

    // The ASCII letter of a character above 127; 0 when the code page has none.
    char Of(char16_t c) const { return m_plain[c]; }

private:
    PlainLetters() = default;
    explicit PlainLetters(int codePage);

    std::array<char, 0x10000> m_plain{};
};
