#include "model/Utilities.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Encode(const std::string& bytes) {
    return Base64Encode(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

// Decodes into a buffer of the given capacity; nullopt-like "!" marks a failure.
std::string Decode(const std::string& text, std::size_t capacity = 64) {
    std::vector<unsigned char> out(capacity + 1, '#');
    std::size_t count = capacity;
    if (!Base64Decode(text, out.data(), count))
        return "!";
    EXPECT_EQ(out[capacity], '#') << "wrote past the capacity";
    return std::string(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(count));
}

} // namespace

TEST(Base64, MatchesTheStandardVectors) {
    const char* const vectors[][2] = {
        {"", ""},
        {"f", "Zg=="},
        {"fo", "Zm8="},
        {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="},
        {"fooba", "Zm9vYmE="},
        {"foobar", "Zm9vYmFy"},
    };
    for (const auto& v : vectors) {
        EXPECT_EQ(Encode(v[0]), v[1]);
        EXPECT_EQ(Decode(v[1]), v[0]) << v[1];
    }
    EXPECT_EQ(Encode("\xFB\xFF\xBF"), "+/+/");
    EXPECT_EQ(Decode("+/+/"), "\xFB\xFF\xBF");
}

TEST(Base64, EveryByteValueRoundTrips) {
    std::string bytes;
    for (int repeat = 0; repeat < 3; ++repeat) {
        for (int b = 0; b < 256; ++b)
            bytes += static_cast<char>(b);
        bytes.pop_back(); // vary the length modulo three
    }
    for (std::size_t length = 0; length < 10; ++length)
        EXPECT_EQ(Decode(Encode(bytes.substr(0, length))), bytes.substr(0, length));
    EXPECT_EQ(Decode(Encode(bytes), bytes.size()), bytes);
}

TEST(Base64, DecoderSkipsForeignCharactersAndCountsPadding) {
    EXPECT_EQ(Decode("Zm9v\r\nYmFy"), "foobar");
    EXPECT_EQ(Decode(" Z m 9 v !*\t"), "foo");
    EXPECT_EQ(Decode("Zg==Zm9v"), "ff") << "padding shortens every later group too";
    EXPECT_EQ(Decode("===="), "");
    EXPECT_EQ(Decode("Zg==A==="), "f") << "never fewer than no bytes per group";
    EXPECT_EQ(Decode("@@@"), "");
}

TEST(Base64, DecoderFailsOnPartialGroupsAndTooSmallOutput) {
    for (const char* partial : {"Z", "Zm", "Zm9", "Zm9vY", "Zm9v Y m", "Zg="})
        EXPECT_EQ(Decode(partial), "!") << partial;
    EXPECT_EQ(Decode("Zm9vYmFy", 6), "foobar");
    EXPECT_EQ(Decode("Zm9vYmFy", 5), "!");
    EXPECT_EQ(Decode("Zm9vYg==", 4), "foob");
    EXPECT_EQ(Decode("Zm9vYg==", 3), "!");
    EXPECT_EQ(Decode("", 0), "");

    // On failure the count the caller gave stays as it was.
    unsigned char out[2];
    std::size_t count = sizeof(out);
    EXPECT_FALSE(Base64Decode("Zm9v", out, count));
    EXPECT_EQ(count, 2u);
}
