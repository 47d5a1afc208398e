#pragma once

#include <string>

// Text as the archive's search compares it: without regard to case or accents, so that "cakam"
// finds "čakám". The accented letters of code pages 1250 and 1252 become their base letters;
// anything else only loses its case.
class SearchFold {
public:
    // ANSI text in the code page in force.
    static std::wstring OfAnsi(const std::string& ansi);
    // What the user typed into a window.
    static std::wstring OfUtf8(const std::string& utf8);
    // Only the case goes (the accents stay): what sorting by name or text compares.
    static std::wstring LowerOfAnsi(const std::string& ansi);
};
