#include "InputDecoder.h"

#include "ExitCode.h"
#include "platform/CodePage.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

using ::testing::HasSubstr;

namespace {

// "ťažké" in UTF-8 and in Windows-1250.
const std::string kHardUtf8 = "\xC5\xA5"
                              "a\xC5\xBE"
                              "k\xC3\xA9";
const std::string kHard1250 = "\x9D"
                              "a\x9E"
                              "k\xE9";

// The message of the usage error that decoding throws.
std::string Refusal(const std::function<void()>& decode) {
    try {
        decode();
    } catch (const CliError& error) {
        EXPECT_EQ(error.Code(), ExitUsage);
        return error.what();
    }
    ADD_FAILURE() << "the input was accepted";
    return {};
}

} // namespace

TEST(InputDecoder, EightBitInputIsDecodedInTheLocalesCharacterSet) {
    EXPECT_EQ(InputDecoder("CP1250").ToUtf8(kHard1250, "the text"), kHardUtf8);
    // The same letters in the Latin-2 of Unix.
    EXPECT_EQ(InputDecoder("ISO-8859-2")
                  .ToUtf8("\xBB"
                          "a\xBE"
                          "k\xE9",
                          "the text"),
              kHardUtf8);
    EXPECT_EQ(InputDecoder("UTF-8").ToUtf8(kHardUtf8, "the text"), kHardUtf8);
    EXPECT_EQ(InputDecoder("CP1250").ToUtf8("", "the text"), "");
    // A byte that Windows-1250 leaves undefined.
    EXPECT_THAT(Refusal([] { InputDecoder("CP1250").ToUtf8("a\x81", "the name"); }),
                HasSubstr("the name is not valid CP1250 text"));
}

TEST(InputDecoder, InvalidUtf8IsRefusedWithWhatItWas) {
    const InputDecoder utf8("UTF-8");
    EXPECT_THAT(Refusal([&] { utf8.ToUtf8(kHard1250, "the message text"); }),
                HasSubstr("the message text is not valid UTF-8 text"));
    // Cut short at the end, and an overlong form of "/".
    EXPECT_FALSE(Refusal([&] { utf8.ToUtf8("ko\xC5", "x"); }).empty());
    EXPECT_FALSE(Refusal([&] { utf8.ToUtf8("\xC0\xAF", "x"); }).empty());
}

TEST(InputDecoder, FilesWithAByteOrderMarkAreUtf8) {
    const InputDecoder decoder("CP1250");
    EXPECT_EQ(decoder.FileToUtf8("\xEF\xBB\xBF" + kHardUtf8, "--text-file"), kHardUtf8);
    EXPECT_EQ(decoder.FileToUtf8(kHard1250, "--text-file"), kHardUtf8);
    EXPECT_THAT(Refusal([&] { decoder.FileToUtf8("\xEF\xBB\xBF" + kHard1250, "--text-file"); }),
                HasSubstr("--text-file is not valid UTF-8 text"));
}

TEST(InputDecoder, AnsiTextKeepsEveryCharacterOrIsRefused) {
    const CCodePageScope codePage(1250);
    EXPECT_EQ(InputDecoder("UTF-8").ToAnsi(kHardUtf8, "the password"), kHard1250);
    EXPECT_EQ(InputDecoder("CP1250").ToAnsi(kHard1250, "the password"), kHard1250);
    // Cyrillic is not in Windows-1250: it would become "?".
    EXPECT_THAT(Refusal([] { InputDecoder("UTF-8").ToAnsi("\xD0\x96uk", "--user"); }),
                HasSubstr("--user has characters that the ANSI code page 1250 lacks"));
}
