#pragma once

#include <string>

// The enciphered client id that a client sends at login: the login name, padded with blanks
// to 32 bytes (or cut to them), enciphered with Blowfish in ECB mode under the client type
// padded with blanks to 8 bytes (or cut to them), as 64 upper-case hexadecimal digits.
std::string EncryptClientId(const std::string& loginName, const std::string& clientType);

// Whether a client id belongs to the login name (UTF-8) and client type. The client enciphers
// its login name in its ANSI code page, so Central and Western European pages are both tried.
bool ClientIdMatches(const std::string& clientId, const std::string& loginUtf8,
                     const std::string& clientType);
