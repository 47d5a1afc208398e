#include "model/Utilities.h"
#include "../platform/ScopedEnv.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cwctype>
#include <iconv.h>
#include <optional>
#include <string>

TEST(ValidateNumber, AcceptsOnlyNumbersOfTheAllowedShapeAndLength) {
    struct Case {
        const char* text;
        bool valid;
        const char* after;
    };
    const Case cases[] = {
        {"12", false, "12"},
        {"12a", false, "12a"},
        {"+0421903123456", false, "+0421903123456"},
        {"1+23", false, "1+23"},
        {"903 123 456", true, "903123456"},
        {"0903123456", true, "0903123456"},
        {"0903123456789", false, "0903123456789"},
        {"+421903123456789", true, "+421903123456789"},
        {"+4219031234567890", false, "+4219031234567890"},
        {"00421903123456789", true, "00421903123456789"},
        {"004219031234567890", false, "004219031234567890"},
        {"9031234567", false, "9031234567"},
        {"+421 903 123 456", true, "+421903123456"},
        {"1 2", true, "12"},
        {"   ", false, "   "},
        {"+  ", false, "+  "},
        {"", false, ""},
        {"0903\t123456", false, "0903\t123456"},
    };
    for (const Case& c : cases) {
        std::string number = c.text;
        EXPECT_EQ(ValidateNumber(number), c.valid) << '"' << c.text << '"';
        EXPECT_EQ(number, c.after) << '"' << c.text << '"';
    }
}

TEST(ConvertToIntl, GivesTheInternationalFormWithoutPlus) {
    for (const char* text :
         {"+421903123456", "+421 903 123 456", "00421903123456", "0903123456", "123456"}) {
        std::string number = text;
        ConvertToIntl(number);
        EXPECT_EQ(number, "421903123456") << text;
        EXPECT_EQ(ConvertToIntl(std::string_view(text)), number) << text;
    }
    EXPECT_EQ(ConvertToIntl(std::string_view("903123456")), "421903903123456");
    EXPECT_EQ(ConvertToIntl(std::string_view("")), "");
    std::string empty;
    ConvertToIntl(empty);
    EXPECT_EQ(empty, "421903");
}

TEST(EncodeAmpChars, MarksSpecialCharactersAndEscapesPercentAndPlus) {
    EXPECT_EQ(EncodeAmpChars("50%+tax<5>"), "50%25%2Btax<=5>=");
    EXPECT_EQ(EncodeAmpChars("a&b\r\nc\td"), "a&=b\r=\n=c\t=d");
    EXPECT_EQ(EncodeAmpChars("%25+"), "%2525%2B");
    EXPECT_EQ(EncodeAmpChars(""), "");
}

TEST(StripAccents, UsesTheTableOfTheCodePage) {
    {
        ScopedEnv codePage("QUILLON_ANSI_CODEPAGE", "1250");
        // "Zluťoučký kůň" and "ŽLUŤOUČKÝ KŮŇ" in code page 1250.
        EXPECT_EQ(StripAccents("\x8Elu\x9Dou\xE8k\xFD k\xF9\xF2"), "Zlutoucky kun");
        EXPECT_EQ(StripAccents("\x8ELU\x8DOU\xC8K\xDD K\xD9\xD2"), "ZLUTOUCKY KUN");
        EXPECT_EQ(StripAccents("\x80\xA0\xFF x"), " x") << "bytes without a letter are dropped";
        EXPECT_EQ(StripAccents("\xBE\xBA\xB9\xE3"), "lsaa");
    }
    {
        ScopedEnv codePage("QUILLON_ANSI_CODEPAGE", "1252");
        EXPECT_EQ(StripAccents("\xD1"
                               "and\xFA"),
                  "Nandu");
        EXPECT_EQ(StripAccents("\x80\xFF\x9F\xC5"), "yYA");
        EXPECT_EQ(StripAccents("\xBE"), "") << "a 1250 letter means nothing here";
    }
    ScopedEnv codePage("QUILLON_ANSI_CODEPAGE", "1251");
    EXPECT_EQ(StripAccents("a\xC0\xE9z"), "az");
}

