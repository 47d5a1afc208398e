#include "SelfCheck.h"

#include "frontend/CharacterFilter.h"
#include "model/CoreSelfCheck.h"
#include "model/Utilities.h"
#include "platform/CodePage.h"
#include "platform/Paths.h"

#include <cstdio>
#include <string_view>
#include <utility>

namespace {

using CheckResult = SelfCheckResult;

using Bytes = std::vector<unsigned char>;

CheckResult CheckCodePage() {
    const int codePage = GetAnsiCodePage();
    // "Ž" exists in both of the code pages with a transliteration table.
    const std::string letter = Utf8ToAnsi("\xC5\xBD");
    const bool ok =
        AnsiToUtf8(letter) == "\xC5\xBD" && CharacterFilter::PlainLetter(letter[0]) == 'Z';
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
    // The library checks its ciphers and compression itself: they are not part of its
    // interface.
    std::vector<CheckResult> results = {CheckCodePage(), CheckConfigDir()};
    for (CheckResult& result : RunCoreSelfChecks())
        results.push_back(std::move(result));
    results.push_back(CheckBase64());
    results.push_back(CheckNumbers());
    bool allPassed = true;
    for (const CheckResult& result : results) {
        std::printf("%s  %s\n", result.ok ? "PASS" : "FAIL", result.detail.c_str());
        allPassed = allPassed && result.ok;
    }
    std::printf("%s\n", allPassed ? "All checks passed." : "Some checks FAILED.");
    return allPassed ? 0 : 1;
}
