#include "ClientId.h"

#include "Blowfish.h"

#include <array>
#include <cstdio>
#include <iconv.h>
#include <optional>

std::string EncryptClientId(const std::string& loginName, const std::string& clientType) {
    std::array<unsigned char, 32> block;
    block.fill(' ');
    loginName.copy(reinterpret_cast<char*>(block.data()), block.size());
    std::string key(8, ' ');
    clientType.copy(key.data(), key.size());
    const Blowfish cipher(key);
    for (std::size_t offset = 0; offset < block.size(); offset += 8)
        cipher.EncryptBlock(block.data() + offset);
    std::string hex;
    for (unsigned char byte : block) {
        char digits[3];
        std::snprintf(digits, sizeof digits, "%02X", byte);
        hex += digits;
    }
    return hex;
}

namespace {

std::optional<std::string> FromUtf8(const std::string& utf8, const char* codePage) {
    const iconv_t converter = iconv_open(codePage, "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    std::string in = utf8;
    std::string out(in.size(), '\0');
    char* inPointer = in.data();
    char* outPointer = out.data();
    std::size_t inLeft = in.size();
    std::size_t outLeft = out.size();
    const std::size_t result = iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft);
    iconv_close(converter);
    if (result == static_cast<std::size_t>(-1))
        return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

} // namespace

bool ClientIdMatches(const std::string& clientId, const std::string& loginUtf8,
                     const std::string& clientType) {
    for (const char* codePage : {"CP1250", "CP1252"}) {
        const std::optional<std::string> login = FromUtf8(loginUtf8, codePage);
        if (login && EncryptClientId(*login, clientType) == clientId)
            return true;
    }
    return false;
}
