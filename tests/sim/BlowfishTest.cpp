#include "Blowfish.h"
#include "ClientId.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string FromHex(const std::string& hex) {
    std::string bytes;
    for (std::size_t i = 0; i < hex.size(); i += 2)
        bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return bytes;
}

// The block enciphered under the key, both given in hexadecimal.
std::string Encrypt(const std::string& keyHex, const std::string& plainHex) {
    std::string block = FromHex(plainHex);
    Blowfish(FromHex(keyHex)).EncryptBlock(reinterpret_cast<unsigned char*>(block.data()));
    return block;
}

struct Vector {
    const char* key;
    const char* plain;
    const char* cipher;
};

} // namespace

// The published test vectors of the cipher's designer: 8-byte keys, then keys of other
// lengths (prefixes of one long key) on one block.
TEST(Blowfish, MatchesPublishedVectors) {
    const Vector vectors[] = {
        {"0000000000000000", "0000000000000000", "4EF997456198DD78"},
        {"FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF", "51866FD5B85ECB8A"},
        {"3000000000000000", "1000000000000001", "7D856F9A613063F2"},
        {"1111111111111111", "1111111111111111", "2466DD878B963C9D"},
        {"0123456789ABCDEF", "1111111111111111", "61F9C3802281B096"},
        {"FEDCBA9876543210", "0123456789ABCDEF", "0ACEAB0FC6A0A28D"},
        {"7CA110454A1A6E57", "01A1D6D039776742", "59C68245EB05282B"},
        {"0131D9619DC1376E", "5CD54CA83DEF57DA", "B1B8CC0B250F09A0"},
        {"F0", "FEDCBA9876543210", "F9AD597C49DB005E"},
        {"F0E1D2", "FEDCBA9876543210", "E9C2B70A1BC65CF3"},
        {"F0E1D2C3B4A5968778", "FEDCBA9876543210", "15750E7A4F4EC577"},
        {"F0E1D2C3B4A5968778695A4B3C2D1E0F0011223344556677", "FEDCBA9876543210",
         "05044B62FA52D080"},
    };
    for (const Vector& v : vectors)
        EXPECT_EQ(Encrypt(v.key, v.plain), FromHex(v.cipher)) << "key " << v.key;
}

TEST(Blowfish, RefusesKeysOutsideOneTo56Bytes) {
    EXPECT_THROW(Blowfish(""), std::invalid_argument);
    EXPECT_THROW(Blowfish(std::string(57, 'k')), std::invalid_argument);
    EXPECT_NO_THROW(Blowfish(std::string(56, 'k')));
}

TEST(ClientId, PadsAndCutsLoginAndClientType) {
    const std::string id = EncryptClientId("alice", "QLN");
    ASSERT_EQ(id.size(), 64u);
    EXPECT_EQ(id.find_first_not_of("0123456789ABCDEF"), std::string::npos);
    EXPECT_EQ(id, EncryptClientId("alice", "QLN     "));
    EXPECT_NE(id, EncryptClientId("alice", "QLN IE"));
    const std::string login32(32, 'x');
    EXPECT_EQ(EncryptClientId(login32 + "tail", "QLN"), EncryptClientId(login32, "QLN"));
    EXPECT_EQ(EncryptClientId("alice", "QLN IE 2.0"), EncryptClientId("alice", "QLN IE 2"));
    // The blocks are enciphered independently: the same 8 blanks give the same cipher block.
    const std::string blank = EncryptClientId("", "QLN");
    EXPECT_EQ(blank.substr(0, 16), blank.substr(48, 16));
}

TEST(ClientId, MatchesLoginNamesInEitherAnsiCodePage) {
    // "Šimon" in Windows-1250 bytes.
    const std::string central = EncryptClientId("\x8Aimon", "QLN");
    EXPECT_TRUE(ClientIdMatches(central, "\xC5\xA0imon", "QLN"));
    // "Ñandú" in Windows-1252 bytes.
    EXPECT_TRUE(ClientIdMatches(EncryptClientId("\xD1"
                                                "and\xFA",
                                                "QLN"),
                                "\xC3\x91"
                                "and\xC3\xBA",
                                "QLN"));
    EXPECT_FALSE(ClientIdMatches(central, "Simon", "QLN"));
    EXPECT_FALSE(ClientIdMatches(central, "\xC5\xA0imon", "QLN IE"));
}
