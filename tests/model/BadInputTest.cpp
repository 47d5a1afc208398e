#include "model/Utilities.h"
#include "model/UtilitiesInternal.h"
#include "model/XmlText.h"
#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// Empty text, every byte value, and a long text of every byte value.
std::vector<std::string> HostileTexts() {
    std::string bytes;
    for (int b = 255; b >= 0; --b)
        bytes += static_cast<char>(b);
    std::string longText;
    while (longText.size() < (1u << 20))
        longText += bytes;
    return {"", bytes, longText, std::string(100000, '+'), std::string(100000, '=')};
}

bool IsAscii(const std::string& text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

TEST(BadInput, TextFunctionsNeverFailOnAnyBytes) {
    for (const std::string& text : HostileTexts()) {
        EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(text)), text) << "ANSI survives UTF-8";
        EXPECT_TRUE(IsValidUtf8(AnsiToUtf8(text)));
        EXPECT_LE(Utf8ToAnsi(text).size(), text.size());
        EXPECT_TRUE(IsAscii(StripAccents(text)));
        EXPECT_EQ(XmlTextToAnsi(text.c_str()).empty(), text.empty());
        const std::string escaped = EncodeAmpChars(text);
        EXPECT_EQ(escaped.find('+'), std::string::npos);
        EXPECT_GE(escaped.size(), text.size());
    }
    std::wstring wide;
    for (wchar_t c : {wchar_t(0), wchar_t(0x7F), wchar_t(0xFF), wchar_t(0xD800), wchar_t(0xFFFF),
                      wchar_t(0x10FFFF), wchar_t(0x110000), wchar_t(0x7FFFFFFF), wchar_t(-1)})
        wide += c;
    EXPECT_EQ(WcharToCstring(wide).size(), wide.size());
    EXPECT_TRUE(IsValidUtf8(WideToUtf8(wide)));
}

TEST(BadInput, NumberFunctionsRefuseOrNormaliseAnything) {
    for (const std::string& text : HostileTexts()) {
        std::string number = text;
        EXPECT_FALSE(ValidateNumber(number));
        EXPECT_EQ(number, text);
        EXPECT_EQ(ConvertToIntl(std::string_view(text)).find(' '), std::string::npos);
    }
    std::string longNumber(100000, '1');
    EXPECT_FALSE(ValidateNumber(longNumber));
    ConvertToIntl(longNumber);
    EXPECT_EQ(longNumber.size(), 100006u);
}

TEST(BadInput, DecodersReportFailureInsteadOfReadingOrWritingBeyondTheirBuffers) {
    for (const std::string& text : HostileTexts()) {
        std::vector<unsigned char> out(text.size());
        std::size_t count = out.size();
        const bool decoded = Base64Decode(text, out.data(), count);
        EXPECT_TRUE(!decoded || count <= out.size());
        count = 0;
        Base64Decode(text, nullptr, count);
        DecipherBase64Text(text);

        std::vector<unsigned char> inflated;
        std::size_t expected = text.size();
        EXPECT_FALSE(DecompressBuffer(reinterpret_cast<const unsigned char*>(text.data()),
                                      text.size(), inflated, expected));
        EXPECT_TRUE(inflated.empty());
    }
}
