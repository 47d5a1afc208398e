#include "SelfCheck.h"

#include "model/Blowfish.h"
#include "model/Rc5.h"
#include "model/Utilities.h"
#include "model/UtilitiesInternal.h"
#include "platform/CodePage.h"
#include "platform/Paths.h"

#include <cstdio>
#include <string_view>

namespace {

struct CheckResult {
    bool ok;
    std::string detail;
};

using Bytes = std::vector<unsigned char>;

Bytes FromHex(std::string_view hex) {
    Bytes bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes.push_back(
            static_cast<unsigned char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16)));
    return bytes;
}

CheckResult CheckCodePage() {
    const int codePage = GetAnsiCodePage();
    // "Ž" exists in both of the code pages with a transliteration table.
    const std::string letter = Utf8ToAnsi("\xC5\xBD");
    const bool ok = AnsiToUtf8(letter) == "\xC5\xBD" && StripAccents(letter) == "Z";
    const bool table = codePage == 1250 || codePage == 1252;
    return {ok || !table, "ANSI code page " + std::to_string(codePage) +
                              (table ? "" : " (no transliteration table)")};
}

CheckResult CheckConfigDir() {
    const std::string folder = GetConfigDir(false, false);
    const bool ok = folder.starts_with('/') && folder.ends_with("/Velora/Quillon/") &&
                    GetConfigDir(false, true).ends_with("/Korvana/Quillon/");
    return {ok, "configuration folder " + folder};
}

CheckResult CheckRc5() {
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

CheckResult CheckBlowfish() {
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

CheckResult CheckBase64() {
    Bytes bytes;
    for (int b = 0; b < 256; ++b)
        bytes.push_back(static_cast<unsigned char>(b));
    const std::string text = Base64Encode(bytes.data(), bytes.size());
    Bytes decoded(bytes.size());
    std::size_t count = decoded.size();
    const bool ok = Base64Decode(text, decoded.data(), count) && decoded == bytes &&
                    Base64Encode(reinterpret_cast<const unsigned char*>("foobar"), 6) == "Zm9vYmFy";
    return {ok, "Base64 round trip of every byte value"};
}

CheckResult CheckCompression() {
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

CheckResult CheckNumbers() {
    bool ok = true;
    for (const char* number : {"+421 903 123 456", "00421903123456", "0903123456", "123456"})
        ok = ok && ConvertToIntl(std::string_view(number)) == "421903123456";
    std::string typed = "903 123 456";
    ok = ok && ValidateNumber(typed) && typed == "903123456";
    return {ok, "number normalisation: +421 903 123 456 -> " +
                    ConvertToIntl(std::string_view("+421 903 123 456"))};
}

} // namespace

int RunSelfCheck(const std::vector<std::string>& args) {
    if (!args.empty()) {
        std::fprintf(stderr, "selfcheck takes no arguments\n");
        return 2;
    }
    bool allPassed = true;
    for (auto check : {CheckCodePage, CheckConfigDir, CheckRc5, CheckBlowfish, CheckBase64,
                       CheckCompression, CheckNumbers}) {
        const CheckResult result = check();
        std::printf("%s  %s\n", result.ok ? "PASS" : "FAIL", result.detail.c_str());
        allPassed = allPassed && result.ok;
    }
    std::printf("%s\n", allPassed ? "All checks passed." : "Some checks FAILED.");
    return allPassed ? 0 : 1;
}
