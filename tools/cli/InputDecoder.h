#pragma once

#include <string>
#include <string_view>

// Turns text from outside the program (the command line, the environment, the terminal, files)
// into the program's text. Outside text is in the character set of the user's locale; the
// profile keeps ANSI text. Text that does not decode is refused, never guessed at.
class InputDecoder {
public:
    // The decoder of the user's locale (LC_ALL, LC_CTYPE, LANG), looked up once. The C locale's
    // ASCII, and a locale that is not installed, are read as UTF-8.
    static const InputDecoder& OfLocale();

    // A character set as iconv names it ("UTF-8", "CP1250", "ISO-8859-2").
    explicit InputDecoder(std::string charset);

    const std::string& Charset() const { return m_charset; }

    // The text as UTF-8. Throws a usage CliError naming what when it does not decode.
    std::string ToUtf8(std::string_view text, const std::string& what) const;
    // The contents of a file or stdin: as ToUtf8, but UTF-8 when they start with a byte-order
    // mark (which is dropped).
    std::string FileToUtf8(std::string_view bytes, const std::string& what) const;
    // The text as ANSI. Also refuses characters that the ANSI code page lacks, which would
    // otherwise turn into "?" (a password or a name would silently change).
    std::string ToAnsi(std::string_view text, const std::string& what) const;

private:
    std::string m_charset;
};
