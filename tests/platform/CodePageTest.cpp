#include "platform/CodePage.h"
#include "ScopedEnv.h"

#include <gtest/gtest.h>

namespace {

// A locale set through LANG alone, with the other variables and the override cleared.
struct LocaleEnv {
    explicit LocaleEnv(const char* lang, const char* override = nullptr)
        : all("LC_ALL", nullptr), ctype("LC_CTYPE", nullptr), lang("LANG", lang),
          codePage("QUILLON_ANSI_CODEPAGE", override) {}
    ScopedEnv all, ctype, lang, codePage;
};

std::string AllBytes() {
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        bytes += static_cast<char>(b);
    return bytes;
}

} // namespace

TEST(CodePage, ComesFromTheLanguageOfTheLocale) {
    for (const char* lang : {"sk_SK.UTF-8", "cs_CZ", "pl", "hu_HU.ISO-8859-2", "sl_SI@euro",
                             "hr_HR", "bs_BA", "ro_RO", "sq_AL"}) {
        LocaleEnv env(lang);
        EXPECT_EQ(GetAnsiCodePage(), 1250) << lang;
    }
    for (const char* lang : {"en_US.UTF-8", "de_DE", "C", "POSIX", "", "skx_SK", "es"}) {
        LocaleEnv env(lang);
        EXPECT_EQ(GetAnsiCodePage(), 1252) << lang;
    }
}

TEST(CodePage, LcAllBeforeLcCtypeBeforeLang) {
    LocaleEnv env("de_DE.UTF-8");
    {
        ScopedEnv ctype("LC_CTYPE", "sk_SK.UTF-8");
        EXPECT_EQ(GetAnsiCodePage(), 1250);
        ScopedEnv all("LC_ALL", "en_GB.UTF-8");
        EXPECT_EQ(GetAnsiCodePage(), 1252);
    }
    ScopedEnv all("LC_ALL", "cs_CZ.UTF-8");
    EXPECT_EQ(GetAnsiCodePage(), 1250);
}

TEST(CodePage, OverrideTakesAnyNumberAndIgnoresOtherText) {
    {
        LocaleEnv env("sk_SK", "1252");
        EXPECT_EQ(GetAnsiCodePage(), 1252);
    }
    {
        LocaleEnv env("en_US", "1251");
        EXPECT_EQ(GetAnsiCodePage(), 1251);
    }
    for (const char* junk : {"", "abc", "12x", "-1250", "99999999999"}) {
        LocaleEnv env("sk_SK", junk);
        EXPECT_EQ(GetAnsiCodePage(), 1250) << junk;
    }
}

TEST(CodePage, ConvertsBetweenTheCodePagesAndUnicode) {
    {
        LocaleEnv env("sk_SK.UTF-8");
        EXPECT_EQ(AnsiToWide("\x9E\xE8\x80"), L"\u017E\u010D\u20AC");
        EXPECT_EQ(WideToAnsi(L"\u017E\u010D\u20AC"), "\x9E\xE8\x80");
        EXPECT_EQ(WideToUtf8(AnsiToWide("\xBE")), "\xC4\xBE"); // l with caron
    }
    LocaleEnv env("en_US.UTF-8");
    EXPECT_EQ(WideToAnsi(L"\u00D1and\u00FA \u20AC"), "\xD1"
                                                     "and\xFA \x80");
    EXPECT_EQ(Utf8ToWide("\xC3\xB1"), L"\u00F1");
    EXPECT_EQ(WideToUtf8(L"a\u00F1\U0001F600"), "a\xC3\xB1\xF0\x9F\x98\x80");
}

TEST(CodePage, MissingCharactersBecomeQuestionMarks) {
    LocaleEnv env("en_US");
    EXPECT_EQ(WideToAnsi(L"a\u0141b\u4E2D\U0001F600c"), "a?b??c");
    EXPECT_EQ(WideToAnsi(std::wstring{wchar_t(0xDC00), wchar_t(0x7FFFFFFF)}), "??");
    LocaleEnv central("sk_SK");
    EXPECT_EQ(WideToAnsi(L"\u00F1"), "?");
    // Surrogate halves and values past Unicode are no characters.
    EXPECT_EQ(WideToUtf8(std::wstring{L'x', wchar_t(0xD800), wchar_t(0x110000), L'y'}), "x??y");
}

TEST(CodePage, InvalidUtf8IsReplacedNeverFatal) {
    EXPECT_EQ(Utf8ToWide("a\xC3"), L"a\uFFFD");
    EXPECT_EQ(Utf8ToWide("\xFF"
                         "b\xE2\x82"),
              L"\uFFFD"
              "b\uFFFD\uFFFD");
    EXPECT_EQ(Utf8ToWide("\xED\xA0\x80z"), L"\uFFFD\uFFFD\uFFFDz"); // an encoded surrogate
    EXPECT_EQ(Utf8ToWide("\xF4\x90\x80\x80"), L"\uFFFD");           // past Unicode
    LocaleEnv env("en_US");
    EXPECT_EQ(WideToAnsi(Utf8ToWide("\xC0\x80ok")), "??ok");
}

TEST(CodePage, EveryByteSurvivesTheTripThroughUtf8) {
    for (const char* codePage : {"1250", "1252", "1251"}) {
        LocaleEnv env("en_US", codePage);
        const std::string bytes = AllBytes();
        EXPECT_EQ(WideToAnsi(Utf8ToWide(WideToUtf8(AnsiToWide(bytes)))), bytes) << codePage;
    }
}

TEST(CodePage, UnknownCodePageFallsBackToWesternEuropean) {
    LocaleEnv env("sk_SK", "65001");
    EXPECT_EQ(AnsiToWide("\x80\xE9"), L"\u20AC\u00E9");
    LocaleEnv cyrillic("en_US", "1251");
    EXPECT_EQ(AnsiToWide("\xC0"), L"\u0410");
}
