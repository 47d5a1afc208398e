#include "platform/CodePage.h"
#include "ScopedEnv.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>

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
    EXPECT_EQ(Utf8ToWide("\xF8\x88\x80\x80\x80z"), L"\uFFFDz");     // a long form, too
    EXPECT_EQ(Utf8ToWide("\xF8\x80\x80\x80\x80"), std::wstring(5, L'\uFFFD')); // overlong
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
    LocaleEnv ebcdic("en_US", "1026"); // known, but ASCII bytes are other letters there
    EXPECT_EQ(AnsiToWide("A\x80"), L"A\u20AC");
    LocaleEnv cyrillic("en_US", "1251");
    EXPECT_EQ(AnsiToWide("\xC0"), L"\u0410");
}

TEST(CodePage, DirectConversionsMatchTheWayThroughWideText) {
    const std::string utf8[] = {"plain ASCII 0903", "\xC5\xBDlu\xC5\xA5ou\xC4\x8Dk\xC3\xBD",
                                "\xE2\x82\xAC\xF0\x9F\x98\x80", "bad \xC3 \xED\xA0\x80 \xFF"};
    for (const char* codePage : {"1250", "1252", "932"}) {
        LocaleEnv env("en_US", codePage);
        EXPECT_EQ(AnsiTextToUtf8(AllBytes()), WideToUtf8(AnsiToWide(AllBytes()))) << codePage;
        for (const std::string& text : utf8)
            EXPECT_EQ(Utf8TextToAnsi(text), WideToAnsi(Utf8ToWide(text))) << codePage << text;
    }
}

// Pages that combine letters and marks hold a letter back until the end of the text.
TEST(CodePage, ComposingCodePagesKeepTheLastLetter) {
    LocaleEnv vietnamese("en_US", "1258");
    EXPECT_EQ(AnsiToWide("abc"), L"abc");
    EXPECT_EQ(AnsiToWide("a\xEC"), L"\u00E1");
    EXPECT_EQ(WideToAnsi(L"\u00E3"), "a\xDE");
    LocaleEnv hebrew("en_US", "1255");
    EXPECT_EQ(AnsiToWide("\xE0\xE1"), L"\u05D0\u05D1");
}

TEST(CodePage, LanguageTagsAreLeftOutOfAnsiText) {
    LocaleEnv env("en_US");
    EXPECT_EQ(WideToAnsi(L"a\U000E0067b\U000E007F"), "ab");
    EXPECT_EQ(WideToUtf8(L"\U000E0067"), "\xF3\xA0\x81\xA7");
}

// The library writes its settings at process exit, after the thread-local objects are gone.
TEST(CodePage, ConvertsWhileTheProcessExits) {
    EXPECT_EXIT(
        {
            setenv("QUILLON_ANSI_CODEPAGE", "1250", 1);
            EXPECT_EQ(AnsiTextToUtf8("\x9E"), "\xC5\xBE");
            std::atexit([] {
                const bool converted = AnsiTextToUtf8("\x9E\xE8") == "\xC5\xBE\xC4\x8D" &&
                                       Utf8TextToAnsi("\xC5\xBE") == "\x9E" &&
                                       WideToAnsi(AnsiToWide("\xE8")) == "\xE8";
                std::_Exit(converted ? 0 : 1);
            });
            std::exit(2);
        },
        testing::ExitedWithCode(0), "");
}

TEST(CodePage, ScopeHoldsTheCodePageOfItsStartForItsThreadOnly) {
    LocaleEnv env("sk_SK.UTF-8");
    {
        const CCodePageScope scope;
        ScopedEnv lang("LANG", "en_US.UTF-8");
        EXPECT_EQ(GetAnsiCodePage(), 1250);
        EXPECT_EQ(Utf8TextToAnsi("\xC5\xBE"), "\x9E") << "z with caron in 1250";
        int otherThread = 0;
        std::thread([&] { otherThread = GetAnsiCodePage(); }).join();
        EXPECT_EQ(otherThread, 1252);
        {
            const CCodePageScope inner;
            ScopedEnv override("QUILLON_ANSI_CODEPAGE", "1251");
            EXPECT_EQ(GetAnsiCodePage(), 1250) << "an inner scope takes the outer one's page";
        }
        EXPECT_EQ(GetAnsiCodePage(), 1250) << "the outer scope again";
    }
    ScopedEnv override("QUILLON_ANSI_CODEPAGE", "1251");
    EXPECT_EQ(GetAnsiCodePage(), 1251) << "no scope: the environment again";
    const CCodePageScope scope;
    EXPECT_EQ(Utf8TextToAnsi("\xD0\x96"), "\xC6") << "Cyrillic Zhe in 1251";
}

TEST(CodePage, AccentAnywhereInALongTextConvertsBothWays) {
    LocaleEnv env("sk_SK.UTF-8");
    for (std::size_t at = 0; at < 20; ++at) {
        std::string ansi(20, 'a');
        std::string utf8 = ansi;
        ansi[at] = '\x9E'; // z with caron in 1250
        utf8.replace(at, 1, "\xC5\xBE");
        EXPECT_EQ(Utf8TextToAnsi(utf8), ansi) << at;
        EXPECT_EQ(AnsiTextToUtf8(ansi), utf8) << at;
    }
}