TEST(AnsiLowerCase, FoldsTheLetterPairsOfTheCodePage) {
    {
        ScopedEnv codePage("QUILLON_ANSI_CODEPAGE", "1250");
        EXPECT_EQ(AnsiLowerCase("J\xC1N"), "j\xE1n"); // JÁN -> ján
        // Ľubomír Šťastný
        EXPECT_EQ(AnsiLowerCase("\xBCubom\xEDr \x8A\x8D"
                                "astn\xDD"),
                  "\xBEubom\xEDr \x9A\x9D"
                  "astn\xFD");
        EXPECT_EQ(AnsiLowerCase("\x8Akola"), "\x9Akola"); // Škola
        EXPECT_EQ(AnsiLowerCase("\xA3\xA5\xAA\xAF\x8C\x8F"), "\xB3\xB9\xBA\xBF\x9C\x9F");
        // The multiplication and division signs and the sharp s have no partner.
        EXPECT_EQ(AnsiLowerCase("\xD7\xF7\xDF\xFF"), "\xD7\xF7\xDF\xFF");
    }
    {
        ScopedEnv codePage("QUILLON_ANSI_CODEPAGE", "1252");
        EXPECT_EQ(AnsiLowerCase("\x8A\x8E\x8C\x9F\xC9"), "\x9A\x9E\x9C\xFF\xE9");
        // 1252 has no L with caron: its 0xBC is a fraction, and 0x8D is undefined.
        EXPECT_EQ(AnsiLowerCase("\xBC\x8D\xD7\xF7\xDF"), "\xBC\x8D\xD7\xF7\xDF");
    }
    {
        ScopedEnv codePage("QUILLON_ANSI_CODEPAGE", nullptr);
        ScopedEnv locale("LC_ALL", "sk_SK.UTF-8");
        EXPECT_EQ(AnsiLowerCase("\xBC"), "\xBE") << "the locale's code page, as for accents";
    }
    ScopedEnv codePage("QUILLON_ANSI_CODEPAGE", "1251");
    EXPECT_EQ(AnsiLowerCase("AZ\xC0\x8A\xBC"
                            "az"),
              "az\xC0\x8A\xBC"
              "az");
}

namespace {

// One byte of a code page to Unicode and back, by iconv; nothing where the page or Unicode has
// no such character.
class CodePageChart {
public:
    explicit CodePageChart(const char* charset)
        : m_decoder(iconv_open("WCHAR_T", charset)), m_encoder(iconv_open(charset, "WCHAR_T")) {}
    ~CodePageChart() {
        iconv_close(m_decoder);
        iconv_close(m_encoder);
    }
    CodePageChart(const CodePageChart&) = delete;
    CodePageChart& operator=(const CodePageChart&) = delete;

    std::optional<wchar_t> Decode(unsigned char byte) const {
        wchar_t c = 0;
        if (!Convert(m_decoder, &byte, 1, &c, sizeof(c)))
            return std::nullopt;
        return c;
    }

    std::optional<unsigned char> Encode(wchar_t c) const {
        unsigned char byte = 0;
        if (!Convert(m_encoder, &c, sizeof(c), &byte, 1))
            return std::nullopt;
        return byte;
    }

private:
    // True when the whole input became exactly the whole output.
    static bool Convert(iconv_t cd, const void* input, std::size_t inSize, void* output,
                        std::size_t outSize) {
        char* in = static_cast<char*>(const_cast<void*>(input));
        char* out = static_cast<char*>(output);
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        return iconv(cd, &in, &inSize, &out, &outSize) != static_cast<std::size_t>(-1) &&
               inSize == 0 && outSize == 0;
    }

    iconv_t m_decoder;
    iconv_t m_encoder;
};

// Unicode case mappings for the duration of a test.
class UnicodeCtype {
public:
    UnicodeCtype() : m_previous(std::setlocale(LC_CTYPE, nullptr)) {
        std::setlocale(LC_CTYPE, "C.UTF-8");
    }
    ~UnicodeCtype() { std::setlocale(LC_CTYPE, m_previous.c_str()); }
    UnicodeCtype(const UnicodeCtype&) = delete;
    UnicodeCtype& operator=(const UnicodeCtype&) = delete;

private:
    std::string m_previous;
};

unsigned char LowerByte(unsigned char byte) {
    return static_cast<unsigned char>(AnsiLowerCase(std::string(1, static_cast<char>(byte)))[0]);
}

} // namespace

// Every byte folds to the small letter Unicode gives its character, where the page has that
// letter, and a byte and its capital form fold alike.
TEST(AnsiLowerCase, AgreesWithUnicodeOnEveryByte) {
    const UnicodeCtype ctype;
    ASSERT_EQ(std::towlower(L'\u00C9'), L'\u00E9') << "no Unicode case mappings";
    for (const char* page : {"1250", "1252"}) {
        ScopedEnv codePage("QUILLON_ANSI_CODEPAGE", page);
        const CodePageChart chart((std::string("CP") + page).c_str());
        for (int value = 0; value < 256; ++value) {
            const auto byte = static_cast<unsigned char>(value);
            const std::optional<wchar_t> c = chart.Decode(byte);
            const auto small =
                c ? chart.Encode(static_cast<wchar_t>(std::towlower(*c))) : std::nullopt;
            const auto capital =
                c ? chart.Encode(static_cast<wchar_t>(std::towupper(*c))) : std::nullopt;
            EXPECT_EQ(LowerByte(byte), small.value_or(byte)) << page << " byte " << value;
            if (capital) {
                EXPECT_EQ(LowerByte(*capital), LowerByte(byte)) << page << " byte " << value;
            }
        }
    }
}

TEST(TextConversions, GoThroughTheAnsiCodePage) {
    ScopedEnv codePage("QUILLON_ANSI_CODEPAGE", "1250");
    EXPECT_EQ(AnsiToUtf8("\x8Elu\x9D"), "\xC5\xBDlu\xC5\xA5");
    EXPECT_EQ(Utf8ToAnsi("\xC5\xBDlu\xC5\xA5 \xE2\x82\xAC \xC3\xB1"), "\x8Elu\x9D \x80 ?");
    EXPECT_EQ(WcharToCstring(L"\u017Dlu\u0165"), "\x8Elu\x9D");
}
