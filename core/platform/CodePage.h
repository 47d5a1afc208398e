#pragma once

#include <string>

// The system ANSI code page: 1250 or 1252 from the locale, or QUILLON_ANSI_CODEPAGE.
int GetAnsiCodePage();

// Conversions through iconv. A character the target code page lacks becomes "?"; invalid input
// bytes are replaced, never fatal. Wide text is wchar_t (UTF-32 on Linux).
std::wstring AnsiToWide(const std::string& ansi);
std::string WideToAnsi(const std::wstring& wide);
std::wstring Utf8ToWide(const std::string& utf8);
std::string WideToUtf8(const std::wstring& wide);
