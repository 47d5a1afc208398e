#pragma once

#include "QuillonCoreExport.h"

#include <cstddef>
#include <string>
#include <string_view>

// Text, number and Base64 helpers shared by every part of the system. Text is 8-bit ANSI in
// the system code page unless a name says otherwise.

// Wide text to ANSI text.
QUILLON_CORE_EXPORT std::string WcharToCstring(const std::wstring& wide);
QUILLON_CORE_EXPORT std::string AnsiToUtf8(const std::string& ansi);
// Characters that the code page lacks become "?".
QUILLON_CORE_EXPORT std::string Utf8ToAnsi(const std::string& utf8);

// Escapes text for the service: "=" after tab, LF, CR, "&", "<", ">"; "%" -> "%25"; "+" -> "%2B".
QUILLON_CORE_EXPORT std::string EncodeAmpChars(const std::string& text);

// True when the text is a valid phone number; then the number loses its spaces.
QUILLON_CORE_EXPORT bool ValidateNumber(std::string& number);
// In place: the international form without "+" (an empty text becomes "421903").
QUILLON_CORE_EXPORT void ConvertToIntl(std::string& number);
// Returning form: the international form; an empty text comes back unchanged.
QUILLON_CORE_EXPORT std::string ConvertToIntl(std::string_view number);

QUILLON_CORE_EXPORT std::string Base64Encode(const unsigned char* data, std::size_t count);
// Decodes into out, whose capacity is count; on success count becomes the decoded length.
QUILLON_CORE_EXPORT bool Base64Decode(const std::string& text, unsigned char* out,
                                      std::size_t& count);
