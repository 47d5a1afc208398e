#include "model/Rc5.h"
#include "model/Utilities.h"
#include "model/UtilitiesInternal.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<unsigned char> FromHex(const std::string& hex) {
    std::vector<unsigned char> bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes.push_back(static_cast<unsigned char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return bytes;
}

} // namespace

TEST(Rc5, MatchesThePublishedVectorsOfRc5_32_12_16) {
    struct Vector {
        const char* key;
        const char* plain;
        const char* cipher;
    };
    // Each vector's plaintext is the ciphertext of the one before.
    const Vector vectors[] = {
        {"00000000000000000000000000000000", "0000000000000000", "21A5DBEE154B8F6D"},
        {"915F4619BE41B2516355A50110A9CE91", "21A5DBEE154B8F6D", "F7C013AC5B2B8952"},
        {"783348E75AEB0F2FD7B169BB8DC16787", "F7C013AC5B2B8952", "2F42B3B70369FC92"},
        {"DC49DB1375A5584F6485B413B5F12BAF", "2F42B3B70369FC92", "65C178B284D197CC"},
        {"5269F149D41BA0152497574D7F153125", "65C178B284D197CC", "EB44E415DA319824"},
    };
    for (const Vector& v : vectors) {
        const auto key = FromHex(v.key);
        CRc5 rc5;
        ASSERT_TRUE(rc5.SetKey(key.data(), key.size(), 12));
        auto block = FromHex(v.plain);
        rc5.EncryptBlock(block.data());
        EXPECT_EQ(block, FromHex(v.cipher)) << v.key;
        rc5.DecryptBlock(block.data());
        EXPECT_EQ(block, FromHex(v.plain)) << v.key;
    }
}

TEST(Rc5, KeyScheduleTakesTwelveToTwentyFourRoundsAndNormalisesTheKeyLength) {
    const std::vector<unsigned char> key(130, 0xA7);
    CRc5 rc5;
    EXPECT_FALSE(rc5.SetKey(key.data(), 16, 11));
    EXPECT_FALSE(rc5.SetKey(key.data(), 16, 25));

    // Same key bytes give the same cipher: compare through one encrypted block.
    auto encrypt = [](const std::vector<unsigned char>& k, std::size_t length, int rounds) {
        CRc5 cipher;
        EXPECT_TRUE(cipher.SetKey(k.data(), length, rounds));
        std::vector<unsigned char> block = {1, 2, 3, 4, 5, 6, 7, 8};
        cipher.EncryptBlock(block.data());
        return block;
    };
    std::vector<unsigned char> padded = {0xA7, 0xA7, 0xA7, 0, 0, 0, 0, 0};
    EXPECT_EQ(encrypt(key, 3, 12), encrypt(padded, 8, 12));
    EXPECT_EQ(encrypt(key, 129, 12), encrypt(key, 128, 12));
    EXPECT_NE(encrypt(key, 128, 12), encrypt(key, 127, 12));
    EXPECT_NE(encrypt(key, 16, 24), encrypt(key, 16, 12));
    EXPECT_EQ(encrypt({}, 0, 12), encrypt(std::vector<unsigned char>(8, 0), 8, 12));

    ASSERT_TRUE(rc5.SetKey(key.data(), 16, 24));
    std::vector<unsigned char> block = {9, 8, 7, 6, 5, 4, 3, 2};
    rc5.EncryptBlock(block.data());
    rc5.DecryptBlock(block.data());
    EXPECT_EQ(block, (std::vector<unsigned char>{9, 8, 7, 6, 5, 4, 3, 2}));
}

TEST(StoreCipher, EnciphersWholeBlocksUnderTheStoreKey) {
    // Pins the store key: files written earlier must stay readable.
    std::vector<unsigned char> zeros(16, 0);
    EncipherBuffer(zeros.data(), zeros.size());
    EXPECT_EQ(std::vector<unsigned char>(zeros.begin(), zeros.begin() + 8),
              std::vector<unsigned char>(zeros.begin() + 8, zeros.end()))
        << "electronic codebook: equal blocks, equal ciphertext";
    const char* key = "5f3a90c7d2b14e68";
    CRc5 rc5;
    rc5.SetKey(reinterpret_cast<const unsigned char*>(key), 16, 12);
    std::vector<unsigned char> expected(8, 0);
    rc5.EncryptBlock(expected.data());
    EXPECT_EQ(std::vector<unsigned char>(zeros.begin(), zeros.begin() + 8), expected);

    // A count that is not a whole number of blocks still covers the last block.
    std::vector<unsigned char> text(16);
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<unsigned char>(i * 37);
    std::vector<unsigned char> buffer = text;
    EncipherBuffer(buffer.data(), 9);
    EXPECT_NE(std::vector<unsigned char>(buffer.begin() + 8, buffer.end()),
              std::vector<unsigned char>(text.begin() + 8, text.end()));
    DecipherBuffer(buffer.data(), 16);
    EXPECT_EQ(buffer, text);
}

TEST(StoreCipher, DecipherBase64TextGivesTheTextUpToTheFirstZeroByte) {
    auto stored = [](std::string plain) {
        std::vector<unsigned char> bytes(plain.begin(), plain.end());
        EncipherBuffer(bytes.data(), bytes.size());
        return Base64Encode(bytes.data(), bytes.size());
    };
    EXPECT_EQ(DecipherBase64Text(stored(std::string("secret\0\0", 8))), "secret");
    EXPECT_EQ(DecipherBase64Text(stored(std::string("pass\0xyzabcdefgh", 16))), "pass");
    EXPECT_EQ(DecipherBase64Text(stored("abcdefgh")), "") << "no terminating zero";
    EXPECT_EQ(DecipherBase64Text(""), "");
    const std::string twelve =
        Base64Encode(reinterpret_cast<const unsigned char*>("0123456789ab"), 12);
    EXPECT_EQ(DecipherBase64Text(twelve), "") << "not whole blocks";
    std::string broken = stored(std::string("secret\0\0", 8));
    broken.pop_back();
    EXPECT_EQ(DecipherBase64Text(broken), "") << "a partial Base64 group";
}
