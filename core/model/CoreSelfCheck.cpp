#include "CoreSelfCheck.h"

#include "Blowfish.h"
#include "Rc5.h"
#include "UtilitiesInternal.h"

#include <string_view>

namespace {

using Bytes = std::vector<unsigned char>;

Bytes FromHex(std::string_view hex) {
    Bytes bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes.push_back(
            static_cast<unsigned char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16)));
    return bytes;
}

SelfCheckResult CheckRc5() {
    // The first two published RC5-32/12/16 vectors.
    const char* const vectors[][3] = {
        {"00000000000000000000000000000000", "0000000000000000", "21A5DBEE154B8F6D"},
        {"915F4619BE41B2516355A50110A9CE91", "21A5DBEE154B8F6D", "F7C013AC5B2B8952"},
    };
    bool ok = true;
    for (const auto& v : vectors) {
        const Bytes key = FromHex(v[0]);
        CRc5 rc5;
        Bytes block = FromHex(v[1]);
        ok = ok && rc5.SetKey(key.data(), key.size(), 12);
        rc5.EncryptBlock(block.data());
        ok = ok && block == FromHex(v[2]);
        rc5.DecryptBlock(block.data());
        ok = ok && block == FromHex(v[1]);
    }
    return {ok, "RC5-32/12/16 known-answer vectors"};
}

SelfCheckResult CheckBlowfish() {
    const char* const vectors[][3] = {
        {"0000000000000000", "0000000000000000", "4EF997456198DD78"},
        {"F0E1D2C3B4A5968778695A4B3C2D1E0F0011223344556677", "FEDCBA9876543210",
         "05044B62FA52D080"},
    };
    bool ok = true;
    for (const auto& v : vectors) {
        const Bytes key = FromHex(v[0]);
        CBlowfish blowfish;
        Bytes block = FromHex(v[1]);
        ok = ok && blowfish.SetKey(key.data(), key.size());
        blowfish.Encrypt(block.data(), block.size());
        ok = ok && block == FromHex(v[2]);
        blowfish.Decrypt(block.data(), block.size());
        ok = ok && block == FromHex(v[1]);
    }
    return {ok, "Blowfish known-answer vectors"};
}

SelfCheckResult CheckCompression() {
    std::string text;
    while (text.size() < 10000)
        text += "<item><number>421903123456</number></item>";
    const auto* data = reinterpret_cast<const unsigned char*>(text.data());
    Bytes packed;
    CompressBuffer(data, text.size(), packed);
    Bytes unpacked;
    std::size_t count = text.size();
    const bool ok = !packed.empty() && packed.size() < text.size() &&
                    DecompressBuffer(packed.data(), packed.size(), unpacked, count) &&
                    std::string(unpacked.begin(), unpacked.end()) == text;
    return {ok, "compression round trip (" + std::to_string(text.size()) + " -> " +
                    std::to_string(packed.size()) + " bytes)"};
}

} // namespace

std::vector<SelfCheckResult> RunCoreSelfChecks() {
    return {CheckRc5(), CheckBlowfish(), CheckCompression()};
}
