#pragma once

#include "QuillonCoreExport.h"

#include <cstddef>
#include <string>
#include <string_view>

// The text of an imported CSV file in the system's ANSI code page: a file of valid UTF-8 that
// holds other letters than ASCII (with or without a byte order mark) is converted from UTF-8;
// any other file is taken as it is, in the code page.
QUILLON_CORE_EXPORT std::string ImportTextToAnsi(std::string bytes);

// True when the bytes are valid UTF-8 and hold a byte outside ASCII.
QUILLON_CORE_EXPORT bool IsUtf8WithLetters(std::string_view bytes);

// The physical lines of a text one after the other: CR LF, LF and CR each end a line.
class QUILLON_CORE_EXPORT ImportLines {
public:
    explicit ImportLines(std::string_view text) : m_text(text) {}

    // The next line without its end; false after the last one.
    bool Next(std::string_view& line);
    // The number of the line Next gave last, counted from 1.
    int LineNumber() const { return m_lineNumber; }
    // How far the reading has come, in bytes of the text.
    std::size_t Position() const { return m_pos; }

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
    int m_lineNumber = 0;
};

// The line without blanks and tabs at both ends.
QUILLON_CORE_EXPORT std::string_view TrimImportLine(std::string_view line);
