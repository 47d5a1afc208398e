#pragma once

#include "QuillonCoreExport.h"

#include <string>
#include <string_view>

// The system ANSI code page: 1250 or 1252 from the locale, or QUILLON_ANSI_CODEPAGE. Read from
// the environment on every call (outside a CCodePageScope). A code page that iconv does not know,
// or that does not keep ASCII as it is, is taken as 1252 by the conversions.
QUILLON_CORE_EXPORT int GetAnsiCodePage();

// While one lives, the calling thread's code page and conversions use the code page that was in
// force when it was made, without reading the environment again: a whole stored file is read or
// written in one code page, and many short texts convert without the cost of the look-up. Scopes
// nest; another thread is not affected.
class CCodePageScope {
public:
    CCodePageScope();
    // The given code page, for instance another thread's GetAnsiCodePage().
    explicit CCodePageScope(int number);
    ~CCodePageScope();
    CCodePageScope(const CCodePageScope&) = delete;
    CCodePageScope& operator=(const CCodePageScope&) = delete;

private:
    int m_previousNumber;
    const void* m_previousPage;
};

// Conversions between the ANSI code page and Unicode. A character the target code page lacks
// becomes "?"; invalid input bytes are replaced (UTF-8 by U+FFFD), never fatal. Wide text is
// wchar_t (UTF-32 on Linux). They use no destructible state (the only thread-local state is the
// plain pointer of a CCodePageScope), so they work while the library unloads.
QUILLON_CORE_EXPORT std::wstring AnsiToWide(const std::string& ansi);
QUILLON_CORE_EXPORT std::string WideToAnsi(const std::wstring& wide);
QUILLON_CORE_EXPORT std::wstring Utf8ToWide(const std::string& utf8);
QUILLON_CORE_EXPORT std::string WideToUtf8(const std::wstring& wide);
// The same as through wide text, without it; ASCII text comes back as it is.
QUILLON_CORE_EXPORT std::string AnsiTextToUtf8(std::string_view ansi);
QUILLON_CORE_EXPORT std::string Utf8TextToAnsi(std::string_view utf8);
// The same, telling whether the text was valid UTF-8 (see IsValidUtf8).
QUILLON_CORE_EXPORT std::string Utf8TextToAnsi(std::string_view utf8, bool& valid);

// Well-formed UTF-8 of Unicode characters only (no surrogates, nothing past U+10FFFF, no overlong
// forms).
QUILLON_CORE_EXPORT bool IsValidUtf8(std::string_view text);
