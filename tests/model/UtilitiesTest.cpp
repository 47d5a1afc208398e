#include "model/Utilities.h"
#include "../platform/ScopedEnv.h"
#include "model/UtilitiesInternal.h"

#include <gtest/gtest.h>

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

TEST(TextConversions, GoThroughTheAnsiCodePage) {
    ScopedEnv codePage("QUILLON_ANSI_CODEPAGE", "1250");
    EXPECT_EQ(AnsiToUtf8("\x8Elu\x9D"), "\xC5\xBDlu\xC5\xA5");
    EXPECT_EQ(Utf8ToAnsi("\xC5\xBDlu\xC5\xA5 \xE2\x82\xAC \xC3\xB1"), "\x8Elu\x9D \x80 ?");
    EXPECT_EQ(WcharToCstring(L"\u017Dlu\u0165"), "\x8Elu\x9D");
}
