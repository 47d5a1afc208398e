#pragma once

#include <string>

// The enciphered client id sent at login: the login name (cut or padded with blanks to 32
// bytes) enciphered with Blowfish under the client type (cut or padded to 8 bytes), as 64
// upper-case hexadecimal digits.
std::string EncipherClientId(const std::string& loginName, const std::string& clientType);
