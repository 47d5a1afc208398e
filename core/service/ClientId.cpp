#include "service/ClientId.h"

#include "model/Blowfish.h"

#include <cstdio>

namespace {

constexpr std::size_t kClientIdBlock = 32;
constexpr std::size_t kClientIdKey = 8;

// The text padded with blanks (or cut) to exactly size bytes.
std::string Padded(const std::string& text, std::size_t size) {
    std::string block = text.substr(0, size);
    block.resize(size, ' ');
    return block;
}

} // namespace

std::string EncipherClientId(const std::string& loginName, const std::string& clientType) {
    std::string block = Padded(loginName, kClientIdBlock);
    const std::string key = Padded(clientType, kClientIdKey);
    CBlowfish cipher;
    cipher.SetKey(reinterpret_cast<const unsigned char*>(key.data()), key.size());
    cipher.Encrypt(reinterpret_cast<unsigned char*>(block.data()), block.size());
    std::string clientId;
    for (const char byte : block) {
        char digits[3];
        std::snprintf(digits, sizeof digits, "%02X", static_cast<unsigned char>(byte));
        clientId += digits;
    }
    return clientId;
}
